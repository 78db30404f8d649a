// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped looks printed by both engines at the counts around a page break: a button never parts from its note,
// the footer stays with the disclaimer, a heading never ends a page alone, and the PDF has the sheet's paper and
// the headline as its title.
#include "TestSupport.h"
#include "engines/PdfEngine.h"
#include "page/LinkTagging.h"
#include "pipeline/SheetBuilder.h"
#include "sheet/Design.h"
#include "sheet/Sheet.h"
#include "words/BuildWords.h"

#include <QImage>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace orvanta;

Q_DECLARE_METATYPE(orvanta::EngineChoice)

namespace {

// CTest runs this twice, once an engine, so that the two halves run side by side.
bool engineRuns(EngineChoice engine)
{
    const QString only = qEnvironmentVariable("ORVANTA_TEST_ENGINE");
    return only.isEmpty() || only == EngineChoiceKey(engine);
}

} // namespace

class TestLooks : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(!m_installation.folder().isEmpty());
        QVERIFY(writeAll(m_installation.path(u"/resources/tos.txt"_s), "Disclaimer words."));
        m_builder = std::make_unique<SheetBuilder>(m_installation.folder()); // one warm browser for the run
    }

    void keptTogether_data()
    {
        QTest::addColumn<QString>("look");
        QTest::addColumn<EngineChoice>("engine");
        QTest::addColumn<int>("resources");
        for (const QString& look : {u"classic"_s, u"compact"_s, u"checklist"_s}) {
            for (const EngineChoice engine : {EngineChoice::Wkhtmltopdf, EngineChoice::Chromium}) {
                for (const int resources : {8, 9, 30, 31}) {
                    if (!engineRuns(engine))
                        continue;
                    QTest::addRow("%s, %s, %d", qPrintable(look), qPrintable(EngineChoiceKey(engine)), resources)
                        << look << engine << resources;
                }
            }
        }
    }

    void keptTogether()
    {
        QFETCH(QString, look);
        QFETCH(EngineChoice, engine);
        QFETCH(int, resources);
        if (engine == EngineChoice::Wkhtmltopdf && FindWkhtmltopdf(u"/nonexistent"_s).isEmpty())
            QSKIP("wkhtmltopdf is not installed");
        Sheet sheet;
        sheet.headline = u"<b>Keep</b> &amp; Together"_s;
        sheet.footer = u"Footer line"_s;
        sheet.disclaimer = sheet.noteBelowEachResource = true;
        sheet.note = u"Its note"_s;
        sheet.look = look;
        sheet.pageSize = resources % 2 ? u"Letter"_s : u"A4"_s;
        for (int i = 0; i < resources; ++i) {
            if (i % 7 == 6)
                sheet.resources.append(HeadingEntry(u"Section %1"_s.arg(i)));
            sheet.resources.append({u"Resource %1"_s.arg(i), u"https://example.com/%1"_s.arg(i)});
        }
        SheetBuilder& builder = *m_builder;
        builder.setEngine(engine);
        QSignalSpy finished(&builder, &SheetBuilder::finished);
        QVERIFY(!builder.build(sheet, u"%1-%2"_s.arg(look).arg(resources)));
        QVERIFY(finished.wait(60000));
        const BuildResult result = finished.first().at(0).value<BuildResult>();
        QVERIFY2(result.succeeded(),
                 qPrintable(BuildWords::buildProblem(result.problem.value_or(BuildProblem{})).text));
        QVERIFY(result.missingLook.isEmpty());

        const QString info = pdfInfo(result.paths.pdfPath);
        QVERIFY2(info.contains(u"Title:           Keep & Together\n"_s), qPrintable(info));
        QVERIFY2(info.contains(resources % 2 ? u"Page size:       612 x 792 pts"_s : u"Page size:       595"_s),
                 qPrintable(info));
        const QStringList pages = pdfText(result.paths.pdfPath).split(u'\f');
        static const QRegularExpression lastHeading(u"Section \\d+(?![\\s\\S]*Section)"_s);
        int footerPage = -1;
        int disclaimerPage = -1;
        for (int page = 0; page < pages.size(); ++page) {
            const QString& text = pages.at(page);
            QVERIFY2(text.count(u"Resource "_s) == text.count(u"Its note"_s),
                     qPrintable(u"page %1 parts a button from its note:\n%2"_s.arg(page + 1).arg(text)));
            const QRegularExpressionMatch heading = lastHeading.match(text);
            QVERIFY2(!heading.hasMatch() || text.indexOf(u"Resource "_s, heading.capturedEnd()) > 0,
                     qPrintable(u"page %1 ends with a heading:\n%2"_s.arg(page + 1).arg(text)));
            if (text.contains(u"Footer line"_s))
                footerPage = page;
            if (text.contains(u"Disclaimer words"_s))
                disclaimerPage = page;
        }
        QVERIFY(footerPage >= 0);
        QCOMPARE(disclaimerPage, footerPage);
    }

    void printedText_data()
    {
        QTest::addColumn<QString>("look");
        QTest::addColumn<QString>("accent");
        const QStringList accents{u"#ffd400"_s, u"#ffffff"_s, u"#000000"_s, u"#7fdbff"_s, design::DefaultAccent};
        for (const QString& look : {u"classic"_s, u"compact"_s, u"checklist"_s})
            for (const QString& accent : accents)
                QTest::addRow("%s, %s", qPrintable(look), qPrintable(accent)) << look << accent;
    }

    // Addresses printed without their links' tags, readable text on the accent, no lone last word in the headline.
    void printedText()
    {
        QFETCH(QString, look);
        QFETCH(QString, accent);
        Sheet sheet;
        std::tie(sheet.look, sheet.accent, sheet.campaignSource) = std::tuple(look, accent, u"news"_s);
        sheet.headline = u"<div style=\"width: 10.5em\">aaaa bbbb cccc dddd</div>"_s;
        sheet.resources.append({u"Guide"_s, u"https://www.example.com/guide?q=1#top"_s});
        const EngineChoice engine =
            engineRuns(EngineChoice::Chromium) ? EngineChoice::Chromium : EngineChoice::Wkhtmltopdf;
        if (engine == EngineChoice::Wkhtmltopdf && FindWkhtmltopdf(u"/nonexistent"_s).isEmpty())
            QSKIP("wkhtmltopdf is not installed");
        m_builder->setEngine(engine);
        QSignalSpy finished(m_builder.get(), &SheetBuilder::finished);
        QVERIFY(!m_builder->build(sheet, u"printed"_s));
        QVERIFY(finished.wait(60000));
        const OutputPaths paths = finished.first().at(0).value<BuildResult>().paths;
        const QString text = pdfText(paths.pdfPath);
        QVERIFY2(!text.contains(u"utm_"_s) && text.contains(u"example.com/guide"_s) == (look == u"checklist"),
                 qPrintable(text));
        QVERIFY(pdfLinks(paths.pdfPath).contains(u"https://www.example.com/guide?q=1&utm_source=news#top"_s));
        QVERIFY2(QRegularExpression(u".*dddd.*"_s).match(text).captured().contains(u"cccc"_s), qPrintable(text));
        const QRegularExpressionMatch onAccent =
            QRegularExpression(u"background: *%1;[^}]*[^-]color: *(#\\w+)"_s.arg(accent))
                .match(QString::fromUtf8(readAll(paths.pagePath)));
        QCOMPARE(onAccent.hasMatch(), look != u"checklist");
        QVERIFY(!onAccent.hasMatch() || ContrastRatio(onAccent.captured(1), accent) >= design::ReadableContrast);
    }

    void qrCodes_data()
    {
        QTest::addColumn<QString>("look");
        QTest::addColumn<EngineChoice>("engine");
        for (const QString& look : {u"classic"_s, u"compact"_s, u"checklist"_s})
            for (const EngineChoice engine : {EngineChoice::Wkhtmltopdf, EngineChoice::Chromium})
                if (engineRuns(engine))
                    QTest::addRow("%s, %s", qPrintable(look), qPrintable(EngineChoiceKey(engine))) << look << engine;
    }

    // Every code reads from a 150 dpi scan of the page with all but its black taken away, and no code covers a word
    // of a link's text: the codes are the only black on the page.
    void qrCodes()
    {
        QFETCH(QString, look);
        QFETCH(EngineChoice, engine);
        if (engine == EngineChoice::Wkhtmltopdf && FindWkhtmltopdf(u"/nonexistent"_s).isEmpty())
            QSKIP("wkhtmltopdf is not installed");
        Sheet sheet;
        sheet.headline = u"Codes"_s;
        sheet.look = look;
        sheet.qrCodes = true;
        sheet.campaignName = u"email-toolkit-2025"_s;
        QStringList linkWords;
        QStringList tagged;
        for (const QString& text : {u"Mailchimp Email Benchmarks by Industry"_s, u"Short"_s,
                                    u"Campaign Monitor Segmentation Guide and Templates"_s, u"Double Opt-In"_s}) {
            sheet.resources.append({text, u"https://www.example.com/guides/"_s + QString(text.size() * 3, u'x')});
            linkWords << text.split(u' ');
            tagged << TaggedUrl(sheet.resources.last().linkUrl, sheet);
        }
        m_builder->setEngine(engine);
        QSignalSpy finished(m_builder.get(), &SheetBuilder::finished);
        QVERIFY(!m_builder->build(sheet, u"qr-"_s + look));
        QVERIFY(finished.wait(60000));
        const QString pdf = finished.first().at(0).value<BuildResult>().paths.pdfPath;
        QTemporaryDir scans;
        QCOMPARE(QProcess::execute(u"pdftoppm"_s, {u"-r"_s, u"150"_s, u"-gray"_s, pdf, scans.filePath(u"p"_s)}), 0);
        QCOMPARE(QProcess::execute(u"pdftotext"_s, {u"-bbox"_s, pdf, scans.filePath(u"words"_s)}), 0);
        static const QRegularExpression word(u"<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                                             "yMax=\"([\\d.]+)\">([^<]*)</word>|<page "_s);
        QStringList codes;
        QImage scan;
        for (auto it = word.globalMatch(QString::fromUtf8(readAll(scans.filePath(u"words"_s)))); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            if (match.captured(5).isEmpty()) {
                QVERIFY(scan.load(scans.filePath(u"p-%1.pgm"_s.arg(codes.size() + 1))));
                for (qsizetype i = 0; i < scan.sizeInBytes(); ++i)
                    scan.bits()[i] = scan.bits()[i] < 8 ? 0 : 255;
                codes << scans.filePath(u"codes-%1.png"_s.arg(codes.size() + 1));
                QVERIFY(scan.save(codes.last()));
            } else if (linkWords.contains(match.captured(5))) {
                const auto px = [&](int i) { return int(match.captured(i).toDouble() * 150 / 72); };
                for (int y = px(2); y <= px(4); ++y)
                    for (int x = px(1); x <= px(3); ++x)
                        QVERIFY2(scan.constScanLine(y)[x], qPrintable(u"a code covers %1"_s.arg(match.captured(5))));
            }
        }
        QProcess zbar;
        zbar.start(u"zbarimg"_s, QStringList{u"--nodbus"_s, u"-q"_s, u"--raw"_s} + codes);
        QVERIFY(zbar.waitForFinished(60000));
        QStringList read = QString::fromUtf8(zbar.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        read.sort();
        tagged.sort();
        QCOMPARE(read, tagged); // each code once
    }

    // A sheet asked to fit on one page: 25 buttons of three lines, two pages at full size, fit at a smaller scale with
    // every link; 200 do not, and the build says how many pages they take, which is what the PDF has.
    void fitOnOnePage_data()
    {
        QTest::addColumn<EngineChoice>("engine");
        QTest::addColumn<int>("resources");
        for (const EngineChoice engine : {EngineChoice::Wkhtmltopdf, EngineChoice::Chromium}) {
            for (const int resources : {25, 200}) {
                if (engineRuns(engine))
                    QTest::addRow("%s, %d", qPrintable(EngineChoiceKey(engine)), resources) << engine << resources;
            }
        }
    }

    void fitOnOnePage()
    {
        QFETCH(EngineChoice, engine);
        QFETCH(int, resources);
        if (engine == EngineChoice::Wkhtmltopdf && FindWkhtmltopdf(u"/nonexistent"_s).isEmpty())
            QSKIP("wkhtmltopdf is not installed");
        Sheet sheet;
        sheet.headline = u"Fitted"_s;
        sheet.look = u"compact"_s;
        sheet.fitPages = 1;
        sheet.noteBelowEachResource = true;
        for (int i = 0; i < resources; ++i)
            sheet.resources.append(
                {u"Resource %1 with a title long enough to wrap onto a second line and then onto a third one"_s.arg(i),
                 u"https://example.com/%1"_s.arg(i)});
        m_builder->setEngine(engine);
        QSignalSpy finished(m_builder.get(), &SheetBuilder::finished);
        QVERIFY(!m_builder->build(sheet, u"fit-%1"_s.arg(resources)));
        QVERIFY(finished.wait(60000));
        const BuildResult result = finished.first().at(0).value<BuildResult>();
        QVERIFY(result.succeeded());
        static const QRegularExpression pagesLine(u"Pages: +(\\d+)"_s);
        const int pages = pagesLine.match(pdfInfo(result.paths.pdfPath)).captured(1).toInt();
        const bool fits = resources == 25;
        QCOMPARE(pages == 1, fits);
        QCOMPARE(pdfLinks(result.paths.pdfPath).size(), resources);
        QCOMPARE(result.pagesNeeded, fits ? 0 : pages);
        QCOMPARE(BuildWords::buildWarnings(result).join(u' ').contains(u"takes %1 pages"_s.arg(pages)), !fits);
    }

    // Compact exists to fit a sheet on fewer pages: at least 1.8 times the buttons of a Classic page.
    void compactFitsMore()
    {
        if (!engineRuns(EngineChoice::Chromium))
            QSKIP("measured with Chromium");
        Sheet sheet;
        sheet.headline = u"Dense"_s;
        for (int i = 0; i < 80; ++i)
            sheet.resources.append({u"Resource %1"_s.arg(i), u"https://example.com/%1"_s.arg(i)});
        SheetBuilder& builder = *m_builder;
        builder.setEngine(EngineChoice::Chromium);
        int secondPage[2] = {};
        for (const QString& look : {u"classic"_s, u"compact"_s}) {
            sheet.look = look;
            QSignalSpy finished(&builder, &SheetBuilder::finished);
            QVERIFY(!builder.build(sheet, look));
            QVERIFY(finished.wait(60000));
            const QString pdf = finished.first().at(0).value<BuildResult>().paths.pdfPath;
            secondPage[look == u"compact"] = int(pdfText(pdf).split(u'\f').value(1).count(u"Resource "_s));
        }
        QVERIFY2(secondPage[1] >= 1.8 * secondPage[0],
                 qPrintable(u"compact %1, classic %2 on a full page"_s.arg(secondPage[1]).arg(secondPage[0])));
    }

private:
    TestInstallation m_installation;
    std::unique_ptr<SheetBuilder> m_builder;
};

QTEST_GUILESS_MAIN(TestLooks)
#include "tst_looks.moc"
