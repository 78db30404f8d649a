// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

namespace orvanta {

struct ResourceEntry;
struct Sheet;

// A link's address as a person reads and types it: host (and port) and path, without the scheme, a leading
// "www.", the query or the fragment, so without campaign tags; cut short with "…" past 50 characters, and
// HTML-escaped. An address without a host prints its path, such as the mail address of a mailto: link.
QString PrintedAddress(const QString& url);

// The headline with the last space between its last two words made a no-break space (U+00A0), so that its last
// line never holds one word alone. Only text changes, never a tag; a headline of one word comes back as it is.
QString WithoutLoneLastWord(const QString& headline);

// The note under a resource's button, as markup: its own description, HTML-escaped and its "#" written as a reference
// so that no placeholder is filled inside it, whether or not the sheet asks for a note under each resource; without
// one, the sheet's note as it stands when it asks for it, or no note at all.
std::optional<QString> NoteBelow(const Sheet& sheet, const ResourceEntry& entry);

} // namespace orvanta
