// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

namespace orvanta {

// The message box titles that the window, its dialogs and the build words share, each written once.
class Titles {
    Q_DECLARE_TR_FUNCTIONS(Titles)

public:
    static QString missingInfo();
    static QString done();
    static QString cannotCreate();
    static QString folderNotWritable();
};

} // namespace orvanta
