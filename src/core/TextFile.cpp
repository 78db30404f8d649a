#include "TextFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace orvanta {

namespace {

FileResult failure(FileResult::Status status, const QString& action, const QString& path, const QString& reason)
{
    return {status, QStringLiteral("Could not %1 %2: %3.").arg(action, QDir::toNativeSeparators(path), reason)};
}

} // namespace

FileResult LoadTextFile(const QString& path, QString& text)
{
    QFile file(path);
    if (!file.exists())
        return failure(FileResult::Status::Missing, QStringLiteral("read"), path,
                       QStringLiteral("the file does not exist"));
    if (!file.open(QIODevice::ReadOnly))
        return failure(FileResult::Status::Failed, QStringLiteral("read"), path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failure(FileResult::Status::Failed, QStringLiteral("read"), path, file.errorString());

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
        return failure(FileResult::Status::Failed, QStringLiteral("read"), path,
                       QStringLiteral("the file is not UTF-8 text; save it as UTF-8 and try again"));
    text = std::move(decoded);
    return {};
}

FileResult SaveTextFile(const QString& path, const QString& text)
{
    QSaveFile file(path);
    // Unbuffered, so a write that the file system cuts short is seen here; through Qt's buffer a short
    // text would reach the disk only at the commit, which does not report a short write.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(FileResult::Status::Failed, QStringLiteral("save"), path, file.errorString());
    QByteArray bytes = text.toUtf8();
    // Loading drops one leading byte-order mark, so a text that starts with one keeps it behind a second.
    if (text.startsWith(QChar::ByteOrderMark))
        bytes.prepend("\xEF\xBB\xBF");
    if (file.write(bytes) != bytes.size() || !file.commit())
        return failure(FileResult::Status::Failed, QStringLiteral("save"), path, file.errorString());
    return {};
}

} // namespace orvanta
