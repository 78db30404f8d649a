// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace orvanta {

// One entry of the cheat sheet: a link, or a section heading between the links. A link travels as its pair, so
// a link text or URL that holds the display separator reaches the page exactly as entered. A heading keeps its
// title in linkText and has no link: its linkUrl stays empty. A link's description is plain text printed under its
// button in place of the sheet's note; a heading has none.
struct ResourceEntry {
    QString linkText;
    QString linkUrl;
    bool heading = false;
    QString description = {};

    // What the list shows: link text, "---", link URL; for a heading, "## " and its title.
    QString displayText() const;

    friend bool operator==(const ResourceEntry&, const ResourceEntry&) = default;
};

inline const QString EntrySeparator = QStringLiteral("---");
// What starts a heading in the text forms of the list, as in Markdown: "## Title".
inline const QString HeadingMarker = QStringLiteral("## ");

inline ResourceEntry HeadingEntry(const QString& title)
{
    return {title, {}, true};
}

using ResourceEntries = QList<ResourceEntry>;

} // namespace orvanta
