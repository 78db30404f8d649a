// The main window: start-up, pages, the resource panel, and Create as the user drives it.
#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "core/Conversion.h"
#include "core/Version.h"
#include "gui/MainWindow.h"
#include "gui/widgets/LinkLabel.h"
#include "gui/widgets/NavButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace orvanta;
using namespace std::chrono_literals;

class TestMainWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void startupAndNavigation();
    void unwritableFolderIsSaidOnce();
    void addResource_data();
    void addResource();
    void removeResources();
    void everyFieldReachesThePage();
    void refusalsAndFailuresAreShown();
    void busyWhileConverting();
    void linksOpenTheDialogs();
    void outputFolderButton();
    void closingWhileConvertingStopsTheConverter();

private:
    QLineEdit* edit(const char* name) const { return child<QLineEdit>(m_window.get(), name); }
    void click(const char* name) const { QTest::mouseClick(child<QWidget>(m_window.get(), name), Qt::LeftButton); }
    QString path(const char* relative) const { return m_installation->path(QString::fromUtf8(relative)); }
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
    void readyToCreate(const QString& name)
    {
        addResource(QStringLiteral("a"), QStringLiteral("https://a.test"));
        edit("txtHeaderTitle")->setText(QStringLiteral("Head"));
        click("pageButton2");
        edit("txtPDFFilename")->setText(name);
    }
    // Which page shows and which page buttons carry the StateFlag: "page 1, flags 01" on the content page.
    QString pageState() const
    {
        return QStringLiteral("page %1, flags %2%3")
            .arg(child<QGroupBox>(m_window.get(), "frPage1")->isVisible() ? 1 : 2)
            .arg(int(child<NavButton>(m_window.get(), "pageButton1")->stateFlag()))
            .arg(int(child<NavButton>(m_window.get(), "pageButton2")->stateFlag()));
    }
    QStringList resourceTexts() const
    {
        QStringList texts;
        for (const ResourceEntry& entry : m_window->resources().entries())
            texts << entry.linkText;
        return texts;
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
    m_interaction = ScriptedInteraction();
    QVERIFY(QDir(path("/bin/output")).removeRecursively());
    makeWindow();
}

void TestMainWindow::cleanup()
{
    m_window.reset();
    QVERIFY2(!m_interaction.answersLeft(), "a scripted answer was not used");
}

void TestMainWindow::startupAndNavigation()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Orvanta " ORVANTA_VERSION "  "));
    QVERIFY(QFileInfo(path("/bin/output")).isDir());
    QCOMPARE(pageState(), QStringLiteral("page 1, flags 01"));
    QTRY_COMPARE(QApplication::focusWidget(), edit("txtHeaderTitle"));
    click("pageButton2");
    QCOMPARE(pageState(), QStringLiteral("page 2, flags 10"));
    // The current page's button again: same page, focus back to the headline.
    QTest::keyClick(child<NavButton>(m_window.get(), "pageButton1"), Qt::Key_Space);
    edit("txtFooterTitle")->setFocus();
    click("pageButton1");
    QCOMPARE(pageState(), QStringLiteral("page 1, flags 01"));
    QTRY_COMPARE(QApplication::focusWidget(), edit("txtHeaderTitle"));
    QVERIFY(m_interaction.shown.isEmpty());
}

// Said once when the window is up, whichever folder takes no file.
void TestMainWindow::unwritableFolderIsSaidOnce()
{
    m_window.reset();
    // Permissions do not stop root: a folder of /proc takes no new file for anyone.
    QVERIFY(QDir().rename(path("/resources"), path("/moved")));
    QVERIFY(QFile::link(QStringLiteral("/proc/self"), path("/resources")));
    makeWindow();
    QTRY_COMPARE(m_interaction.shown.size(), 1);
    QVERIFY(m_interaction.last().startsWith(QStringLiteral("warn|Folder Not Writable|")));
    QVERIFY(m_interaction.last().contains(m_installation->folder()));
    click("pageButton2");
    QCOMPARE(m_interaction.shown.size(), 1);
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

// Enter in the URL box adds, as the button does.
void TestMainWindow::addResource()
{
    QFETCH(QString, text);
    QFETCH(QString, url);
    QFETCH(bool, accepted);
    addResource(QStringLiteral("first"), QStringLiteral("https://first.test"));
    edit("txtCTAText")->setText(text);
    edit("txtCTAURL")->setText(url);
    QTest::keyClick(edit("txtCTAURL"), Qt::Key_Return);
    const QStringList fields{edit("txtCTAText")->text(), edit("txtCTAURL")->text()};
    QCOMPARE(m_window->resources().count(), accepted ? 2 : 1);
    if (accepted) {
        QVERIFY(m_interaction.shown.isEmpty());
        QCOMPARE(m_window->resources().at(1), (ResourceEntry{text, url}));
        QCOMPARE(fields, (QStringList{QString(), QStringLiteral("http://")}));
        QTRY_COMPARE(QApplication::focusWidget(), edit("txtCTAText"));
    } else {
        QCOMPARE(m_interaction.last(), QStringLiteral("inform|Missing Info|Please complete all the fields."));
        QCOMPARE(fields, (QStringList{text, url}));
    }
}

void TestMainWindow::removeResources()
{
    // On an empty list: say so, before asking for a selection or a confirmation.
    click("cmdRemoveItem");
    QCOMPARE(m_interaction.last(), QStringLiteral("inform|Invalid Operation|Please add a resource first."));
    click("Command2");
    QCOMPARE(m_interaction.last(), QStringLiteral("inform|Invalid Action|Ooops, there are no resources to remove."));

    for (const char* name : {"a", "b", "c", "b"})
        addResource(QString::fromLatin1(name), QStringLiteral("https://x.test"));
    click("cmdRemoveItem");
    QCOMPARE(m_interaction.last(), QStringLiteral("inform|Invalid Operation|Please select a resource first."));
    auto* list = child<QListView>(m_window.get(), "lstResources");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
    click("cmdRemoveItem");
    QCOMPARE(resourceTexts(), (QStringList{QStringLiteral("a"), QStringLiteral("c"), QStringLiteral("b")}));
    QCOMPARE(m_interaction.shown.size(), 3);

    m_interaction.answer(false);
    click("Command2");
    QCOMPARE(m_interaction.last(), QStringLiteral("confirm|Confirm|Confirm Action?"));
    QCOMPARE(m_window->resources().count(), 3);
    m_interaction.answer(true);
    click("Command2");
    QCOMPARE(m_window->resources().count(), 0);
}

// Typed through the keyboard, each field lands in its own placeholder; the name is written back as used.
void TestMainWindow::everyFieldReachesThePage()
{
    QVERIFY(writeAll(path("/bin/template.html"), "H=#HEADLINE#|S=#SUBHEADLINE#|F=#FOOTER#|R=#REPEATER#|T=#TOS#"));
    QVERIFY(writeAll(path("/bin/repeater.txt"), "[#CTATEXT#>#CTAURL#]"));
    QVERIFY(writeAll(path("/resources/tos.txt"), "terms"));
    const auto type = [this](const char* name, const QString& text) {
        edit(name)->clear();
        QTest::keyClicks(edit(name), text);
    };
    type("txtHeaderTitle", QStringLiteral("head"));
    type("txtHeaderSubtitle", QStringLiteral("sub"));
    type("txtFooterTitle", QStringLiteral("foot"));
    type("txtBelowResource", QStringLiteral("note"));
    QTest::mouseClick(child<QCheckBox>(m_window.get(), "chkAddResourceInstructions"), Qt::LeftButton, {}, QPoint(6, 8));
    child<QCheckBox>(m_window.get(), "chkDisclaimer")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    for (const char* name : {"one", "two"}) {
        type("txtCTAText", QString::fromLatin1(name));
        type("txtCTAURL", QStringLiteral("u/") + QString::fromLatin1(name));
        QTest::keyClick(edit("txtCTAURL"), Qt::Key_Return);
    }
    click("pageButton2");
    type("txtPDFFilename", QStringLiteral("my sheet"));

    m_interaction.answer(true);
    QVERIFY(pressCreateAndWait(*m_window, 20000));
    QCOMPARE(readAll(path("/bin/my-sheet.html")),
             QByteArray("H=head|S=sub|F=foot|R=[one>u/one]<br><i><p>note</p></i>[two>u/two]<br><i><p>note</p></i>"
                        "|T=terms"));
    QVERIFY(IsCompletePdf(path("/bin/output/my-sheet.pdf")));
    QCOMPARE(edit("txtPDFFilename")->text(), QStringLiteral("my-sheet"));
    QCOMPARE(m_interaction.last(), QStringLiteral("confirm|Done|Ready. Do you want to open the output folder?"));
    QCOMPARE(m_interaction.openedFolders, QStringList{path("/bin/output")});
    QCOMPARE(child<QListView>(m_window.get(), "lstResources")->currentIndex().row(), 1);
}

// The builder's refusals and failures reach the user as information or warnings, and the window stays ready.
void TestMainWindow::refusalsAndFailuresAreShown()
{
    click("pageButton2");
    click("cmdCreate");
    QCOMPARE(m_interaction.last(), QStringLiteral("inform|Missing Info|Please add some resources first."));

    m_installation->installConverter(QStringLiteral("#!/bin/sh\necho 'Error: the page could not be read' >&2\n"));
    readyToCreate(QStringLiteral("sheet"));
    QVERIFY(!pressCreateAndWait(*m_window, 20000));
    QVERIFY2(m_interaction.last().startsWith(QStringLiteral("warn|PDF Not Created|")),
             qPrintable(m_interaction.last()));
    QVERIFY(child<QPushButton>(m_window.get(), "cmdCreate")->isEnabled());
    QVERIFY(!child<QLabel>(m_window.get(), "lblPleaseWait")->isVisible());
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
    QVERIFY(!child<QPushButton>(m_window.get(), "cmdCreate")->isEnabled());
    QVERIFY(!child<QPushButton>(m_window.get(), "cmdOutput")->isEnabled());
    auto* pleaseWait = child<QLabel>(m_window.get(), "lblPleaseWait");
    QTRY_VERIFY(pleaseWait->isVisible());
    QTRY_VERIFY(!pleaseWait->isVisible());
    QTRY_VERIFY(pleaseWait->isVisible());

    // Everything else stays live, and edits do not reach the page already written.
    click("pageButton1");
    QTest::keyClicks(edit("txtHeaderTitle"), QStringLiteral(" edited"));
    addResource(QStringLiteral("b"), QStringLiteral("https://b.test"));
    QCOMPARE(m_window->resources().count(), 2);
    QVERIFY(m_interaction.shown.isEmpty());

    m_interaction.answer(false);
    QVERIFY(writeAll(gate, "go"));
    QVERIFY(ended.wait(20000));
    QVERIFY(child<QPushButton>(m_window.get(), "cmdCreate")->isEnabled());
    QVERIFY(!pleaseWait->isVisible() && !m_window->isBuilding());
    QVERIFY(!readAll(path("/bin/busy.html")).contains("edited"));
    QVERIFY(m_interaction.openedFolders.isEmpty());
}

// The links open their dialogs modally over the window; generated resources land in the list.
void TestMainWindow::linksOpenTheDialogs()
{
    QStringList captions;
    QTimer inDialog;
    connect(&inDialog, &QTimer::timeout, this, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        captions << dialog->windowTitle();
        if (auto* check = dialog->findChild<QCheckBox*>(QStringLiteral("Check1"))) {
            check->setChecked(true);
            dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtDiscussions"))->setPlainText(QStringLiteral("seo"));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdSave")), Qt::LeftButton);
        }
        dialog->reject();
    });
    inDialog.start(10);
    QTest::mouseClick(child<LinkLabel>(m_window.get(), "Label16"), Qt::LeftButton);
    QTest::keyClick(child<LinkLabel>(m_window.get(), "Label17"), Qt::Key_Return);
    QCOMPARE(captions, (QStringList{QStringLiteral("Terms and Conditions"), QStringLiteral("Automatic Resources")}));
    QCOMPARE(resourceTexts(), QStringList{QStringLiteral("Discussions: seo")});

    // A terms file that cannot be read is reported, and no editor opens over it.
    QVERIFY(writeAll(path("/resources/tos.txt"), "Caf\xE9"));
    QTest::mouseClick(child<LinkLabel>(m_window.get(), "Label16"), Qt::LeftButton);
    QCOMPARE(captions.size(), 2);
    QVERIFY(m_interaction.last().startsWith(QStringLiteral("warn|Terms and Conditions|")));
}

// An output folder deleted after start-up is made again before it goes to the file manager; a file manager
// that cannot start is reported with the folder's path.
void TestMainWindow::outputFolderButton()
{
    QVERIFY(QDir(path("/bin/output")).removeRecursively());
    m_interaction.setFolderOpens(false);
    click("cmdOutput");
    QCOMPARE(m_interaction.openedFolders, QStringList{path("/bin/output")});
    QVERIFY(QFileInfo(path("/bin/output")).isDir());
    QVERIFY(m_interaction.last().startsWith(QStringLiteral("warn|Open Output Folder|")));
    QVERIFY(m_interaction.last().contains(path("/bin/output")));
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
    QCOMPARE(QDir(path("/bin/output")).entryList(QDir::Files | QDir::Hidden).size(), 1); // the temporary file

    m_interaction.answer(Interaction::SaveChoice::Discard);
    m_window->close();
    QVERIFY(!QFileInfo::exists(proc));
    QVERIFY(QDir(path("/bin/output")).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
