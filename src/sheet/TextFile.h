// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <chrono>

namespace orvanta {

// The outcome of reading or writing a whole text file. `message` is a sentence for the user that names
// the file and the reason.
struct FileResult {
    enum class Status { Ok, Missing, Failed };
    Status status = Status::Ok;
    QString message;

    bool ok() const { return status == Status::Ok; }
    bool missing() const { return status == Status::Missing; }
};

// Reads the whole file as UTF-8 into `text`; line breaks are kept as they are. A leading byte-order mark
// is dropped. A file that is not valid UTF-8 is refused. On failure `text` is left untouched.
FileResult LoadTextFile(const QString& path, QString& text);

// Writes `text` as UTF-8 so that LoadTextFile gives it back unchanged. The file is replaced atomically:
// a failed or interrupted save leaves the earlier file whole.
FileResult SaveTextFile(const QString& path, const QString& text);

// Writes `bytes` atomically, as SaveTextFile does.
FileResult SaveFile(const QString& path, const QByteArray& bytes);

// What was being done to a file when it failed.
enum class FileAction { Open, Read, Save, Make, Lock };

// "Could not open PATH: REASON." and so on, one whole sentence for each action.
FileResult FileFailure(FileAction action, const QString& path, const QString& reason,
                       FileResult::Status status = FileResult::Status::Failed);

// What a reader takes besides a regular file. The window reads regular files only, so that nothing it opens can
// freeze it; the command line also reads a pipe (`orvanta build <(...)`) or a device, under StreamTimeLimit.
enum class FileKinds { RegularOnly, StreamsToo };
constexpr std::chrono::seconds StreamTimeLimit{10};

// Reads the file at `path` whole into `bytes`, refusing one of more than `maxBytes`, and never waits without
// limit: the file is opened without blocking, anything but a regular file is refused unless `kinds` allows
// streams, a FIFO that no program writes to is refused at once, and a stream must end within StreamTimeLimit.
// On failure the message says "Could not `action` PATH: ..." and `bytes` is untouched.
FileResult ReadFileBytes(const QString& path, FileAction action, FileKinds kinds, qint64 maxBytes, QByteArray& bytes);

} // namespace orvanta
