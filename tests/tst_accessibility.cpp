// Keyboard and screen-reader use: the tab order, names for every control, mnemonics, Enter and Escape.
#include "ScriptedInteraction.h"
#include "TestSupport.h"
#include "app/MainWindow.h"
#include "app/NavButton.h"
#include "resourcelist/AutoResourcesDialog.h"
#include "terms/TermsDialog.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

using namespace orvanta;

namespace {

QStringList unnamedControls(const QWidget& root)
{
    QStringList unnamed;
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        const bool control = qobject_cast<QLineEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget) ||
                             qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget) ||
                             qobject_cast<QListView*>(widget) || widget->inherits("orvanta::LinkLabel");
        // A combo box's own editor and pop-up list are named by the combo box.
        if (!control || widget->window() != root.window() || widget->parentWidget()->inherits("QComboBox"))
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << widget->objectName() + u'(' + QString::fromLatin1(widget->metaObject()->className()) + u')';
    }
    return unnamed;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void contentPageTabOrder();
    void everyControlHasAName();
    void mnemonicsReachTheCommands();
    void escapeClosesTheDialogs();

private:
    std::unique_ptr<TestInstallation> m_installation;
    ScriptedInteraction m_interaction;
    std::unique_ptr<MainWindow> m_window;
};

void TestAccessibility::init()
{
    m_installation = std::make_unique<TestInstallation>();
    QVERIFY(m_installation->isValid());
    m_interaction.reset();
    m_window = std::make_unique<MainWindow>(m_installation->folder(), m_interaction);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestAccessibility::cleanup()
{
    m_window.reset();
    m_installation.reset();
}

void TestAccessibility::contentPageTabOrder()
{
    const QStringList expected = {QStringLiteral("pageButton1"),      QStringLiteral("pageButton2"),
                                  QStringLiteral("txtHeaderTitle"),   QStringLiteral("txtHeaderSubtitle"),
                                  QStringLiteral("txtFooterTitle"),   QStringLiteral("chkDisclaimer"),
                                  QStringLiteral("Label16"),          QStringLiteral("txtCTAText"),
                                  QStringLiteral("txtCTAURL"),        QStringLiteral("cmdAddResource"),
                                  QStringLiteral("lstResources"),     QStringLiteral("cmdRemoveItem"),
                                  QStringLiteral("Command2"),         QStringLiteral("chkAddResourceInstructions"),
                                  QStringLiteral("txtBelowResource"), QStringLiteral("Label17")};
    auto* first = m_window->findChild<QWidget*>(expected.first());
    first->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), first);
    QStringList walked;
    for (qsizetype i = 0; i <= expected.size(); ++i) {
        walked << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(walked, expected + QStringList{expected.first()});
}

void TestAccessibility::everyControlHasAName()
{
    QVERIFY2(unnamedControls(*m_window).isEmpty(), qPrintable(unnamedControls(*m_window).join(u' ')));
    TermsDialog terms(m_installation->folder(), m_interaction, m_window.get());
    QVERIFY2(unnamedControls(terms).isEmpty(), qPrintable(unnamedControls(terms).join(u' ')));
    AutoResourcesDialog automatic(m_window->resources(), m_interaction, m_window.get());
    QVERIFY2(unnamedControls(automatic).isEmpty(), qPrintable(unnamedControls(automatic).join(u' ')));

    // The names come from the caption labels, without their mnemonic marks.
    QAccessibleInterface* headline =
        QAccessible::queryAccessibleInterface(m_window->findChild<QLineEdit*>(QStringLiteral("txtHeaderTitle")));
    QCOMPARE(headline->text(QAccessible::Name), QStringLiteral("Headline:"));
    QAccessibleInterface* create =
        QAccessible::queryAccessibleInterface(m_window->findChild<QWidget*>(QStringLiteral("pageButton2")));
    QCOMPARE(create->text(QAccessible::Name), QStringLiteral("Create Cheatsheet"));
}

void TestAccessibility::mnemonicsReachTheCommands()
{
    // A mnemonic on a button clicks it after a short visible press.
    QTest::keyClick(m_window.get(), Qt::Key_R, Qt::AltModifier);
    QTRY_VERIFY(m_window->findChild<QGroupBox*>(QStringLiteral("frPage2"))->isVisible());
    QTest::keyClick(m_window.get(), Qt::Key_C, Qt::AltModifier);
    QTRY_VERIFY(m_window->findChild<QGroupBox*>(QStringLiteral("frPage1"))->isVisible());

    QTest::keyClick(m_window.get(), Qt::Key_X, Qt::AltModifier);
    QTRY_COMPARE(QApplication::focusWidget(), m_window->findChild<QWidget*>(QStringLiteral("txtCTAText")));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Typed"));
    QTest::keyClick(m_window.get(), Qt::Key_K, Qt::AltModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("example.com")); // replaces the selected "http://"
    QTest::keyClick(m_window.get(), Qt::Key_A, Qt::AltModifier);
    QTRY_COMPARE(m_window->resources().entries(),
                 (ResourceEntries{{QStringLiteral("Typed"), QStringLiteral("example.com")}}));
}

void TestAccessibility::escapeClosesTheDialogs()
{
    for (const char* link : {"Label16", "Label17"}) {
        bool sawDialog = false;
        QTimer::singleShot(0, this, [&sawDialog] {
            QWidget* dialog = QApplication::activeModalWidget();
            sawDialog = dialog != nullptr;
            if (dialog)
                QTest::keyClick(dialog, Qt::Key_Escape);
        });
        auto* label = m_window->findChild<QWidget*>(QString::fromLatin1(link));
        label->setFocus();
        QTest::keyClick(label, Qt::Key_Space);
        QVERIFY2(sawDialog, link);
        QVERIFY(!QApplication::activeModalWidget());
    }
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
