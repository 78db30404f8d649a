#pragma once

#include <QString>

namespace orvanta {

struct Sheet;

// The three template texts as read from the installation folder.
struct PageTemplates {
    QString page;       // bin/template.html
    QString snippet;    // bin/repeater.txt, the markup of one resource
    QString disclaimer; // resources/tos.txt
};

// The scripts and end tags that close every page.
QString ClosingBlock();

// Fills the page template. Placeholders are replaced in a fixed order over the whole page, so a text that
// holds a later placeholder gets it filled while earlier ones stay as typed:
// #HEADLINE#, #SUBHEADLINE#, then one snippet per resource (#CTATEXT#, #CTAURL#, #QR#), #FOOTER#,
// #REPEATER#, #TOS#, #CLOSE#, then the design's #ACCENT# ("#RRGGBB") and #LOGO# (an <img> of the logo, or
// nothing). Nothing is escaped: every text enters the page as it stands. Links carry the sheet's campaign tags
// (TaggedUrl), and #QR# is the QR code of the tagged link when the sheet asks for one. The template's <title> becomes
// the headline as plain text, so that the PDF is titled by it.
QString FillPage(const PageTemplates& templates, const Sheet& sheet);

} // namespace orvanta
