// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextFile.h"

#include <QDeadlineTimer>
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

// A FIFO opened without blocking reads as ended when no program has it open for writing; it reports a hang-up
// only once a writer has come and gone.
bool writerCameAndWent(int fd)
{
    pollfd polled{fd, POLLIN, 0};
    return ::poll(&polled, 1, 0) > 0 && (polled.revents & POLLHUP) != 0;
}

} // namespace

Expected<QByteArray, FileProblem> ReadFileBytes(const QString& path, FileAction action, FileKinds kinds,
                                                qint64 maxBytes)
{
    using Kind = FileProblem::Kind;
    const auto failure = [&](Kind kind, const QString& reason = {}, qint64 limit = 0) {
        return Unexpected(FileProblem{.action = action, .kind = kind, .path = path, .reason = reason, .limit = limit});
    };
    const auto systemFailure = [&] { return failure(Kind::System, qt_error_string(errno)); };
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT)
        return failure(Kind::Missing);
    if (fd < 0)
        return systemFailure();
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return systemFailure();
    if (S_ISDIR(status.st_mode))
        return failure(Kind::Folder);
    const bool regular = S_ISREG(status.st_mode);
    if (!regular && kinds == FileKinds::RegularOnly)
        return failure(Kind::NotRegular);
    if (regular && status.st_size > maxBytes)
        return failure(Kind::TooLarge, {}, maxBytes);

    QByteArray read;
    if (regular)
        read.reserve(qsizetype(status.st_size));
    const QDeadlineTimer deadline(StreamTimeLimit);
    char buffer[64 * 1024];
    for (;;) {
        if (!regular && deadline.hasExpired())
            return failure(Kind::NoEnd, {}, StreamTimeLimit.count());
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            if (read.size() + got > maxBytes)
                return failure(Kind::TooLarge, {}, maxBytes);
            read.append(buffer, got);
        } else if (got == 0) {
            if (S_ISFIFO(status.st_mode) && read.isEmpty() && !writerCameAndWent(fd))
                return failure(Kind::NoWriter);
            break;
        } else if (errno == EAGAIN) {
            pollfd polled{fd, POLLIN, 0};
            if (::poll(&polled, 1, int(deadline.remainingTime())) < 0 && errno != EINTR)
                return systemFailure();
        } else if (errno != EINTR) {
            return systemFailure();
        }
    }
    return read;
}

Expected<QString, FileProblem> LoadTextFile(const QString& path)
{
    Expected<QByteArray, FileProblem> bytes =
        ReadFileBytes(path, FileAction::Read, FileKinds::RegularOnly, std::numeric_limits<qint64>::max());
    if (!bytes)
        return Unexpected(bytes.error());

    QByteArrayView view(*bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    // Only the one mark dropped above is a byte-order mark; anything after it is text.
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
    QString decoded = decoder.decode(view);
    // Reading other encodings would turn their letters into replacement characters, which a save would
    // then make permanent.
    if (decoder.hasError())
        return Unexpected(FileProblem{.action = FileAction::Read, .kind = FileProblem::Kind::NotUtf8, .path = path});
    return decoded;
}

std::optional<FileProblem> SaveTextFile(const QString& path, const QString& text)
{
    QByteArray bytes = text.toUtf8();
    // Loading drops one leading byte-order mark, so a text that starts with one keeps it behind a second.
    if (text.startsWith(QChar::ByteOrderMark))
        bytes.prepend("\xEF\xBB\xBF");
    return SaveFile(path, bytes);
}

std::optional<FileProblem> SaveFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    const auto failure = [&] {
        return FileProblem{
            .action = FileAction::Save, .kind = FileProblem::Kind::System, .path = path, .reason = file.errorString()};
    };
    // Unbuffered, so a write that the file system cuts short is seen here; through Qt's buffer a short
    // text would reach the disk only at the commit, which does not report a short write.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return failure();
    return {};
}

} // namespace orvanta
