// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engines/PdfEngine.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

namespace orvanta {

// Tells when a setting changed value, by its key (Settings::PdfEngineKey...).
class SettingsNotifier : public QObject {
    Q_OBJECT

Q_SIGNALS:
    void changed(const QString& key);
};

// What the app remembers between runs, under the keys that earlier versions wrote, so their settings still count.
// Each setter that changes a value says so through notifier().
class Settings {
public:
    static inline const QString LivePreviewKey = QStringLiteral("livePreview");
    static inline const QString RecentFilesKey = QStringLiteral("recentSheets");
    static inline const QString WindowGeometryKey = QStringLiteral("windowGeometry");
    static inline const QString PreviewSplitKey = QStringLiteral("previewSplit");
    static inline const QString PdfFolderKey = QStringLiteral("pdfFolder");
    static inline const QString LastFolderKey = QStringLiteral("sheetFolder");
    static inline const QString PdfEngineKey = QStringLiteral("pdfEngine");
    static inline const QString ChromiumProgramKey = QStringLiteral("chromiumProgram");

    // One for the whole process.
    static SettingsNotifier& notifier();

    static bool livePreview();
    static void setLivePreview(bool on);

    static EngineChoice pdfEngine();
    static void setPdfEngine(EngineChoice engine);
    // A browser program to use for Chromium; empty: the one found on PATH.
    static QString chromiumProgram();
    static void setChromiumProgram(const QString& program);

    // The sheets opened or saved last, newest first.
    static QStringList recentFiles();
    static void setRecentFiles(const QStringList& paths);

    static QByteArray windowGeometry();
    static void setWindowGeometry(const QByteArray& geometry);
    // Where the splitter between the editor and the preview was left (QSplitter::saveState()).
    static QByteArray previewSplit();
    static void setPreviewSplit(const QByteArray& state);

    // Where the sheet dialogs start when no sheet is open: the folder of the last sheet opened or saved.
    static QString lastFolder();
    static void setLastFolder(const QString& folder);
    // Where File > Export PDF saved last; at first the sheets' folder.
    static QString pdfFolder();
    static void setPdfFolder(const QString& folder);
};

} // namespace orvanta
