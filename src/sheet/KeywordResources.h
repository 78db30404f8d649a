// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ResourceEntry.h"

#include <QStringList>

namespace orvanta {

inline const QString KeywordPlaceholder = QStringLiteral("#KEYWORD#");
inline const QString DiscussionSearchBase = QStringLiteral("https://www.quora.com/search?q=");
inline const QString VideoSearchBase = QStringLiteral("https://www.youtube.com/results?search_query=");

// One keyword per line; lines may end in LF or CR LF. Blank lines (empty or only white space) are no
// keywords; every other line is kept exactly as typed.
QStringList KeywordsFromText(const QString& text);

// Search links on the discussion site: the keyword percent-encoded, its spaces kept as spaces.
ResourceEntries DiscussionResources(const QString& keywordText, const QString& titleFormat);

// Search links on the video site: the keyword percent-encoded, its spaces turned into '+'.
ResourceEntries VideoResources(const QString& keywordText, const QString& titleFormat);

} // namespace orvanta
