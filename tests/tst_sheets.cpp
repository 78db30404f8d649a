// SPDX-License-Identifier: GPL-3.0-or-later
// Sheets in the window: saving and opening, the question before unsaved work is dropped, the recent files,
// and the recovery of unsaved work after the app was killed.
#include "GuiTestSupport.h"
#include "Version.h"
#include "sheet/Recovery.h"
#include "sheet/SheetFile.h"
#include "sheet/TextFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QStatusBar>
#include <QTest>
#include <csignal>

using namespace orvanta;
using Choice = Interaction::SaveChoice;

Q_DECLARE_METATYPE(orvanta::Interaction::SaveChoice)

class TestSheets : public WindowTest {
    Q_OBJECT

    // The sheet as the window's fields show it.
    Sheet shown() const
    {
        const auto checked = [this](const char* name) { return child<QCheckBox>(m_window.get(), name)->isChecked(); };
        Sheet sheet;
        sheet.headline = edit("txtHeaderTitle")->text();
        sheet.subheadline = edit("txtHeaderSubtitle")->text();
        sheet.footer = edit("txtFooterTitle")->text();
        sheet.disclaimer = checked("chkDisclaimer");
        sheet.noteBelowEachResource = checked("chkAddResourceInstructions");
        sheet.note = edit("txtBelowResource")->text();
        sheet.resources = m_window->resources().entries();
        sheet.fileName = edit("txtPDFFilename")->text();
        sheet.logoText = edit("txtLogoText")->text();
        sheet.language = child<QComboBox>(m_window.get(), "cboLanguage")->currentData().toString();
        return sheet;
    }

private Q_SLOTS:
    // Every field comes from the file and goes back into it; the title names the file and marks unsaved changes,
    // and typing a change away clears the mark. A file that is not a sheet leaves the open sheet as it was.
    void saveAndOpen()
    {
        Sheet full = SheetWithEverything();
        full.note = QString(40000, u'n'); // longer than a text box takes by default
        QVERIFY(!SaveSheet(file(u"full.orvanta"_s), full));
        QVERIFY(m_window->document().openFile(file(u"full.orvanta"_s)));
        QVERIFY(m_window->model().sheet() == full && shown() == full);
        QCOMPARE(m_window->windowTitle(), u"full[*] - Orvanta"_s);
        QVERIFY(!m_window->isWindowModified());
        edit("txtPDFFilename")->setText(u"other"_s);
        QVERIFY(m_window->isWindowModified());
        edit("txtPDFFilename")->setText(full.fileName);
        QVERIFY(!m_window->isWindowModified());

        m_interaction.chooseFile(file(u"copy"_s));
        QVERIFY(m_window->document().saveAs());
        QCOMPARE(m_interaction.last(), u"file|Save Sheet As|"_s + m_files.path() + u"/my sheet.orvanta"_s);
        const Expected<Sheet, FileProblem> copy = LoadSheet(file(u"copy.orvanta"_s));
        QVERIFY(copy && *copy == full);
        QCOMPARE(m_window->windowTitle(), u"copy[*] - Orvanta"_s);
        m_interaction.chooseFile(file(u"copy"_s)); // ".orvanta" added after the dialog: asked again before replacing
        m_interaction.answer(false);
        QVERIFY(!m_window->document().saveAs());

        m_window->document().newSheet();
        QVERIFY(m_window->model().sheet() == Sheet{} && shown() == Sheet{});
        QCOMPARE(m_window->windowTitle(), u"Orvanta " ORVANTA_VERSION "  "_s);
        edit("txtHeaderTitle")->setText(u"A/B tests"_s);
        QVERIFY(!m_window->document().saveAs()); // no file chosen: nothing saved
        QCOMPARE(m_interaction.last(), u"file|Save Sheet As|"_s + m_files.path() + u"/A-B tests.orvanta"_s);
        QVERIFY(writeAll(file(u"broken.orvanta"_s), R"({"format": "orvanta-sheet", "version": 1, "headline": 3})"));
        m_interaction.answer(Choice::Discard);
        m_interaction.chooseFile(file(u"broken.orvanta"_s));
        m_window->document().open();
        QVERIFY(m_interaction.last().startsWith(u"warn|Open Sheet|Could not open "_s + file(u"broken"_s)));
        QCOMPARE(edit("txtHeaderTitle")->text(), u"A/B tests"_s);
    }

    void fifoIsRefused_data()
    {
        QTest::addColumn<bool>("writer");
        QTest::newRow("no program writes to it") << false;
        QTest::newRow("a program writes a sheet to it") << true;
    }

    // The window reads regular files only: a FIFO, which could keep it waiting for ever, is refused at once.
    void fifoIsRefused()
    {
        QFETCH(bool, writer);
        const QString fifo = file(u"fifo.orvanta"_s);
        const FifoTrap trap(fifo);
        QVERIFY(trap.isValid());
        QProcess program;
        if (writer) {
            program.start(u"sh"_s,
                          {u"-c"_s, u"printf '%s' \"$0\" > \"$1\""_s,
                           QString::fromUtf8(QJsonDocument(SheetToJson(SheetWithEverything())).toJson()), fifo});
            QVERIFY(program.waitForStarted());
        }
        QElapsedTimer clock;
        clock.start();
        m_interaction.chooseFile(fifo);
        m_window->document().open();
        QVERIFY(clock.elapsed() < 1000);
        QCOMPARE(m_interaction.last(), u"warn|Open Sheet|Could not open "_s + fifo + u": it is not a regular file."_s);
        QVERIFY(!trap.caught());
        QVERIFY(m_window->model().sheet() == Sheet{});
        program.kill();
        program.waitForFinished();
    }

    void unsavedWorkIsAskedFor_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<Choice>("choice");
        for (const char* command : {"close", "new", "open", "recent"}) {
            for (const auto& [name, choice] :
                 {std::pair{"save", Choice::Save}, {"discard", Choice::Discard}, {"cancel", Choice::Cancel}})
                QTest::addRow("%s, %s", command, name) << QString::fromLatin1(command) << choice;
        }
    }

    // Cancel changes nothing; Discard goes on and leaves the file; Save writes it first.
    void unsavedWorkIsAskedFor()
    {
        QFETCH(QString, command);
        QFETCH(Choice, choice);
        QVERIFY(writeAll(file(u"other.orvanta"_s),
                         "{\"format\": \"orvanta-sheet\", \"version\": 1, \"headline\": \"Other\"}"));
        m_interaction.chooseFile(file(u"mine.orvanta"_s));
        QVERIFY(m_window->document().saveAs());
        m_interaction.shown.clear();
        edit("txtHeaderTitle")->setText(u"changed"_s);

        m_interaction.answer(choice);
        if (command == u"close") {
            m_window->close();
        } else if (command == u"new") {
            m_window->document().newSheet();
        } else if (command == u"open") {
            if (choice != Choice::Cancel)
                m_interaction.chooseFile(file(u"other.orvanta"_s));
            m_window->document().open();
        } else {
            m_window->document().openAfterAsking(file(u"other.orvanta"_s));
        }
        QCOMPARE(m_interaction.shown.first().kind + u'|' + m_interaction.shown.first().text,
                 u"save?|Save changes to mine?"_s);
        const bool went = choice != Choice::Cancel;
        const Expected<Sheet, FileProblem> mine = LoadSheet(file(u"mine.orvanta"_s));
        QVERIFY(mine);
        QCOMPARE(mine->headline, choice == Choice::Save ? u"changed"_s : QString());
        if (command == u"close") {
            QCOMPARE(m_window->isVisible(), !went);
        } else {
            QCOMPARE(edit("txtHeaderTitle")->text(), !went ? u"changed"_s : command == u"new" ? QString() : u"Other"_s);
            QCOMPARE(m_window->isWindowModified(), !went);
        }
    }

    // Newest first and at most eight; a file gone missing is reported and dropped; Clear empties the list.
    void recentFiles()
    {
        m_window->document().clearRecentFiles();
        QStringList expected;
        for (int i = 0; i < 9; ++i) {
            m_interaction.chooseFile(file(u"sheet%1"_s.arg(i)));
            QVERIFY(m_window->document().saveAs());
            expected.prepend(file(u"sheet%1.orvanta"_s.arg(i)));
        }
        QCOMPARE(recentMenu().mid(0, 8), expected.mid(0, 8));
        QVERIFY(QFile::remove(expected.at(1)));
        child<QMenu>(m_window.get(), "menuRecent")->actions().at(1)->trigger();
        QVERIFY(m_interaction.last().startsWith(u"warn|Open Sheet|Could not open "_s + expected.at(1)));
        expected.removeAt(1);
        QCOMPARE(recentMenu(), expected.mid(0, 7) + QStringList({QString(), u"&Clear"_s})); // a separator, then Clear
        child<QMenu>(m_window.get(), "menuRecent")->actions().constLast()->trigger();
        QCOMPARE(recentMenu(), QStringList{u"&Clear"_s});
    }

    // A sheet file dropped on the window opens as a recent one does; other files are not taken.
    void dropASheetFile()
    {
        QVERIFY(writeAll(file(u"dropped.orvanta"_s),
                         R"({"format": "orvanta-sheet", "version": 1, "headline": "Dropped"})"));
        QMimeData data;
        for (const QString& name : {u"notes.txt"_s, u"dropped.orvanta"_s}) {
            data.setUrls({QUrl::fromLocalFile(file(name))});
            QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, {});
            enter.ignore();
            QApplication::sendEvent(m_window.get(), &enter);
            QCOMPARE(enter.isAccepted(), name.endsWith(u".orvanta"_s));
        }
        QDropEvent drop({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(m_window.get(), &drop);
        QTRY_COMPARE(edit("txtHeaderTitle")->text(), u"Dropped"_s);
        QCOMPARE(m_window->statusBar()->currentMessage(), u"Opened "_s + file(u"dropped.orvanta"_s));
    }

    void recoveryAfterAKill_data()
    {
        QTest::addColumn<bool>("restore");
        QTest::newRow("restored") << true;
        QTest::newRow("declined") << false;
    }

    // A real app process with unsaved work is killed; the next start offers the work back, once.
    void recoveryAfterAKill()
    {
        QFETCH(bool, restore);
        const QDir folder(Recovery::defaultFolder());
        QVERIFY(QDir(folder).removeRecursively());
        QProcess app;
        app.start(QCoreApplication::applicationFilePath(), {u"--child"_s, m_installation->folder()});
        QTRY_VERIFY_WITH_TIMEOUT(!folder.entryList({u"*.orvanta"_s}).isEmpty(),
                                 30000); // a sanitized app on a busy machine starts slowly
        const QString copy = folder.filePath(folder.entryList({u"*.orvanta"_s}).constFirst());
        QTRY_VERIFY(readAll(copy).contains("Unsaved work"));
        // A live window's copy is not another's to offer; an unreadable one goes, a newer version's stays.
        const QByteArray sheet = "{\"sheet\": {\"format\": \"orvanta-sheet\", \"version\": ";
        QVERIFY(writeAll(folder.filePath(u"broken.orvanta"_s), sheet + "1, \"headline\": 5}}"));
        QVERIFY(writeAll(folder.filePath(u"newer.orvanta"_s), sheet + "4}}"));
        m_window->document().offerRecovery();
        QVERIFY(m_interaction.shown.isEmpty());

        ::kill(pid_t(app.processId()), SIGKILL);
        QVERIFY(app.waitForFinished());
        m_interaction.answer(restore);
        m_window->document().offerRecovery();
        QVERIFY2(m_interaction.last().startsWith(u"confirm|Restore Unsaved Sheet|Orvanta did not close properly, and "
                                                 "changes to a new sheet were not saved."_s),
                 qPrintable(m_interaction.last()));
        QCOMPARE(edit("txtHeaderTitle")->text(), restore ? u"Unsaved work"_s : QString());
        QCOMPARE(m_window->document().isModified(), restore);
        QVERIFY(!QFileInfo::exists(copy));
        m_window->document().offerRecovery(); // nothing left to offer
        QCOMPARE(m_interaction.shown.size(), 1);
        if (restore)
            m_interaction.answer(Choice::Discard);
        m_window->close();
        QCOMPARE(folder.entryList(QDir::Files), QStringList{u"newer.orvanta"_s});
    }

private:
    QString file(const QString& name) const { return m_files.filePath(name); }
    QStringList recentMenu() const
    {
        auto* menu = child<QMenu>(m_window.get(), "menuRecent");
        QMetaObject::invokeMethod(menu, "aboutToShow");
        QStringList texts;
        for (const QAction* action : menu->actions())
            texts << action->text();
        return texts;
    }

    QTemporaryDir m_files;
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0) {
        // The child of the recovery test: a window with unsaved work, until it is killed.
        ScriptedInteraction interaction;
        MainWindow window(QString::fromLocal8Bit(argv[2]), interaction);
        window.show();
        QTest::keyClicks(child<QLineEdit>(&window, "txtHeaderTitle"), u"Unsaved work"_s);
        return QApplication::exec();
    }
    TestSheets test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sheets.moc"
