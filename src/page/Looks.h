// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace orvanta {

// A look is a folder of templates: template.html and repeater.txt, as the installation's bin folder holds for the
// classic look. The shipped looks and those a user makes live in bin/looks/NAME, in the installation or the user's
// folder, each file read from the user's first; the page is always written into bin, so a look's relative links
// are read from there.
namespace layout {
inline const QString LooksFolder = QStringLiteral("/bin/looks");
}

class Installation;

// "classic" first, then each folder of bin/looks that holds both templates, by name. A name that could leave the
// folder (a slash, a leading dot) is never a look.
QStringList LookNames(const Installation& installation);

// The look's folder relative to the installation, such as "/bin" or "/bin/looks/compact"; empty when the
// look is not installed.
QString LookFolder(const Installation& installation, const QString& look);

// The name a look is shown under: "Classic" for "classic", the folder's name otherwise, first letter raised.
QString LookTitle(const QString& look);

} // namespace orvanta
