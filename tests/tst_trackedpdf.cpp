// SPDX-License-Identifier: GPL-3.0-or-later
// Click tracking and QR codes through a real converter, read back from the PDF: its link annotations and the QR
// codes on its rendered pages (zbarimg) carry the tagged links.
#include "TestSupport.h"
#include "engines/Conversion.h"
#include "pipeline/SheetBuilder.h"
#include "sheet/Sheet.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>

using namespace orvanta;

class TestTrackedPdf : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // One row per engine that renders sheets.
    void linksAndCodes_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::newRow("wkhtmltopdf") << u"wkhtmltopdf"_s;
        QTest::newRow("Chromium") << u"chromium"_s;
    }

    // The link's own query and fragment stay, and a tag it already has is not replaced.
    void linksAndCodes()
    {
        QFETCH(QString, engine);
        TestInstallation installation;
        const EngineChoice choice = *EngineChoiceFromKey(engine);
        if (ResolveEngine(installation.folder(), choice).program.isEmpty())
            QSKIP("the engine is not installed here");
        Sheet sheet;
        sheet.headline = u"Tracked"_s;
        sheet.resources = {{u"Query and fragment"_s, u"https://example.net/a?x=1&y=two#top"_s},
                           {u"Own tag"_s, u"https://example.net/b?utm_source=partner"_s},
                           {u"Plain"_s, u"http://example.org/"_s},
                           {u"Mail"_s, u"mailto:team@example.net"_s}};
        std::tie(sheet.campaignSource, sheet.campaignMedium, sheet.campaignName, sheet.qrCodes) =
            std::tuple(u"newsletter"_s, u"pdf"_s, u"spring sale"_s, true);
        const QString tags = u"utm_medium=pdf&utm_campaign=spring%20sale"_s;
        QStringList tagged{u"https://example.net/a?x=1&y=two&utm_source=newsletter&%1#top"_s.arg(tags),
                           u"https://example.net/b?utm_source=partner&%1"_s.arg(tags),
                           u"http://example.org/?utm_source=newsletter&%1"_s.arg(tags), u"mailto:team@example.net"_s};
        SheetBuilder builder(installation.folder());
        builder.setEngine(choice);
        QSignalSpy finished(&builder, &SheetBuilder::finished);
        QVERIFY(!builder.build(sheet, u"tracked"_s));
        QVERIFY(finished.wait(60000));
        const QString pdf = finished.first().at(0).value<BuildResult>().paths.pdfPath;
        QCOMPARE(pdfLinks(pdf), tagged);

        QTemporaryDir pages;
        QProcess zbar;
        zbar.setWorkingDirectory(pages.path());
        zbar.start(u"sh"_s, {u"-c"_s,
                             u"pdftoppm -r 300 -png \"$0\" page && zbarimg --raw -q -Sdisable -Sqrcode.enable "_s
                             u"page*.png | LC_ALL=C sort"_s,
                             pdf});
        QVERIFY(zbar.waitForFinished(60000));
        tagged.sort();
        QCOMPARE(QString::fromUtf8(zbar.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts), tagged);
    }
};

QTEST_GUILESS_MAIN(TestTrackedPdf)
#include "tst_trackedpdf.moc"
