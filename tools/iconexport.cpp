// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the app icon as PNG files for the desktop's icon theme, from the same drawing the window uses.
#include "gui/widgets/Icons.h"

#include <QDir>
#include <QGuiApplication>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const QIcon icon = orvanta::icons::app();
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        if (!QDir().mkpath(folder) || !icon.pixmap(size, size).save(folder + QStringLiteral("/orvanta.png")))
            return 1;
    }
    return 0;
}
