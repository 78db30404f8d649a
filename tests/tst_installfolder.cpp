// An installation folder the app cannot write into: said once at start-up, and again by every command
// that would write there, with nothing changed.
#include "ScriptedInteraction.h"
#include "TestSupport.h"
#include "app/MainWindow.h"
#include "app/NavButton.h"
#include "terms/TermsDialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace orvanta;

class TestInstallFolder : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void unwritableFolderIsReported_data();
    void unwritableFolderIsReported();
    void writableFolderSaysNothing();
};

void TestInstallFolder::unwritableFolderIsReported_data()
{
    QTest::addColumn<QString>("unwritable");
    QTest::newRow("bin") << QStringLiteral("/bin");
    QTest::newRow("resources") << QStringLiteral("/resources");
}

// Permissions do not stop root, so the folder is swapped for a link to a folder of /proc, where nobody can
// make a file: what the app meets on a read-only file system.
void TestInstallFolder::unwritableFolderIsReported()
{
    QFETCH(QString, unwritable);
    TestInstallation installation;
    QVERIFY(installation.isValid());
    const QString folder = installation.path(unwritable);
    const QString moved = installation.path(QStringLiteral("/moved"));
    QVERIFY(QDir().rename(folder, moved));
    QVERIFY(QFile::link(QStringLiteral("/proc/self"), folder));
    const QByteArray termsBefore = readAll(installation.path(QStringLiteral("/resources/tos.txt")));

    ScriptedInteraction interaction;
    MainWindow window(installation.folder(), interaction);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_COMPARE(interaction.shown.size(), 1);
    QCOMPARE(interaction.last().kind, QStringLiteral("warn"));
    QCOMPARE(interaction.last().title, QStringLiteral("Folder Not Writable"));
    QVERIFY(interaction.last().text.contains(installation.folder()));

    // Switching pages does not say it again; pressing Create does, and writes nothing.
    QTest::mouseClick(window.findChild<NavButton*>(QStringLiteral("pageButton2")), Qt::LeftButton);
    QCOMPARE(interaction.shown.size(), 1);
    window.resources().append({QStringLiteral("a"), QStringLiteral("https://a.test")});
    window.findChild<QLineEdit*>(QStringLiteral("txtHeaderTitle"))->setText(QStringLiteral("Head"));
    window.findChild<QLineEdit*>(QStringLiteral("txtPDFFilename"))->setText(QStringLiteral("my sheet"));
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdCreate")), Qt::LeftButton);
    QCOMPARE(interaction.shown.size(), 2);
    QCOMPARE(interaction.last().title, QStringLiteral("Folder Not Writable"));
    QVERIFY(!window.isBuilding());
    QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("txtPDFFilename"))->text(), QStringLiteral("my sheet"));

    if (unwritable == u"/bin") {
        // The disclaimer editor refuses to save for the same reason.
        TermsDialog terms(installation.folder(), interaction, &window);
        QVERIFY(terms.loaded());
        terms.findChild<QPlainTextEdit*>(QStringLiteral("txtTOS"))->setPlainText(QStringLiteral("changed"));
        QTest::mouseClick(terms.findChild<QPushButton*>(QStringLiteral("cmdSave")), Qt::LeftButton);
        QCOMPARE(interaction.last().title, QStringLiteral("Folder Not Writable"));
        QCOMPARE(readAll(installation.path(QStringLiteral("/resources/tos.txt"))), termsBefore);
    }
    QFile::remove(folder);
    QVERIFY(QDir().rename(moved, folder));
    QVERIFY(QDir(installation.path(QStringLiteral("/bin")))
                .entryList({QStringLiteral("*.html")})
                .contains(QStringLiteral("template.html")));
    QVERIFY(!QFileInfo::exists(installation.path(QStringLiteral("/bin/my-sheet.html"))));
}

void TestInstallFolder::writableFolderSaysNothing()
{
    TestInstallation installation;
    QVERIFY(installation.isValid());
    ScriptedInteraction interaction;
    MainWindow window(installation.folder(), interaction);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCoreApplication::processEvents();
    QVERIFY(interaction.shown.isEmpty());
    // The write test leaves nothing behind.
    QCOMPARE(QDir(installation.path(QStringLiteral("/bin")))
                 .entryList(QDir::Hidden | QDir::Files)
                 .filter(QStringLiteral(".write-test")),
             QStringList());
}

QTEST_MAIN(TestInstallFolder)
#include "tst_installfolder.moc"
