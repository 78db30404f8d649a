// SPDX-License-Identifier: GPL-3.0-or-later
// Both engines print a sheet alike: as many pages, each button on the same one, every page break the planned one.
// Sheets come from seeds: ORVANTA_AGREEMENT_SEEDS sets how many, ORVANTA_AGREEMENT_KEEP where they and their PDFs go
// (scripts/compare-engines).
#include "TestSupport.h"
#include "engines/Conversion.h"
#include "pipeline/SheetBuilder.h"
#include "sheet/Design.h"
#include "sheet/SheetFile.h"
#include "words/BuildWords.h"

#include <QMap>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace orvanta;

Q_DECLARE_METATYPE(orvanta::EngineChoice)
Q_DECLARE_METATYPE(orvanta::Sheet)

namespace {

using Printed = Expected<QStringList, QString>; // a PDF's pages in pdftotext's words, or why there is no PDF

// A sheet of its own for each seed: any look and paper, 1 to 40 buttons whose link texts start with R1, R2, ..., and
// headings, descriptions, note, QR codes, logo, footer, disclaimer and campaign tags here and there. Other words are
// lower case.
Sheet VariedSheet(quint32 seed)
{
    QRandomGenerator rng(seed);
    const auto chance = [&rng](int percent) { return int(rng.bounded(100)) < percent; };
    const auto words = [&rng, &chance](int least, int most) { // one letter each, one word in ten a long one
        QStringList text;
        for (int n = rng.bounded(least, most + 1); n > 0; --n)
            text.append(QString(chance(10) ? rng.bounded(16, 32) : rng.bounded(1, 10), QChar(u'a' + rng.bounded(26))));
        return text.join(u' ');
    };
    Sheet sheet;
    sheet.look = QStringList{u"classic"_s, u"compact"_s, u"checklist"_s}.at(rng.bounded(3));
    sheet.pageSize = chance(50) ? design::A4 : design::Letter;
    sheet.headline = words(1, 10);
    sheet.subheadline = chance(50) ? words(3, 20) : QString();
    sheet.footer = chance(70) ? words(1, 6) : QString();
    sheet.disclaimer = chance(50);
    sheet.noteBelowEachResource = chance(40);
    sheet.note = words(2, 9);
    sheet.qrCodes = chance(40);
    sheet.campaignSource = sheet.campaignMedium = sheet.campaignName = chance(30) ? words(1, 1) : QString();
    if (chance(40))
        sheet.logo = *LogoDataUri("<svg xmlns='http://www.w3.org/2000/svg' width='120' height='40'/>");
    for (int i = 1, count = rng.bounded(1, 41); i <= count; ++i) {
        if (chance(12))
            sheet.resources.append(HeadingEntry(words(1, 5)));
        sheet.resources.append({u"R%1 "_s.arg(i) + words(0, 11), u"https://example.com/%1?q=%2"_s.arg(i).arg(seed),
                                false, chance(25) ? words(1, 30) : QString()});
    }
    sheet.fitPages = chance(30) ? rng.bounded(1, MostFitPages + 1) : 0;
    return sheet;
}

// Where the buttons are, "R1 on page 1", ..., in the order of their numbers.
QStringList Placed(const QStringList& pages)
{
    static const QRegularExpression token(u"\\bR(\\d+)\\b"_s);
    QMap<int, QString> placed;
    for (qsizetype page = 0; page < pages.size(); ++page) {
        for (const QRegularExpressionMatch& match : token.globalMatch(pages[page]))
            placed.insert(match.captured(1).toInt(), u"%1 on page %2"_s.arg(match.captured()).arg(page + 1));
    }
    return placed.values();
}

} // namespace

class TestAgreement : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (FindWkhtmltopdf(u"/nonexistent"_s).isEmpty())
            QSKIP("wkhtmltopdf is not installed");
    }

    void sameDocument_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= qEnvironmentVariable("ORVANTA_AGREEMENT_SEEDS", u"6"_s).toUInt(); ++seed)
            QTest::addRow("seed %u", seed) << seed;
    }

    void sameDocument()
    {
        QFETCH(quint32, seed);
        const Sheet sheet = VariedSheet(seed);
        const QString stem = qEnvironmentVariable("ORVANTA_AGREEMENT_KEEP", m_folder.path()) + u"/seed-%1"_s.arg(seed);
        QVERIFY(!SaveSheet(stem + u".orvanta"_s, sheet));
        const Printed printed[2] = {print(sheet, stem, EngineChoice::Wkhtmltopdf),
                                    print(sheet, stem, EngineChoice::Chromium)};
        for (const Printed& pages : printed)
            QVERIFY2(pages, qPrintable(pages ? QString() : pages.error()));
        QVERIFY(readAll(stem + u"-chromium.pdf"_s).contains("/StructTreeRoot")); // tagged
        const QStringList wkhtmltopdf = Placed(*printed[0]), chromium = Placed(*printed[1]);
        QCOMPARE(wkhtmltopdf, chromium);
        QCOMPARE(printed[0]->size(), printed[1]->size());
        QCOMPARE(wkhtmltopdf.size(), std::ranges::count(sheet.resources, false, &ResourceEntry::heading));
        for (const Printed& pages : printed) { // a page the engine broke by itself has no running line
            for (qsizetype page = 1; page < pages->size(); ++page)
                QVERIFY2(pages->at(page).contains(u"Page %1 of %2"_s.arg(page + 1).arg(pages->size())),
                         qPrintable(pages->at(page)));
        }
    }

    // A sheet of three pages and more: pages after the first carry a running line. The footer and disclaimer under
    // the buttons of its first page fall just past the page's end, where they must not stand alone.
    void longSheet_data()
    {
        QTest::addColumn<Sheet>("sheet");
        QTest::addColumn<EngineChoice>("engine");
        Sheet sheet;
        sheet.headline = u"Running Head"_s;
        for (int i = 1; i <= 90; ++i)
            sheet.resources.append({u"R%1 Resource"_s.arg(i), u"https://example.com/%1"_s.arg(i)});
        for (const QString& look : {u"classic"_s, u"compact"_s, u"checklist"_s}) {
            for (const QString& paper : {design::A4, design::Letter}) {
                sheet.look = look;
                sheet.pageSize = paper;
                for (const EngineChoice engine : {EngineChoice::Wkhtmltopdf, EngineChoice::Chromium})
                    QTest::newRow(qPrintable(look + u' ' + paper + u' ' + EngineChoiceKey(engine))) << sheet << engine;
            }
        }
    }

    void longSheet()
    {
        QFETCH(Sheet, sheet);
        QFETCH(EngineChoice, engine);
        const Printed pages = print(sheet, m_folder.filePath(u"long"_s), engine);
        QVERIFY2(pages && pages->size() >= 3, qPrintable(pages ? pages->join(u'\f') : pages.error()));
        sheet.resources.resize(Placed(pages->mid(0, 1)).size());
        sheet.footer = u"Footer words"_s;
        sheet.disclaimer = true;
        const Printed filled = print(sheet, m_folder.filePath(u"filled"_s), engine);
        QVERIFY2(filled, qPrintable(filled ? QString() : filled.error()));
        const QString last = filled->value(filled->size() - 1);
        QVERIFY2(last.contains(u"Footer words"_s) && !Placed({last}).isEmpty(), qPrintable(u"last page: "_s + last));
        const QString line = u"Running Head Page 2 of %1"_s.arg(pages->size());
        QVERIFY2(!pages->at(0).contains(u"Page "_s) && pages->at(1).simplified().contains(line), qPrintable(line));
    }

private:
    // The sheet's pages as the engine prints them into STEM-ENGINE.pdf.
    Printed print(const Sheet& sheet, const QString& stem, EngineChoice engine)
    {
        SheetBuilder& builder = engine == EngineChoice::Chromium ? m_chromium : m_wkhtmltopdf;
        builder.setEngine(engine);
        QSignalSpy finished(&builder, &SheetBuilder::finished);
        if (const auto refused =
                builder.build(sheet, u"agreement"_s, stem + u'-' + EngineChoiceKey(engine) + u".pdf"_s))
            return Unexpected(BuildWords::buildProblem(*refused).text);
        if (!finished.wait(120000))
            return Unexpected(u"no PDF within two minutes"_s);
        const BuildResult result = finished.at(0).at(0).value<BuildResult>();
        if (!result.succeeded())
            return Unexpected(BuildWords::buildProblem(*result.problem).text);
        QStringList pages = pdfText(result.paths.pdfPath).split(u'\f');
        pages.removeLast(); // after the last page's form feed
        return pages;
    }

    TestInstallation m_installation;
    QTemporaryDir m_folder;
    SheetBuilder m_wkhtmltopdf{m_installation.folder()}; // each warm for the whole run
    SheetBuilder m_chromium{m_installation.folder()};
};

QTEST_GUILESS_MAIN(TestAgreement)
#include "tst_agreement.moc"
