// SPDX-License-Identifier: GPL-3.0-or-later
#include "PagePlan.h"

#include "PrintedText.h"
#include "sheet/Sheet.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cmath>

namespace orvanta {

namespace {

constexpr double MillimetresPerPoint = 25.4 / 72;
// Chromium sets text within about 1% of the font's own advances, so a line is taken as this much wider. (A look that
// spaces its letters says so with a narrower block.)
constexpr double WidthMargin = 1.01;
// wkhtmltopdf sets text at a whole number of pixels of its zoomed page (the looks' `zoom: 1.2987` at 96 pixels an
// inch), so a size that rounds up sets every line wider by as much.
constexpr double WkhtmltopdfPixelsPerPoint = 96.0 / 72 * 1.2987;
// A one-page sheet is set at most this much smaller, in percent, to keep its end on the page; beyond that it takes a
// second page.
constexpr int SmallestAutoFitPercent = 85;

// DejaVu Sans and DejaVu Sans Bold: the advance of each character from space to tilde, in thousandths of an em, as
// the fonts' hmtx tables give them.
constexpr std::array<short, 95> RegularAdvances{
    318, 401, 460, 838, 636, 950, 780, 275, 390, 390, 500, 838, 318, 361,  318, 337, 636, 636, 636,
    636, 636, 636, 636, 636, 636, 636, 337, 337, 838, 838, 838, 531, 1000, 684, 686, 698, 770, 632,
    575, 775, 752, 295, 295, 656, 557, 863, 748, 787, 603, 787, 695, 635,  611, 732, 684, 989, 685,
    611, 685, 390, 337, 390, 838, 500, 500, 613, 635, 550, 635, 615, 352,  635, 634, 278, 278, 579,
    278, 974, 634, 612, 635, 635, 411, 521, 392, 634, 592, 818, 592, 592,  525, 636, 337, 636, 838};
constexpr std::array<short, 95> BoldAdvances{
    348, 456,  521, 838, 696, 1002, 872, 306, 457, 457, 523, 838, 380, 415,  380, 365, 696, 696,  696,
    696, 696,  696, 696, 696, 696,  696, 400, 400, 838, 838, 838, 580, 1000, 774, 762, 734, 830,  683,
    683, 821,  837, 372, 372, 775,  637, 995, 837, 850, 733, 850, 770, 720,  682, 812, 774, 1103, 771,
    724, 725,  457, 365, 457, 838,  500, 500, 675, 716, 593, 716, 678, 435,  716, 712, 343, 343,  665,
    343, 1042, 712, 687, 716, 716,  493, 595, 478, 712, 652, 924, 645, 652,  582, 712, 365, 712,  838};

double widthFactor(double pt)
{
    const double pixels = pt * WkhtmltopdfPixelsPerPoint;
    return WidthMargin * std::max(1.0, std::round(pixels) / pixels);
}

double charWidthEm(char32_t c, bool bold)
{
    if (c >= 0x20 && c < 0x7f)
        return (bold ? BoldAdvances : RegularAdvances)[c - 0x20] / 1000.0;
    if (c == 0xa0)
        return charWidthEm(u' ', bold);
    if (QChar::isMark(c) || QChar::category(c) == QChar::Other_Format)
        return 0;
    // Hangul, kana, ideographs, full-width forms and emoji are a full em wide, and so, to be safe, is everything else
    // from U+1100 on; the letters of other alphabets are narrower.
    if (c >= 0x1100)
        return 1;
    return bold ? 0.85 : 0.8; // wider than any letter of the table's own, bar a few
}

// The text a reader sees: tags dropped, an entity as one character, white space as one space unless kept.
QString visibleText(const QString& text, bool preformatted)
{
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    static const QRegularExpression entity(QStringLiteral("&(#?[A-Za-z0-9]+);"));
    static const QRegularExpression space(QStringLiteral("[ \\t\\r\\n\\f]+"));
    QString visible = QString(text).remove(tag);
    visible.replace(QStringLiteral("&nbsp;"), QChar(0xa0)).replace(entity, QStringLiteral("W"));
    if (!preformatted)
        visible.replace(space, QStringLiteral(" "));
    return visible;
}

int wrappedLines(const QString& paragraph, double lineEm, bool bold)
{
    int lines = 1;
    double x = 0;
    const double spaceEm = charWidthEm(u' ', bold);
    for (const QString& word : paragraph.split(u' ', Qt::SkipEmptyParts)) {
        const double wordEm = TextWidthEm(word, bold);
        if (x > 0 && x + spaceEm + wordEm <= lineEm) {
            x += spaceEm + wordEm;
            continue;
        }
        if (x > 0)
            ++lines;
        const int extra = std::max(0, static_cast<int>(std::ceil(wordEm / lineEm)) - 1); // broken anywhere
        lines += extra;
        x = wordEm - extra * lineEm;
    }
    return lines;
}

TextBlock textBlock(const QJsonObject& object)
{
    return {
        object.value(u"fixedMm").toDouble(), object.value(u"pt").toDouble(), object.value(u"lineHeight").toDouble(1.3),
        object.value(u"widthMm").toDouble(), object.value(u"bold").toBool(), object.value(u"preformatted").toBool()};
}

struct Unit {
    qsizetype first = 0; // the resource that opens it
    double heightMm = 0;
    bool heading = false;
};

// The plan of the sheet set at `percent` of its size: every block that much smaller, and so the pages that much
// taller in its own millimetres.
struct Try {
    PagePlan plan;
    bool endSpills = false; // the end did not fit below the last resource
    bool onePage = false;   // the resources fit the first page
};

Try planAt(const Sheet& sheet, const QString& disclaimer, const LookGeometry& g,
           const std::function<double(qsizetype)>& qrSideMm, int percent)
{
    const double zoom = percent / 100.0;
    // The sheet as a column of units: the head, then rows of resources and headings.
    QList<Unit> units;
    const auto resourceHeight = [&](qsizetype i) {
        const double qr = qrSideMm(i);
        const double button =
            g.button.heightMm(sheet.resources.at(i).linkText, qr > 0 ? std::max(0.0, qr - g.qrRoomMm) : 0, zoom);
        const std::optional<QString> note = NoteBelow(sheet, sheet.resources.at(i));
        return std::max(button, qr > 0 ? qr + g.qrExtraMm : 0) + (note ? g.note.heightMm(*note, 0, zoom) : 0);
    };
    int inRow = 0;
    for (qsizetype i = 0; i < sheet.resources.size(); ++i) {
        if (sheet.resources.at(i).heading) {
            units.append({i, g.heading.heightMm(sheet.resources.at(i).linkText, 0, zoom), true});
            inRow = 0;
        } else if (inRow > 0 && inRow < g.columns) {
            units.last().heightMm = std::max(units.last().heightMm, resourceHeight(i));
            ++inRow;
        } else {
            units.append({i, resourceHeight(i), false});
            inRow = 1;
        }
    }

    Try tried;
    PagePlan& plan = tried.plan;
    plan.scale = zoom;
    const auto room = [&](qsizetype page) {
        return g.pageHeightMm(SheetPaper(sheet)) / zoom - (page > 1 ? g.pageBreakMm : 0);
    };
    double y = (g.top.heightMm({}) + (sheet.logo.isEmpty() ? 0 : g.logoMm) +
                g.headline.heightMm(WithoutLoneLastWord(sheet.headline), 0, zoom) +
                (visibleText(sheet.subheadline, false).trimmed().isEmpty()
                     ? 0
                     : g.subheadline.heightMm(sheet.subheadline, 0, zoom)));
    qsizetype pageFirst = -1; // the first unit on the current page
    for (qsizetype k = 0; k < units.size(); ++k) {
        double needed = units.at(k).heightMm;
        if (units.at(k).heading && k + 1 < units.size()) // it keeps with what follows it
            needed += units.at(k + 1).heightMm;
        if (pageFirst >= 0 && y + needed > room(plan.pages())) {
            plan.pageStarts.append(units.at(k).first);
            pageFirst = k;
            y = 0;
        } else if (pageFirst < 0) {
            pageFirst = k;
        }
        y += units.at(k).heightMm;
    }

    const bool hasFooter = !visibleText(sheet.footer, false).trimmed().isEmpty();
    const auto end = [&](const TextBlock& disclaimerBlock) {
        return (hasFooter ? g.footer.heightMm(sheet.footer, 0, zoom) : 0) +
               (sheet.disclaimer ? disclaimerBlock.heightMm(disclaimer, 0, zoom) : 0) + g.endMm;
    };
    if (units.isEmpty() || y + end(g.disclaimer) <= room(plan.pages()))
        return tried;
    plan.tightDisclaimer = sheet.disclaimer;
    if (y + end(g.tightDisclaimer) <= room(plan.pages()))
        return tried;
    plan.tightDisclaimer = false;
    tried.endSpills = true;
    tried.onePage = plan.pages() == 1;
    // The end goes to a page of its own: the last resource, with the headings just above it, goes with it.
    qsizetype last = units.size() - 1;
    while (last > 0 && units.at(last - 1).heading)
        --last;
    if (last > pageFirst && pageFirst >= 0)
        plan.pageStarts.append(units.at(last).first);
    return tried;
}

} // namespace

double TextWidthEm(const QString& text, bool bold)
{
    double width = 0;
    for (const char32_t c : text.toUcs4())
        width += charWidthEm(c, bold);
    return width;
}

int EstimatedLines(const QString& text, double pt, double widthMm, bool bold, bool preformatted, double zoom)
{
    const QString visible = visibleText(text, preformatted).trimmed();
    if (visible.isEmpty() || pt <= 0 || widthMm <= 0)
        return 0;
    const double lineEm = widthMm / (pt * MillimetresPerPoint * widthFactor(pt * zoom));
    int lines = 0;
    for (const QString& paragraph : visible.split(u'\n'))
        lines += wrappedLines(paragraph, lineEm, bold);
    return lines;
}

double TextBlock::heightMm(const QString& text, double narrowerMm, double zoom) const
{
    return fixedMm + EstimatedLines(text, pt, widthMm - narrowerMm, bold, preformatted, zoom) * pt * lineHeight *
                         MillimetresPerPoint;
}

std::optional<LookGeometry> ParseLookGeometry(const QByteArray& json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject o = document.object();
    const QJsonObject page = o.value(u"pageHeightMm").toObject();
    LookGeometry geometry;
    geometry.a4HeightMm = page.value(u"A4").toDouble();
    geometry.letterHeightMm = page.value(u"Letter").toDouble();
    geometry.columns = std::max(1, o.value(u"columns").toInt(1));
    geometry.endMm = o.value(u"endMm").toDouble();
    geometry.logoMm = o.value(u"logoMm").toDouble();
    geometry.top = textBlock(o.value(u"top").toObject());
    geometry.headline = textBlock(o.value(u"headline").toObject());
    geometry.subheadline = textBlock(o.value(u"subheadline").toObject());
    geometry.button = textBlock(o.value(u"button").toObject());
    geometry.note = textBlock(o.value(u"note").toObject());
    geometry.qrExtraMm = o.value(u"qrExtraMm").toDouble();
    geometry.qrRoomMm = o.value(u"qrRoomMm").toDouble();
    geometry.heading = textBlock(o.value(u"heading").toObject());
    geometry.footer = textBlock(o.value(u"footer").toObject());
    geometry.disclaimer = textBlock(o.value(u"disclaimer").toObject());
    geometry.tightDisclaimer = textBlock(o.value(u"tightDisclaimer").toObject());
    geometry.pageBreakMm = o.value(u"pageBreakMm").toDouble();
    return geometry;
}

PagePlan PlanPages(const Sheet& sheet, const QString& disclaimer, const LookGeometry& g,
                   const std::function<double(qsizetype)>& qrSideMm)
{
    const auto at = [&](int percent) { return planAt(sheet, disclaimer, g, qrSideMm, percent); };
    const Try full = at(100);
    PagePlan plan = full.plan;
    // A sheet whose resources fit one page stays one page, set a little smaller, rather than end on a page of its own.
    for (int percent = 99; full.endSpills && full.onePage && percent >= SmallestAutoFitPercent; --percent) {
        if (const Try smaller = at(percent); !smaller.endSpills) {
            plan = smaller.plan;
            break;
        }
    }
    if (sheet.fitPages <= 0 || plan.pages() <= sheet.fitPages)
        return plan;
    // The smallest first: a sheet far too long for the pages is planned twice, not thirty times.
    PagePlan smallest = at(SmallestFitPercent).plan;
    smallest.fits = smallest.pages() <= sheet.fitPages;
    for (int percent = 99; smallest.fits && percent > SmallestFitPercent; --percent) {
        if (const Try smaller = at(percent); smaller.plan.pages() <= sheet.fitPages)
            return smaller.plan;
    }
    return smallest;
}

} // namespace orvanta
