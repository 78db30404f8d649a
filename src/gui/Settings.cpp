#include "Settings.h"

#include <QDir>
#include <QSettings>

namespace orvanta {

namespace {

const QString LivePreviewKey = QStringLiteral("livePreview");
const QString RecentKey = QStringLiteral("recentSheets");
const QString GeometryKey = QStringLiteral("windowGeometry");
const QString FolderKey = QStringLiteral("sheetFolder");
const QString EngineKey = QStringLiteral("pdfEngine");
const QString ChromiumKey = QStringLiteral("chromiumProgram");

} // namespace

bool Settings::livePreview()
{
    return QSettings().value(LivePreviewKey, true).toBool();
}

void Settings::setLivePreview(bool on)
{
    QSettings().setValue(LivePreviewKey, on);
}

EngineChoice Settings::pdfEngine()
{
    return EngineChoiceFromKey(QSettings().value(EngineKey).toString()).value_or(EngineChoice::Automatic);
}

void Settings::setPdfEngine(EngineChoice engine)
{
    QSettings().setValue(EngineKey, EngineChoiceKey(engine));
}

QString Settings::chromiumProgram()
{
    return QSettings().value(ChromiumKey).toString();
}

QStringList Settings::recentFiles()
{
    return QSettings().value(RecentKey).toStringList();
}

void Settings::setRecentFiles(const QStringList& paths)
{
    if (paths.isEmpty())
        QSettings().remove(RecentKey);
    else
        QSettings().setValue(RecentKey, paths);
}

QByteArray Settings::windowGeometry()
{
    return QSettings().value(GeometryKey).toByteArray();
}

void Settings::setWindowGeometry(const QByteArray& geometry)
{
    QSettings().setValue(GeometryKey, geometry);
}

QString Settings::lastFolder()
{
    return QSettings().value(FolderKey, QDir::homePath()).toString();
}

void Settings::setLastFolder(const QString& folder)
{
    QSettings().setValue(FolderKey, folder);
}

} // namespace orvanta
