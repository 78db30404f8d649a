// SPDX-License-Identifier: GPL-3.0-or-later
#include "OwnFolders.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace orvanta {

namespace {

constexpr int MaxDepth = 128; // far deeper than any profile; a deeper tree is left, not followed down

bool removeTree(int parent, const char* name, const struct stat& seen, dev_t device, int depth);

// Empties the open folder. The names are read first, then removed: a listing that changes under it may skip some.
bool removeEntries(int folder, dev_t device, int depth)
{
    const int listingFd = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    DIR* listing = listingFd >= 0 ? ::fdopendir(listingFd) : nullptr;
    if (!listing) {
        if (listingFd >= 0)
            ::close(listingFd);
        return false;
    }
    ::rewinddir(listing); // the copy shares its place with `folder`, which an earlier listing left at the end
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(listing)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.emplace_back(entry->d_name);
    }
    ::closedir(listing);
    bool removed = true;
    for (const std::string& name : names) {
        struct stat entry {};
        if (::fstatat(folder, name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0) {
            removed = removed && errno == ENOENT;
        } else if (S_ISDIR(entry.st_mode)) {
            removed = removeTree(folder, name.c_str(), entry, device, depth + 1) && removed;
        } else { // a file, or a link, which goes itself
            removed = (::unlinkat(folder, name.c_str(), 0) == 0 || errno == ENOENT) && removed;
        }
    }
    return removed;
}

// `seen` is what lstat said of the folder: it is opened only if it is still that folder.
bool removeTree(int parent, const char* name, const struct stat& seen, dev_t device, int depth)
{
    if (depth > MaxDepth || seen.st_dev != device)
        return false;
    const int folder = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0)
        return errno == ENOENT;
    struct stat opened {};
    const bool same = ::fstat(folder, &opened) == 0 && opened.st_dev == seen.st_dev && opened.st_ino == seen.st_ino;
    bool emptied = same && removeEntries(folder, device, depth);
    // A helper of a killed browser may still write a moment: another look or two.
    for (int attempt = 0; emptied; ++attempt) {
        if (::unlinkat(parent, name, AT_REMOVEDIR) == 0 || errno == ENOENT)
            break;
        emptied = errno == ENOTEMPTY && attempt < 2 && removeEntries(folder, device, depth);
    }
    ::close(folder);
    struct stat after {};
    return emptied && ::fstatat(parent, name, &after, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT;
}

} // namespace

bool RemoveOwnFolder(int parent, const QString& name)
{
    const QByteArray encoded = QFile::encodeName(name);
    if (encoded.isEmpty() || encoded.contains('/') || encoded == "." || encoded == "..")
        return false;
    struct stat seen {};
    if (::fstatat(parent, encoded.constData(), &seen, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT;
    if (!S_ISDIR(seen.st_mode) || seen.st_uid != ::geteuid())
        return false;
    return removeTree(parent, encoded.constData(), seen, seen.st_dev, 0);
}

bool RemoveOwnFolder(const QString& path)
{
    const QFileInfo info(path);
    const int parent = ::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parent < 0)
        return errno == ENOENT;
    const bool removed = RemoveOwnFolder(parent, info.fileName());
    ::close(parent);
    return removed;
}

bool IsPrivateFolder(const QString& path)
{
    struct stat seen {};
    return ::lstat(QFile::encodeName(path).constData(), &seen) == 0 && S_ISDIR(seen.st_mode) &&
           seen.st_uid == ::geteuid() && (seen.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

} // namespace orvanta
