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
#include <QSignalSpy>
#include <QTest>

using namespace orvanta;
using namespace std::chrono_literals;

namespace {

// Waits until the test creates the gate file, then writes a complete PDF: the build stays busy for exactly
// as long as the test needs.
QString gatedConverter(const QString& gate)
{
    return pdfWritingScript(QStringLiteral("while [ ! -e '%1' ]; do sleep 0.02; done").arg(gate));
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsOnTheContentPage();
    void startupOutputFolder_data();
    void startupOutputFolder();
    void navigation();
    void resourcePanelKeyboardOrder();

    void addResource_data();
    void addResource();
    void enterInUrlBoxAdds();
    void removeSelected();
    void removeAll();

    void createRefusals_data();
    void createRefusals();
    void fileNameRefusals_data();
    void fileNameRefusals();
    void createWritesPageAndAsks();
    void busyWhileConverting();
    void templateNameIsProtected();
    void templatesAreReadAfresh();
    void answeringNoOpensNothing();
    void failedConversionIsReported();
    void missingConverterIsReported();
    void unreadableTemplateIsReported();
    void unwritablePageIsReported();
    void deletedOutputFolderIsMadeAgain();
    void closingWhileConvertingStopsTheConverter();
    void fileManagerThatCannotStart();

private:
    template <typename T> T* child(const char* name) const
    {
        T* widget = m_window->findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    void makeWindow();
    void addResource(const QString& text, const QString& url);
    void fillCreatePage(const QString& headline, const QString& name);
    bool create(); // presses Create and waits for the build to end; false on a failed build
    QStringList bins() const { return QDir(m_installation->path(QStringLiteral("/bin"))).entryList(QDir::Files); }

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
    makeWindow();
}

void TestMainWindow::cleanup()
{
    m_window.reset();
    QVERIFY2(!m_interaction.answersLeft(), "a scripted answer was not used");
    m_installation.reset();
}

void TestMainWindow::makeWindow()
{
    m_window = std::make_unique<MainWindow>(m_installation->folder(), m_interaction);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestMainWindow::addResource(const QString& text, const QString& url)
{
    child<QLineEdit>("txtCTAText")->setText(text);
    child<QLineEdit>("txtCTAURL")->setText(url);
    QTest::mouseClick(child<QPushButton>("cmdAddResource"), Qt::LeftButton);
}

void TestMainWindow::fillCreatePage(const QString& headline, const QString& name)
{
    child<QLineEdit>("txtHeaderTitle")->setText(headline);
    QTest::mouseClick(child<NavButton>("pageButton2"), Qt::LeftButton);
    child<QLineEdit>("txtPDFFilename")->setText(name);
}

bool TestMainWindow::create()
{
    return pressCreateAndWait(*m_window, 20000);
}

void TestMainWindow::startsOnTheContentPage()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Orvanta 2.2  "));
    QCOMPARE(child<QLabel>("lblAppName")->text(), QStringLiteral("Orvanta"));
    QCOMPARE(child<QLabel>("lblBy")->text(), QStringLiteral(" "));
    QVERIFY(child<QGroupBox>("frPage1")->isVisible());
    QVERIFY(!child<QGroupBox>("frPage2")->isVisible());
    QCOMPARE(child<NavButton>("pageButton1")->stateFlag(), false);
    QCOMPARE(child<NavButton>("pageButton2")->stateFlag(), true);
    QVERIFY(!child<QLabel>("lblPleaseWait")->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), child<QLineEdit>("txtHeaderTitle"));
    QCOMPARE(child<QLineEdit>("txtFooterTitle")->text(), QStringLiteral("OurWebsite.com"));
    QCOMPARE(child<QLineEdit>("txtCTAURL")->text(), QStringLiteral("http://"));
    QCOMPARE(child<QLineEdit>("txtBelowResource")->text(),
             QStringLiteral("CTRL + Click: Opens the Link in a New Tab."));
    QCOMPARE(m_window->workFolder(), m_installation->path(QStringLiteral("/bin/output")));
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
    const QString bin = m_installation->path(QStringLiteral("/bin"));
    const QString output = bin + QStringLiteral("/output");
    const QString earlier = output + QStringLiteral("/earlier.pdf");
    QDir(output).removeRecursively();
    if (outputThere) {
        QVERIFY(QDir().mkpath(output));
        QVERIFY(writeAll(earlier, "kept"));
    }
    if (!binThere)
        QVERIFY(QDir(bin).removeRecursively());

    makeWindow();
    QCOMPARE(QFileInfo(output).isDir(), binThere);
    QCOMPARE(QFileInfo::exists(bin), binThere);
    if (outputThere)
        QCOMPARE(readAll(earlier), QByteArray("kept"));
    QVERIFY(m_interaction.shown.isEmpty());
    QVERIFY(child<QGroupBox>("frPage1")->isVisible());
}

void TestMainWindow::navigation()
{
    auto* contentButton = child<NavButton>("pageButton1");
    auto* createButton = child<NavButton>("pageButton2");
    QTest::mouseClick(createButton, Qt::LeftButton);
    QVERIFY(child<QGroupBox>("frPage2")->isVisible());
    QVERIFY(!child<QGroupBox>("frPage1")->isVisible());
    QCOMPARE(contentButton->stateFlag(), true);
    QCOMPARE(createButton->stateFlag(), false);

    // From the keyboard.
    contentButton->setFocus();
    QTest::keyClick(contentButton, Qt::Key_Space);
    QVERIFY(child<QGroupBox>("frPage1")->isVisible());
    QCOMPARE(contentButton->stateFlag(), false);
    QCOMPARE(createButton->stateFlag(), true);
    QTRY_COMPARE(QApplication::focusWidget(), child<QLineEdit>("txtHeaderTitle"));

    // The current page's button again: same page, focus back to the headline.
    child<QLineEdit>("txtFooterTitle")->setFocus();
    QTest::mouseClick(contentButton, Qt::LeftButton);
    QVERIFY(child<QGroupBox>("frPage1")->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), child<QLineEdit>("txtHeaderTitle"));
}

void TestMainWindow::resourcePanelKeyboardOrder()
{
    const char* order[] = {"txtCTAText",
                           "txtCTAURL",
                           "cmdAddResource",
                           "lstResources",
                           "cmdRemoveItem",
                           "Command2",
                           "chkAddResourceInstructions",
                           "txtBelowResource"};
    child<QWidget>(order[0])->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), child<QWidget>(order[0]));
    for (const char* name : order) {
        QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

void TestMainWindow::addResource_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("both filled") << QStringLiteral("Guide") << QStringLiteral("https://x.test/a") << true;
    QTest::newRow("spaces and the bare scheme") << QStringLiteral("   ") << QStringLiteral("http://") << true;
    QTest::newRow("separator inside") << QStringLiteral("a---b") << QStringLiteral("u---v") << true;
    QTest::newRow("no text") << QString() << QStringLiteral("https://x.test") << false;
    QTest::newRow("no url") << QStringLiteral("Guide") << QString() << false;
    QTest::newRow("neither") << QString() << QString() << false;
}

void TestMainWindow::addResource()
{
    QFETCH(QString, text);
    QFETCH(QString, url);
    QFETCH(bool, accepted);
    addResource(QStringLiteral("first"), QStringLiteral("https://first.test"));
    addResource(text, url);
    auto* list = child<QListView>("lstResources");
    if (accepted) {
        QCOMPARE(m_window->resources().count(), 2);
        QCOMPARE(m_window->resources().at(1), (ResourceEntry{text, url}));
        QCOMPARE(list->model()->index(1, 0).data().toString(), text + QStringLiteral("---") + url);
        QCOMPARE(child<QLineEdit>("txtCTAText")->text(), QString());
        QCOMPARE(child<QLineEdit>("txtCTAURL")->text(), QStringLiteral("http://"));
        QTRY_COMPARE(QApplication::focusWidget(), child<QLineEdit>("txtCTAText"));
        QVERIFY(m_interaction.shown.isEmpty());
    } else {
        QCOMPARE(m_window->resources().count(), 1);
        QCOMPARE(m_interaction.shown.size(), 1);
        QCOMPARE(m_interaction.last().title, QStringLiteral("Missing Info"));
        QCOMPARE(m_interaction.last().text, QStringLiteral("Please complete all the fields."));
        QCOMPARE(child<QLineEdit>("txtCTAText")->text(), text);
        QCOMPARE(child<QLineEdit>("txtCTAURL")->text(), url);
    }
}

void TestMainWindow::enterInUrlBoxAdds()
{
    auto* text = child<QLineEdit>("txtCTAText");
    auto* url = child<QLineEdit>("txtCTAURL");
    text->setText(QStringLiteral("One"));
    QTest::keyClick(text, Qt::Key_Return);
    QCOMPARE(m_window->resources().count(), 0);

    url->setText(QStringLiteral("https://one.test"));
    QTest::keyClick(url, Qt::Key_Return);
    text->setText(QStringLiteral("Two"));
    url->setText(QStringLiteral("https://two.test"));
    QTest::keyClick(url, Qt::Key_Enter, Qt::ShiftModifier);
    QCOMPARE(m_window->resources().entries(),
             (ResourceEntries{{QStringLiteral("One"), QStringLiteral("https://one.test")},
                              {QStringLiteral("Two"), QStringLiteral("https://two.test")}}));
}

void TestMainWindow::removeSelected()
{
    auto* remove = child<QPushButton>("cmdRemoveItem");
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(m_interaction.last().text, QStringLiteral("Please add a resource first."));
    QCOMPARE(m_interaction.last().title, QStringLiteral("Invalid Operation"));

    for (const char* name : {"a", "b", "c", "b"})
        addResource(QString::fromLatin1(name), QStringLiteral("https://x.test/") + QString::fromLatin1(name));
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(m_interaction.last().text, QStringLiteral("Please select a resource first."));
    QCOMPARE(m_window->resources().count(), 4);

    auto* list = child<QListView>("lstResources");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
    QTest::mouseClick(remove, Qt::LeftButton);
    QStringList texts;
    for (const ResourceEntry& entry : m_window->resources().entries())
        texts << entry.linkText;
    QCOMPARE(texts, (QStringList{QStringLiteral("a"), QStringLiteral("c"), QStringLiteral("b")}));
    QVERIFY(list->selectionModel()->selectedIndexes().isEmpty());
    QCOMPARE(m_interaction.shown.size(), 2);
}

void TestMainWindow::removeAll()
{
    auto* removeAll = child<QPushButton>("Command2");
    QTest::mouseClick(removeAll, Qt::LeftButton);
    QCOMPARE(m_interaction.shown.size(), 1);
    QCOMPARE(m_interaction.last().kind, QStringLiteral("inform"));
    QCOMPARE(m_interaction.last().title, QStringLiteral("Invalid Action"));
    QCOMPARE(m_interaction.last().text, QStringLiteral("Ooops, there are no resources to remove."));

    addResource(QStringLiteral("a"), QStringLiteral("https://a.test"));
    addResource(QStringLiteral("a"), QStringLiteral("https://a.test"));
    m_interaction.answer(false);
    QTest::mouseClick(removeAll, Qt::LeftButton);
    QCOMPARE(m_interaction.last().kind, QStringLiteral("confirm"));
    QCOMPARE(m_interaction.last().title, QStringLiteral("Confirm"));
    QCOMPARE(m_interaction.last().text, QStringLiteral("Confirm Action?"));
    QCOMPARE(m_window->resources().count(), 2);

    m_interaction.answer(true);
    QTest::mouseClick(removeAll, Qt::LeftButton);
    QCOMPARE(m_window->resources().count(), 0);
    QCOMPARE(child<QListView>("lstResources")->model()->rowCount(), 0);
}

void TestMainWindow::createRefusals_data()
{
    QTest::addColumn<bool>("withResource");
    QTest::addColumn<QString>("headline");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing at all") << false << QString() << QString()
                                    << QStringLiteral("Please add some resources first.");
    QTest::newRow("no headline") << true << QString() << QStringLiteral("x")
                                 << QStringLiteral("Please enter a headline first.");
    QTest::newRow("blank headline, no name")
        << true << QStringLiteral(" ") << QString() << QStringLiteral("Please enter a name for your pdf file first.");
}

void TestMainWindow::createRefusals()
{
    QFETCH(bool, withResource);
    QFETCH(QString, headline);
    QFETCH(QString, name);
    QFETCH(QString, message);
    if (withResource)
        addResource(QStringLiteral("a"), QStringLiteral("https://a.test"));
    const QStringList before = bins();
    fillCreatePage(headline, name);
    QVERIFY(!create());
    QCOMPARE(m_interaction.shown.size(), 1);
    QCOMPARE(m_interaction.last().title, QStringLiteral("Missing Info"));
    QCOMPARE(m_interaction.last().text, message);
    QCOMPARE(bins(), before);
    QVERIFY(child<QPushButton>("cmdCreate")->isEnabled());
}

void TestMainWindow::fileNameRefusals_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("slash") << QStringLiteral("../escape");
    QTest::newRow("dot dot") << QStringLiteral("..");
    QTest::newRow("too long") << QString(300, u'n');
}

void TestMainWindow::fileNameRefusals()
{
    QFETCH(QString, name);
    addResource(QStringLiteral("a"), QStringLiteral("https://a.test"));
    const QStringList before = bins();
    fillCreatePage(QStringLiteral("Head"), name);
    QVERIFY(!create());
    QCOMPARE(m_interaction.last().title, QStringLiteral("Invalid File Name"));
    QCOMPARE(child<QLineEdit>("txtPDFFilename")->text(), name);
    QCOMPARE(bins(), before);
    QVERIFY(QDir(m_installation->path(QStringLiteral("/bin/output"))).isEmpty());
}

void TestMainWindow::createWritesPageAndAsks()
{
    addResource(QStringLiteral("First"), QStringLiteral("https://a.test"));
    addResource(QStringLiteral("Last"), QStringLiteral("https://b.test"));
    const QString name = QStringLiteral("my cheat sheet \"q\" $HOME; ü");
    const QString hyphenated = QStringLiteral("my-cheat-sheet-\"q\"-$HOME;-ü");
    fillCreatePage(QStringLiteral("Head & <b>line</b>"), name);
    m_interaction.answer(true);
    QVERIFY(create());

    QCOMPARE(child<QLineEdit>("txtPDFFilename")->text(), hyphenated);
    const QString page = QString::fromUtf8(
        readAll(m_installation->path(QStringLiteral("/bin/") + hyphenated + QStringLiteral(".html"))));
    QVERIFY(page.contains(QStringLiteral("Head & <b>line</b>")));
    QVERIFY(page.indexOf(QStringLiteral("https://a.test")) < page.indexOf(QStringLiteral("https://b.test")));
    QVERIFY(IsCompletePdf(m_installation->path(QStringLiteral("/bin/output/") + hyphenated + QStringLiteral(".pdf"))));

    QCOMPARE(m_interaction.last().kind, QStringLiteral("confirm"));
    QCOMPARE(m_interaction.last().title, QStringLiteral("Done"));
    QCOMPARE(m_interaction.last().text, QStringLiteral("Ready. Do you want to open the output folder?"));
    QCOMPARE(m_interaction.openedFolders, QStringList{m_installation->path(QStringLiteral("/bin/output"))});
    QCOMPARE(m_window->workFolder(), m_installation->path(QStringLiteral("/bin/output")));
    QCOMPARE(child<QListView>("lstResources")->currentIndex().row(), 1);

    // The same name again overwrites the page and the PDF.
    child<QLineEdit>("txtHeaderTitle")->setText(QStringLiteral("Second"));
    m_interaction.answer(false);
    QVERIFY(create());
    QVERIFY(readAll(m_installation->path(QStringLiteral("/bin/") + hyphenated + QStringLiteral(".html")))
                .contains("Second"));
}

void TestMainWindow::busyWhileConverting()
{
    const QString gate = m_installation->path(QStringLiteral("/gate"));
    m_installation->installConverter(gatedConverter(gate));
    addResource(QStringLiteral("a"), QStringLiteral("https://a.test"));
    fillCreatePage(QStringLiteral("Head"), QStringLiteral("busy"));
    QSignalSpy ended(m_window.get(), &MainWindow::buildEnded);
    QTest::mouseClick(child<QPushButton>("cmdCreate"), Qt::LeftButton);

    QVERIFY(m_window->isBuilding());
    QVERIFY(!child<QPushButton>("cmdCreate")->isEnabled());
    QVERIFY(!child<QPushButton>("cmdOutput")->isEnabled());
    auto* pleaseWait = child<QLabel>("lblPleaseWait");
    QTRY_VERIFY(pleaseWait->isVisible());
    QTRY_VERIFY(!pleaseWait->isVisible());
    QTRY_VERIFY(pleaseWait->isVisible());

    // Everything else stays live.
    QTest::mouseClick(child<NavButton>("pageButton1"), Qt::LeftButton);
    QVERIFY(child<QGroupBox>("frPage1")->isVisible());
    QTest::keyClicks(child<QLineEdit>("txtHeaderTitle"), QStringLiteral(" edited"));
    QCOMPARE(child<QLineEdit>("txtHeaderTitle")->text(), QStringLiteral("Head edited"));
    addResource(QStringLiteral("b"), QStringLiteral("https://b.test"));
    QCOMPARE(m_window->resources().count(), 2);
    QVERIFY(m_interaction.shown.isEmpty());

    m_interaction.answer(false);
    writeAll(gate, "go");
    QVERIFY(ended.wait(20000));
    QVERIFY(ended.first().at(0).toBool());
    QVERIFY(child<QPushButton>("cmdCreate")->isEnabled());
    QVERIFY(child<QPushButton>("cmdOutput")->isEnabled());
    QVERIFY(!pleaseWait->isVisible());
    QVERIFY(!m_window->isBuilding());
    // Edits made while converting do not reach the page already written.
    QVERIFY(!readAll(m_installation->path(QStringLiteral("/bin/busy.html"))).contains("edited"));
}

void TestMainWindow::templateNameIsProtected()
{
    const QByteArray templateBefore = readAll(m_installation->path(QStringLiteral("/bin/template.html")));
    addResource(QStringLiteral("a"), QStringLiteral("https://a.test"));
    fillCreatePage(QStringLiteral("Head"), QStringLiteral("template"));
    m_interaction.answer(false);
    QVERIFY(create());
    QCOMPARE(readAll(m_installation->path(QStringLiteral("/bin/template.html"))), templateBefore);
    QVERIFY(readAll(m_installation->path(QStringLiteral("/bin/etemplate.html"))).contains("Head"));
    QVERIFY(QFileInfo::exists(m_installation->path(QStringLiteral("/bin/output/template.pdf"))));
}

void TestMainWindow::templatesAreReadAfresh()
{
    addResource(QStringLiteral("a"), QStringLiteral("https://a.test"));
    fillCreatePage(QStringLiteral("Head"), QStringLiteral("fresh"));
    m_interaction.answer(false);
    QVERIFY(create());
    writeAll(m_installation->path(QStringLiteral("/bin/repeater.txt")), "[#CTATEXT#|#CTAURL#]");
    writeAll(m_installation->path(QStringLiteral("/bin/template.html")), "NEW #HEADLINE# #REPEATER# #TOS##CLOSE#");
    writeAll(m_installation->path(QStringLiteral("/resources/tos.txt")), "fresh terms");
    child<QCheckBox>("chkDisclaimer")->setChecked(true);
    m_interaction.answer(false);
    QVERIFY(create());
    const QByteArray page = readAll(m_installation->path(QStringLiteral("/bin/fresh.html")));
    QVERIFY(page.startsWith("NEW Head [a|https://a.test]<br><br> fresh terms<script"));
}

void TestMainWindow::answeringNoOpensNothing()
{
    addResource(QStringLiteral("a"), QStringLiteral("https://a.test"));
    fillCreatePage(QStringLiteral("Head"), QStringLiteral("no"));
    m_interaction.answer(false);
    QVERIFY(create());
    QVERIFY(m_interaction.openedFolders.isEmpty());
}

void TestMainWindow::failedConversionIsReported()
{
    const QString earlier = m_installation->path(QStringLiteral("/bin/output/sheet.pdf"));
    QDir().mkpath(QFileInfo(earlier).absolutePath());
    writeAll(earlier, "earlier");
    m_installation->installConverter(QStringLiteral("#!/bin/sh\necho 'Error: the page could not be read' >&2\n"));
    addResource(QStringLiteral("a"), QStringLiteral("https://a.test"));
    fillCreatePage(QStringLiteral("Head"), QStringLiteral("sheet"));
    QVERIFY(!create());
    QCOMPARE(m_interaction.shown.size(), 1);
    QCOMPARE(m_interaction.last().kind, QStringLiteral("warn"));
    QCOMPARE(m_interaction.last().title, QStringLiteral("PDF Not Created"));
    QVERIFY(m_interaction.last().text.contains(QStringLiteral("Error: the page could not be read")));
    QCOMPARE(readAll(earlier), QByteArray("earlier"));
    QVERIFY(child<QPushButton>("cmdCreate")->isEnabled());
    QVERIFY(!child<QLabel>("lblPleaseWait")->isVisible());

    // A converter that hangs is stopped at the limit.
    m_installation->installConverter(QStringLiteral("#!/bin/sh\nexec sleep 30\n"));
    m_window->setConversionTimeLimit(500ms);
    QVERIFY(!create());
    QVERIFY(m_interaction.last().text.contains(QStringLiteral("was still working")));
    QCOMPARE(readAll(earlier), QByteArray("earlier"));
}

void TestMainWindow::missingConverterIsReported()
{
    QFile::remove(m_installation->path(QStringLiteral("/bin/wkhtmltopdf")));
    const QByteArray savedPath = qgetenv("PATH");
    QTemporaryDir emptyPath;
    qputenv("PATH", emptyPath.path().toLocal8Bit());
    addResource(QStringLiteral("a"), QStringLiteral("https://a.test"));
    fillCreatePage(QStringLiteral("Head"), QStringLiteral("a name"));
    const QStringList before = bins();
    QVERIFY(!create());
    qputenv("PATH", savedPath);
    QCOMPARE(m_interaction.last().kind, QStringLiteral("warn"));
    QVERIFY(m_interaction.last().text.contains(QStringLiteral("sudo apt install wkhtmltopdf")));
    QCOMPARE(bins(), before);
    QCOMPARE(child<QLineEdit>("txtPDFFilename")->text(), QStringLiteral("a name"));
    QVERIFY(child<QPushButton>("cmdCreate")->isEnabled());
}

void TestMainWindow::unreadableTemplateIsReported()
{
    QFile::remove(m_installation->path(QStringLiteral("/bin/template.html")));
    addResource(QStringLiteral("a"), QStringLiteral("https://a.test"));
    fillCreatePage(QStringLiteral("Head"), QStringLiteral("a name"));
    QVERIFY(!create());
    QCOMPARE(m_interaction.last().title, QStringLiteral("Cannot Create"));
    QVERIFY(m_interaction.last().text.contains(m_installation->path(QStringLiteral("/bin/template.html"))));
    QCOMPARE(child<QLineEdit>("txtPDFFilename")->text(), QStringLiteral("a name"));
    QVERIFY(!QFileInfo::exists(m_installation->path(QStringLiteral("/bin/a-name.html"))));
    QVERIFY(child<QPushButton>("cmdCreate")->isEnabled());
}

void TestMainWindow::unwritablePageIsReported()
{
    QVERIFY(QDir().mkpath(m_installation->path(QStringLiteral("/bin/taken.html"))));
    addResource(QStringLiteral("a"), QStringLiteral("https://a.test"));
    fillCreatePage(QStringLiteral("Head"), QStringLiteral("taken"));
    QVERIFY(!create());
    QCOMPARE(m_interaction.last().title, QStringLiteral("Cannot Create"));
    QVERIFY(m_interaction.last().text.contains(m_installation->path(QStringLiteral("/bin/taken.html"))));
    QVERIFY(child<QPushButton>("cmdCreate")->isEnabled());
}

void TestMainWindow::deletedOutputFolderIsMadeAgain()
{
    QVERIFY(QDir(m_installation->path(QStringLiteral("/bin/output"))).removeRecursively());
    addResource(QStringLiteral("a"), QStringLiteral("https://a.test"));
    fillCreatePage(QStringLiteral("Head"), QStringLiteral("again"));
    m_interaction.answer(false);
    QVERIFY(create());
    QVERIFY(IsCompletePdf(m_installation->path(QStringLiteral("/bin/output/again.pdf"))));

    // The folder button makes it again as well, before handing it to the file manager.
    QVERIFY(QDir(m_installation->path(QStringLiteral("/bin/output"))).removeRecursively());
    QTest::mouseClick(child<QPushButton>("cmdOutput"), Qt::LeftButton);
    QCOMPARE(m_interaction.openedFolders, QStringList{m_installation->path(QStringLiteral("/bin/output"))});
    QVERIFY(QFileInfo(m_installation->path(QStringLiteral("/bin/output"))).isDir());
}

void TestMainWindow::closingWhileConvertingStopsTheConverter()
{
    const QString pidFile = m_installation->path(QStringLiteral("/pid"));
    m_installation->installConverter(
        QStringLiteral("#!/bin/sh\necho $$ > '%1'\nprintf '%%PDF-1.4 partial' > \"$2\"\nexec sleep 30\n").arg(pidFile));
    addResource(QStringLiteral("a"), QStringLiteral("https://a.test"));
    fillCreatePage(QStringLiteral("Head"), QStringLiteral("closing"));
    QTest::mouseClick(child<QPushButton>("cmdCreate"), Qt::LeftButton);
    QTRY_VERIFY(!readAll(pidFile).isEmpty());
    const QString pid = QString::fromLatin1(readAll(pidFile).trimmed());
    QVERIFY(QFileInfo::exists(QStringLiteral("/proc/") + pid));

    m_window->close();
    m_window.reset();
    QVERIFY(!QFileInfo::exists(QStringLiteral("/proc/") + pid));
    const QString output = m_installation->path(QStringLiteral("/bin/output"));
    QVERIFY(QDir(output).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

void TestMainWindow::fileManagerThatCannotStart()
{
    m_interaction.setFolderOpens(false);
    QTest::mouseClick(child<NavButton>("pageButton2"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("cmdOutput"), Qt::LeftButton);
    QCOMPARE(m_interaction.last().kind, QStringLiteral("warn"));
    QVERIFY(m_interaction.last().text.contains(m_installation->path(QStringLiteral("/bin/output"))));
    m_interaction.setFolderOpens(true);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
