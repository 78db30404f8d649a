// SPDX-License-Identifier: GPL-3.0-or-later
// The window and every dialog under the pseudo-translation, where each translated text reads "[Text···]": a text
// without brackets never went through a translation, and a label or button narrower than its text is cut.
#include "GuiTestSupport.h"
#include "Version.h"
#include "gui/ContentPage.h"
#include <QAbstractButton>
#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QTranslator>

namespace {

// Texts that stay as they are: the product's name and version, the file suffix beside the file name.
bool untranslated(const QString& text)
{
    static const QStringList kept{u"Orvanta"_s, u"Orvanta " ORVANTA_VERSION ""_s, u".pdf"_s};
    const QString trimmed = text.trimmed();
    return !trimmed.isEmpty() && !kept.contains(trimmed) && !(trimmed.startsWith(u'[') && trimmed.endsWith(u']'));
}

// "objectName: what is wrong", for `root`, its widgets and its actions.
QStringList faults(QWidget* root)
{
    QStringList found;
    if (root->width() > 1366 || root->height() > 768)
        found << u"%1 x %2 does not fit 1366 x 768"_s.arg(root->width()).arg(root->height());
    QObjectList objects = root->findChildren<QObject*>() << root;
    for (QObject* object : std::as_const(objects)) {
        const auto* box = qobject_cast<QDialogButtonBox*>(object->parent());
        if (box && box->standardButton(qobject_cast<QAbstractButton*>(object)))
            continue; // Qt's own OK and Cancel, in Qt's translations
        // A line edit's text is the user's; a label's, a button's and an action's are ours.
        const bool ours =
            qobject_cast<QLabel*>(object) || qobject_cast<QAbstractButton*>(object) || qobject_cast<QAction*>(object);
        for (const char* property : {"windowTitle", "toolTip", "title", "placeholderText", ours ? "text" : ""}) {
            const QString text = object->property(property).toString();
            if (*property && untranslated(text))
                found << u"%1: %2 \"%3\" is not translated"_s.arg(object->objectName(), QLatin1String(property), text);
        }
        auto* widget = qobject_cast<QWidget*>(object);
        if (!ours || !widget || widget->property("text").toString().isEmpty() || !widget->isVisibleTo(root))
            continue;
        const auto* label = qobject_cast<QLabel*>(widget);
        const QSize needed =
            label && label->wordWrap() ? QSize(0, label->heightForWidth(label->width())) : widget->sizeHint();
        if (widget->width() < needed.width() || widget->height() < needed.height())
            found << widget->objectName() + u" is cut: "_s + widget->property("text").toString();
    }
    return found;
}

} // namespace

class TestTranslations : public WindowTest {
    Q_OBJECT

public:
    TestTranslations() // before any window is made
    {
        if (!m_pseudo.load(QStringLiteral(ORVANTA_PSEUDO_TRANSLATION)))
            qFatal("cannot load %s", ORVANTA_PSEUDO_TRANSLATION);
        QCoreApplication::installTranslator(&m_pseudo);
    }

private Q_SLOTS:
    void everyTextTranslatedAndWhole_data()
    {
        QTest::addColumn<QString>("open"); // what is opened in the window, at 1366 x 768
        for (const char* open : {"content page", "create page", "preferences", "disclaimer editor", "resource editor",
                                 "keyword generator", "message box"})
            QTest::newRow(open) << QString::fromLatin1(open);
    }

    void everyTextTranslatedAndWhole()
    {
        QFETCH(QString, open);
        m_window->resize(1366, 768);
        QCoreApplication::sendPostedEvents(); // the layouts take the new size
        auto* page = m_window->findChild<orvanta::ContentPage*>();
        auto* list = child<QListView>(m_window.get(), "lstResources");
        addResources(open == u"message box" ? 0 : 1);
        list->setCurrentIndex(list->model()->index(0, 0));
        QAction* preferences = child<QMenu>(m_window.get(), "menuEdit")->actions().constLast();
        QCOMPARE(preferences->menuRole(), QAction::PreferencesRole);
        QStringList found;
        const auto inspect = [&found](QDialog* dialog) { found = faults(dialog); };
        if (open == u"preferences")
            inDialog([preferences] { preferences->trigger(); }, inspect);
        else if (open == u"disclaimer editor")
            inDialog([page] { Q_EMIT page->disclaimerContentRequested(); }, inspect);
        else if (open == u"keyword generator")
            inDialog([page] { Q_EMIT page->automaticResourcesRequested(); }, inspect);
        else if (open == u"resource editor")
            inDialog([list] { QTest::keyClick(list, Qt::Key_Return); }, inspect); // on the one resource
        else if (open != u"content page")
            click("pageButton2");
        if (open == u"create page" || open == u"content page")
            found = faults(m_window.get());
        if (open == u"message box") {
            click("cmdCreate"); // refused: the sheet is empty
            QVERIFY(!m_interaction.shown.isEmpty());
            for (const auto& shown : std::as_const(m_interaction.shown))
                found << shown.title + shown.text; // "[Title··][Text···]"
            found.removeIf([](const QString& text) { return !untranslated(text); });
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }

private:
    QTranslator m_pseudo;
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
