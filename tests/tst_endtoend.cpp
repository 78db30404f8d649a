// The shipped templates through the real converter, as the user gets them, read back from the PDF.
#include "GuiTestSupport.h"
#include "core/Conversion.h"
#include "core/KeywordResources.h"
#include "core/SheetBuilder.h"

#include <QSignalSpy>
#include <QTest>

using namespace orvanta;

class TestEndToEnd : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void everyPartOfTheSheet();
    void throughTheWindowInAnAwkwardFolder();
};

void TestEndToEnd::initTestCase()
{
    isolateUserFolders();
    QVERIFY2(!FindConverter(u"/nonexistent"_s).isEmpty(), "wkhtmltopdf must be installed for the end-to-end tests");
}

void TestEndToEnd::everyPartOfTheSheet()
{
    TestInstallation installation;
    QVERIFY(installation.isValid());
    Sheet sheet;
    sheet.headline = u"Speed Secrets"_s;
    sheet.subheadline = u"Tools that work"_s;
    sheet.resources = {{u"Image Optimizer"_s, u"https://example.com/images?a=1&b=2"_s},
                       {u"Caching---Guide"_s, u"https://example.com/cache---guide"_s},
                       {u"Привет Hosting"_s, u"https://example.org/"_s}};
    sheet.noteBelowEachResource = sheet.disclaimer = true;
    SheetBuilder builder(installation.folder());
    QSignalSpy finished(&builder, &SheetBuilder::finished);
    QVERIFY(!builder.build(sheet, u"speed"_s));
    QVERIFY(finished.wait(120000));
    const auto result = finished.first().at(0).value<BuildResult>();
    QVERIFY2(result.succeeded(), qPrintable(result.problem.value_or(BuildProblem{}).text));

    const QString text = pdfText(result.paths.pdfPath);
    const QString terms = QString::fromUtf8(readAll(installation.path(u"/resources/tos.txt"_s)));
    QStringList expected{sheet.headline, sheet.subheadline, sheet.footer, sheet.note, terms.left(30)};
    QStringList links;
    for (const ResourceEntry& entry : sheet.resources) {
        expected << entry.linkText;
        links << entry.linkUrl;
    }
    for (const QString& part : expected)
        QVERIFY2(text.contains(part), qPrintable(part));
    QCOMPARE(pdfLinks(result.paths.pdfPath), links);
}

// Typed and generated resources, from an installation whose path needs quoting; the converter writes a
// discussion link's space as %20.
void TestEndToEnd::throughTheWindowInAnAwkwardFolder()
{
    TestInstallation installation(u"My \"Cheat\" Sheets — Привет's"_s);
    QVERIFY(installation.isValid());
    ScriptedInteraction interaction;
    MainWindow window(installation.folder(), interaction);
    window.show();
    child<QLineEdit>(&window, "txtHeaderTitle")->setText(u"Launch Checklist"_s);
    child<QLineEdit>(&window, "txtCTAText")->setText(u"Logo Maker"_s);
    child<QLineEdit>(&window, "txtCTAURL")->setText(u"https://example.net/logo?size=big"_s);
    QTest::keyClick(child<QLineEdit>(&window, "txtCTAURL"), Qt::Key_Return);
    window.resources().append(DiscussionResources(u"fast hosting\r\nC++\r\n"_s, u"Discussions: #KEYWORD#"_s));
    window.resources().append(VideoResources(u"R&D\n#1"_s, u"Video Tutorials: #KEYWORD#"_s));
    child<QLineEdit>(&window, "txtPDFFilename")->setText(u"launch list"_s);
    interaction.answer(true);
    QVERIFY2(pressCreateAndWait(window), qPrintable(interaction.last()));

    const QString pdf = installation.path(u"/bin/output/launch-list.pdf"_s);
    const QString text = pdfText(pdf);
    for (const QString& part :
         {u"Launch Checklist"_s, u"Logo Maker"_s, u"Discussions: C++"_s, u"Video Tutorials: R&D"_s})
        QVERIFY2(text.contains(part), qPrintable(part));
    QCOMPARE(pdfLinks(pdf),
             (QStringList{u"https://example.net/logo?size=big"_s, u"https://www.quora.com/search?q=fast%20hosting"_s,
                          u"https://www.quora.com/search?q=C%2B%2B"_s,
                          u"https://www.youtube.com/results?search_query=R%26D"_s,
                          u"https://www.youtube.com/results?search_query=%231"_s}));
    QCOMPARE(interaction.openedFolders, QStringList{installation.path(u"/bin/output"_s)});
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
