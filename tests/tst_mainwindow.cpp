#include "ScriptedInteraction.h"
#include "TestSupport.h"
#include "app/MainWindow.h"
#include "app/NavButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

using namespace orvanta;
using namespace std::chrono_literals;

// The tab order of the content page, mnemonics and accessible names are in tst_accessibility; the
// unwritable installation folder in tst_installfolder; the converter's verdicts in tst_conversion.
class TestMainWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void startupAndNavigation();
    void startupOutputFolder_data();
    void startupOutputFolder();
    void addResource_data();
    void addResource();
    void enterInUrlBoxAdds();
    void removeResources();
    void createRefusals_data();
    void createRefusals();
    void createWritesPageAndAsks();
    void busyWhileConverting();
    void failedConversionIsReported();
    void outputFolderButton();
    void closingWhileConvertingStopsTheConverter();

private:
    template <typename T> T* child(const char* name) const
    {
        T* widget = m_window->findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    QLineEdit* edit(const char* name) const { return child<QLineEdit>(name); }
    void click(const char* name) const { QTest::mouseClick(child<QWidget>(name), Qt::LeftButton); }
    QString path(const char* relative) const { return m_installation->path(QString::fromUtf8(relative)); }
    QStringList bins() const { return QDir(path("/bin")).entryList(QDir::Files); }
    bool create() { return pressCreateAndWait(*m_window, 20000); }
    void makeWindow()
    {
        m_window = std::make_unique<MainWindow>(m_installation->folder(), m_interaction);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void addResource(const QString& text, const QString& url)
    {
        edit("txtCTAText")->setText(text);
        edit("txtCTAURL")->setText(url);
        click("cmdAddResource");
    }
    // Adds a resource "a", then fills in the headline and, on the create page, the file name.
    void readyToCreate(const QString& name, const QString& headline = QStringLiteral("Head"))
    {
        addResource(QStringLiteral("a"), QStringLiteral("https://a.test"));
        edit("txtHeaderTitle")->setText(headline);
        click("pageButton2");
        edit("txtPDFFilename")->setText(name);
    }
    // Which pages show and which page buttons carry the StateFlag: "shows 10, flags 01" on the content page.
    QString pageState() const
    {
        return QStringLiteral("shows %1%2, flags %3%4")
            .arg(int(child<QGroupBox>("frPage1")->isVisible()))
            .arg(int(child<QGroupBox>("frPage2")->isVisible()))
            .arg(int(child<NavButton>("pageButton1")->stateFlag()))
            .arg(int(child<NavButton>("pageButton2")->stateFlag()));
    }
    // The last message shown, as "kind|title|text".
    QString lastShown() const
    {
        const ScriptedInteraction::Shown& shown = m_interaction.last();
        return shown.kind + u'|' + shown.title + u'|' + shown.text;
    }
    bool warned(const QString& title, const QString& part) const
    {
        return lastShown().startsWith(QStringLiteral("warn|") + title + u'|') && lastShown().contains(part);
    }

    std::unique_ptr<TestInstallation> m_installation;
    ScriptedInteraction m_interaction;
    std::unique_ptr<MainWindow> m_window;
};

void TestMainWindow::init()
{
    m_installation = std::make_unique<TestInstallation>();
    QVERIFY(m_installation->isValid());
    m_installation->installConverter(pdfWritingScript());
    m_interaction.reset();
    m_interaction.setFolderOpens(true);
    makeWindow();
}

void TestMainWindow::cleanup()
{
    m_window.reset();
    QVERIFY2(!m_interaction.answersLeft(), "a scripted answer was not used");
    m_installation.reset();
}

void TestMainWindow::startupAndNavigation()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Orvanta 2.2  "));
    QCOMPARE(child<QLabel>("lblAppName")->text(), QStringLiteral("Orvanta"));
    QCOMPARE(child<QLabel>("lblBy")->text(), QStringLiteral(" "));
    QCOMPARE(pageState(), QStringLiteral("shows 10, flags 01"));
    QVERIFY(!child<QLabel>("lblPleaseWait")->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), edit("txtHeaderTitle"));
    QCOMPARE(edit("txtFooterTitle")->text(), QStringLiteral("OurWebsite.com"));
    QCOMPARE(edit("txtCTAURL")->text(), QStringLiteral("http://"));
    QCOMPARE(edit("txtBelowResource")->text(), QStringLiteral("CTRL + Click: Opens the Link in a New Tab."));
    QCOMPARE(m_window->workFolder(), path("/bin/output"));
    click("pageButton2");
    QCOMPARE(pageState(), QStringLiteral("shows 01, flags 10"));
    auto* contentButton = child<NavButton>("pageButton1");
    contentButton->setFocus();
    QTest::keyClick(contentButton, Qt::Key_Space);
    QCOMPARE(pageState(), QStringLiteral("shows 10, flags 01"));
    QTRY_COMPARE(QApplication::focusWidget(), edit("txtHeaderTitle"));

    // The current page's button again: same page, focus back to the headline.
    edit("txtFooterTitle")->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), edit("txtFooterTitle"));
    click("pageButton1");
    QCOMPARE(pageState(), QStringLiteral("shows 10, flags 01"));
    QTRY_COMPARE(QApplication::focusWidget(), edit("txtHeaderTitle"));
}

void TestMainWindow::startupOutputFolder_data()
{
    QTest::addColumn<bool>("outputThere");
    QTest::addColumn<bool>("binThere");
    QTest::newRow("present") << true << true;
    QTest::newRow("missing, bin present") << false << true;
    QTest::newRow("no bin") << false << false;
}

void TestMainWindow::startupOutputFolder()
{
    QFETCH(bool, outputThere);
    QFETCH(bool, binThere);
    m_window.reset();
    const QString output = path("/bin/output");
    QDir(output).removeRecursively();
    if (outputThere)
        QVERIFY(QDir().mkpath(output) && writeAll(output + QStringLiteral("/earlier.pdf"), "kept"));
    if (!binThere)
        QVERIFY(QDir(path("/bin")).removeRecursively());
    makeWindow();
    QCOMPARE(QFileInfo(output).isDir(), binThere);
    QCOMPARE(QFileInfo::exists(path("/bin")), binThere); // only the last level is made
    QCOMPARE(readAll(output + QStringLiteral("/earlier.pdf")), outputThere ? QByteArray("kept") : QByteArray());
    QVERIFY(m_interaction.shown.isEmpty());
}

void TestMainWindow::addResource_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("both filled") << QStringLiteral("Guide") << QStringLiteral("https://x.test/a") << true;
    QTest::newRow("spaces and the bare scheme") << QStringLiteral("   ") << QStringLiteral("http://") << true;
    QTest::newRow("no text") << QString() << QStringLiteral("https://x.test") << false;
    QTest::newRow("no url") << QStringLiteral("Guide") << QString() << false;
}

void TestMainWindow::addResource()
{
    QFETCH(QString, text);
    QFETCH(QString, url);
    QFETCH(bool, accepted);
    addResource(QStringLiteral("first"), QStringLiteral("https://first.test"));
    addResource(text, url);
    const QStringList fields{edit("txtCTAText")->text(), edit("txtCTAURL")->text()};
    QCOMPARE(m_interaction.shown.size(), accepted ? 0 : 1);
    QCOMPARE(m_window->resources().count(), accepted ? 2 : 1);
    if (accepted) {
        QCOMPARE(m_window->resources().at(1), (ResourceEntry{text, url}));
        QCOMPARE(fields, (QStringList{QString(), QStringLiteral("http://")}));
        QTRY_COMPARE(QApplication::focusWidget(), edit("txtCTAText"));
    } else {
        QCOMPARE(lastShown(), QStringLiteral("inform|Missing Info|Please complete all the fields."));
        QCOMPARE(fields, (QStringList{text, url}));
    }
}

void TestMainWindow::enterInUrlBoxAdds()
{
    edit("txtCTAText")->setText(QStringLiteral("One"));
    QTest::keyClick(edit("txtCTAText"), Qt::Key_Return);
    QCOMPARE(m_window->resources().count(), 0);
    edit("txtCTAURL")->setText(QStringLiteral("https://one.test"));
    QTest::keyClick(edit("txtCTAURL"), Qt::Key_Return);
    edit("txtCTAText")->setText(QStringLiteral("Two"));
    QTest::keyClick(edit("txtCTAURL"), Qt::Key_Enter, Qt::ShiftModifier);
    QCOMPARE(m_window->resources().entries(),
             (ResourceEntries{{QStringLiteral("One"), QStringLiteral("https://one.test")},
                              {QStringLiteral("Two"), QStringLiteral("http://")}}));
}

void TestMainWindow::removeResources()
{
    // On an empty list: say so, before asking for a selection or a confirmation.
    click("cmdRemoveItem");
    QCOMPARE(lastShown(), QStringLiteral("inform|Invalid Operation|Please add a resource first."));
    click("Command2");
    QCOMPARE(lastShown(), QStringLiteral("inform|Invalid Action|Ooops, there are no resources to remove."));

    for (const char* name : {"a", "b", "c", "b"})
        addResource(QString::fromLatin1(name), QStringLiteral("https://x.test/") + QString::fromLatin1(name));
    click("cmdRemoveItem");
    QCOMPARE(lastShown(), QStringLiteral("inform|Invalid Operation|Please select a resource first."));
    auto* list = child<QListView>("lstResources");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
    click("cmdRemoveItem");
    QStringList texts;
    for (const ResourceEntry& entry : m_window->resources().entries())
        texts << entry.linkText;
    QCOMPARE(texts, (QStringList{QStringLiteral("a"), QStringLiteral("c"), QStringLiteral("b")}));
    QVERIFY(list->selectionModel()->selectedIndexes().isEmpty());
    QCOMPARE(m_interaction.shown.size(), 3);

    m_interaction.answer(false);
    click("Command2");
    QCOMPARE(lastShown(), QStringLiteral("confirm|Confirm|Confirm Action?"));
    QCOMPARE(m_window->resources().count(), 3);
    m_interaction.answer(true);
    click("Command2");
    QCOMPARE(m_window->resources().count(), 0);
}

void TestMainWindow::createRefusals_data()
{
    QTest::addColumn<QString>("broken"); // what the test breaks first
    QTest::addColumn<QString>("headline");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown"); // how lastShown() begins
    QTest::addColumn<QString>("mentions");
    const auto row = [](const char* tag, const QByteArray& broken, const QByteArray& headline, const QByteArray& name,
                        const QByteArray& shown, const QByteArray& mentions = {}) {
        QTest::newRow(tag) << QString::fromUtf8(broken) << QString::fromUtf8(headline) << QString::fromUtf8(name)
                           << QString::fromUtf8(shown) << QString::fromUtf8(mentions);
    };
    const QByteArray missing = "inform|Missing Info|Please ";
    row("no resources", "resources", "", "", missing + "add some resources first.");
    row("no headline, no name", "", "", "", missing + "enter a headline first.");
    row("blank headline, no name", "", " ", "", missing + "enter a name for your pdf file first.");
    row("slash in name", "", "Head", "../escape", "inform|Invalid File Name|");
    row("dot dot", "", "Head", "..", "inform|Invalid File Name|");
    row("name too long", "", "Head", QByteArray(300, 'n'), "inform|Invalid File Name|");
    // Reported before anything changes: no file written, the file name as typed.
    row("unreadable template", "template", "Head", "a name", "warn|Cannot Create|", "/bin/template.html");
    row("missing converter", "converter", "Head", "a name", "warn|Cannot Create|", "sudo apt install wkhtmltopdf");
    row("unwritable page", "page", "Head", "a name", "warn|Cannot Create|", "/bin/a-name.html");
}

void TestMainWindow::createRefusals()
{
    QFETCH(QString, broken);
    QFETCH(QString, headline);
    QFETCH(QString, name);
    QFETCH(QString, shown);
    QFETCH(QString, mentions);
    const QByteArray savedPath = qgetenv("PATH");
    const auto restorePath = qScopeGuard([&savedPath] { qputenv("PATH", savedPath); });
    QTemporaryDir emptyFolder;
    if (broken == u"template") {
        QVERIFY(QFile::remove(path("/bin/template.html")));
    } else if (broken == u"converter") {
        QVERIFY(QFile::remove(path("/bin/wkhtmltopdf")));
        qputenv("PATH", emptyFolder.path().toLocal8Bit());
    } else if (broken == u"page") {
        QVERIFY(QDir().mkpath(path("/bin/a-name.html"))); // a folder where the page goes
    }
    readyToCreate(name, headline);
    if (broken == u"resources")
        m_window->resources().clear();
    const QStringList before = bins();
    QVERIFY(!create());
    QCOMPARE(m_interaction.shown.size(), 1);
    QVERIFY2(lastShown().startsWith(shown) && lastShown().contains(mentions), qPrintable(lastShown()));
    QCOMPARE(edit("txtPDFFilename")->text(), name);
    QCOMPARE(bins(), before);
    QVERIFY(QDir(path("/bin/output")).isEmpty());
    QVERIFY(child<QPushButton>("cmdCreate")->isEnabled());
}

void TestMainWindow::createWritesPageAndAsks()
{
    QVERIFY(QDir(path("/bin/output")).removeRecursively()); // deleted after start-up: made again
    addResource(QStringLiteral("First"), QStringLiteral("https://first.test"));
    readyToCreate(QStringLiteral("my cheat sheet \"q\" $HOME; ü"), QStringLiteral("Head & <b>line</b>"));
    m_interaction.answer(true);
    QVERIFY(create());

    const QString hyphenated = QStringLiteral("my-cheat-sheet-\"q\"-$HOME;-ü");
    QCOMPARE(edit("txtPDFFilename")->text(), hyphenated);
    QVERIFY(readAll(path("/bin/") + hyphenated + QStringLiteral(".html")).contains("Head & <b>line</b>"));
    QVERIFY(IsCompletePdf(path("/bin/output/") + hyphenated + QStringLiteral(".pdf")));
    QCOMPARE(lastShown(), QStringLiteral("confirm|Done|Ready. Do you want to open the output folder?"));
    QCOMPARE(m_interaction.openedFolders, QStringList{path("/bin/output")});
    QCOMPARE(child<QListView>("lstResources")->currentIndex().row(), 1);

    // Again, after the templates changed and under the name "template": the templates are read afresh, the page
    // template is not overwritten, and answering No opens nothing.
    const QByteArray changed = "NEW #HEADLINE# #REPEATER# #TOS##CLOSE#";
    QVERIFY(writeAll(path("/bin/template.html"), changed));
    QVERIFY(writeAll(path("/bin/repeater.txt"), "[#CTATEXT#|#CTAURL#]"));
    QVERIFY(writeAll(path("/resources/tos.txt"), "fresh terms"));
    QVERIFY(writeAll(path("/bin/etemplate.html"), "earlier"));
    child<QCheckBox>("chkDisclaimer")->setChecked(true);
    edit("txtPDFFilename")->setText(QStringLiteral("template"));
    m_interaction.answer(false);
    QVERIFY(create());
    QCOMPARE(readAll(path("/bin/template.html")), changed);
    QVERIFY(readAll(path("/bin/etemplate.html"))
                .startsWith("NEW Head & <b>line</b> [First|https://first.test]<br><br>[a|https://a.test]<br><br>"
                            " fresh terms<script"));
    QVERIFY(QFileInfo::exists(path("/bin/output/template.pdf")));
    QCOMPARE(m_interaction.openedFolders.size(), 1);
}

void TestMainWindow::busyWhileConverting()
{
    // The converter waits for the gate file, so the build stays busy for as long as the test needs.
    const QString gate = path("/gate");
    m_installation->installConverter(
        pdfWritingScript(QStringLiteral("while [ ! -e '%1' ]; do sleep 0.02; done").arg(gate)));
    readyToCreate(QStringLiteral("busy"));
    QSignalSpy ended(m_window.get(), &MainWindow::buildEnded);
    click("cmdCreate");

    QVERIFY(!child<QPushButton>("cmdCreate")->isEnabled() && !child<QPushButton>("cmdOutput")->isEnabled());
    auto* pleaseWait = child<QLabel>("lblPleaseWait");
    QTRY_VERIFY(pleaseWait->isVisible());
    QTRY_VERIFY(!pleaseWait->isVisible());
    QTRY_VERIFY(pleaseWait->isVisible());

    // Everything else stays live.
    click("pageButton1");
    QCOMPARE(pageState(), QStringLiteral("shows 10, flags 01"));
    QTest::keyClicks(edit("txtHeaderTitle"), QStringLiteral(" edited"));
    QCOMPARE(edit("txtHeaderTitle")->text(), QStringLiteral("Head edited"));
    addResource(QStringLiteral("b"), QStringLiteral("https://b.test"));
    QCOMPARE(m_window->resources().count(), 2);
    QVERIFY(m_interaction.shown.isEmpty());

    m_interaction.answer(false);
    QVERIFY(writeAll(gate, "go"));
    QVERIFY(ended.wait(20000));
    QVERIFY(child<QPushButton>("cmdCreate")->isEnabled() && child<QPushButton>("cmdOutput")->isEnabled());
    QVERIFY(!pleaseWait->isVisible() && !m_window->isBuilding());
    // Edits made while converting do not reach the page already written.
    const QByteArray html = readAll(path("/bin/busy.html"));
    QVERIFY(html.contains("Head") && !html.contains("edited"));
}

void TestMainWindow::failedConversionIsReported()
{
    const QString earlier = path("/bin/output/sheet.pdf");
    QVERIFY(writeAll(earlier, "earlier"));
    m_installation->installConverter(QStringLiteral("#!/bin/sh\necho 'Error: the page could not be read' >&2\n"));
    readyToCreate(QStringLiteral("sheet"));
    QVERIFY(!create());
    QVERIFY2(warned(QStringLiteral("PDF Not Created"), QStringLiteral("Error: the page could not be read")),
             qPrintable(lastShown()));
    QCOMPARE(readAll(earlier), QByteArray("earlier"));
    QVERIFY(child<QPushButton>("cmdCreate")->isEnabled() && !child<QLabel>("lblPleaseWait")->isVisible());

    // A converter that hangs is stopped at the limit.
    m_installation->installConverter(QStringLiteral("#!/bin/sh\nexec sleep 30\n"));
    m_window->setConversionTimeLimit(500ms);
    QVERIFY(!create());
    QVERIFY2(warned(QStringLiteral("PDF Not Created"), QStringLiteral("was still working")), qPrintable(lastShown()));
    QCOMPARE(readAll(earlier), QByteArray("earlier"));
}

// An output folder deleted after start-up is made again before it goes to the file manager; a file manager
// that cannot start is reported with the folder's path.
void TestMainWindow::outputFolderButton()
{
    const QString output = path("/bin/output");
    QVERIFY(QDir(output).removeRecursively());
    m_interaction.setFolderOpens(false);
    click("cmdOutput");
    QCOMPARE(m_interaction.openedFolders, QStringList{output});
    QVERIFY(QFileInfo(output).isDir());
    QVERIFY2(warned(QStringLiteral("Open Output Folder"), output), qPrintable(lastShown()));
}

void TestMainWindow::closingWhileConvertingStopsTheConverter()
{
    const QString pidFile = path("/pid");
    m_installation->installConverter(
        QStringLiteral("#!/bin/sh\nprintf '%%PDF-1.4 partial' > \"$2\"\necho $$ > '%1'\nexec sleep 30\n").arg(pidFile));
    readyToCreate(QStringLiteral("closing"));
    click("cmdCreate");
    QTRY_VERIFY(!readAll(pidFile).isEmpty());
    const QString proc = QStringLiteral("/proc/") + QString::fromLatin1(readAll(pidFile).trimmed());
    QVERIFY(QFileInfo::exists(proc));
    const QDir output(path("/bin/output"));
    QCOMPARE(output.entryList(QDir::Files | QDir::Hidden).size(), 1); // the converter's temporary file

    m_window->close();
    m_window.reset();
    QVERIFY(!QFileInfo::exists(proc));
    QVERIFY(output.entryList(QDir::Files | QDir::Hidden).isEmpty());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
