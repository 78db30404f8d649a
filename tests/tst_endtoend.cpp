// The shipped templates through the real converter, as the user gets them.
#include "ScriptedInteraction.h"
#include "TestSupport.h"
#include "app/MainWindow.h"
#include "app/NavButton.h"
#include "build/Conversion.h"
#include "build/OutputFiles.h"
#include "build/PageFiller.h"
#include "build/PdfConverter.h"
#include "resourcelist/KeywordResources.h"
#include "support/TextFile.h"

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
    PageTemplates templates;
    const FileResult loaded = LoadTemplates(installation.folder(), true, templates);
    QVERIFY2(loaded.ok(), qPrintable(loaded.message));

    PageContent content;
    content.headline = QStringLiteral("Speed Secrets");
    content.subheadline = QStringLiteral("Tools that work");
    content.footer = QStringLiteral("OurWebsite.com");
    content.resources = {{QStringLiteral("Image Optimizer"), QStringLiteral("https://example.com/images?a=1&b=2")},
                         {QStringLiteral("Caching---Guide"), QStringLiteral("https://example.com/cache---guide")},
                         {QStringLiteral("Привет Hosting"), QStringLiteral("https://example.org/")}};
    content.textBelowEachResource = true;
    content.belowResourceText = QStringLiteral("CTRL + Click: Opens the Link in a New Tab.");
    content.disclaimerEnabled = true;

    const OutputPaths paths = FormOutputPaths(installation.folder(), QStringLiteral("speed"));
    QVERIFY(SaveTextFile(paths.pagePath, FillPage(templates, content)).ok());
    QDir().mkpath(QFileInfo(paths.pdfPath).absolutePath());
    PdfConverter converter;
    QSignalSpy finished(&converter, &PdfConverter::finished);
    converter.start(m_converter, paths.pagePath, paths.pdfPath, 120s);
    QVERIFY(finished.wait(120000));
    const auto result = finished.first().at(0).value<ConversionResult>();
    QVERIFY2(result.succeeded(), qPrintable(ConversionFailureMessage(result, paths.pdfPath, 120s)));

    const QString text = pdfText(paths.pdfPath);
    for (const QString& expected : {content.headline, content.subheadline, content.footer,
                                    QStringLiteral("CTRL + Click: Opens the Link in a New Tab.")})
        QVERIFY2(text.contains(expected), qPrintable(expected));
    for (const ResourceEntry& entry : content.resources)
        QVERIFY2(text.contains(entry.linkText), qPrintable(entry.linkText));
    QVERIFY(text.contains(templates.disclaimer.section(u'\n', 0, 0).left(30)));
    const QStringList links = pdfLinks(paths.pdfPath);
    for (const ResourceEntry& entry : content.resources)
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
    QVERIFY2(pressCreateAndWait(window), qPrintable(interaction.last().text));

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
    QVERIFY2(pressCreateAndWait(window), qPrintable(interaction.last().text));

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
