// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace orvanta {

struct Sheet;

// The markup of a section heading when the installation has no bin/heading.txt: like repeater.txt, it closes
// the item before it.
inline const QString DefaultHeadingSnippet =
    QStringLiteral(R"(</div><div class="item section"><h2 class="section-title" dir="auto">#HEADING#</h2>)");

// The template texts as read from the installation folder.
struct PageTemplates {
    QString page;                            // bin/template.html
    QString snippet;                         // bin/repeater.txt, the markup of one resource
    QString disclaimer;                      // resources/tos.txt
    QString heading = DefaultHeadingSnippet; // bin/heading.txt, the markup of a section heading
};

// The scripts and end tags that close every page.
QString ClosingBlock();

// Fills the page template. Placeholders are replaced in a fixed order over the whole page, so a text that
// holds a later placeholder gets it filled while earlier ones stay as typed:
// #HEADLINE#, #SUBHEADLINE#, then one snippet per resource (#CTATEXT#, #CTAURL#, #CTAADDRESS#, #QR#) or heading
// (#HEADING#), #FOOTER#, #REPEATER#, #TOS#, #CLOSE#, then the design's #ACCENT# ("#RRGGBB"), #ACCENTTEXT# (the text
// colour on the accent, TextColourOn) and #LOGO# (an <img> of the logo, or nothing). Nothing is escaped: every text
// enters the page as it stands, but for the headline's last space, which holds its last two words together
// (WithoutLoneLastWord). Links carry the sheet's campaign tags (TaggedUrl); #CTAADDRESS# is the link as printed for
// people (PrintedAddress), and #QR# is the QR code of the tagged link when the sheet asks for one. A heading has no
// link, and no note after it. The template's <title> becomes the headline as plain text, so that the PDF is titled
// by it.
QString FillPage(const PageTemplates& templates, const Sheet& sheet);

} // namespace orvanta
