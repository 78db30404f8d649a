// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace orvanta {

// Removes the folder `name` inside the open folder `parent` and all it holds, if it is a real folder of this user;
// a link of that name, or a folder of another user, is left alone. Nothing is followed: each folder is opened
// relative to the one above it and never through a link, and a link inside is removed, not what it leads to;
// nothing on another file system is entered. True when the folder is gone.
bool RemoveOwnFolder(int parent, const QString& name);
// The same for a path: its last part is the folder removed, the parts before it lead there.
bool RemoveOwnFolder(const QString& path);

// A real folder (not a link) of this user that nobody else may read, write or enter, as lstat sees `path`.
bool IsPrivateFolder(const QString& path);

} // namespace orvanta
