// SPDX-License-Identifier: GPL-3.0-or-later
#include "Installation.h"

#include "Version.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
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

QString InstallPath(const QString& folder, const QString& relative)
{
    return QString(folder + relative).replace(QStringLiteral("//"), QStringLiteral("/"));
}

bool InstallFolderWritable(const QString& folder)
{
    return takesNewFiles(InstallPath(folder, layout::BinFolder)) &&
           takesNewFiles(InstallPath(folder, layout::OutputFolder)) &&
           takesNewFiles(InstallPath(folder, layout::ResourcesFolder));
}

Installation::Installation(const QString& folder)
    : Installation(folder, folder)
{
}

Installation::Installation(const QString& folder, const QString& userFolder)
    : m_folder(folder)
    , m_userFolder(userFolder)
{
}

Installation Installation::At(const QString& folder)
{
    if (InstallFolderWritable(folder))
        return Installation(folder);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString user = data + QStringLiteral("/orvanta");
    // Made for the user alone; a folder that cannot be made is reported when something is written.
    if (!QFileInfo::exists(user) && QDir().mkpath(data) && QDir().mkdir(user))
        QFile::setPermissions(user, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir().mkpath(InstallPath(user, layout::OutputFolder));
    QDir().mkpath(InstallPath(user, layout::ResourcesFolder));
    return Installation(folder, user);
}

Installation Installation::OfProgram(const QString& programFolder)
{
    return At(QDir::cleanPath(programFolder + QStringLiteral("/" ORVANTA_DATA_FROM_PROGRAM)));
}

QString Installation::readPath(const QString& relative) const
{
    const QString user = InstallPath(m_userFolder, relative);
    if (m_userFolder == m_folder || QFileInfo::exists(user))
        return user;
    return InstallPath(m_folder, relative);
}

} // namespace orvanta
