// Sheets in the window: saving and opening, the question before unsaved work is dropped, the recent files,
// and the recovery of unsaved work after the app was killed.
#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "core/SheetFile.h"
#include "core/TextFile.h"
#include "gui/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QTest>
#include <csignal>

using namespace orvanta;
using Choice = Interaction::SaveChoice;

Q_DECLARE_METATYPE(orvanta::Interaction::SaveChoice)

namespace {

// The child process of the recovery test: a window with unsaved work, until it is killed.
int runChild(char* argv[])
{
    int argc = 1;
    QApplication app(argc, argv);
    ScriptedInteraction interaction;
    MainWindow window(QString::fromLocal8Bit(argv[2]), interaction, nullptr, QString::fromLocal8Bit(argv[3]));
    window.show();
    QTest::keyClicks(child<QLineEdit>(&window, "txtHeaderTitle"), QStringLiteral("Unsaved work"));
    return QApplication::exec();
}

} // namespace

class TestSheets : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void saveAndOpen();
    void unsavedWorkIsAskedFor_data();
    void unsavedWorkIsAskedFor();
    void recentFiles();
    void recoveryAfterAKill_data();
    void recoveryAfterAKill();

private:
    QLineEdit* edit(const char* name) const { return child<QLineEdit>(m_window.get(), name); }
    QString file(const char* name) const { return m_files.filePath(QString::fromUtf8(name)); }
    void makeWindow()
    {
        m_window = std::make_unique<MainWindow>(m_installation->folder(), m_interaction, nullptr, m_recovery.path());
        m_window->show();
    }
    QStringList recentMenu() const
    {
        auto* menu = child<QMenu>(m_window.get(), "menuRecent");
        QMetaObject::invokeMethod(menu, "aboutToShow");
        QStringList texts;
        for (const QAction* action : menu->actions())
            texts << action->text();
        return texts;
    }

    std::unique_ptr<TestInstallation> m_installation;
    QTemporaryDir m_files;
    QTemporaryDir m_recovery;
    ScriptedInteraction m_interaction;
    std::unique_ptr<MainWindow> m_window;
};

void TestSheets::initTestCase()
{
    isolateUserFolders();
}

void TestSheets::init()
{
    m_installation = std::make_unique<TestInstallation>();
    QVERIFY(m_installation->isValid());
    m_interaction = ScriptedInteraction();
    m_window.reset();
    m_window = nullptr;
    makeWindow();
    m_window->document().clearRecentFiles();
}

void TestSheets::cleanup()
{
    m_window.reset();
    QVERIFY2(!m_interaction.answersLeft(), "a scripted answer was not used");
}

// Every field goes into the file and comes back; the title names the file and marks unsaved changes, and
// typing a change away clears the mark.
void TestSheets::saveAndOpen()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Orvanta 2.2  "));
    edit("txtHeaderTitle")->setText(QStringLiteral("Speed — 速度 🚀 <b>"));
    edit("txtBelowResource")->setText(QStringLiteral("a\nb"));
    m_window->resources().append({{QStringLiteral("Part A---Part B"), QStringLiteral("https://x.test")}});
    m_interaction.chooseFile(file("speed"));
    QVERIFY(m_window->document().saveAs());
    QCOMPARE(m_interaction.last(), QStringLiteral("file|Save Sheet As|") + QDir::homePath() +
                                       QStringLiteral("/Speed — 速度 🚀 <b>.orvanta"));
    const Sheet saved = m_window->sheet();
    QCOMPARE(m_window->windowTitle(), QStringLiteral("speed[*] - Orvanta"));
    QVERIFY(!m_window->isWindowModified());
    Sheet onDisk;
    QVERIFY(LoadSheet(file("speed.orvanta"), onDisk).ok());
    QCOMPARE(onDisk == saved, true);

    edit("txtPDFFilename")->setText(QStringLiteral("speed tips"));
    QVERIFY(m_window->isWindowModified());
    edit("txtPDFFilename")->clear();
    QVERIFY(!m_window->isWindowModified());

    m_window->document().newSheet();
    QVERIFY(m_window->sheet() == Sheet{});
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Orvanta 2.2  "));
    QVERIFY(m_window->document().openFile(file("speed.orvanta")));
    QVERIFY(m_window->sheet() == saved);

    // A file that is not a sheet is refused, and the open sheet stays as it was.
    QVERIFY(writeAll(file("broken.orvanta"), "{\"format\": \"orvanta-sheet\", \"version\": 1, \"headline\": 3}"));
    m_interaction.chooseFile(file("broken.orvanta"));
    m_window->document().open();
    QVERIFY(m_interaction.last().startsWith(QStringLiteral("warn|Open Sheet|Could not open ") + file("broken")));
    QVERIFY(m_window->sheet() == saved);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("speed[*] - Orvanta"));
}

void TestSheets::unsavedWorkIsAskedFor_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<Choice>("choice");
    for (const char* command : {"close", "new", "open", "recent"}) {
        QTest::addRow("%s, save", command) << QString::fromLatin1(command) << Choice::Save;
        QTest::addRow("%s, discard", command) << QString::fromLatin1(command) << Choice::Discard;
        QTest::addRow("%s, cancel", command) << QString::fromLatin1(command) << Choice::Cancel;
    }
}

void TestSheets::unsavedWorkIsAskedFor()
{
    QFETCH(QString, command);
    QFETCH(Choice, choice);
    Sheet other;
    other.headline = QStringLiteral("Other");
    QVERIFY(SaveSheet(file("other.orvanta"), other).ok());
    m_interaction.chooseFile(file("mine.orvanta"));
    QVERIFY(m_window->document().saveAs());
    m_interaction.shown.clear();
    const QByteArray before = readAll(file("mine.orvanta"));
    edit("txtHeaderTitle")->setText(QStringLiteral("changed"));

    m_interaction.answer(choice);
    if (command == u"close") {
        m_window->close();
    } else if (command == u"new") {
        m_window->document().newSheet();
    } else if (command == u"open") {
        if (choice != Choice::Cancel)
            m_interaction.chooseFile(file("other.orvanta"));
        m_window->document().open();
    } else {
        m_window->document().openRecent(file("other.orvanta"));
    }
    QCOMPARE(m_interaction.shown.first().text, QStringLiteral("Save changes to mine?"));
    QCOMPARE(m_interaction.shown.first().kind, QStringLiteral("save?"));
    const bool went = choice != Choice::Cancel;
    Sheet mine;
    QVERIFY(LoadSheet(file("mine.orvanta"), mine).ok());
    QCOMPARE(mine.headline, choice == Choice::Save ? QStringLiteral("changed") : QString());
    QVERIFY(choice == Choice::Save || readAll(file("mine.orvanta")) == before);
    if (command == u"close") {
        QCOMPARE(m_window->isVisible(), !went);
    } else {
        const QString expected = !went ? QStringLiteral("changed") : command == u"new" ? QString() : other.headline;
        QCOMPARE(edit("txtHeaderTitle")->text(), expected);
        QCOMPARE(m_window->isWindowModified(), !went);
    }
}

// Newest first and at most eight; a file gone missing is reported and dropped; Clear empties the list.
void TestSheets::recentFiles()
{
    for (int i = 0; i < 9; ++i) {
        m_interaction.chooseFile(file("sheet") + QString::number(i));
        QVERIFY(m_window->document().saveAs());
    }
    QStringList expected;
    for (int i = 8; i > 0; --i)
        expected << file("sheet") + QString::number(i) + QStringLiteral(".orvanta");
    QCOMPARE(recentMenu().mid(0, 8), expected);
    QVERIFY(QFile::remove(expected.at(1)));
    child<QMenu>(m_window.get(), "menuRecent")->actions().at(1)->trigger();
    QVERIFY(m_interaction.last().startsWith(QStringLiteral("warn|Open Sheet|Could not open ") + expected.at(1)));
    QCOMPARE(recentMenu().size(), 7 + 2); // the files, a separator, Clear
    QVERIFY(!recentMenu().contains(expected.at(1)));
    child<QMenu>(m_window.get(), "menuRecent")->actions().constLast()->trigger();
    QCOMPARE(recentMenu(), QStringList{QStringLiteral("&Clear")});
}

void TestSheets::recoveryAfterAKill_data()
{
    QTest::addColumn<bool>("restore");
    QTest::newRow("restored") << true;
    QTest::newRow("declined") << false;
}

// A real app process with unsaved work is killed; the next start offers the work back, once.
void TestSheets::recoveryAfterAKill()
{
    QFETCH(bool, restore);
    QProcess app;
    app.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--child"), m_installation->folder(), m_recovery.path()});
    QVERIFY(app.waitForStarted());
    const QDir folder(m_recovery.path());
    QTRY_VERIFY_WITH_TIMEOUT(!folder.entryList({QStringLiteral("*.orvanta")}).isEmpty(), 10000);
    const QString copy = folder.filePath(folder.entryList({QStringLiteral("*.orvanta")}).constFirst());
    QTRY_VERIFY(readAll(copy).contains("Unsaved work"));
    // While that window lives, its work is not another window's to offer.
    m_window->document().offerRecovery();
    QVERIFY(m_interaction.shown.isEmpty());

    ::kill(pid_t(app.processId()), SIGKILL);
    QVERIFY(app.waitForFinished());
    m_interaction.answer(restore);
    m_window->document().offerRecovery();
    QVERIFY2(m_interaction.last().startsWith(QStringLiteral("confirm|Restore Unsaved Sheet|")) &&
                 m_interaction.last().contains(QStringLiteral("changes to a new sheet were not saved")),
             qPrintable(m_interaction.last()));
    QCOMPARE(edit("txtHeaderTitle")->text(), restore ? QStringLiteral("Unsaved work") : QString());
    QCOMPARE(m_window->document().isModified(), restore);
    QVERIFY(!QFileInfo::exists(copy));
    // Offered once: asked again, nothing is left to offer.
    m_window->document().offerRecovery();
    QCOMPARE(m_interaction.shown.size(), 1);
    if (restore)
        m_interaction.answer(Choice::Discard);
    m_window->close();
    QCOMPARE(folder.entryList(QDir::Files), QStringList());
}

int main(int argc, char* argv[])
{
    if (argc == 4 && qstrcmp(argv[1], "--child") == 0)
        return runChild(argv);
    QApplication app(argc, argv);
    TestSheets test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sheets.moc"
