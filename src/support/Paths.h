#pragma once

#include <QString>

namespace orvanta {

// True when `path` names an existing file, or, with `folderWanted`, an existing file or folder. Hidden
// and read-only files count. The last part of the path may hold the wildcards '*' and '?'; the path
// then exists when any entry of the wanted kind matches.
bool PathExists(const QString& path, bool folderWanted);

// The installation folder followed by a fixed relative path such as "/bin/output", with each pair of
// separators made one ("//bin" from the root folder becomes "/bin").
QString InstallPath(const QString& installFolder, const QString& relative);

} // namespace orvanta
