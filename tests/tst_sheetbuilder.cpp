// SPDX-License-Identifier: GPL-3.0-or-later
// Create without a window: filling the page, the file-name rules, the refusals in their order, and what a build
// writes and reports.
#include "TestSupport.h"
#include "engines/Conversion.h"
#include "page/Looks.h"
#include "page/MissingGlyphs.h"
#include "page/PageFiller.h"
#include "page/PrintedText.h"
#include "page/QrCode.h"
#include "pipeline/OutputFiles.h"
#include "pipeline/SheetBuilder.h"
#include "sheet/Design.h"
#include "sheet/Sheet.h"
#include "sheet/TextFile.h"
#include "words/BuildWords.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

using namespace orvanta;

Q_DECLARE_METATYPE(orvanta::Sheet)
Q_DECLARE_METATYPE(orvanta::EngineKind)

namespace {

Sheet sheetWith(const ResourceEntries& resources = {{u"a"_s, u"https://a.test"_s}})
{
    Sheet sheet;
    sheet.headline = u"H"_s;
    sheet.subheadline = u"S"_s;
    sheet.footer = u"F"_s;
    sheet.resources = resources;
    return sheet;
}

} // namespace

class TestSheetBuilder : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_installation = std::make_unique<TestInstallation>();
        QVERIFY(m_installation->isValid());
        m_installation->installConverter(pdfWritingScript());
    }

    void fillPage_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("snippet");
        QTest::addColumn<Sheet>("sheet");
        QTest::addColumn<QString>("expected");

        const QString page = u"<h1>#HEADLINE#</h1><h2>#SUBHEADLINE#</h2>[#REPEATER#]<f>#FOOTER#</f>#TOS#"_s;
        const QString link = u"<a href=\"#CTAURL#\">#CTATEXT#</a>"_s;
        // Each placeholder in turn over the whole page: a text holding a later one gets it filled, not an earlier one.
        Sheet sheet = sheetWith({{u"go #CTAURL#"_s, u"u"_s}, {u"#FOOTER#"_s, u"#CTATEXT#"_s}});
        sheet.headline = u"see #FOOTER#"_s;
        sheet.footer = u"{#REPEATER#|#HEADLINE#}"_s;
        sheet.disclaimer = true;
        const QString block = u"<a href=\"u\">go u</a><br><br><a href=\"#CTATEXT#\">#FOOTER#</a><br><br>"_s;
        QTest::newRow("later placeholders filled in earlier texts")
            << page << link << sheet
            << u"<h1>see\u00A0{%1|#HEADLINE#}</h1><h2>S</h2>[%1]<f>{%1|#HEADLINE#}</f>terms: #TOS#"_s.arg(block);
        sheet = sheetWith({{u"A"_s, u"1"_s}, {u"B"_s, u"2"_s}});
        sheet.disclaimer = sheet.noteBelowEachResource = true;
        sheet.note = u"note"_s;
        QTest::newRow("notes in list order; disclaimer and closing block in the snippets")
            << u"#REPEATER#|#REPEATER##CLOSE#"_s << u"#CTATEXT#=#CTAURL#(#TOS#)"_s << sheet
            << u"A=1(terms: #TOS#)<br><i><p>note</p></i>B=2(terms: #TOS#)<br><i><p>note</p></i>|"_s
               u"A=1(terms: #TOS#)<br><i><p>note</p></i>B=2(terms: #TOS#)<br><i><p>note</p></i>"_s +
                   ClosingBlock();
        sheet.resources.insert(1, HeadingEntry(u"<i>Tools</i> #CTATEXT#"_s));
        QTest::newRow("a heading: its title as typed, and no note after it")
            << u"#REPEATER#"_s << u"#CTATEXT#"_s << sheet
            << u"A<br><i><p>note</p></i><h><i>Tools</i> #CTATEXT#</h>B<br><i><p>note</p></i>"_s;
        // Only web, mail and phone addresses, and relative ones, become links, however the scheme is spelled; the
        // others keep their button as text, without a QR code.
        const std::pair<QString, bool> addresses[] = {{u"javascript:alert(1)"_s, false},
                                                      {u" \tJava\nScript&#x3A;x"_s, false},
                                                      {u"java&#115;cript&colon;x"_s, false},
                                                      {u"file:///etc/passwd"_s, false},
                                                      {u"smb://host/share"_s, false},
                                                      {u"data:text/html,x"_s, false},
                                                      {u"MAILTO:a@b.test"_s, true},
                                                      {u"tel:+1"_s, true},
                                                      {u"page.html"_s, true}};
        sheet = sheetWith({});
        sheet.qrCodes = true;
        QString printed;
        for (const auto& [address, linked] : addresses) {
            sheet.resources.append({u"t"_s, address});
            printed += linked ? u"<a class=c href='%1'>t</a>[%2]<br><br>"_s.arg(address, QrCodeSvg(address))
                              : u"<a class=c>t</a>[]<br><br>"_s;
        }
        QTest::newRow("addresses that may not be links")
            << u"#REPEATER#"_s << u"<a class=c href='#CTAURL#'>#CTATEXT#</a>[#QR#]"_s << sheet << printed;
        // The title is the plain headline, put in before any placeholder; accent and logo come after the others.
        sheet = sheetWith({{u"A"_s, u"1"_s}});
        sheet.headline = u"<b>Grow</b>&nbsp;&amp; <i>#FOOTER#</i> &#x1F680;&#12;&lt;/title&gt;"_s;
        sheet.footer = u"#ACCENT#"_s;
        sheet.logo = u"data:image/png;base64,AA=="_s;
        QTest::newRow("title, accent and logo")
            << u"<TITLE lang=en>Cheat\nSheet</title><title>#HEADLINE#</title>#FOOTER#<p style=\"color: #ACCENT#\">#LOGO#"_s
            << u"#CTATEXT#"_s << sheet
            << u"<TITLE lang=en>Grow &amp; &#35;FOOTER&#35; 🚀 &lt;/title&gt;</title><title>%1</title>#d7261e"_s
               u"<p style=\"color: #d7261e\"><img class=\"logo\" src=\"data:image/png;base64,AA==\" alt=\"#ACCENT#\">"_s
                   .arg(sheet.headline.replace(u"#FOOTER#</i> "_s, u"#d7261e</i>\u00A0"_s));
    }

    void taggedUrl_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QStringList>("campaign"); // source, medium, name
        QTest::addColumn<QString>("tagged");
        const QStringList campaign{u"news letter"_s, u"pdf"_s, u"a&b+c%d#e=f/é"_s};
        const QString tags = u"utm_medium=pdf&utm_campaign=a%26b%2Bc%25d%23e%3Df/%C3%A9"_s;
        QTest::newRow("no campaign") << u"https://x.test/"_s << QStringList{{}, {}, {}} << u"https://x.test/"_s;
        QTest::newRow("encoded") << u"https://x.test/a"_s << campaign
                                 << u"https://x.test/a?utm_source=news%20letter&"_s + tags;
        QTest::newRow("own query and fragment kept as typed")
            << u"HTTP://x.test/?a=\"2\"#top"_s << campaign
            << u"HTTP://x.test/?a=\"2\"&utm_source=news%20letter&%1#top"_s.arg(tags);
        QTest::newRow("own tag kept") << u"http://x.test/?utm_source=mine&q"_s << campaign
                                      << u"http://x.test/?utm_source=mine&q&"_s + tags;
        QTest::newRow("only what is set")
            << u"https://x.test/?"_s << QStringList{{}, u"pdf"_s, {}} << u"https://x.test/?utm_medium=pdf"_s;
        QTest::newRow("not a web link") << u"mailto:a@x.test"_s << campaign << u"mailto:a@x.test"_s;
    }

    // The button and its QR code carry the same link; a sheet without codes leaves #QR# empty.
    void taggedUrl()
    {
        QFETCH(QString, url);
        QFETCH(QStringList, campaign);
        QFETCH(QString, tagged);
        Sheet sheet = sheetWith({{u"t"_s, url}});
        std::tie(sheet.campaignSource, sheet.campaignMedium, sheet.campaignName) =
            std::tuple(campaign[0], campaign[1], campaign[2]);
        for (const bool codes : {false, true}) {
            sheet.qrCodes = codes;
            QCOMPARE(FillPage({u"#REPEATER#"_s, u"#CTAURL#|#QR#"_s, {}}, sheet),
                     tagged + u'|' + (codes ? QrCodeSvg(tagged) : QString()) + u"<br><br>"_s);
        }
    }

    void fillPage()
    {
        QFETCH(QString, page);
        QFETCH(QString, snippet);
        QFETCH(Sheet, sheet);
        QFETCH(QString, expected);
        QCOMPARE(FillPage({page, snippet, u"terms: #TOS#"_s, u"<h>#HEADING#</h>"_s}, sheet), expected);
    }

    // A page 100 mm tall, its head and its end 10 mm each, a resource or heading 20 mm or 5 mm: where pages begin
    // for the list "r" (resource) and "H" (heading) spells, whether the disclaimer is set closer, and the scale, also
    // for a sheet asked to fit on 1 or 2 pages.
    void pagePlan_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("columns");
        QTest::addColumn<double>("disclaimerMm");
        QTest::addColumn<QList<qsizetype>>("starts");
        QTest::addColumn<bool>("tight");
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("fitPages");
        QTest::newRow("fits to the millimetre") << u"rrrr"_s << 1 << 0.0 << QList<qsizetype>{} << false << 1.0 << 0;
        QTest::newRow("a resource over") << u"rrrrr"_s << 1 << 0.0 << QList<qsizetype>{4} << false << 1.0 << 0;
        QTest::newRow("two columns") << u"rrrrrrrr"_s << 2 << 0.0 << QList<qsizetype>{} << false << 1.0 << 0;
        QTest::newRow("a heading never ends a page")
            << u"rrrrHr"_s << 1 << 0.0 << QList<qsizetype>{4} << false << 1.0 << 0;
        QTest::newRow("heading and row") << u"rrrrrrrHrr"_s << 2 << 0.0 << QList<qsizetype>{7} << false << 1.0 << 0;
        QTest::newRow("a closer disclaimer fits") << u"rrr"_s << 1 << 25.0 << QList<qsizetype>{} << true << 1.0 << 0;
        QTest::newRow("one page set smaller") << u"rrrr"_s << 1 << 25.0 << QList<qsizetype>{} << true << 0.9 << 0;
        QTest::newRow("too small to fit") << u"rrrr"_s << 1 << 40.0 << QList<qsizetype>{3} << false << 1.0 << 0;
        QTest::newRow("the end takes the last resource")
            << u"rrrrrrr"_s << 1 << 40.0 << QList<qsizetype>{4, 6} << false << 1.0 << 0;
        QTest::newRow("and its heading") << u"rrrrrrHr"_s << 1 << 40.0 << QList<qsizetype>{4, 6} << false << 1.0 << 0;
        QTest::newRow("a lone resource stays") << u"rrrrr"_s << 1 << 90.0 << QList<qsizetype>{4} << false << 1.0 << 0;
        QTest::newRow("a heading last") << u"rrrH"_s << 1 << 0.0 << QList<qsizetype>{} << false << 1.0 << 0;
        QTest::newRow("no resources") << QString() << 1 << 90.0 << QList<qsizetype>{} << false << 1.0 << 0;
        QTest::newRow("fits its pages") << u"rrrrr"_s << 1 << 0.0 << QList<qsizetype>{4} << false << 1.0 << 2;
        QTest::newRow("fitted on one page") << u"rrrrr"_s << 1 << 0.0 << QList<qsizetype>{} << false << 0.83 << 1;
        QTest::newRow("fitted on two pages")
            << u"rrrrrrrrrr"_s << 1 << 0.0 << QList<qsizetype>{5} << false << 0.83 << 2;
        QTest::newRow("cannot fit") << u"rrrrrrrrrr"_s << 1 << 0.0 << QList<qsizetype>{6} << false << 0.7 << 1;
    }

    void pagePlan()
    {
        QFETCH(QString, list);
        QFETCH(int, columns);
        QFETCH(double, disclaimerMm);
        QFETCH(QList<qsizetype>, starts);
        QFETCH(bool, tight);
        QFETCH(double, scale);
        QFETCH(int, fitPages);
        LookGeometry geometry;
        geometry.a4HeightMm = 100;
        geometry.columns = columns;
        geometry.top.fixedMm = 10;
        geometry.endMm = 10;
        geometry.button.fixedMm = 20;
        geometry.heading.fixedMm = 5;
        geometry.disclaimer.fixedMm = disclaimerMm;
        geometry.tightDisclaimer.fixedMm = disclaimerMm - 15;
        geometry.pageBreakMm = 10;
        Sheet sheet = sheetWith({});
        sheet.disclaimer = disclaimerMm > 0;
        sheet.fitPages = fitPages;
        for (const QChar c : list)
            sheet.resources.append({c, u"https://a.test"_s, c == u'H'});
        const PagePlan plan = PlanPages(sheet, {}, geometry, [](qsizetype) { return 0.0; });
        QCOMPARE(plan.pageStarts, starts);
        QCOMPARE(plan.tightDisclaimer, tight);
        QCOMPARE(plan.scale, scale);
        QCOMPARE(plan.fits, fitPages == 0 || starts.size() < fitPages);
    }

    // Lines of 10 pt text in a block 50 mm wide: about 14 em, 22 letters "n" of DejaVu Sans.
    void estimatedLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("preformatted");
        QTest::addColumn<int>("lines");
        QTest::newRow("none") << u" <b></b> "_s << false << 0;
        QTest::newRow("one") << u"nnnn nnnn nnnn"_s << false << 1;
        QTest::newRow("wrapped at a space") << QString(18, u'n') + u" nnnn"_s << false << 2;
        QTest::newRow("spaces at their width") << QStringList(14, u"n"_s).join(u' ') << false << 1;
        QTest::newRow("markup takes no room") << u"<span class=\"n\">nnnn</span> nnnn &amp; nnnn"_s << false << 1;
        QTest::newRow("a long word broken") << QString(45, u'n') << false << 3;
        QTest::newRow("wide characters") << QString(15, QChar(0x4e2d)) << false << 2;
        QTest::newRow("other letters") << QString(17, QChar(0x436)) << false << 1;
        QTest::newRow("its own breaks") << u"nn\n\nnn"_s << true << 3;
        QTest::newRow("breaks as spaces") << u"nn\n\nnn"_s << false << 1;
    }

    void estimatedLines()
    {
        QFETCH(QString, text);
        QFETCH(bool, preformatted);
        QFETCH(int, lines);
        QCOMPARE(EstimatedLines(text, 10, 50, false, preformatted), lines);
    }

    // Characters no font has, with the installed fonts: each named once, in order; what draws with its neighbours
    // or not at all is not counted.
    void missingGlyphs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("missing");
        QTest::newRow("plain Latin") << u"Cheat Sheet: 10 tools!"_s << QString();
        QTest::newRow("private use and unassigned, each once")
            << u"a\uE000b\u0378\U0010FFFD\uE000"_s << u"\uE000\u0378\U0010FFFD"_s;
        QTest::newRow("joiner, variation selector, combining mark, tab ignored")
            << u"\u0378\u200D\uFE0F\u0301\t\u00AD\u0378"_s << u"\u0378"_s;
        QTest::newRow("every script the set-up installs fonts for")
            << u"Ελληνικά Кириллица 中文 日本語 한국어 العربية עברית देवनागरी ไทย 😀"_s << QString();
    }

    void missingGlyphs()
    {
        QFETCH(QString, text);
        QFETCH(QString, missing);
        for (EngineKind engine : {EngineKind::Wkhtmltopdf, EngineKind::Chromium}) {
            const QList<char32_t> found = MissingGlyphs({u"x"_s, text}, engine);
            QCOMPARE(QString::fromUcs4(found.constData(), found.size()), missing);
        }
    }

    // The package is named by script, and by engine for emoji.
    void missingGlyphsMessage_data()
    {
        QTest::addColumn<QString>("characters");
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing missing") << QString() << EngineKind::Chromium << QString();
        QTest::newRow("Hangul, Han, kana, bopomofo")
            << u"한中あアㄅ"_s << EngineKind::Chromium
            << u"No installed font has: 한, 中, あ, ア, ㄅ. Install fonts-noto-cjk."_s;
        QTest::newRow("emoji in Chromium") << u"한☃😀"_s << EngineKind::Chromium
                                           << u"No installed font has: 한, ☃, 😀. Install fonts-noto-cjk and "_s
                                              u"fonts-noto-color-emoji."_s;
        QTest::newRow("emoji in wkhtmltopdf") << u"😀ह\uE000"_s << EngineKind::Wkhtmltopdf
                                              << u"No installed font has: 😀, ह, U+E000. Install fonts-symbola and "_s
                                                 u"fonts-noto-core."_s;
        QTest::newRow("ten shown") << u"abcdefghijkl"_s << EngineKind::Chromium
                                   << u"No installed font has: a, b, c, d, e, f, g, h, i, j, … Install "_s
                                      u"fonts-noto-core."_s;
        QTest::newRow("three packages")
            << u"αＡ😀"_s << EngineKind::Wkhtmltopdf
            << u"No installed font has: α, Ａ, 😀. Install fonts-noto-core, fonts-noto-cjk and fonts-symbola."_s;
    }

    void missingGlyphsMessage()
    {
        QFETCH(QString, characters);
        QFETCH(EngineKind, engine);
        QFETCH(QString, message);
        const QList<uint> ucs4 = characters.toUcs4();
        QCOMPARE(BuildWords::missingGlyphs(QList<char32_t>(ucs4.begin(), ucs4.end()), engine), message);
    }

    // The blocks that name a package by range, at their first and last code points and just outside them.
    void fontPackage_data()
    {
        QTest::addColumn<uint>("character");
        QTest::addColumn<QString>("package");
        const auto rows = [](std::initializer_list<uint> characters, const QString& package) {
            for (uint character : characters)
                QTest::addRow("U+%04X", character) << character << package;
        };
        rows({0x2600, 0x27BF, 0x2B00, 0x2BFF, 0x1F000, 0x1FAFF}, u"fonts-noto-color-emoji"_s);
        rows({0x3000, 0x303F, 0xFF00, 0xFFEF}, u"fonts-noto-cjk"_s);
        rows({0x25FF, 0x27C0, 0x2AFF, 0x2C00, 0x1EFFF, 0x1FB00, 0x2FFF, 0x3040, 0xFEFF, 0xFFF0}, u"fonts-noto-core"_s);
    }

    void fontPackage()
    {
        QFETCH(uint, character);
        QTEST(FontPackage(character, EngineKind::Chromium), "package");
    }

    // References read as a browser reads them, to code points that exist: never NUL, a surrogate or past U+10FFFF.
    void characterReferences()
    {
        QCOMPARE(DecodeCharacterReferences(u"&#0;&#x1;&#xD7FF;&#xD800;&#xDFFF;&#xE000;&#x10FFFF;&#x110000;&#1114111"_s),
                 u"\u0001\uD7FF\uE000\U0010FFFF\U0010FFFF"_s);
    }

    // A link as people read it, a headline's last two words held together, the text colour on an accent (WCAG 2).
    void printedText_data()
    {
        QTest::addColumn<char>("kind"); // address, headline or colour
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("printed");
        QTest::newRow("tags, www and scheme dropped")
            << 'a' << u"HTTPS://www.Example.com/a/b/?q=1&utm_source=x#top"_s << u"example.com/a/b"_s;
        QTest::newRow("relative, escaped") << 'a' << u"page&<b>.html"_s << u"page&amp;&lt;b&gt;.html"_s;
        QTest::newRow("cut short") << 'a' << u"https://x.test/"_s + QString(60, u'a')
                                   << u"x.test/"_s + QString(42, u'a') + u'…';
        QTest::newRow("two words") << 'h' << u"Keep it together"_s << u"Keep it\u00A0together"_s;
        QTest::newRow("markup, spaces") << 'h' << u"<b>Keep</b>  \n<a title=\"x y\">it</a> "_s
                                        << u"<b>Keep</b>\u00A0<a title=\"x y\">it</a> "_s;
        QTest::newRow("one word") << 'h' << u" <b title=\"a b\">One</b> "_s << u" <b title=\"a b\">One</b> "_s;
        QTest::newRow("line break") << 'h' << u"One<BR> two"_s << u"One<BR> two"_s;
        QTest::newRow("line break after the space") << 'h' << u"One <br>two"_s << u"One <br>two"_s;
        QTest::newRow("yellow") << 'c' << u"#ffd400"_s << u"#14171c 12.55"_s;
        QTest::newRow("grey, short either way") << 'c' << u"#7a7a7a"_s << u"#ffffff 4.29"_s;
        QTest::newRow("not a colour") << 'c' << u"#fffffff"_s << u"#ffffff 0.00"_s;
    }

    void printedText()
    {
        QFETCH(char, kind);
        QFETCH(QString, text);
        const QString colour = TextColourOn(text);
        QTEST(kind == 'a'   ? PrintedAddress(text)
              : kind == 'h' ? WithoutLoneLastWord(text)
                            : u"%1 %2"_s.arg(colour).arg(ContrastRatio(text, colour), 0, 'f', 2),
              "printed");
    }

    void fileNameProblem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("problem"); // how it begins
        QTest::newRow("slash") << u"a/b"_s << u"The file name cannot contain \"/\"."_s;
        QTest::newRow("NUL") << QStringView(u"a\0b", 3).toString() << u"The file name cannot contain \"/\"."_s;
        QTest::newRow("dot") << u"."_s << u"\".\" cannot be used as a file name."_s;
        QTest::newRow("dot dot") << u".."_s << u"\"..\" cannot be used as a file name."_s;
        QTest::newRow("three dots, shell characters, Cyrillic")
            << u"... -rf it's \"x\" $HOME; `ls` & шпаргалка"_s << QString();
        // The page's name, NAME.html, with the ".XXXXXX" of its temporary file when it is saved again: 255 bytes.
        QTest::newRow("243 bytes") << QString(243, u'a') << QString();
        QTest::newRow("244 bytes") << QString(244, u'a') << u"The file name is too long."_s;
        QTest::newRow("244 bytes of two-byte letters") << QString(122, QChar(0xE9)) << u"The file name is too long."_s;
    }

    void fileNameProblem()
    {
        QFETCH(QString, name);
        QFETCH(QString, problem);
        const QString said = BuildWords::fileNameProblem(FileNameProblem(name), name);
        QVERIFY2(said.startsWith(problem) && said.isEmpty() == problem.isEmpty(), qPrintable(said));
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("broken"); // what the test breaks besides the sheet
        QTest::addColumn<QString>("headline");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("said"); // "title|" and how the text begins
        QTest::addColumn<bool>("warning");
        const auto row = [](const char* tag, const char* broken, const char* headline, const char* name,
                            const char* said, bool warning) {
            QTest::newRow(tag) << QString::fromUtf8(broken) << QString::fromUtf8(headline) << QString::fromUtf8(name)
                               << QString::fromUtf8(said) << warning;
        };
        row("no resources", "resources", "", "", "Missing Info|Please add some resources first.", false);
        row("no headline, no name", "", "", "", "Missing Info|Please enter a headline first.", false);
        row("blank headline, no name", "", " ", "", "Missing Info|Please enter a name for your pdf file first.", false);
        row("slash in name", "", "H", "../escape", "Invalid File Name|The file name cannot", false);
        row("bin takes no file", "/bin", "H", "a name", "Folder Not Writable|Orvanta cannot", true);
        row("resources take no file", "/resources", "H", "a name", "Folder Not Writable|Orvanta cannot", true);
        row("unreadable template", "/bin/template.html", "H", "a name", "Cannot Create|Could not read", true);
        row("unreadable disclaimer", "/resources/tos.txt", "H", "a name", "Cannot Create|Could not read", true);
        row("missing converter", "converter", "H", "a name", "Cannot Create|No PDF engine was found: neither", true);
        row("unwritable page", "page", "H", "a name", "Cannot Create|Could not save", true);
        row("too many resources", "resources over the limit", "H", "a name",
            "Too Many Resources|This sheet has more resources than Orvanta prints: at most 5,000.", false);
    }

    // Each refusal comes before anything is written.
    void refusals()
    {
        QFETCH(QString, broken);
        QFETCH(QString, headline);
        QFETCH(QString, name);
        QFETCH(QString, said);
        QFETCH(bool, warning);
        const QByteArray savedPath = qgetenv("PATH");
        const auto restorePath = qScopeGuard([&savedPath] { qputenv("PATH", savedPath); });
        QTemporaryDir emptyFolder;
        if (broken == u"converter") {
            QVERIFY(QFile::remove(path(u"/bin/wkhtmltopdf"_s)));
            qputenv("PATH", QFile::encodeName(emptyFolder.path()));
        } else if (broken == u"page") {
            QVERIFY(QDir().mkpath(path(u"/bin/a-name.html"_s))); // a folder where the page goes
        } else if (broken.contains(u'.')) {
            QVERIFY(QFile::remove(path(broken)));
        } else if (broken.startsWith(u'/')) {
            QVERIFY(makeUnwritable(path(broken)));
        }
        Sheet sheet = sheetWith(broken == u"resources" ? ResourceEntries{} : ResourceEntries{{u"a"_s, u"u"_s}});
        if (broken == u"resources over the limit")
            sheet.resources.fill({u"a"_s, u"u"_s}, MaxPrintedResources + 1);
        sheet.headline = headline;
        sheet.disclaimer = true;
        const QStringList before = files(u"/bin"_s);

        SheetBuilder builder(m_installation->folder());
        const std::optional<BuildProblem> problem = builder.build(sheet, name);
        QVERIFY(problem);
        const Message message = BuildWords::buildProblem(*problem);
        QVERIFY2((message.title + u'|' + message.text).startsWith(said), qPrintable(message.text));
        QCOMPARE(message.warning, warning);
        QVERIFY(!builder.isRunning());
        if (!broken.startsWith(u"/bin") && !broken.startsWith(u"/resources"))
            QCOMPARE(files(u"/bin"_s), before);
        QCOMPARE(files(u"/bin/output"_s), QStringList());
        if (broken == u"resources over the limit") { // the limit itself is accepted
            sheet.resources.removeLast();
            QVERIFY(!builder.build(sheet, name));
            builder.cancel();
        }
    }

    void builds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pdfPath"); // empty: where Create puts it
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("pdf");
        QTest::newRow("spaces become hyphens")
            << u"my sheet \"q\" $HOME; ü"_s << QString() << u"/bin/my-sheet-\"q\"-$HOME;-ü.html"_s
            << u"/bin/output/my-sheet-\"q\"-$HOME;-ü.pdf"_s;
        QTest::newRow("the template is never overwritten")
            << u"template"_s << QString() << u"/bin/etemplate.html"_s << u"/bin/output/template.pdf"_s;
        QTest::newRow("nor through a link to it")
            << u"alias"_s << QString() << u"/bin/ealias.html"_s << u"/bin/output/alias.pdf"_s;
        QTest::newRow("PDF named by the caller")
            << u"sheet"_s << u"/elsewhere.pdf"_s << u"/bin/sheet.html"_s << u"/elsewhere.pdf"_s;
        const QString longest(243, u'a');
        QTest::newRow("the longest name")
            << longest << QString() << u"/bin/%1.html"_s.arg(longest) << u"/bin/output/%1.pdf"_s.arg(longest);
    }

    // The output folder is made again if it was deleted; a disclaimer that is not shown need not exist, nor need
    // the heading markup.
    void builds()
    {
        QFETCH(QString, name);
        QFETCH(QString, pdfPath);
        QFETCH(QString, page);
        QFETCH(QString, pdf);
        QVERIFY(QFile::link(path(u"/bin/template.html"_s), path(u"/bin/alias.html"_s)));
        QVERIFY(QFile::remove(path(u"/resources/tos.txt"_s)));
        QVERIFY(QFile::remove(path(u"/bin/heading.txt"_s))); // the built-in markup stands in
        const QByteArray templateBefore = readAll(path(u"/bin/template.html"_s));
        SheetBuilder builder(m_installation->folder());
        QSignalSpy finished(&builder, &SheetBuilder::finished);
        Sheet sheet = sheetWith({{u"a\uE000"_s, u"https://a.test"_s}, {u"b"_s, u"javascript:x"_s}});
        sheet.note = u"\u0378"_s; // not printed: no note below the resources
        // Built again over the first build's files, as the next Create does.
        for (int run = 0; run < 2; ++run) {
            QVERIFY(!builder.build(sheet, name, pdfPath.isEmpty() ? QString() : path(pdfPath)));
            QVERIFY(builder.isRunning());
            QVERIFY(finished.wait(20000));
        }
        QCOMPARE(builder.name(), QString(name).replace(u' ', u'-'));
        const BuildResult result = finished.last().at(0).value<BuildResult>();
        QVERIFY2(result.succeeded(),
                 qPrintable(BuildWords::buildProblem(result.problem.value_or(BuildProblem{})).text));
        QCOMPARE(result.missingGlyphs, QList<char32_t>{0xE000});
        QCOMPARE(result.unlinkedAddresses, QStringList{u"javascript:x"_s});
        QVERIFY(BuildWords::buildWarnings(result).last().endsWith(u"not web, mail or phone addresses: javascript:x"_s));
        QCOMPARE(result.paths.pagePath, path(page));
        QCOMPARE(result.paths.pdfPath, path(pdf));
        QVERIFY(readAll(result.paths.pagePath).contains("href=\"https://a.test\""));
        QVERIFY(IsCompletePdf(result.paths.pdfPath));
        QCOMPARE(readAll(path(u"/bin/template.html"_s)), templateBefore);
    }

    void looks_data()
    {
        QTest::addColumn<QString>("look");
        QTest::addColumn<QString>("marker"); // in the page when the look's own template was used
        QTest::addColumn<bool>("installed");
        QTest::newRow("classic") << u"classic"_s << u"class=\"kicker\""_s << true;
        QTest::newRow("shipped") << u"compact"_s << u"class=\"lead\""_s << true;
        QTest::newRow("made by the user") << u"Mine 2"_s << u"MINE"_s << true;
        QTest::newRow("shipped, the user's template") << u"checklist"_s << u"THEIRS"_s << true;
        QTest::newRow("not installed") << u"gone"_s << u"class=\"kicker\""_s << false;
        QTest::newRow("half a look") << u"half"_s << u"class=\"kicker\""_s << false;
        QTest::newRow("outside the looks") << u"../looks/compact"_s << u"class=\"kicker\""_s << false;
        QTest::newRow("hidden") << u".hidden"_s << u"class=\"kicker\""_s << false;
    }

    // A look is a folder of templates beside the shipped ones, in the user's folder or the installation's, each file
    // the user's where there is one; one that is not there prints as Classic, and says so.
    void looks()
    {
        QFETCH(QString, look);
        QFETCH(QString, marker);
        QFETCH(bool, installed);
        QTemporaryDir user;
        const QString looks = user.path() + u"/bin/looks/"_s;
        QVERIFY(QDir().mkpath(user.path() + u"/bin/output"_s) && QDir().mkpath(looks + u"checklist"_s));
        QVERIFY(writeAll(looks + u"checklist/template.html"_s, "THEIRS #REPEATER#"));
        for (const QString& made : {u"Mine 2"_s, u".hidden"_s, u"half"_s}) {
            QVERIFY(QDir().mkpath(looks + made));
            QVERIFY(writeAll(looks + made + u"/template.html"_s, "MINE #REPEATER#"));
            if (made != u"half")
                QVERIFY(writeAll(looks + made + u"/repeater.txt"_s, "#CTATEXT#"));
        }
        const Installation installation(m_installation->folder(), user.path());
        QCOMPARE(LookNames(installation), (QStringList{u"classic"_s, u"Mine 2"_s, u"checklist"_s, u"compact"_s}));
        SheetBuilder builder(installation);
        QSignalSpy finished(&builder, &SheetBuilder::finished);
        Sheet sheet = sheetWith({{u"a"_s, u"https://a.test"_s}});
        sheet.look = look;
        QVERIFY(!builder.build(sheet, u"look"_s));
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.first().at(0).value<BuildResult>().missingLook, installed ? QString() : look);
        QVERIFY(readAll(user.path() + u"/bin/look.html"_s).contains(marker.toUtf8()));
        QVERIFY(QFileInfo(user.path() + u"/bin/output/look.pdf"_s).isFile() &&
                !QFileInfo::exists(path(u"/bin/look.html"_s)));
    }

    // A failed conversion is a warning. Even one that fails at once is heard of only after build() returned; a
    // cancelled run says nothing.
    void failuresAndCancelledRuns()
    {
        SheetBuilder builder(m_installation->folder());
        QSignalSpy finished(&builder, &SheetBuilder::finished);
        const OutputPaths nowhere{path(u"/bin/page.html"_s), path(u"/missing folder/x.pdf"_s)};
        QVERIFY(!builder.render(sheetWith(), nowhere));
        QCOMPARE(finished.count(), 0);
        QVERIFY(finished.wait(5000));
        const std::optional<BuildProblem> problem = finished.first().at(0).value<BuildResult>().problem;
        QVERIFY(problem && problem->kind == BuildProblem::Kind::ConversionFailed);
        QVERIFY(!builder.render(sheetWith(), nowhere));
        builder.cancel();
        QVERIFY(!finished.wait(300));
    }

private:
    QString path(const QString& relative) const { return m_installation->path(relative); }
    QStringList files(const QString& folder) const
    {
        return QDir(path(folder)).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    std::unique_ptr<TestInstallation> m_installation;
};

QTEST_GUILESS_MAIN(TestSheetBuilder)
#include "tst_sheetbuilder.moc"
