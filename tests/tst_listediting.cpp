// SPDX-License-Identifier: GPL-3.0-or-later
// Editing the resource list through the keyboard, as a user does: edit, move, delete, copy, paste and import,
// each one step to undo; and checking its links.
#include "GuiTestSupport.h"
#include "LinkServer.h"
#include "gui/widgets/ResourceListView.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
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
                     child<QLineEdit>(dialog, "txtDescription")->setText(u" Fast "_s);
                     QTest::keyClick(text, Qt::Key_Return);
                 });
        QCOMPARE(texts(), u"r0 B r2 r3"_s);
        const auto description = [this](int row) { return m_window->model().resources().at(row).description; };
        QCOMPARE(description(1), u"Fast"_s);
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
        QCOMPARE(description(1), QString());
        key(Qt::Key_Y, Qt::ControlModifier);
        key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(texts(), u"r0 r2 B r3"_s);
        QCOMPARE(description(2), u"Fast"_s);

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
        QCOMPARE(m_window->statusBar()->currentMessage(), u"Imported 1 resource."_s);
        m_interaction.chooseFile(path(u"/missing.txt"_s));
        import->trigger();
        QVERIFY(m_interaction.last().startsWith(u"warn|Import Resources|Could not read "_s + path(u"/missing.txt"_s)));
    }

    // Add Heading puts one after the current entry, as one step; F2 edits its title, Copy writes "## Title".
    void headings()
    {
        addResources(2);
        select(0);
        m_interaction.answerText(u" Tools "_s);
        listAction(u"Add &Heading…"_s)->trigger();
        QCOMPARE(texts(), u"r0 Tools r1"_s);
        QCOMPARE(undoText(), u"&Undo Add Heading"_s);
        m_interaction.answerText(u"Speed"_s);
        key(Qt::Key_F2);
        QCOMPARE(m_interaction.last(), u"text|Edit Heading|Heading:"_s);
        QCOMPARE(m_window->resources().at(1), HeadingEntry(u"Speed"_s));
        key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), u"## Speed"_s);
        select(0);
        select(1, Qt::ControlModifier);
        select(1, Qt::ControlModifier); // still the current entry, but no longer chosen: F2 asks nothing
        key(Qt::Key_F2);
        key(Qt::Key_Z, Qt::ControlModifier);
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(texts(), u"r0 r1"_s);
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

    // Check Links marks each entry and sums the run up; a moved link takes its new address in one undoable step,
    // and the changed link is asked again. Cancel stops the run.
    void checkLinks()
    {
        LinkServer server;
        m_window->model().appendResources({{u"fine"_s, server.url(u"/slow/fine"_s)},
                                           {u"moved"_s, server.url(u"/to/ok"_s)},
                                           {u"broken"_s, server.url(u"/missing"_s)},
                                           {u"mail"_s, u"mailto:a@b.test"_s},
                                           HeadingEntry(u"no link to check"_s)},
                                          u"Add"_s);
        QSignalSpy marked(list()->model(), &QAbstractItemModel::dataChanged);
        QTest::keyClick(m_window.get(), Qt::Key_L, Qt::ControlModifier);
        QTRY_COMPARE(m_window->statusBar()->currentMessage(), u"1 fine, 1 moved, 1 broken, 1 not checked"_s);
        QSet<int> markedRows; // each link's row is drawn again with its mark, and only those
        for (const QList<QVariant>& change : marked)
            markedRows.insert(change.at(0).toModelIndex().row());
        QCOMPARE(markedRows, (QSet<int>{0, 1, 2, 3}));
        const auto tip = [this](int row) { return list()->model()->index(row, 0).data(Qt::ToolTipRole).toString(); };
        QVERIFY(tip(1).endsWith(u"Moved (301): now "_s + server.url(u"/ok"_s)));
        QVERIFY(tip(2).contains(u"Broken (404)"_s) && tip(3).endsWith(u"not a web link"_s));
        QVERIFY(!list()->model()->index(0, 0).data(Qt::DecorationRole).isNull());
        QVERIFY(list()->model()->index(4, 0).data(Qt::DecorationRole).isNull());

        select(1);
        QAction* useNewAddress = listAction(u"Use &New Address"_s);
        QVERIFY(useNewAddress->isEnabled());
        useNewAddress->trigger();
        QCOMPARE(m_window->resources().at(1).linkUrl, server.url(u"/ok"_s));
        QCOMPARE(undoText(), u"&Undo Use New Address"_s);
        QTRY_VERIFY(tip(1).endsWith(u"Fine (200)"_s)); // its new address, asked only now

        m_window->model().appendResources({{u"silent"_s, server.url(u"/never"_s)}}, u"Add"_s);
        QSignalSpy cleared(list()->model(), &QAbstractItemModel::dataChanged);
        QTest::keyClick(m_window.get(), Qt::Key_L, Qt::ControlModifier); // a new check takes every mark away first
        QVERIFY(!cleared.isEmpty());
        QCOMPARE(cleared.first().at(0).toModelIndex().row(), 0);
        QCOMPARE(cleared.first().at(1).toModelIndex().row(), 5);
        auto* cancel = m_window->statusBar()->findChild<QPushButton*>();
        QTRY_VERIFY(cancel->isVisible());
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(!cancel->isVisible());
        QTRY_COMPARE(server.inFlight(), 0);
    }

private:
    ResourceListView* list() const { return child<ResourceListView>(m_window.get(), "lstResources"); }
    void key(int key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(list(), Qt::Key(key), modifiers); }
    void select(int row, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, modifiers,
                          list()->visualRect(list()->model()->index(row, 0)).center());
    }
    // The list's context menu entry; the test stops if there is none.
    QAction* listAction(const QString& text) const
    {
        for (QAction* action : list()->actions()) {
            if (action->text() == text)
                return action;
        }
        qFatal("no action %s", qPrintable(text));
    }
    QString undoText() const { return child<QMenu>(m_window.get(), "menuEdit")->actions().constFirst()->text(); }
};

QTEST_MAIN(TestListEditing)
#include "tst_listediting.moc"
