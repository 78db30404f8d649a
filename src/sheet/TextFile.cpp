// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextFile.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QScopeGuard>
#include <QStringDecoder>

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvanta {

namespace {

QString failureSentence(FileAction action)
{
    switch (action) {
    case FileAction::Open:
        return QCoreApplication::translate("TextFile", "Could not open %1: %2.");
    case FileAction::Read:
        return QCoreApplication::translate("TextFile", "Could not read %1: %2.");
    case FileAction::Save:
        return QCoreApplication::translate("TextFile", "Could not save %1: %2.");
    case FileAction::Make:
        return QCoreApplication::translate("TextFile", "Could not make %1: %2.");
    case FileAction::Lock:
        return QCoreApplication::translate("TextFile", "Could not lock %1: %2.");
    }
    return {};
}

// A FIFO opened without blocking reads as ended when no program has it open for writing; it reports a hang-up
// only once a writer has come and gone.
bool writerCameAndWent(int fd)
{
    pollfd polled{fd, POLLIN, 0};
    return ::poll(&polled, 1, 0) > 0 && (polled.revents & POLLHUP) != 0;
}

} // namespace

FileResult ReadFileBytes(const QString& path, FileAction action, FileKinds kinds, qint64 maxBytes, QByteArray& bytes)
{
    const auto failure = [&](const QString& reason) { return FileFailure(action, path, reason); };
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT)
        return FileFailure(action, path, QCoreApplication::translate("TextFile", "the file does not exist"),
                           FileResult::Status::Missing);
    if (fd < 0)
        return failure(qt_error_string(errno));
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return failure(qt_error_string(errno));
    if (S_ISDIR(status.st_mode))
        return failure(QCoreApplication::translate("TextFile", "it is a folder"));
    const bool regular = S_ISREG(status.st_mode);
    if (!regular && kinds == FileKinds::RegularOnly)
        return failure(QCoreApplication::translate("TextFile", "it is not a regular file"));
    const QString tooLarge =
        QCoreApplication::translate("TextFile", "it holds more than %1 MB").arg(maxBytes / (1024 * 1024));
    if (regular && status.st_size > maxBytes)
        return failure(tooLarge);

    QByteArray read;
    if (regular)
        read.reserve(qsizetype(status.st_size));
    const QDeadlineTimer deadline(StreamTimeLimit);
    char buffer[64 * 1024];
    for (;;) {
        if (!regular && deadline.hasExpired())
            return failure(QCoreApplication::translate("TextFile", "it did not end within %1 seconds")
                               .arg(StreamTimeLimit.count()));
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            if (read.size() + got > maxBytes)
                return failure(tooLarge);
            read.append(buffer, got);
        } else if (got == 0) {
            if (S_ISFIFO(status.st_mode) && read.isEmpty() && !writerCameAndWent(fd))
                return failure(QCoreApplication::translate("TextFile", "no program is writing to it"));
            break;
        } else if (errno == EAGAIN) {
            pollfd polled{fd, POLLIN, 0};
            if (::poll(&polled, 1, int(deadline.remainingTime())) < 0 && errno != EINTR)
                return failure(qt_error_string(errno));
        } else if (errno != EINTR) {
            return failure(qt_error_string(errno));
        }
    }
    bytes = std::move(read);
    return {};
}

FileResult FileFailure(FileAction action, const QString& path, const QString& reason, FileResult::Status status)
{
    return {status, failureSentence(action).arg(QDir::toNativeSeparators(path), reason)};
}

FileResult LoadTextFile(const QString& path, QString& text)
{
    QByteArray bytes;
    if (FileResult read =
            ReadFileBytes(path, FileAction::Read, FileKinds::RegularOnly, std::numeric_limits<qint64>::max(), bytes);
        !read.ok())
        return read;

    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    // Only the one mark dropped above is a byte-order mark; anything after it is text.
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
    QString decoded = decoder.decode(view);
    // Reading other encodings would turn their letters into replacement characters, which a save would
    // then make permanent.
    if (decoder.hasError())
        return FileFailure(
            FileAction::Read, path,
            QCoreApplication::translate("TextFile", "the file is not UTF-8 text; save it as UTF-8 and try again"));
    text = std::move(decoded);
    return {};
}

FileResult SaveTextFile(const QString& path, const QString& text)
{
    QByteArray bytes = text.toUtf8();
    // Loading drops one leading byte-order mark, so a text that starts with one keeps it behind a second.
    if (text.startsWith(QChar::ByteOrderMark))
        bytes.prepend("\xEF\xBB\xBF");
    return SaveFile(path, bytes);
}

FileResult SaveFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // Unbuffered, so a write that the file system cuts short is seen here; through Qt's buffer a short
    // text would reach the disk only at the commit, which does not report a short write.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FileFailure(FileAction::Save, path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        return FileFailure(FileAction::Save, path, file.errorString());
    return {};
}

} // namespace orvanta
