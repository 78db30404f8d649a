#include "TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

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

} // namespace

FileResult FileFailure(FileAction action, const QString& path, const QString& reason, FileResult::Status status)
{
    return {status, failureSentence(action).arg(QDir::toNativeSeparators(path), reason)};
}

FileResult LoadTextFile(const QString& path, QString& text)
{
    QFile file(path);
    if (!file.exists())
        return FileFailure(FileAction::Read, path, QCoreApplication::translate("TextFile", "the file does not exist"),
                           FileResult::Status::Missing);
    if (!file.open(QIODevice::ReadOnly))
        return FileFailure(FileAction::Read, path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return FileFailure(FileAction::Read, path, file.errorString());

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
