// Editing the resource list through the keyboard, as a user does: edit, move, delete, copy, paste and import,
// each one step to undo.
#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "gui/MainWindow.h"
#include "gui/widgets/ResourceListView.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

using namespace orvanta;

class TestListEditing : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void editMoveDeleteUndo();
    void editDialog_data();
    void editDialog();
    void copyPasteAndImport();
    void undoStepsAndTheChangeMarker();

private:
    QString texts() const
    {
        QStringList texts;
        for (const ResourceEntry& entry : m_window->resources().entries())
            texts << entry.linkText;
        return texts.join(u' ');
    }
    void key(int key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(m_list, Qt::Key(key), modifiers); }
    void select(int row, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, modifiers,
                          m_list->visualRect(m_list->model()->index(row, 0)).center());
    }
    QString undoText() const
    {
        return child<QMenu>(m_window.get(), "menuEdit")->actions().constFirst()->text();
    }
    // Runs `body` on the modal dialog that `open` brings up.
    template <typename Body> void inDialog(std::function<void()> open, Body body)
    {
        QTimer::singleShot(0, this, [body] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            body(dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        open();
        m_window->activateWindow(); // as the desktop does once the dialog is gone
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    std::unique_ptr<TestInstallation> m_installation;
    ScriptedInteraction m_interaction;
    std::unique_ptr<MainWindow> m_window;
    ResourceListView* m_list = nullptr;
};

void TestListEditing::init()
{
    m_installation = std::make_unique<TestInstallation>();
    QVERIFY(m_installation->isValid());
    m_interaction = ScriptedInteraction();
    m_window = std::make_unique<MainWindow>(m_installation->folder(), m_interaction);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_list = child<ResourceListView>(m_window.get(), "lstResources");
    m_window->resources().append({{QStringLiteral("a"), QStringLiteral("https://a.test")},
                                  {QStringLiteral("b"), QStringLiteral("https://b.test")},
                                  {QStringLiteral("c"), QStringLiteral("https://c.test")},
                                  {QStringLiteral("d"), QStringLiteral("https://d.test")}});
    m_list->setFocus();
}

void TestListEditing::cleanup()
{
    m_window.reset();
    QVERIFY2(!m_interaction.answersLeft(), "a scripted answer was not used");
}

void TestListEditing::editMoveDeleteUndo()
{
    // Nothing selected: moving and deleting do nothing, and there is nothing to undo.
    key(Qt::Key_Up, Qt::AltModifier);
    key(Qt::Key_Delete);
    key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(texts(), QStringLiteral("a b c d"));
    QVERIFY(m_interaction.shown.isEmpty());

    select(1);
    inDialog([this] { key(Qt::Key_F2); }, [](QDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Edit Resource"));
        auto* text = child<QLineEdit>(dialog, "txtEditText");
        QCOMPARE(text->text(), QStringLiteral("b"));
        text->setText(QStringLiteral("B"));
        QTest::keyClick(text, Qt::Key_Return);
    });
    QCOMPARE(texts(), QStringLiteral("a B c d"));
    key(Qt::Key_Down, Qt::AltModifier);
    key(Qt::Key_Down, Qt::AltModifier);
    key(Qt::Key_Down, Qt::AltModifier); // at the end already: nothing
    QCOMPARE(texts(), QStringLiteral("a c d B"));
    QCOMPARE(m_list->selectedRows(), QList<int>{3}); // the selection follows
    QCOMPARE(undoText(), QStringLiteral("&Undo Move Down"));
    select(1, Qt::ShiftModifier);
    key(Qt::Key_Up, Qt::AltModifier);
    QCOMPARE(texts(), QStringLiteral("c d B a"));
    key(Qt::Key_Delete);
    QCOMPARE(texts(), QStringLiteral("a"));
    key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(texts(), QStringLiteral("c d B a"));
    for (int step = 0; step < 3; ++step)
        key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(texts(), QStringLiteral("a B c d"));
    key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(texts(), QStringLiteral("a b c d"));
    key(Qt::Key_Y, Qt::ControlModifier);
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(texts(), QStringLiteral("a c B d"));

    // The text boxes keep their own undo.
    auto* headline = child<QLineEdit>(m_window.get(), "txtHeaderTitle");
    QTest::keyClicks(headline, QStringLiteral("Head"));
    QTest::keyClick(headline, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(headline->text(), QString());
    QCOMPARE(texts(), QStringLiteral("a c B d"));
}

void TestListEditing::editDialog_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("escape");
    QTest::addColumn<QString>("expected");
    QTest::newRow("an empty field is refused") << QString() << false << QStringLiteral("b---https://b.test");
    QTest::newRow("Escape drops the change") << QStringLiteral("https://new.test") << true
                                             << QStringLiteral("b---https://b.test");
    QTest::newRow("OK keeps it") << QStringLiteral("https://new.test") << false
                                 << QStringLiteral("b---https://new.test");
}

// Opened by a double-click too; every field of the dialog is named for screen readers.
void TestListEditing::editDialog()
{
    QFETCH(QString, url);
    QFETCH(bool, escape);
    QFETCH(QString, expected);
    select(1);
    inDialog([this] { QTest::mouseDClick(m_list->viewport(), Qt::LeftButton, {}, m_list->visualRect(m_list->model()->index(1, 0)).center()); },
             [&](QDialog* dialog) {
                 for (QLineEdit* field : dialog->findChildren<QLineEdit*>())
                     QVERIFY(!QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name).isEmpty());
                 child<QLineEdit>(dialog, "txtEditUrl")->setText(url);
                 QTest::keyClick(dialog, escape ? Qt::Key_Escape : Qt::Key_Return);
                 QCOMPARE(dialog->isVisible(), url.isEmpty());
             });
    QCOMPARE(m_window->resources().at(1).displayText(), expected);
    QCOMPARE(m_interaction.last(), url.isEmpty() ? QStringLiteral("inform|Missing Info|Please complete all the fields.")
                                                 : QString());
}

void TestListEditing::copyPasteAndImport()
{
    select(0);
    select(2, Qt::ControlModifier);
    key(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("a\thttps://a.test\nc\thttps://c.test"));

    // Pasted after the selection, in one step; the lines in no form are reported.
    QApplication::clipboard()->setText(QStringLiteral("X\thttps://x.test\r\nnot a link\r\n[Y](https://y.test)\r\n"));
    key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(texts(), QStringLiteral("a b c X Y d"));
    QCOMPARE(m_window->statusBar()->currentMessage(),
             QStringLiteral("Pasted 2 resources; skipped 1 line in no form of resource: 2."));
    QCOMPARE(undoText(), QStringLiteral("&Undo Paste"));
    key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(texts(), QStringLiteral("a b c d"));

    m_list->clearSelection();
    const QString csv = m_installation->path(QStringLiteral("/list.csv"));
    QVERIFY(writeAll(csv, "text,url\r\n\"Tools, free\",https://t.test\r\n"));
    auto* import = m_window->findChild<QAction*>(QStringLiteral("actionImport"));
    m_interaction.chooseFile(csv);
    import->trigger();
    QCOMPARE(texts(), QStringLiteral("a b c d Tools, free"));
    QVERIFY(writeAll(csv, "Caf\xE9\thttps://x.test"));
    m_interaction.chooseFile(csv);
    import->trigger();
    QCOMPARE(m_interaction.last().left(34), QStringLiteral("warn|Import Resources|Could not re"));
    QCOMPARE(texts(), QStringLiteral("a b c d Tools, free"));
}

// Remove All and a generated batch are one step each; undoing back to the saved sheet clears the marker.
void TestListEditing::undoStepsAndTheChangeMarker()
{
    QTemporaryDir folder;
    m_interaction.chooseFile(folder.filePath(QStringLiteral("sheet")));
    QVERIFY(m_window->document().saveAs());
    m_interaction.answer(true);
    QTest::mouseClick(child<QWidget>(m_window.get(), "Command2"), Qt::LeftButton);
    QCOMPARE(texts(), QString());
    QVERIFY(m_window->isWindowModified());
    QCOMPARE(undoText(), QStringLiteral("&Undo Remove All"));
    m_list->setFocus();
    key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(texts(), QStringLiteral("a b c d"));
    QVERIFY(!m_window->isWindowModified());
}

QTEST_MAIN(TestListEditing)
#include "tst_listediting.moc"
