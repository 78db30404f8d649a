#pragma once

#include "core/PdfEngine.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace orvanta {

// What the app remembers between runs, under the keys that earlier versions wrote, so their settings still count.
class Settings {
public:
    static bool livePreview();
    static void setLivePreview(bool on);

    static EngineChoice pdfEngine();
    static void setPdfEngine(EngineChoice engine);
    // A browser program to use for Chromium; empty: the one found on PATH.
    static QString chromiumProgram();

    // The sheets opened or saved last, newest first.
    static QStringList recentFiles();
    static void setRecentFiles(const QStringList& paths);

    static QByteArray windowGeometry();
    static void setWindowGeometry(const QByteArray& geometry);

    // Where the sheet dialogs start when no sheet is open: the folder of the last sheet opened or saved.
    static QString lastFolder();
    static void setLastFolder(const QString& folder);
};

} // namespace orvanta
