// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Expected.h"
#include "FileProblem.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <optional>

namespace orvanta {

// Reads the whole file as UTF-8; line breaks are kept as they are. A leading byte-order mark is dropped. A file
// that is not valid UTF-8 is refused.
Expected<QString, FileProblem> LoadTextFile(const QString& path);

// Writes `text` as UTF-8 so that LoadTextFile gives it back unchanged. The file is replaced atomically:
// a failed or interrupted save leaves the earlier file whole.
std::optional<FileProblem> SaveTextFile(const QString& path, const QString& text);

// Writes `bytes` atomically, as SaveTextFile does.
std::optional<FileProblem> SaveFile(const QString& path, const QByteArray& bytes);

// What a reader takes besides a regular file. The window reads regular files only, so that nothing it opens can
// freeze it; the command line also reads a pipe (`orvanta build <(...)`) or a device, under StreamTimeLimit.
enum class FileKinds { RegularOnly, StreamsToo };
constexpr std::chrono::seconds StreamTimeLimit{10};

// Reads the file at `path` whole into `bytes`, refusing one of more than `maxBytes`, and never waits without
// limit: the file is opened without blocking, anything but a regular file is refused unless `kinds` allows
// streams, a FIFO that no program writes to is refused at once, and a stream must end within StreamTimeLimit.
// A problem names `action`.
Expected<QByteArray, FileProblem> ReadFileBytes(const QString& path, FileAction action, FileKinds kinds,
                                                qint64 maxBytes);

} // namespace orvanta
