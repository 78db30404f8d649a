// SPDX-License-Identifier: GPL-3.0-or-later
#include "Looks.h"

#include "Installation.h"
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

bool holdsTemplates(const Installation& installation, const QString& folder)
{
    return QFileInfo(installation.readPath(folder + QStringLiteral("/template.html"))).isFile() &&
           QFileInfo(installation.readPath(folder + QStringLiteral("/repeater.txt"))).isFile();
}

} // namespace

QStringList LookNames(const Installation& installation)
{
    QStringList found;
    for (const QString& folder : {installation.userFolder(), installation.folder()})
        found += QDir(InstallPath(folder, layout::LooksFolder)).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    found.sort();
    found.removeDuplicates();
    QStringList names{design::ClassicLook};
    for (const QString& name : std::as_const(found)) {
        if (isLookName(name) && holdsTemplates(installation, layout::LooksFolder + u'/' + name))
            names.append(name);
    }
    return names;
}

QString LookFolder(const Installation& installation, const QString& look)
{
    if (look.isEmpty() || look == design::ClassicLook)
        return layout::BinFolder;
    const QString folder = layout::LooksFolder + u'/' + look;
    if (!isLookName(look) || !holdsTemplates(installation, folder))
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
