// Create without a window: the refusals, in their order, and what a build writes and reports.
#include "TestSupport.h"
#include "core/Conversion.h"
#include "core/Sheet.h"
#include "core/SheetBuilder.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

using namespace orvanta;
using namespace std::chrono_literals;

namespace {

Sheet readySheet()
{
    Sheet sheet;
    sheet.headline = u"Head"_s;
    sheet.resources = {{u"a"_s, u"https://a.test"_s}};
    return sheet;
}

} // namespace

class TestSheetBuilder : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void refusals_data();
    void refusals();
    void buildWritesPageAndPdf_data();
    void buildWritesPageAndPdf();
    void failuresAreReported();
    void cancelledRunsSayNothing();

private:
    QString path(const char* relative) const { return m_installation->path(QString::fromUtf8(relative)); }
    QStringList files(const char* folder) const
    {
        return QDir(path(folder)).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    BuildResult waitForResult(SheetBuilder& builder)
    {
        QSignalSpy finished(&builder, &SheetBuilder::finished);
        if (!finished.wait(20000))
            return {{}, BuildProblem{u"test"_s, u"no result"_s, true}};
        return finished.first().at(0).value<BuildResult>();
    }

    std::unique_ptr<TestInstallation> m_installation;
};

void TestSheetBuilder::init()
{
    m_installation = std::make_unique<TestInstallation>();
    QVERIFY(m_installation->isValid());
    m_installation->installConverter(pdfWritingScript());
}

void TestSheetBuilder::refusals_data()
{
    QTest::addColumn<QString>("broken"); // what the test breaks besides the sheet
    QTest::addColumn<QString>("headline");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("said"); // "title|" and how the text begins
    QTest::addColumn<bool>("warning");

    const auto row = [](const char* tag, const char* broken, const char* headline, const QString& name,
                        const char* said, bool warning) {
        QTest::newRow(tag) << QString::fromUtf8(broken) << QString::fromUtf8(headline) << name
                           << QString::fromUtf8(said) << warning;
    };
    row("no resources", "resources", "", QString(), "Missing Info|Please add some resources first.", false);
    row("no headline, no name", "", "", QString(), "Missing Info|Please enter a headline first.", false);
    row("blank headline, no name", "", " ", QString(), "Missing Info|Please enter a name for your pdf file first.",
        false);
    row("slash in name", "", "Head", u"../escape"_s, "Invalid File Name|The file name cannot", false);
    row("dot dot", "", "Head", u".."_s, "Invalid File Name|\"..\" cannot be used", false);
    row("name too long", "", "Head", QString(300, u'n'), "Invalid File Name|The file name is too long", false);
    row("bin takes no file", "/bin", "Head", u"a name"_s, "Folder Not Writable|Orvanta cannot", true);
    row("resources take no file", "/resources", "Head", u"a name"_s, "Folder Not Writable|Orvanta cannot", true);
    row("unreadable template", "template", "Head", u"a name"_s, "Cannot Create|Could not read", true);
    row("missing converter", "converter", "Head", u"a name"_s,
        "Cannot Create|The PDF converter wkhtmltopdf was not found", true);
    row("unwritable page", "page", "Head", u"a name"_s, "Cannot Create|Could not save", true);
}

// Each refusal comes before anything is written.
void TestSheetBuilder::refusals()
{
    QFETCH(QString, broken);
    QFETCH(QString, headline);
    QFETCH(QString, name);
    QFETCH(QString, said);
    QFETCH(bool, warning);

    const QByteArray savedPath = qgetenv("PATH");
    const auto restorePath = qScopeGuard([&savedPath] { qputenv("PATH", savedPath); });
    QTemporaryDir emptyFolder;
    if (broken == u"template") {
        QVERIFY(QFile::remove(path("/bin/template.html")));
    } else if (broken == u"converter") {
        QVERIFY(QFile::remove(path("/bin/wkhtmltopdf")));
        qputenv("PATH", QFile::encodeName(emptyFolder.path()));
    } else if (broken == u"page") {
        QVERIFY(QDir().mkpath(path("/bin/a-name.html"))); // a folder where the page goes
    } else if (broken.startsWith(u'/')) {
        // Permissions do not stop root: a folder of /proc takes no new file for anyone.
        QVERIFY(QFile::rename(m_installation->path(broken), path("/moved")));
        QVERIFY(QFile::link(u"/proc/self"_s, m_installation->path(broken)));
    }
    Sheet sheet = readySheet();
    sheet.headline = headline;
    if (broken == u"resources")
        sheet.resources.clear();
    const QStringList before = files("/bin");

    SheetBuilder builder(m_installation->folder());
    const std::optional<BuildProblem> problem = builder.build(sheet, name);
    QVERIFY(problem);
    QVERIFY2((problem->title + u'|' + problem->text).startsWith(said), qPrintable(problem->text));
    QCOMPARE(problem->warning, warning);
    QVERIFY(!builder.isRunning());
    if (!broken.startsWith(u'/'))
        QCOMPARE(files("/bin"), before);
    QCOMPARE(files("/bin/output"), QStringList());
}

void TestSheetBuilder::buildWritesPageAndPdf_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pdfPath"); // relative to the installation; empty: where Create puts it
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("pdf");

    QTest::newRow("spaces become hyphens")
        << u"my sheet \"q\" $HOME; ü"_s << QString() << u"/bin/my-sheet-\"q\"-$HOME;-ü.html"_s
        << u"/bin/output/my-sheet-\"q\"-$HOME;-ü.pdf"_s;
    QTest::newRow("template is never overwritten")
        << u"template"_s << QString() << u"/bin/etemplate.html"_s << u"/bin/output/template.pdf"_s;
    QTest::newRow("PDF named by the caller")
        << u"sheet"_s << u"/elsewhere.pdf"_s << u"/bin/sheet.html"_s << u"/elsewhere.pdf"_s;
}

void TestSheetBuilder::buildWritesPageAndPdf()
{
    QFETCH(QString, name);
    QFETCH(QString, pdfPath);
    QFETCH(QString, page);
    QFETCH(QString, pdf);

    QVERIFY(QDir(path("/bin/output")).removeRecursively()); // deleted since start-up: made again
    const QByteArray templateBefore = readAll(path("/bin/template.html"));
    SheetBuilder builder(m_installation->folder());
    QVERIFY(!builder.build(readySheet(), name, pdfPath.isEmpty() ? QString() : m_installation->path(pdfPath)));
    QVERIFY(builder.isRunning());
    QCOMPARE(builder.name(), QString(name).replace(u' ', u'-'));
    const BuildResult result = waitForResult(builder);
    QVERIFY2(result.succeeded(), qPrintable(result.problem.value_or(BuildProblem{}).text));
    QCOMPARE(result.paths.pagePath, m_installation->path(page));
    QCOMPARE(result.paths.pdfPath, m_installation->path(pdf));
    QVERIFY(readAll(result.paths.pagePath).contains("href=\"https://a.test\""));
    QVERIFY(IsCompletePdf(result.paths.pdfPath));
    QCOMPARE(readAll(path("/bin/template.html")), templateBefore);
    QVERIFY(!builder.isRunning());
}

// A failed conversion is reported as a warning, and the earlier PDF of that name is kept.
void TestSheetBuilder::failuresAreReported()
{
    QVERIFY(QDir().mkdir(path("/bin/output")) && writeAll(path("/bin/output/sheet.pdf"), "earlier"));
    m_installation->installConverter(u"#!/bin/sh\necho 'Error: the page could not be read' >&2\n"_s);
    SheetBuilder builder(m_installation->folder());
    QVERIFY(!builder.build(readySheet(), u"sheet"_s));
    BuildResult result = waitForResult(builder);
    QVERIFY(result.problem && result.problem->warning);
    QCOMPARE(result.problem->title, u"PDF Not Created"_s);
    QVERIFY2(result.problem->text.contains(u"Error: the page could not be read"_s),
             qPrintable(result.problem.value_or(BuildProblem{}).text));

    // A converter that hangs is stopped at the limit.
    m_installation->installConverter(u"#!/bin/sh\nexec sleep 30\n"_s);
    builder.setTimeLimit(300ms);
    QVERIFY(!builder.build(readySheet(), u"sheet"_s));
    result = waitForResult(builder);
    QVERIFY(result.problem && result.problem->text.contains(u"was still working"_s));
    QCOMPARE(readAll(path("/bin/output/sheet.pdf")), QByteArray("earlier"));
}

// Even a converter that fails at once is heard of only after build() returned; a cancelled run says nothing.
void TestSheetBuilder::cancelledRunsSayNothing()
{
    SheetBuilder builder(m_installation->folder());
    QSignalSpy finished(&builder, &SheetBuilder::finished);
    QVERIFY(!builder.render(readySheet(), {path("/bin/page.html"), path("/missing folder/x.pdf")}));
    QCOMPARE(finished.count(), 0);
    QVERIFY(finished.wait(5000));
    QVERIFY(finished.first().at(0).value<BuildResult>().problem);

    QVERIFY(!builder.render(readySheet(), {path("/bin/page.html"), path("/missing folder/x.pdf")}));
    builder.cancel();
    QVERIFY(!finished.wait(300));
    QCOMPARE(finished.count(), 1);
}

QTEST_GUILESS_MAIN(TestSheetBuilder)
#include "tst_sheetbuilder.moc"
