// Click tracking and QR codes through a real converter, read back from the PDF: its link annotations and the QR
// codes on its rendered pages (zbarimg) carry the tagged links.
#include "TestSupport.h"
#include "core/Sheet.h"
#include "core/SheetBuilder.h"

#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

using namespace orvanta;

namespace {

// What every QR code on the PDF's pages says, sorted.
QStringList qrCodesOnPages(const QString& pdf)
{
    QTemporaryDir pages;
    if (QProcess::execute(u"pdftoppm"_s, {u"-r"_s, u"300"_s, u"-png"_s, pdf, pages.filePath(u"page"_s)}) != 0)
        return {u"pdftoppm failed"_s};
    QStringList images;
    for (const QString& image : QDir(pages.path()).entryList(QDir::Files))
        images.append(pages.filePath(image));
    QProcess zbar;
    zbar.start(u"zbarimg"_s, QStringList{u"--raw"_s, u"-q"_s, u"-Sdisable"_s, u"-Sqrcode.enable"_s} + images);
    zbar.waitForFinished(60000);
    QStringList codes = QString::fromUtf8(zbar.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    codes.sort();
    return codes;
}

} // namespace

class TestTrackedPdf : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // One row per engine that renders sheets.
    void linksAndCodes_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::newRow("wkhtmltopdf") << u"wkhtmltopdf"_s;
    }

    // The link's own query and fragment stay, and a tag it already has is not replaced.
    void linksAndCodes()
    {
        QFETCH(QString, engine);
        QVERIFY2(!QStandardPaths::findExecutable(engine).isEmpty(), qPrintable(engine + u" must be installed"_s));
        TestInstallation installation;
        QVERIFY(installation.isValid());
        Sheet sheet;
        sheet.headline = u"Tracked"_s;
        sheet.resources = {{u"Query and fragment"_s, u"https://example.net/a?x=1&y=two#part"_s},
                           {u"Own tag"_s, u"https://example.net/b?utm_source=partner"_s},
                           {u"Plain"_s, u"http://example.org/"_s},
                           {u"Mail"_s, u"mailto:team@example.net"_s}};
        sheet.campaignSource = u"newsletter"_s;
        sheet.campaignMedium = u"pdf"_s;
        sheet.campaignName = u"spring sale"_s;
        sheet.qrCodes = true;
        const QString tags = u"utm_medium=pdf&utm_campaign=spring%20sale"_s;
        QStringList tagged{u"https://example.net/a?x=1&y=two&utm_source=newsletter&%1#part"_s.arg(tags),
                           u"https://example.net/b?utm_source=partner&%1"_s.arg(tags),
                           u"http://example.org/?utm_source=newsletter&%1"_s.arg(tags), u"mailto:team@example.net"_s};

        SheetBuilder builder(installation.folder());
        QSignalSpy finished(&builder, &SheetBuilder::finished);
        QVERIFY(!builder.build(sheet, u"tracked"_s));
        QVERIFY(finished.wait(60000));
        const BuildResult result = finished.first().at(0).value<BuildResult>();
        QVERIFY2(result.succeeded(), qPrintable(result.problem.value_or(BuildProblem{}).text));
        QCOMPARE(pdfLinks(result.paths.pdfPath), tagged);
        tagged.sort();
        QCOMPARE(qrCodesOnPages(result.paths.pdfPath), tagged);
    }
};

QTEST_GUILESS_MAIN(TestTrackedPdf)
#include "tst_trackedpdf.moc"
