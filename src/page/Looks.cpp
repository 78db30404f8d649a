// SPDX-License-Identifier: GPL-3.0-or-later
#include "Looks.h"

#include "InstallFolder.h"
#include "sheet/Design.h"

#include <QDir>
#include <QFileInfo>

namespace orvanta {

namespace {

bool isLookName(const QString& name)
{
    return !name.isEmpty() && !name.startsWith(u'.') && !name.contains(u'/') && !name.contains(u'\\') &&
           name != design::ClassicLook;
}

bool holdsTemplates(const QString& folder)
{
    return QFileInfo(folder + QStringLiteral("/template.html")).isFile() &&
           QFileInfo(folder + QStringLiteral("/repeater.txt")).isFile();
}

} // namespace

QStringList LookNames(const QString& installFolder)
{
    QStringList names{design::ClassicLook};
    const QDir looks(InstallPath(installFolder, layout::LooksFolder));
    for (const QString& name : looks.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (isLookName(name) && holdsTemplates(looks.filePath(name)))
            names.append(name);
    }
    return names;
}

QString LookFolder(const QString& installFolder, const QString& look)
{
    if (look.isEmpty() || look == design::ClassicLook)
        return layout::BinFolder;
    const QString folder = layout::LooksFolder + u'/' + look;
    if (!isLookName(look) || !holdsTemplates(InstallPath(installFolder, folder)))
        return {};
    return folder;
}

QString LookTitle(const QString& look)
{
    if (look.isEmpty())
        return look;
    return look.front().toUpper() + look.mid(1);
}

} // namespace orvanta
