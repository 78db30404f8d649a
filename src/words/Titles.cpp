// SPDX-License-Identifier: GPL-3.0-or-later
#include "Titles.h"

namespace orvanta {

QString Titles::missingInfo()
{
    return tr("Missing Info");
}

QString Titles::done()
{
    return tr("Done");
}

QString Titles::cannotCreate()
{
    return tr("Cannot Create");
}

QString Titles::folderNotWritable()
{
    return tr("Folder Not Writable");
}

} // namespace orvanta
