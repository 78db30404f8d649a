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
    m_converter = FindConverter(QStringLiteral("/nonexistent"));
    QVERIFY2(!m_converter.isEmpty(), "wkhtmltopdf must be installed for the end-to-end tests");
}

void TestEndToEnd::shippedTemplatesMakeAPdf()
{
    TestInstallation installation;
    QVERIFY(installation.isValid());
    Sheet sheet;
    sheet.headline = QStringLiteral("Speed Secrets");
    sheet.subheadline = QStringLiteral("Tools that work");
    sheet.resources = {{QStringLiteral("Image Optimizer"), QStringLiteral("https://example.com/images?a=1&b=2")},
                       {QStringLiteral("Caching---Guide"), QStringLiteral("https://example.com/cache---guide")},
                       {QStringLiteral("Привет Hosting"), QStringLiteral("https://example.org/")}};
    sheet.noteBelowEachResource = true;
    sheet.disclaimer = true;

    SheetBuilder builder(installation.folder());
    QSignalSpy finished(&builder, &SheetBuilder::finished);
    QVERIFY(!builder.build(sheet, QStringLiteral("speed")));
    QVERIFY(finished.wait(120000));
    const auto result = finished.first().at(0).value<BuildResult>();
    QVERIFY2(result.succeeded(), qPrintable(result.problem.value_or(BuildProblem{}).text));

    const QString text = pdfText(result.paths.pdfPath);
    for (const QString& expected : {sheet.headline, sheet.subheadline, sheet.footer, sheet.note})
        QVERIFY2(text.contains(expected), qPrintable(expected));
    for (const ResourceEntry& entry : sheet.resources)
        QVERIFY2(text.contains(entry.linkText), qPrintable(entry.linkText));
    const QString terms = QString::fromUtf8(readAll(installation.path(QStringLiteral("/resources/tos.txt"))));
    QVERIFY(text.contains(terms.section(u'\n', 0, 0).left(30)));
    const QStringList links = pdfLinks(result.paths.pdfPath);
    for (const ResourceEntry& entry : sheet.resources)
        QVERIFY2(links.contains(entry.linkUrl), qPrintable(links.join(u' ')));
}

void TestEndToEnd::throughTheWindowInAnAwkwardFolder()
{
    TestInstallation installation(QStringLiteral("My \"Cheat\" Sheets — Привет's"));
    QVERIFY(installation.isValid());
    ScriptedInteraction interaction;
    MainWindow window(installation.folder(), interaction);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    auto* text = window.findChild<QLineEdit*>(QStringLiteral("txtCTAText"));
    auto* url = window.findChild<QLineEdit*>(QStringLiteral("txtCTAURL"));
    window.findChild<QLineEdit*>(QStringLiteral("txtHeaderTitle"))->setText(QStringLiteral("Launch Checklist"));
    for (const auto& [linkText, linkUrl] : {std::pair{"Domain Finder", "https://example.com/domains"},
                                            std::pair{"Logo Maker", "https://example.net/logo?size=big"}}) {
        text->setText(QString::fromUtf8(linkText));
        url->setText(QString::fromUtf8(linkUrl));
        QTest::keyClick(url, Qt::Key_Return);
    }
    QTest::mouseClick(window.findChild<NavButton*>(QStringLiteral("pageButton2")), Qt::LeftButton);
    window.findChild<QLineEdit*>(QStringLiteral("txtPDFFilename"))->setText(QStringLiteral("launch list"));

    interaction.answer(true);
    QVERIFY2(pressCreateAndWait(window), qPrintable(interaction.last()));

    const QString pdf = installation.path(QStringLiteral("/bin/output/launch-list.pdf"));
    const QString pdfContent = pdfText(pdf);
    QVERIFY(pdfContent.contains(QStringLiteral("Launch Checklist")));
    QVERIFY(pdfContent.contains(QStringLiteral("Domain Finder")));
    QVERIFY(pdfContent.contains(QStringLiteral("OurWebsite.com")));
    QCOMPARE(pdfLinks(pdf), (QStringList{QStringLiteral("https://example.com/domains"),
                                         QStringLiteral("https://example.net/logo?size=big")}));
    QCOMPARE(interaction.openedFolders, QStringList{installation.path(QStringLiteral("/bin/output"))});
}

void TestEndToEnd::generatedResourcesKeepTheirQueries()
{
    TestInstallation installation;
    QVERIFY(installation.isValid());
    ScriptedInteraction interaction;
    MainWindow window(installation.folder(), interaction);
    window.show();
    const QString keywords = QStringLiteral("fast hosting\r\nC++\r\nR&D\r\n#1\r\n");
    window.resources().append(DiscussionResources(keywords, QStringLiteral("Discussions: #KEYWORD#")));
    window.resources().append(VideoResources(keywords, QStringLiteral("Video Tutorials: #KEYWORD#")));
    window.findChild<QLineEdit*>(QStringLiteral("txtHeaderTitle"))->setText(QStringLiteral("Research"));
    window.findChild<QLineEdit*>(QStringLiteral("txtPDFFilename"))->setText(QStringLiteral("research"));

    interaction.answer(false);
    QVERIFY2(pressCreateAndWait(window), qPrintable(interaction.last()));

    const QString pdf = installation.path(QStringLiteral("/bin/output/research.pdf"));
    // The page carries a space as it stands; the converter writes it into the link as %20.
    QCOMPARE(pdfLinks(pdf), (QStringList{QStringLiteral("https://www.quora.com/search?q=fast%20hosting"),
                                         QStringLiteral("https://www.quora.com/search?q=C%2B%2B"),
                                         QStringLiteral("https://www.quora.com/search?q=R%26D"),
                                         QStringLiteral("https://www.quora.com/search?q=%231"),
                                         QStringLiteral("https://www.youtube.com/results?search_query=fast+hosting"),
                                         QStringLiteral("https://www.youtube.com/results?search_query=C%2B%2B"),
                                         QStringLiteral("https://www.youtube.com/results?search_query=R%26D"),
                                         QStringLiteral("https://www.youtube.com/results?search_query=%231")}));
    const QString text = pdfText(pdf);
    QVERIFY(text.contains(QStringLiteral("Discussions: C++")));
    QVERIFY(text.contains(QStringLiteral("Video Tutorials: R&D")));
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
