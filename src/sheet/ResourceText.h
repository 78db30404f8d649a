// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ResourceEntry.h"

namespace orvanta {

// Resources read from text: the clipboard, or a file brought in.
struct ReadResources {
    ResourceEntries entries;
    QList<int> skippedLines; // lines (from 1) in none of the forms; blank lines are not counted
};

// One resource a line, in any of these forms; lines may end in LF or CR LF:
//   text<TAB>url      what spreadsheets copy, with an optional third cell, the description
//   [text](url)       Markdown, also as a list item ("- [text](url)")
//   text---url        split at the last "---" whose remainder looks like a URL
//   http(s)://url     the text is the URL without its scheme
//   ## Title          a section heading: "##", a space, then a title that is not blank ("##" alone, "##Title" and
//                     "### Title" are in no form)
// A line in no form, or one holding NUL or a broken surrogate pair, is skipped, never guessed.
ReadResources ResourcesFromLines(const QString& text);

// RFC 4180 CSV as spreadsheets write it: text, URL and an optional description a record, with an optional first record
// "text,url" or "text,url,description". A record of one field in the form "## Title" is a heading. Skipped records are
// counted by the line they start on.
ReadResources ResourcesFromCsv(const QString& text);

// What Copy puts on the clipboard: text<TAB>url, then <TAB>description if there is one, or "## Title" for a heading, a
// line each; tabs and line breaks inside a field become spaces.
QString ResourcesToLines(const ResourceEntries& entries);

} // namespace orvanta
