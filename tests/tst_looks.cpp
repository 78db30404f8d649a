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

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <set>
#define POINTERHOLDER_TRANSITION 4 // the qpdf API without its old pointer type
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

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
            sheet.resources.append({u"Resource %1"_s.arg(i == 1 ? 0 : i), u"https://example.com/%1"_s.arg(i), false,
                                    i % 5 == 2 ? u"Own words %1 <i>"_s.arg(i) : QString()});
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
            QVERIFY2(text.count(u"Resource "_s) == text.count(u"Its note"_s) + text.count(u"Own words "_s),
                     qPrintable(u"page %1 parts a button from its note:\n%2"_s.arg(page + 1).arg(text)));
            // A description, as typed, under its own button; the sheet's note under the others (a row at a time).
            static const QRegularExpression part(u"Resource (\\d+)|Own words (\\d+) <i>|Its note"_s);
            QList<int> buttons;
            for (const QRegularExpressionMatch& match : part.globalMatch(text)) {
                if (!match.captured(1).isEmpty()) {
                    buttons.append(match.captured(1).toInt());
                    continue;
                }
                const int button = buttons.isEmpty() ? -1 : buttons.takeFirst();
                QVERIFY2(button >= 0 && match.captured(2) == (button % 5 == 2 ? u"%1"_s.arg(button) : QString()),
                         qPrintable(u"page %1: %2 under button %3:\n%4"_s.arg(page + 1)
                                        .arg(match.captured())
                                        .arg(button)
                                        .arg(text)));
            }
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

        // Chromium's tick boxes are check boxes, each on its item's drawn box (the unticked field draws nothing) and
        // page; wkhtmltopdf's are drawn only. Either way the buttons are the only links.
        static const QRegularExpression link(u"/Subtype\\s*/Link\\b"_s);
        QCOMPARE(QString::fromLatin1(readAll(result.paths.pdfPath)).count(link), resources);
        if (look != u"checklist")
            return;
        QCOMPARE(info.contains(u"Form:            AcroForm"_s), engine == EngineChoice::Chromium);
        QProcess qpdf;
        qpdf.start(u"qpdf"_s, {u"--json=2"_s, u"--json-key=acroform"_s, u"--json-key=qpdf"_s, result.paths.pdfPath});
        QVERIFY(qpdf.waitForFinished(30000));
        const QJsonDocument json = QJsonDocument::fromJson(qpdf.readAllStandardOutput());
        const QJsonArray fields = json[u"acroform"_s][u"fields"_s].toArray();
        QCOMPARE(fields.size(), engine == EngineChoice::Chromium ? resources : 0);
        QList<int> perPage(pages.size());
        QSet<QString> names; // the two items "Resource 0" too
        QImage render;
        for (int i = 0, shown = 0; i < fields.size(); ++i) {
            const QJsonObject field = fields.at(i).toObject();
            QVERIFY(field[u"ischeckbox"_s].toBool());
            QCOMPARE(field[u"alternativename"_s].toString(), u"Resource %1"_s.arg(i == 1 ? 0 : i));
            names.insert(field[u"fullname"_s].toString());
            const int page = field[u"pageposfrom1"_s].toInt();
            QVERIFY(page >= 1 && page <= perPage.size());
            ++perPage[page - 1];
            if (page != shown) {
                const QString image = u"%1-page"_s.arg(result.paths.pdfPath);
                QCOMPARE(QProcess::execute(u"pdftoppm"_s,
                                           {u"-r"_s, u"144"_s, u"-f"_s, QString::number(page), u"-l"_s,
                                            QString::number(page), u"-singlefile"_s, result.paths.pdfPath, image}),
                         0);
                QVERIFY(render.load(image + u".ppm"_s));
                shown = page;
            }
            // Two pixels a point: the box's border shows just inside each side of the field, and not at its centre.
            const QJsonArray rect =
                json[u"qpdf"_s][1][u"obj:"_s + field[u"object"_s].toString()][u"value"_s][u"/Rect"_s].toArray();
            const double left = rect[0].toDouble() * 2, right = rect[2].toDouble() * 2;
            const double top = render.height() - rect[3].toDouble() * 2,
                         bottom = render.height() - rect[1].toDouble() * 2;
            const auto shade = [&render](double x, double y) { return qGray(render.pixel(int(x), int(y))); };
            const double midX = (left + right) / 2, midY = (top + bottom) / 2;
            QVERIFY2(std::max({shade(left + 1, midY), shade(right - 1, midY), shade(midX, top + 1),
                               shade(midX, bottom - 1)}) < 200 &&
                         shade(midX, midY) > 240,
                     qPrintable(u"field %1 is not on its box"_s.arg(i)));
        }
        QCOMPARE(names.size(), fields.size());
        for (int page = 0; engine == EngineChoice::Chromium && page < pages.size(); ++page)
            QCOMPARE(perPage.at(page), int(pages.at(page).count(u"Resource "_s)));
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
            sheet.resources.append({u"Resource %1"_s.arg(i), u"https://example.com/%1"_s.arg(i), false,
                                    i % 5 == 2 ? u"Own words %1 <i>"_s.arg(i) : QString()});
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

    void accessible_data()
    {
        QTest::addColumn<QString>("look");
        QTest::addColumn<QString>("logoText");
        QTest::addColumn<QString>("alt");
        QTest::newRow("classic, described logo") << u"classic"_s << u"Orvanta \"Logo\""_s << u"Orvanta \"Logo\""_s;
        QTest::newRow("compact, the footer's text") << u"compact"_s << QString() << u"Beispiel & Co"_s;
        QTest::newRow("checklist, blank") << u"checklist"_s << u"  "_s << u"Beispiel & Co"_s;
    }

    // Chromium's PDF for screen readers: the sheet's language, the title shown, each link annotation described by its
    // text, the logo's alternative text, metadata claiming it, and nothing drawn outside the tags but artifacts.
    void accessible()
    {
        QFETCH(QString, look);
        QFETCH(QString, logoText);
        QFETCH(QString, alt);
        if (!engineRuns(EngineChoice::Chromium) || FindChromium().isEmpty())
            QSKIP("Chromium is not installed or not tested in this run");
        Sheet sheet;
        std::tie(sheet.look, sheet.language, sheet.qrCodes, sheet.logoText) = std::tuple(look, u"de"_s, true, logoText);
        std::tie(sheet.headline, sheet.footer) = std::tuple(u"Werkzeuge"_s, u"<b>Beispiel</b> &amp; Co"_s);
        sheet.logo = u"data:image/svg+xml;base64,"_s +
                     QString::fromLatin1(QByteArray("<svg xmlns='http://www.w3.org/2000/svg' width='40' height='20'>"
                                                    "<rect width='40' height='20' fill='red'/></svg>")
                                             .toBase64());
        QStringList texts;
        for (int i = 0; i < 25; ++i) {
            if (i % 9 == 0)
                sheet.resources.append(HeadingEntry(u"Abschnitt %1"_s.arg(i)));
            sheet.resources.append({u"Werkzeug <b>%1</b> &amp; mehr"_s.arg(i), u"https://example.com/w/%1"_s.arg(i)});
            texts << u"Werkzeug %1 & mehr"_s.arg(i);
        }
        m_builder->setEngine(EngineChoice::Chromium);
        QSignalSpy finished(m_builder.get(), &SheetBuilder::finished);
        QVERIFY(!m_builder->build(sheet, u"accessible-"_s + look));
        QVERIFY(finished.wait(60000));
        QPDF pdf;
        pdf.processFile(QFile::encodeName(finished.first().at(0).value<BuildResult>().paths.pdfPath).constData());
        QPDFObjectHandle root = pdf.getRoot();
        QCOMPARE(root.getKey("/Lang").getUTF8Value(), "de");
        QCOMPARE(root.getKey("/ViewerPreferences").getKey("/DisplayDocTitle").unparse(), "true");
        QCOMPARE(root.getKey("/MarkInfo").getKey("/Marked").unparse(), "true");
        QVERIFY(root.getKey("/Metadata").isStream());
        const auto data = root.getKey("/Metadata").getStreamData(qpdf_dl_generalized);
        const std::string xmp(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
        QVERIFY2(xmp.find("<pdfuaid:part>1</pdfuaid:part>") != std::string::npos, xmp.c_str());
        QStringList contents;
        int unmarked = 0;
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
            for (QPDFAnnotationObjectHelper& annotation : page.getAnnotations("/Link"))
                contents << QString::fromStdString(annotation.getObjectHandle().getKey("/Contents").getUTF8Value());
            Painting painting;
            page.parseContents(&painting);
            unmarked += painting.unmarked;
        }
        QCOMPARE(contents, texts);
        QCOMPARE(unmarked, 0);
        QStringList figures;
        for (QPDFObjectHandle object : pdf.getAllObjects())
            if (object.isDictionary() && object.getKey("/S").isNameAndEquals("/Figure"))
                figures << QString::fromStdString(object.getKey("/Alt").getUTF8Value());
        QCOMPARE(figures, QStringList{alt});
    }

private:
    // Counts the painting operators outside marked content with an MCID or an /Artifact tag.
    struct Painting : QPDFObjectHandle::ParserCallbacks {
        void handleObject(QPDFObjectHandle object) override
        {
            if (!object.isOperator()) {
                operands.push_back(object);
                return;
            }
            const std::string op = object.getOperatorValue();
            static const std::set<std::string> paints{"Tj", "TJ", "'",  "\"", "Do", "sh", "S",  "s",
                                                      "f",  "F",  "f*", "B",  "B*", "b",  "b*", "BI"};
            if (op == "BMC" || op == "BDC") {
                const bool artifact = operands.size() > 0 && operands.front().isNameAndEquals("/Artifact");
                const bool mcid = op == "BDC" && operands.back().isDictionary() && operands.back().hasKey("/MCID");
                tagged.push_back(artifact || mcid || (!tagged.empty() && tagged.back()));
            } else if (op == "EMC" && !tagged.empty()) {
                tagged.pop_back();
            } else if (paints.count(op) && (tagged.empty() || !tagged.back())) {
                ++unmarked;
            }
            operands.clear();
        }
        void handleEOF() override { operands.clear(); }

        std::vector<QPDFObjectHandle> operands;
        std::vector<bool> tagged;
        int unmarked = 0;
    };

    TestInstallation m_installation;
    std::unique_ptr<SheetBuilder> m_builder;
};

QTEST_GUILESS_MAIN(TestLooks)
#include "tst_looks.moc"
