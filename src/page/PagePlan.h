// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheet/Design.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace orvanta {

struct Sheet;

// One part of a page as a look draws it: a fixed height, plus lines of text in a font of `pt` points, `lineHeight`
// times that tall, wrapped at `widthMm`. A part with no text is its fixed height.
struct TextBlock {
    double fixedMm = 0;
    double pt = 0;
    double lineHeight = 1.3;
    double widthMm = 0;
    bool bold = false;
    bool preformatted = false; // the text keeps its own line breaks

    // The block's height for `text`, its lines `narrowerMm` shorter than widthMm, on a page set at `zoom`.
    double heightMm(const QString& text, double narrowerMm = 0, double zoom = 1) const;
};

// The geometry of a look, from its layout.json, in true millimetres: what its page breaks are planned with. Each
// height is the taller of the two engines' for that block.
struct LookGeometry {
    double a4HeightMm = 0;     // the printable height of an A4 page
    double letterHeightMm = 0; // and of a Letter page
    int columns = 1;           // resources side by side in a row; a heading takes a row of its own
    double endMm = 0;          // below the last block
    double logoMm = 0;         // the logo's room, when there is one
    TextBlock top;             // everything above the headline, kicker and rules included
    TextBlock headline;        // the headline, and whatever is drawn below it
    TextBlock subheadline;
    TextBlock button; // one resource without its note
    TextBlock note;
    double qrExtraMm = 0; // a resource with a QR code is at least the code's side and this tall, note aside
    double qrRoomMm = 0;  // the room beside a button kept for a code: a wider code takes the rest from its lines
    TextBlock heading;
    TextBlock footer;
    TextBlock disclaimer;
    TextBlock tightDisclaimer; // the disclaimer set closer, for a sheet whose end would otherwise spill over
    double pageBreakMm = 0;    // the break's running line, on top of every page after the first

    double pageHeightMm(PaperSize paper) const { return paper == PaperSize::Letter ? letterHeightMm : a4HeightMm; }
};

// The geometry from a look's layout.json; nothing when the text is not a JSON object.
std::optional<LookGeometry> ParseLookGeometry(const QByteArray& json);

// Where a sheet's pages begin, planned so that both engines break it alike: each page but the last is filled
// with whole blocks, a heading never ends a page, and the footer with the disclaimer never stands alone.
struct PagePlan {
    QList<qsizetype> pageStarts;  // the resources (indexes into sheet.resources) that open pages 2, 3, ...
    bool tightDisclaimer = false; // the disclaimer is set closer to keep the sheet's end on its page
    // The whole sheet is set this much smaller: a sheet of one page whose end would spill, down to 0.85, or a sheet
    // asked to fit on fewer pages than it takes (Sheet::fitPages), down to SmallestFitPercent.
    double scale = 1;
    bool fits = true; // false: even at SmallestFitPercent the sheet takes more pages than it asks to fit on
    qsizetype pages() const { return pageStarts.size() + 1; }
};

// The least a sheet is set at, in percent, to fit the pages it asks for.
inline constexpr int SmallestFitPercent = 70;

// `disclaimer` is the text the page prints when the sheet asks for it; `qrSideMm` gives the side of a resource's
// QR code in millimetres, 0 for none. A sheet that asks to fit on N pages and takes more is set at the largest
// hundredth that fits, down to SmallestFitPercent.
PagePlan PlanPages(const Sheet& sheet, const QString& disclaimer, const LookGeometry& geometry,
                   const std::function<double(qsizetype)>& qrSideMm);

// The width of `text` (markup and entities as typed) in em of the looks' first font, DejaVu Sans; a character it
// has no width for counts as wide.
double TextWidthEm(const QString& text, bool bold);

// How many lines `text` takes in a block `widthMm` wide, wrapped at spaces, a word too long for a line broken
// anywhere, and its own line breaks kept when `preformatted`; `zoom` is the scale the page is set at, which
// changes how wkhtmltopdf rounds the font to whole pixels.
int EstimatedLines(const QString& text, double pt, double widthMm, bool bold, bool preformatted = false,
                   double zoom = 1);

} // namespace orvanta
