// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <sys/stat.h>

namespace orvanta {

namespace {

QFileDevice::Permissions newFilePermissions()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = 0666 & ~mask;
    QFileDevice::Permissions permissions;
    const std::pair<mode_t, QFileDevice::Permissions> bits[] = {
        {S_IRUSR, QFileDevice::ReadOwner | QFileDevice::ReadUser},
        {S_IWUSR, QFileDevice::WriteOwner | QFileDevice::WriteUser},
        {S_IRGRP, QFileDevice::ReadGroup},
        {S_IWGRP, QFileDevice::WriteGroup},
        {S_IROTH, QFileDevice::ReadOther},
        {S_IWOTH, QFileDevice::WriteOther}};
    for (const auto& [bit, permission] : bits) {
        if (mode & bit)
            permissions |= permission;
    }
    return permissions;
}

} // namespace

Expected<QString, ConversionResult> MakeTemporaryPdf(const QString& pdfPath)
{
    QTemporaryFile temp(QFileInfo(pdfPath).absolutePath() + QStringLiteral("/.converting-XXXXXX.pdf"));
    temp.setAutoRemove(false);
    if (!temp.open()) {
        const QString folder = QDir::toNativeSeparators(QFileInfo(pdfPath).absolutePath());
        ConversionResult failed{
            ConversionResult::Outcome::FailedToStart, 0, QStringLiteral("%1 (%2)").arg(folder, temp.errorString()), {}};
        failed.fault = ConversionResult::Fault::NoTemporaryFile;
        return Unexpected(failed);
    }
    // A temporary file is private to its owner; the PDF gets the permissions of any new file.
    temp.setPermissions(newFilePermissions());
    return temp.fileName();
}

ConversionResult StorePdf(QString& tempPath, const QString& pdfPath, ConversionResult result)
{
    if (!IsCompletePdf(tempPath)) {
        result.outcome = ConversionResult::Outcome::NoPdf;
        return result;
    }
    std::error_code error;
    std::filesystem::rename(QFileInfo(tempPath).filesystemFilePath(), QFileInfo(pdfPath).filesystemFilePath(), error);
    if (error) {
        result.outcome = ConversionResult::Outcome::NotStored;
        result.detail = QString::fromStdString(error.message());
    } else {
        tempPath.clear(); // it is the PDF now
    }
    return result;
}

ConversionResult CopyPdf(const QString& fromPath, const QString& pdfPath)
{
    Expected<QString, ConversionResult> temp = MakeTemporaryPdf(pdfPath);
    if (!temp)
        return temp.error();
    QString tempPath = *std::move(temp);
    QFile from(fromPath);
    QFile to(tempPath);
    ConversionResult result;
    if (!from.open(QIODevice::ReadOnly) || !to.open(QIODevice::WriteOnly) || to.write(from.readAll()) != from.size() ||
        !to.flush()) {
        result = {ConversionResult::Outcome::NotStored, 0, to.errorString(), {}};
    } else {
        to.close();
        result = StorePdf(tempPath, pdfPath, result);
    }
    if (!tempPath.isEmpty())
        QFile::remove(tempPath);
    return result;
}

} // namespace orvanta
