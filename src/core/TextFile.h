#pragma once

#include <QString>

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

} // namespace orvanta
