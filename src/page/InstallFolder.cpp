// SPDX-License-Identifier: GPL-3.0-or-later
#include "InstallFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace orvanta {

namespace {

// Trying is the only sure test: permissions say nothing for root or on a read-only file system.
bool takesNewFiles(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return true; // nothing to write into; reading the templates reports that
    QTemporaryFile probe(folder + QStringLiteral("/.write-test-XXXXXX"));
    return probe.open();
}

} // namespace

QString InstallPath(const QString& installFolder, const QString& relative)
{
    return QString(installFolder + relative).replace(QStringLiteral("//"), QStringLiteral("/"));
}

bool InstallFolderWritable(const QString& installFolder)
{
    return takesNewFiles(InstallPath(installFolder, layout::BinFolder)) &&
           takesNewFiles(InstallPath(installFolder, layout::OutputFolder)) &&
           takesNewFiles(InstallPath(installFolder, layout::ResourcesFolder));
}

} // namespace orvanta
