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
    QVERIFY(QFileInfo(m_folder + u"/orvanta"_s).isExecutable());
}

void TestInstalled::installedProgramStarts()
{
    const QString output = m_folder + u"/bin/output"_s;
    QDir(output).removeRecursively();
    QProcess app;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    app.setProcessEnvironment(environment);
    app.start(m_folder + u"/orvanta"_s, {});
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
    window.resources().append({{u"Installed Link"_s, u"https://example.com/installed"_s}});
    window.findChild<QLineEdit*>(u"txtHeaderTitle"_s)->setText(u"Installed Sheet"_s);
    window.findChild<QLineEdit*>(u"txtPDFFilename"_s)->setText(u"installed"_s);
    interaction.answer(false);
    QVERIFY2(pressCreateAndWait(window), qPrintable(interaction.last()));
    const QString pdf = m_folder + u"/bin/output/installed.pdf"_s;
    QVERIFY(pdfText(pdf).contains(u"Installed Sheet"_s));
    QCOMPARE(pdfLinks(pdf), QStringList{u"https://example.com/installed"_s});
}

QTEST_MAIN(TestInstalled)
#include "tst_installed.moc"
