// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EngineKind.h"
#include "PagePlan.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace orvanta {

struct Sheet;

// The markup of a section heading when the installation has no bin/heading.txt: like repeater.txt, it closes
// the item before it.
inline const QString DefaultHeadingSnippet =
    QStringLiteral(R"(</div><div class="item section"><h2 class="section-title" dir="auto">#HEADING#</h2>)");

// The markup of a page break when a look with a layout.json has no bin/pagebreak.txt: it closes the item before it,
// and opens the next page with no running line.
inline const QString DefaultPageBreakSnippet =
    QStringLiteral(R"(</div><div style="page-break-before: always"></div><div class="item">)");

// The template texts as read from the installation folder.
struct PageTemplates {
    QString page;                                // bin/template.html
    QString snippet;                             // bin/repeater.txt, the markup of one resource
    QString disclaimer;                          // resources/tos.txt
    QString heading = DefaultHeadingSnippet;     // bin/heading.txt, the markup of a section heading
    QString pageBreak = DefaultPageBreakSnippet; // bin/pagebreak.txt, the markup that opens a page
    std::optional<LookGeometry> geometry = {};   // bin/layout.json: without it the engine breaks pages itself
};

// The scripts and end tags that close every page.
QString ClosingBlock();

// Fills the page template. Placeholders are replaced in a fixed order over the whole page, so a text that
// holds a later placeholder gets it filled while earlier ones stay as typed:
// #HEADLINE#, #SUBHEADLINE#, then one snippet per resource (#CTATEXT#, #CTAURL#, #CTAADDRESS#, #QR#) or heading
// (#HEADING#), #FOOTER#, #REPEATER#, #FIT# (the zoom of the whole sheet, PagePlan::scale: "1", down to "0.85" to
// keep a one-page sheet on its page, down to "0.7" to fit the pages the sheet asks for), #TOSCLASS# ("tos", or "tos
// tos-tight" for a disclaimer set closer), #TOS#, #CLOSE#, then the design's #ACCENT# ("#RRGGBB"), #ACCENTTEXT# (the
// text colour on the accent, TextColourOn) and #LOGO# (an <img> of the logo, or nothing). Nothing is escaped: every
// text enters the page as it stands, but for the headline's last space, which holds its last two words together
// (WithoutLoneLastWord), and a resource's description, plain text printed in place of the note (NoteBelow). Links
// carry the sheet's campaign tags (TaggedUrl); #CTAADDRESS# is the link as printed for people (PrintedAddress), and
// #QR# is the QR code of the tagged link when the sheet asks for one. A heading has no link, and no note after it. The
// template's <title> becomes the headline as plain text, so that the PDF is titled by it. With a look's geometry the
// page breaks are the page's own (PlanPages): a page break snippet opens every page after the first, its
// #RUNNINGHEAD# the headline as plain text, #PAGE# the page's number and #PAGES# the page count. A resource's
// #CHECKBOX#, filled first, is nothing, but in a page for Chromium the attributes that make the element a link to
// itself, named by CheckBoxFragment(), which the PDF's post-processing turns into a check box. #LANG#, filled before
// all others, is the sheet's language tag, escaped; the logo's alt text is the sheet's description of it, or else the
// footer's text.
QString FillPage(const PageTemplates& templates, const Sheet& sheet, EngineKind engine = EngineKind::Wkhtmltopdf);
// The same, with the page breaks of PlanSheet(templates, sheet) worked out already.
QString FillPage(const PageTemplates& templates, const Sheet& sheet, const PagePlan& plan,
                 EngineKind engine = EngineKind::Wkhtmltopdf);

// The text of each link the filled page has for a resource, as plain text, by its address, in the page's order.
QHash<QString, QStringList> PageLinkTexts(const Sheet& sheet);

// Where the filled page breaks: nothing without the look's geometry.
PagePlan PlanSheet(const PageTemplates& templates, const Sheet& sheet);

} // namespace orvanta
