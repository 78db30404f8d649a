// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: start-up, pages, the resource panel's buttons, and Create as the user drives it.
#include "GuiTestSupport.h"
#include "Version.h"
#include "engines/Conversion.h"
#include "gui/widgets/LinkLabel.h"
#include "gui/widgets/NavButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

using namespace orvanta;

class TestMainWindow : public WindowTest {
    Q_OBJECT

private Q_SLOTS:
    // The output folder is made at start-up; a folder that takes no file is said once, then again by Create.
    void startupAndNavigation()
    {
        QCOMPARE(m_window->windowTitle(), u"Orvanta " ORVANTA_VERSION "  "_s);
        QVERIFY(QFileInfo(path(u"/bin/output"_s)).isDir());
        QCOMPARE(pageState(), u"page 1, flags 01"_s);
        QTRY_COMPARE(QApplication::focusWidget(), edit("txtHeaderTitle"));
        click("pageButton2");
        QCOMPARE(pageState(), u"page 2, flags 10"_s);
        // A folder deleted since start-up is made again for the file manager; one that cannot start is reported.
        QVERIFY(QDir(path(u"/bin/output"_s)).removeRecursively());
        m_interaction.setFolderOpens(false);
        click("cmdOutput");
        QCOMPARE(m_interaction.openedFolders, QStringList{path(u"/bin/output"_s)});
        QVERIFY(QFileInfo(path(u"/bin/output"_s)).isDir());
        QCOMPARE(m_interaction.last(), u"warn|Open Output Folder|The file manager could not be started. Your PDF "_s
                                       u"files are in:\n"_s +
                                           path(u"/bin/output"_s));
        edit("txtPDFFilename")->setFocus();
        QTest::keyClick(child<NavButton>(m_window.get(), "pageButton1"), Qt::Key_Space);
        QCOMPARE(pageState(), u"page 1, flags 01"_s);
        QTRY_COMPARE(QApplication::focusWidget(), edit("txtHeaderTitle"));

        m_window.reset();
        QVERIFY(makeUnwritable(path(u"/resources"_s)));
        makeWindow();
        QTRY_COMPARE(m_interaction.shown.size(), 2);
        QVERIFY(m_interaction.last().startsWith(u"warn|Folder Not Writable|Orvanta cannot write into its folder:\n"_s +
                                                m_installation->folder()));
    }

    // Each design choice is one undoable step; a logo that is not an image, or too big, is refused and changes
    // nothing; a look copied in while the app runs is offered when the list opens.
    void designBar()
    {
        const Sheet& sheet = m_window->model().sheet();
        m_interaction.chooseColour(QColor(0x11, 0x22, 0x33));
        click("cmdAccent");
        QCOMPARE(sheet.accent, u"#112233"_s);
        click("cmdAccent"); // cancelled
        QCOMPARE(sheet.accent, u"#112233"_s);
        const QByteArray png("\x89PNG\r\n\x1a\n");
        QVERIFY(writeAll(path(u"/big.png"_s), png + QByteArray(1024 * 1024 - png.size() + 1, 'x')));
        QVERIFY(writeAll(path(u"/1mb.png"_s), png + QByteArray(1024 * 1024 - png.size(), 'x')));
        QVERIFY(writeAll(path(u"/logo.svg"_s), "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"/>"));
        for (const char* logo : {"/big.png", "/resources/tos.txt", "/1mb.png", "/logo.svg"})
            m_interaction.chooseFile(path(QString::fromLatin1(logo)));
        click("cmdLogo");
        QVERIFY(m_interaction.last().startsWith(u"warn|Logo|big.png cannot be the logo.\n\nIt is over 1 MB"_s));
        click("cmdLogo");
        QVERIFY(m_interaction.last().startsWith(u"warn|Logo|tos.txt cannot be the logo.\n\nIt is not a PNG"_s));
        QVERIFY(sheet.logo.isEmpty() && !child<QPushButton>(m_window.get(), "cmdRemoveLogo")->isEnabled());
        click("cmdLogo");
        QVERIFY(sheet.logo.startsWith(u"data:image/png;base64,"_s));
        click("cmdLogo");
        QVERIFY(sheet.logo.startsWith(u"data:image/svg+xml;base64,"_s));
        auto* fit = child<QComboBox>(m_window.get(), "cboFitPages");
        QCOMPARE(fit->accessibleName(), u"Fit on"_s);
        fit->setFocus();
        QTest::keyClick(fit, Qt::Key_End);
        QCOMPARE(sheet.fitPages, 2);
        auto* paper = child<QComboBox>(m_window.get(), "cboPaper");
        paper->setFocus();
        QTest::keyClick(paper, Qt::Key_Down);
        QCOMPARE(sheet.pageSize, u"Letter"_s);

        auto* look = child<QComboBox>(m_window.get(), "cboLook");
        QVERIFY(QDir().mkpath(path(u"/bin/looks/brand"_s)));
        for (const QString& file : {u"/template.html"_s, u"/repeater.txt"_s})
            QVERIFY(QFile::copy(path(u"/bin"_s + file), path(u"/bin/looks/brand"_s + file)));
        QVERIFY(look->findData(u"brand"_s) < 0);
        look->setFocus();
        QTest::keyClick(look, Qt::Key_End); // a key opens the list afresh, as a click does
        QCOMPARE(sheet.look, u"compact"_s); // the last: classic, brand, checklist, compact
        QCOMPARE(look->itemText(1), u"Brand"_s);

        QUndoStack& undo = m_window->model().undoStack();
        QCOMPARE(undo.undoText(), u"Look"_s);
        undo.undo();
        undo.undo();
        QCOMPARE(look->currentData().toString(), u"classic"_s);
        QCOMPARE(paper->currentText(), u"A4"_s);
        undo.undo();
        QCOMPARE(fit->currentText(), u"any number of pages"_s);
        undo.undo();
        undo.undo();
        undo.undo();
        QCOMPARE(sheet, Sheet{});
    }

    // Enter in the URL box adds, as the button does, and the fields make ready for the next; both fields are needed.
    void addResource()
    {
        const auto add = [this](const QString& text, const QString& url) {
            edit("txtCTAText")->setText(text);
            edit("txtCTAURL")->setText(url);
            QTest::keyClick(edit("txtCTAURL"), Qt::Key_Return);
            return QStringList{edit("txtCTAText")->text(), edit("txtCTAURL")->text()};
        };
        QCOMPARE(add(u"   "_s, u"http://"_s), (QStringList{QString(), u"http://"_s}));
        QTRY_COMPARE(QApplication::focusWidget(), edit("txtCTAText"));
        QCOMPARE(add(QString(), u"https://x.test"_s), (QStringList{QString(), u"https://x.test"_s}));
        QCOMPARE(add(u"Guide"_s, QString()), (QStringList{u"Guide"_s, QString()}));
        QCOMPARE(m_window->resources().entries(), (ResourceEntries{{u"   "_s, u"http://"_s}}));
        QCOMPARE(m_interaction.shown.size(), 2);
        QCOMPARE(m_interaction.last(), u"inform|Missing Info|Please complete all the fields."_s);
    }

    // A pasted address with a scheme replaces the fresh URL box's "http://"; anything else inserts as usual.
    void pasteIntoTheUrlBox_data()
    {
        for (const char* column : {"how", "before", "pasted", "after"})
            QTest::addColumn<QString>(column);
        const QString https = u"https://example.com/"_s;
        QTest::newRow("Ctrl+V") << u"Ctrl+V"_s << u"http://"_s << u" HTTPS://example.com/\n"_s
                                << u"HTTPS://example.com/"_s;
        QTest::newRow("Shift+Insert, mail")
            << u"Shift+Insert"_s << u"http://"_s << u"mailto:a@b.test"_s << u"mailto:a@b.test"_s;
        QTest::newRow("context menu") << u"menu"_s << u"http://"_s << https << https;
        QTest::newRow("into other text") << u"Ctrl+V"_s << u"http://a"_s << https << u"http://a"_s + https;
        QTest::newRow("no scheme") << u"Ctrl+V"_s << u"http://"_s << u"example.com"_s << u"http://example.com"_s;
        QTest::newRow("typed") << u"type"_s << u"http://"_s << https << u"http://"_s + https;
    }

    void pasteIntoTheUrlBox()
    {
        QFETCH(QString, how);
        QFETCH(QString, before);
        QFETCH(QString, pasted);
        QFETCH(QString, after);
        QLineEdit* url = edit("txtCTAURL");
        url->setText(before);
        url->setFocus();
        QApplication::clipboard()->setText(pasted);
        if (how == u"type") {
            QTest::keyClicks(url, pasted);
        } else if (how == u"menu") {
            const std::unique_ptr<QMenu> menu(url->createStandardContextMenu());
            for (QAction* action : menu->actions())
                if (action->text().remove(u'&').startsWith(u"Paste"_s))
                    action->trigger();
        } else {
            QTest::keySequence(url, QKeySequence(how));
        }
        QCOMPARE(url->text(), after);
    }

    void removeButtons()
    {
        const auto press = [this](const char* button) {
            click(button);
            return m_interaction.last() + u" / "_s + texts();
        };
        // On an empty list: say so, before asking for a selection or a confirmation.
        QCOMPARE(press("cmdRemoveItem"), u"inform|Invalid Operation|Please add a resource first. / "_s);
        QCOMPARE(press("Command2"), u"inform|Invalid Action|Ooops, there are no resources to remove. / "_s);
        addResources(3);
        QCOMPARE(press("cmdRemoveItem"), u"inform|Invalid Operation|Please select a resource first. / r0 r1 r2"_s);
        auto* list = child<QListView>(m_window.get(), "lstResources");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
        QCOMPARE(press("cmdRemoveItem"), u"inform|Invalid Operation|Please select a resource first. / r0 r2"_s);
        m_interaction.answer(false);
        QCOMPARE(press("Command2"), u"confirm|Confirm|Confirm Action? / r0 r2"_s);
        m_interaction.answer(true);
        QCOMPARE(press("Command2"), u"confirm|Confirm|Confirm Action? / "_s);
    }

    void everyFieldReachesThePage_data()
    {
        QTest::addColumn<bool>("installedByRoot");
        QTest::newRow("the user's installation") << false;
        QTest::newRow("an installation the user cannot write") << true;
    }

    // Typed through the keyboard, each field lands in its own placeholder; the name is written back as used. Where
    // the installation is not the user's, the user's folder takes the files, and its templates are read first.
    void everyFieldReachesThePage()
    {
        QFETCH(bool, installedByRoot);
        QString own = m_installation->folder();
        if (installedByRoot) {
            QVERIFY(makeUnwritable(path(u"/bin/output"_s)));
            own = qEnvironmentVariable("XDG_DATA_HOME") + u"/orvanta"_s;
            m_window.reset();
            makeWindow(Installation::At(m_installation->folder()));
        }
        QVERIFY(
            writeAll(own + u"/bin/template.html"_s, "H=#HEADLINE#|S=#SUBHEADLINE#|F=#FOOTER#|R=#REPEATER#|T=#TOS#"));
        QVERIFY(writeAll(path(u"/bin/repeater.txt"_s), "[#CTATEXT#>#CTAURL#]"));
        QVERIFY(writeAll(own + u"/resources/tos.txt"_s, "terms"));
        const auto type = [this](const char* name, const QString& text) {
            edit(name)->clear();
            QTest::keyClicks(edit(name), text);
        };
        type("txtHeaderTitle", u"head"_s);
        type("txtHeaderSubtitle", u"sub"_s);
        type("txtFooterTitle", u"foot"_s);
        type("txtBelowResource", u"note"_s);
        for (const char* box : {"chkAddResourceInstructions", "chkDisclaimer"})
            QTest::keyClick(child<QCheckBox>(m_window.get(), box), Qt::Key_Space);
        for (const QString& name : {u"one"_s, u"two"_s}) {
            type("txtCTAText", name);
            type("txtCTAURL", u"u/"_s + name);
            QTest::keyClick(edit("txtCTAURL"), Qt::Key_Return);
        }
        click("pageButton2");
        type("txtPDFFilename", u"my sheet"_s);

        m_interaction.answer(true);
        QVERIFY(pressCreateAndWait(*m_window, 20000));
        QCOMPARE(readAll(own + u"/bin/my-sheet.html"_s),
                 "H=head|S=sub|F=foot|R=[one>u/one]<br><i><p>note</p></i>[two>u/two]<br><i><p>note</p></i>|T=terms");
        QVERIFY(IsCompletePdf(own + u"/bin/output/my-sheet.pdf"_s));
        QCOMPARE(QFileInfo::exists(path(u"/bin/my-sheet.html"_s)), !installedByRoot);
        QCOMPARE(edit("txtPDFFilename")->text(), u"my-sheet"_s);
        QCOMPARE(
            m_interaction.last(),
            u"confirm|Done|This PDF is not tagged for screen readers: wkhtmltopdf cannot do that. Chromium can; choose it in Edit > Preferences.\n\nReady. Do you want to open the output folder?"_s);
        click("cmdOutput");
        QCOMPARE(m_interaction.openedFolders, QStringList(2, own + u"/bin/output"_s));
        QCOMPARE(child<QListView>(m_window.get(), "lstResources")->currentIndex().row(), 1);
    }

    // Refusals are information, failures warnings; either way the window is ready again and nothing is asked.
    void outcomesAreShown()
    {
        click("pageButton2");
        click("cmdCreate");
        QCOMPARE(m_interaction.last(), u"inform|Missing Info|Please add some resources first."_s);
        m_installation->installConverter(u"#!/bin/sh\necho 'Error: the page could not be read' >&2\n"_s);
        readyToCreate(u"sheet"_s);
        QVERIFY(!pressCreateAndWait(*m_window, 20000));
        QVERIFY(m_interaction.last().startsWith(u"warn|PDF Not Created|"_s));
        QVERIFY(child<QPushButton>(m_window.get(), "cmdCreate")->isEnabled());
        QVERIFY(!child<QLabel>(m_window.get(), "lblPleaseWait")->isVisible());
    }

    void busyWhileConverting()
    {
        // The converter waits for the gate file, so the build stays busy for as long as the test needs.
        const QString gate = path(u"/gate"_s);
        m_installation->installConverter(pdfWritingScript(u"while [ ! -e '%1' ]; do sleep 0.02; done"_s.arg(gate)));
        readyToCreate(u"busy"_s);
        QSignalSpy ended(m_window.get(), &MainWindow::buildEnded);
        click("cmdCreate");
        QVERIFY(!child<QPushButton>(m_window.get(), "cmdCreate")->isEnabled());
        QVERIFY(!child<QPushButton>(m_window.get(), "cmdOutput")->isEnabled());
        auto* pleaseWait = child<QLabel>(m_window.get(), "lblPleaseWait");
        QTRY_VERIFY(pleaseWait->isVisible());
        QTRY_VERIFY(!pleaseWait->isVisible());
        QTRY_VERIFY(pleaseWait->isVisible());

        // Everything else stays live, and edits do not reach the page already written.
        click("pageButton1");
        QTest::keyClicks(edit("txtHeaderTitle"), u" edited"_s);
        addResources(1);
        m_interaction.answer(false);
        QVERIFY(writeAll(gate, "go"));
        QVERIFY(ended.wait(20000));
        QVERIFY(child<QPushButton>(m_window.get(), "cmdOutput")->isEnabled());
        QVERIFY(!pleaseWait->isVisible() && !m_window->isBuilding());
        QVERIFY(!readAll(path(u"/bin/busy.html"_s)).contains("edited"));
        QVERIFY(m_interaction.openedFolders.isEmpty());
    }

    // The links open their dialogs modally over the window; generated resources land in the list. A terms file that
    // cannot be read is reported, and no editor opens over it.
    void linksOpenTheDialogs()
    {
        QStringList captions;
        // Each field, here and in the dialogs, has a name of its own for screen readers.
        QCOMPARE(badlyNamedFields(m_window.get()), QStringList());
        inDialog([this] { QTest::mouseClick(child<LinkLabel>(m_window.get(), "Label16"), Qt::LeftButton); },
                 [&](QDialog* dialog) {
                     captions << dialog->windowTitle();
                     QCOMPARE(badlyNamedFields(dialog), QStringList());
                 });
        inDialog([this] { QTest::keyClick(child<LinkLabel>(m_window.get(), "Label17"), Qt::Key_Return); },
                 [&](QDialog* dialog) {
                     captions << dialog->windowTitle();
                     QCOMPARE(badlyNamedFields(dialog), QStringList());
                     child<QCheckBox>(dialog, "Check1")->setChecked(true);
                     child<QPlainTextEdit>(dialog, "txtDiscussions")->setPlainText(u"seo"_s);
                     QTest::mouseClick(child<QPushButton>(dialog, "cmdSave"), Qt::LeftButton);
                 });
        QCOMPARE(captions, (QStringList{u"Terms and Conditions"_s, u"Automatic Resources"_s}));
        QCOMPARE(texts(), u"Discussions: seo"_s);
        QVERIFY(writeAll(path(u"/resources/tos.txt"_s), "Caf\xE9"));
        QTest::mouseClick(child<LinkLabel>(m_window.get(), "Label16"), Qt::LeftButton);
        QVERIFY(m_interaction.last().startsWith(u"warn|Terms and Conditions|"_s));
    }

private:
    // Which page shows and which page buttons carry the StateFlag: "page 1, flags 01" on the content page. The
    // button without it is the checked one, as screen readers announce it; "?" where that is not so.
    QString pageState() const
    {
        const auto flag = [this](const char* name) {
            const auto* button = child<NavButton>(m_window.get(), name);
            return button->isChecked() != button->stateFlag() ? QString::number(button->stateFlag()) : u"?"_s;
        };
        return u"page %1, flags %2%3"_s.arg(child<QGroupBox>(m_window.get(), "frPage1")->isVisible() ? 1 : 2)
            .arg(flag("pageButton1"), flag("pageButton2"));
    }
    void readyToCreate(const QString& name)
    {
        addResources(1);
        edit("txtHeaderTitle")->setText(u"Head"_s);
        click("pageButton2");
        edit("txtPDFFilename")->setText(name);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
