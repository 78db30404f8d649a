// The shipped templates through the real converter, as the user gets them.
#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "core/Conversion.h"
#include "core/KeywordResources.h"
#include "core/Sheet.h"
#include "core/SheetBuilder.h"
#include "gui/MainWindow.h"
#include "gui/widgets/NavButton.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace orvanta;
using namespace std::chrono_literals;

class TestEndToEnd : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void shippedTemplatesMakeAPdf();
    void throughTheWindowInAnAwkwardFolder();
    void generatedResourcesKeepTheirQueries();

private:
    QString m_converter;
};

void TestEndToEnd::initTestCase()
{
    m_converter = FindConverter(u"/nonexistent"_s);
    QVERIFY2(!m_converter.isEmpty(), "wkhtmltopdf must be installed for the end-to-end tests");
}

void TestEndToEnd::shippedTemplatesMakeAPdf()
{
    TestInstallation installation;
    QVERIFY(installation.isValid());
    Sheet sheet;
    sheet.headline = u"Speed Secrets"_s;
    sheet.subheadline = u"Tools that work"_s;
    sheet.resources = {{u"Image Optimizer"_s, u"https://example.com/images?a=1&b=2"_s},
                       {u"Caching---Guide"_s, u"https://example.com/cache---guide"_s},
                       {u"Привет Hosting"_s, u"https://example.org/"_s}};
    sheet.noteBelowEachResource = true;
    sheet.disclaimer = true;

    SheetBuilder builder(installation.folder());
    QSignalSpy finished(&builder, &SheetBuilder::finished);
    QVERIFY(!builder.build(sheet, u"speed"_s));
    QVERIFY(finished.wait(120000));
    const auto result = finished.first().at(0).value<BuildResult>();
    QVERIFY2(result.succeeded(), qPrintable(result.problem.value_or(BuildProblem{}).text));

    const QString text = pdfText(result.paths.pdfPath);
    for (const QString& expected : {sheet.headline, sheet.subheadline, sheet.footer, sheet.note})
        QVERIFY2(text.contains(expected), qPrintable(expected));
    for (const ResourceEntry& entry : sheet.resources)
        QVERIFY2(text.contains(entry.linkText), qPrintable(entry.linkText));
    const QString terms = QString::fromUtf8(readAll(installation.path(u"/resources/tos.txt"_s)));
    QVERIFY(text.contains(terms.section(u'\n', 0, 0).left(30)));
    const QStringList links = pdfLinks(result.paths.pdfPath);
    for (const ResourceEntry& entry : sheet.resources)
        QVERIFY2(links.contains(entry.linkUrl), qPrintable(links.join(u' ')));
}

void TestEndToEnd::throughTheWindowInAnAwkwardFolder()
{
    TestInstallation installation(u"My \"Cheat\" Sheets — Привет's"_s);
    QVERIFY(installation.isValid());
    ScriptedInteraction interaction;
    MainWindow window(installation.folder(), interaction);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    auto* text = window.findChild<QLineEdit*>(u"txtCTAText"_s);
    auto* url = window.findChild<QLineEdit*>(u"txtCTAURL"_s);
    window.findChild<QLineEdit*>(u"txtHeaderTitle"_s)->setText(u"Launch Checklist"_s);
    for (const auto& [linkText, linkUrl] : {std::pair{"Domain Finder", "https://example.com/domains"},
                                            std::pair{"Logo Maker", "https://example.net/logo?size=big"}}) {
        text->setText(QString::fromUtf8(linkText));
        url->setText(QString::fromUtf8(linkUrl));
        QTest::keyClick(url, Qt::Key_Return);
    }
    QTest::mouseClick(window.findChild<NavButton*>(u"pageButton2"_s), Qt::LeftButton);
    window.findChild<QLineEdit*>(u"txtPDFFilename"_s)->setText(u"launch list"_s);

    interaction.answer(true);
    QVERIFY2(pressCreateAndWait(window), qPrintable(interaction.last()));

    const QString pdf = installation.path(u"/bin/output/launch-list.pdf"_s);
    const QString pdfContent = pdfText(pdf);
    QVERIFY(pdfContent.contains(u"Launch Checklist"_s));
    QVERIFY(pdfContent.contains(u"Domain Finder"_s));
    QVERIFY(pdfContent.contains(u"OurWebsite.com"_s));
    QCOMPARE(pdfLinks(pdf), (QStringList{u"https://example.com/domains"_s, u"https://example.net/logo?size=big"_s}));
    QCOMPARE(interaction.openedFolders, QStringList{installation.path(u"/bin/output"_s)});
}

void TestEndToEnd::generatedResourcesKeepTheirQueries()
{
    TestInstallation installation;
    QVERIFY(installation.isValid());
    ScriptedInteraction interaction;
    MainWindow window(installation.folder(), interaction);
    window.show();
    const QString keywords = u"fast hosting\r\nC++\r\nR&D\r\n#1\r\n"_s;
    window.resources().append(DiscussionResources(keywords, u"Discussions: #KEYWORD#"_s));
    window.resources().append(VideoResources(keywords, u"Video Tutorials: #KEYWORD#"_s));
    window.findChild<QLineEdit*>(u"txtHeaderTitle"_s)->setText(u"Research"_s);
    window.findChild<QLineEdit*>(u"txtPDFFilename"_s)->setText(u"research"_s);

    interaction.answer(false);
    QVERIFY2(pressCreateAndWait(window), qPrintable(interaction.last()));

    const QString pdf = installation.path(u"/bin/output/research.pdf"_s);
    // The page carries a space as it stands; the converter writes it into the link as %20.
    QCOMPARE(
        pdfLinks(pdf),
        (QStringList{u"https://www.quora.com/search?q=fast%20hosting"_s, u"https://www.quora.com/search?q=C%2B%2B"_s,
                     u"https://www.quora.com/search?q=R%26D"_s, u"https://www.quora.com/search?q=%231"_s,
                     u"https://www.youtube.com/results?search_query=fast+hosting"_s,
                     u"https://www.youtube.com/results?search_query=C%2B%2B"_s,
                     u"https://www.youtube.com/results?search_query=R%26D"_s,
                     u"https://www.youtube.com/results?search_query=%231"_s}));
    const QString text = pdfText(pdf);
    QVERIFY(text.contains(u"Discussions: C++"_s));
    QVERIFY(text.contains(u"Video Tutorials: R&D"_s));
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
