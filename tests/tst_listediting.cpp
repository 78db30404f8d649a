// Editing the resource list through the keyboard, as a user does: edit, move, delete, copy, paste and import,
// each one step to undo.
#include "GuiTestSupport.h"
#include "gui/widgets/ResourceListView.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QMenu>
#include <QStatusBar>
#include <QTest>

using namespace orvanta;

class TestListEditing : public WindowTest {
    Q_OBJECT

private Q_SLOTS:
    void editMoveDeleteUndo()
    {
        addResources(4);
        list()->setFocus();
        // Nothing selected: moving and deleting do nothing, and there is nothing to undo.
        key(Qt::Key_Up, Qt::AltModifier);
        key(Qt::Key_Delete);
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(texts(), u"r0 r1 r2 r3"_s);

        select(1);
        inDialog([this] { key(Qt::Key_F2); },
                 [](QDialog* dialog) {
                     QCOMPARE(dialog->windowTitle(), u"Edit Resource"_s);
                     auto* text = child<QLineEdit>(dialog, "txtEditText");
                     QCOMPARE(text->text(), u"r1"_s);
                     text->setText(u"B"_s);
                     QTest::keyClick(text, Qt::Key_Return);
                 });
        QCOMPARE(texts(), u"r0 B r2 r3"_s);
        // A double-click opens it too: an empty field is refused, Escape drops the edit. Each field is named.
        const QPoint entry = list()->visualRect(list()->model()->index(1, 0)).center();
        inDialog([&] { QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, entry); },
                 [](QDialog* dialog) {
                     QCOMPARE(badlyNamedFields(dialog), QStringList());
                     child<QLineEdit>(dialog, "txtEditUrl")->clear();
                     QTest::keyClick(dialog, Qt::Key_Return);
                     QVERIFY(dialog->isVisible());
                     QTest::keyClick(dialog, Qt::Key_Escape);
                 });
        QCOMPARE(m_interaction.last(), u"inform|Missing Info|Please complete all the fields."_s);
        QCOMPARE(texts(), u"r0 B r2 r3"_s);
        for (int press = 0; press < 3; ++press) // the third finds it at the end already
            key(Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(texts(), u"r0 r2 r3 B"_s);
        QCOMPARE(list()->selectedRows(), QList<int>{3}); // the selection follows
        QCOMPARE(undoText(), u"&Undo Move Down"_s);
        select(1, Qt::ShiftModifier);
        key(Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(texts(), u"r2 r3 B r0"_s);
        key(Qt::Key_Delete);
        QCOMPARE(texts(), u"r0"_s);
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(texts(), u"r2 r3 B r0"_s);
        for (int step = 0; step < 4; ++step)
            key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(texts(), u"r0 r1 r2 r3"_s);
        key(Qt::Key_Y, Qt::ControlModifier);
        key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(texts(), u"r0 r2 B r3"_s);

        // The text boxes keep their own undo.
        QTest::keyClicks(edit("txtHeaderTitle"), u"Head"_s);
        QTest::keyClick(edit("txtHeaderTitle"), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(edit("txtHeaderTitle")->text(), QString());
        QCOMPARE(texts(), u"r0 r2 B r3"_s);
    }

    void copyPasteAndImport()
    {
        addResources(4);
        select(0);
        select(2, Qt::ControlModifier);
        key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), u"r0\thttps://r.test/0\nr2\thttps://r.test/2"_s);

        // Pasted after the selection, in one step; the lines in no form are reported.
        QApplication::clipboard()->setText(u"X\thttps://x.test\r\nnot a link\r\n[Y](https://y.test)\r\n"_s);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(texts(), u"r0 r1 r2 X Y r3"_s);
        QCOMPARE(m_window->statusBar()->currentMessage(),
                 u"Pasted 2 resources; skipped 1 line in no form of resource: 2."_s);
        QCOMPARE(undoText(), u"&Undo Paste"_s);
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(texts(), u"r0 r1 r2 r3"_s);

        list()->clearSelection();
        const QString csv = path(u"/list.csv"_s);
        auto* import = m_window->findChild<QAction*>(u"actionImport"_s);
        QVERIFY(writeAll(csv, "text,url\r\n\"Tools, free\",https://t.test\r\n"));
        m_interaction.chooseFile(csv);
        import->trigger();
        QCOMPARE(texts(), u"r0 r1 r2 r3 Tools, free"_s);
        m_interaction.chooseFile(path(u"/missing.txt"_s));
        import->trigger();
        QVERIFY(m_interaction.last().startsWith(u"warn|Import Resources|Could not read "_s + path(u"/missing.txt"_s)));
    }

    // Remove All is one step; undoing back to the saved sheet clears the change marker.
    void undoToTheSavedSheetClearsTheMarker()
    {
        addResources(2);
        QTemporaryDir folder;
        m_interaction.chooseFile(folder.filePath(u"sheet"_s));
        QVERIFY(m_window->document().saveAs());
        m_interaction.answer(true);
        click("Command2");
        QVERIFY(m_window->isWindowModified());
        QCOMPARE(undoText(), u"&Undo Remove All"_s);
        list()->setFocus();
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(texts(), u"r0 r1"_s);
        QVERIFY(!m_window->isWindowModified());
    }

private:
    ResourceListView* list() const { return child<ResourceListView>(m_window.get(), "lstResources"); }
    void key(int key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(list(), Qt::Key(key), modifiers); }
    void select(int row, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, modifiers,
                          list()->visualRect(list()->model()->index(row, 0)).center());
    }
    QString undoText() const { return child<QMenu>(m_window.get(), "menuEdit")->actions().constFirst()->text(); }
};

QTEST_MAIN(TestListEditing)
#include "tst_listediting.moc"
