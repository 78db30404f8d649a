// SPDX-License-Identifier: GPL-3.0-or-later
#include "Settings.h"

#include <QDir>
#include <QSettings>

namespace orvanta {

namespace {

// Stores a changed value under `key`, or removes the key, and says so.
void store(const QString& key, const QVariant& value, bool remove = false)
{
    if (remove)
        QSettings().remove(key);
    else
        QSettings().setValue(key, value);
    Q_EMIT Settings::notifier().changed(key);
}

} // namespace

SettingsNotifier& Settings::notifier()
{
    static SettingsNotifier notifier;
    return notifier;
}

bool Settings::livePreview()
{
    return QSettings().value(LivePreviewKey, true).toBool();
}

void Settings::setLivePreview(bool on)
{
    if (on != livePreview())
        store(LivePreviewKey, on);
}

EngineChoice Settings::pdfEngine()
{
    return EngineChoiceFromKey(QSettings().value(PdfEngineKey).toString()).value_or(EngineChoice::Automatic);
}

void Settings::setPdfEngine(EngineChoice engine)
{
    if (engine != pdfEngine())
        store(PdfEngineKey, EngineChoiceKey(engine));
}

QString Settings::chromiumProgram()
{
    return QSettings().value(ChromiumProgramKey).toString();
}

void Settings::setChromiumProgram(const QString& program)
{
    if (program != chromiumProgram())
        store(ChromiumProgramKey, program, program.isEmpty());
}

QStringList Settings::recentFiles()
{
    return QSettings().value(RecentFilesKey).toStringList();
}

void Settings::setRecentFiles(const QStringList& paths)
{
    if (paths != recentFiles())
        store(RecentFilesKey, paths, paths.isEmpty());
}

QByteArray Settings::windowGeometry()
{
    return QSettings().value(WindowGeometryKey).toByteArray();
}

void Settings::setWindowGeometry(const QByteArray& geometry)
{
    if (geometry != windowGeometry())
        store(WindowGeometryKey, geometry);
}

QByteArray Settings::previewSplit()
{
    return QSettings().value(PreviewSplitKey).toByteArray();
}

void Settings::setPreviewSplit(const QByteArray& state)
{
    if (state != previewSplit())
        store(PreviewSplitKey, state);
}

QString Settings::lastFolder()
{
    return QSettings().value(LastFolderKey, QDir::homePath()).toString();
}

void Settings::setLastFolder(const QString& folder)
{
    if (folder != lastFolder())
        store(LastFolderKey, folder);
}

QString Settings::pdfFolder()
{
    return QSettings().value(PdfFolderKey, lastFolder()).toString();
}

void Settings::setPdfFolder(const QString& folder)
{
    if (folder != pdfFolder())
        store(PdfFolderKey, folder);
}

} // namespace orvanta
