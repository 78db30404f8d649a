// Run by install_check.sh against a freshly installed folder: the installed program starts from its own
// folder, and a PDF made from that folder's templates comes out right.
#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "gui/MainWindow.h"

#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

using namespace orvanta;

class TestInstalled : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void installedProgramStarts();
    void installedFolderMakesAPdf();

private:
    QString m_folder;
};

void TestInstalled::initTestCase()
{
    m_folder = qEnvironmentVariable("ORVANTA_INSTALLED_FOLDER");
    if (m_folder.isEmpty())
        QSKIP("run through install_check.sh");
    QVERIFY(QFileInfo(m_folder + QStringLiteral("/orvanta")).isExecutable());
}

void TestInstalled::installedProgramStarts()
{
    const QString output = m_folder + QStringLiteral("/bin/output");
    QDir(output).removeRecursively();
    QProcess app;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    app.setProcessEnvironment(environment);
    app.start(m_folder + QStringLiteral("/orvanta"), {});
    QVERIFY(app.waitForStarted());
    // Start-up makes the output folder inside the program's own folder.
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(output).isDir(), 20000);
    QCOMPARE(app.state(), QProcess::Running);
    app.terminate();
    QVERIFY(app.waitForFinished(10000));
}

void TestInstalled::installedFolderMakesAPdf()
{
    ScriptedInteraction interaction;
    MainWindow window(m_folder, interaction);
    window.show();
    window.resources().append({{QStringLiteral("Installed Link"), QStringLiteral("https://example.com/installed")}});
    window.findChild<QLineEdit*>(QStringLiteral("txtHeaderTitle"))->setText(QStringLiteral("Installed Sheet"));
    window.findChild<QLineEdit*>(QStringLiteral("txtPDFFilename"))->setText(QStringLiteral("installed"));
    interaction.answer(false);
    QVERIFY2(pressCreateAndWait(window), qPrintable(interaction.last()));
    const QString pdf = m_folder + QStringLiteral("/bin/output/installed.pdf");
    QVERIFY(pdfText(pdf).contains(QStringLiteral("Installed Sheet")));
    QCOMPARE(pdfLinks(pdf), QStringList{QStringLiteral("https://example.com/installed")});
}

QTEST_MAIN(TestInstalled)
#include "tst_installed.moc"
