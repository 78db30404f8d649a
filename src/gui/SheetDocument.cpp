#include "SheetDocument.h"

#include "core/SheetFile.h"
#include "core/TextFile.h"
#include "gui/widgets/Interaction.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>

namespace orvanta {

namespace {

const QString RecentKey = QStringLiteral("recentSheets");
const QString FolderKey = QStringLiteral("sheetFolder");
constexpr int MaxRecentFiles = 8;
constexpr int RecoveryDelay = 1000; // ms: unsaved work is kept aside within a second of a change

QString filter()
{
    return QStringLiteral("Orvanta sheets (*.%1);;All files (*)").arg(SheetSuffix);
}

} // namespace

SheetDocument::SheetDocument(QWidget* window, Interaction& interaction, Reader read, Shower show)
    : m_window(window)
    , m_interaction(interaction)
    , m_read(std::move(read))
    , m_show(std::move(show))
{
    m_recoveryTimer.setSingleShot(true);
    m_recoveryTimer.setInterval(RecoveryDelay);
    connect(&m_recoveryTimer, &QTimer::timeout, this, &SheetDocument::writeRecoveryCopy);
}

QString SheetDocument::name() const
{
    return m_path.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(m_path).completeBaseName();
}

bool SheetDocument::isModified() const
{
    return m_read() != m_saved;
}

void SheetDocument::newSheet()
{
    if (!maybeSave())
        return;
    m_show(Sheet{});
    adopt({}, m_read());
}

void SheetDocument::open()
{
    if (!maybeSave())
        return;
    const QString path = m_interaction.fileToOpen(m_window, QStringLiteral("Open Sheet"), folderForDialogs(), filter());
    if (!path.isEmpty())
        openFile(path);
}

void SheetDocument::openAfterAsking(const QString& path)
{
    if (!maybeSave())
        return;
    if (!openFile(path) && !QFileInfo::exists(path))
        removeRecentFile(path);
}

bool SheetDocument::openFile(const QString& path)
{
    Sheet sheet;
    if (const FileResult loaded = LoadSheet(path, sheet); !loaded.ok()) {
        m_interaction.warn(m_window, QStringLiteral("Open Sheet"), loaded.message);
        return false;
    }
    m_show(sheet);
    adopt(QFileInfo(path).absoluteFilePath(), m_read());
    addRecentFile(m_path);
    Q_EMIT statusMessage(QStringLiteral("Opened %1").arg(QDir::toNativeSeparators(m_path)));
    return true;
}

bool SheetDocument::save()
{
    return m_path.isEmpty() ? saveAs() : writeTo(m_path);
}

bool SheetDocument::saveAs()
{
    const Sheet sheet = m_read();
    QString suggested = !sheet.fileName.isEmpty()   ? sheet.fileName
                        : !sheet.headline.isEmpty() ? sheet.headline
                                                    : name();
    suggested = folderForDialogs() + u'/' + suggested.replace(u'/', u'-') + u'.' + SheetSuffix;
    QString path = m_interaction.fileToSave(m_window, QStringLiteral("Save Sheet As"), suggested, filter());
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty()) {
        path += u'.' + SheetSuffix;
        // The dialog asked about the name without the suffix, not about this one.
        if (QFileInfo::exists(path) &&
            !m_interaction.confirm(
                m_window, QStringLiteral("Save Sheet As"),
                QStringLiteral("%1 already exists. Replace it?").arg(QDir::toNativeSeparators(path))))
            return false;
    }
    return writeTo(path);
}

bool SheetDocument::writeTo(const QString& path)
{
    const Sheet sheet = m_read();
    if (const FileResult saved = SaveSheet(path, sheet); !saved.ok()) {
        m_interaction.warn(m_window, QStringLiteral("Not Saved"), saved.message);
        return false;
    }
    adopt(QFileInfo(path).absoluteFilePath(), sheet);
    addRecentFile(m_path);
    Q_EMIT statusMessage(QStringLiteral("Saved %1").arg(QDir::toNativeSeparators(m_path)));
    return true;
}

bool SheetDocument::maybeSave()
{
    if (!isModified())
        return true;
    switch (m_interaction.askToSave(m_window, QStringLiteral("Save changes to %1?").arg(name()))) {
    case Interaction::SaveChoice::Save:
        return save();
    case Interaction::SaveChoice::Discard:
        return true;
    case Interaction::SaveChoice::Cancel:
        break;
    }
    return false;
}

void SheetDocument::adopt(const QString& path, const Sheet& saved)
{
    m_path = path;
    m_saved = saved;
    contentChanged();
}

void SheetDocument::contentChanged()
{
    if (!m_recoveryTimer.isActive())
        m_recoveryTimer.start();
    Q_EMIT stateChanged();
}

// False when the copy could not be written: a failure must not stop the user's work, and the next change tries
// again.
bool SheetDocument::writeRecoveryCopy()
{
    if (!isModified()) {
        m_recovery.discard();
        return true;
    }
    return m_recovery.save(m_read(), m_path).ok();
}

void SheetDocument::offerRecovery()
{
    std::vector<Recovery::Leftover> leftovers = m_recovery.claimLeftovers();
    for (Recovery::Leftover& leftover : leftovers) {
        const QString sheetName =
            leftover.sheetPath.isEmpty() ? QStringLiteral("a new sheet") : QFileInfo(leftover.sheetPath).fileName();
        const QString when = QLocale().toString(leftover.changed.toLocalTime(), QLocale::LongFormat);
        if (!m_interaction.confirm(m_window, QStringLiteral("Restore Unsaved Sheet"),
                                   QStringLiteral("Orvanta did not close properly, and changes to %1 were not saved. "
                                                  "They were last changed on %2.\n\nRestore them?")
                                       .arg(sheetName, when))) {
            Recovery::remove(leftover);
            continue;
        }
        // Compared with the file it came from, if that still opens, so the restored sheet shows as unsaved.
        Sheet saved;
        if (leftover.sheetPath.isEmpty() || !LoadSheet(leftover.sheetPath, saved).ok())
            saved = Sheet{};
        m_show(leftover.sheet);
        adopt(leftover.sheetPath, saved);
        if (writeRecoveryCopy()) // else the leftover stays, and is offered again
            Recovery::remove(leftover);
        return; // the others stay for a later start
    }
}

void SheetDocument::closed()
{
    m_recoveryTimer.stop();
    m_recovery.discard();
}

QStringList SheetDocument::recentFiles() const
{
    return QSettings().value(RecentKey).toStringList();
}

void SheetDocument::clearRecentFiles()
{
    QSettings().remove(RecentKey);
}

void SheetDocument::addRecentFile(const QString& path)
{
    QSettings settings;
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    settings.setValue(RecentKey, files.mid(0, MaxRecentFiles));
    settings.setValue(FolderKey, QFileInfo(path).absolutePath());
}

void SheetDocument::removeRecentFile(const QString& path)
{
    QStringList files = recentFiles();
    files.removeAll(path);
    QSettings().setValue(RecentKey, files);
}

QString SheetDocument::folderForDialogs() const
{
    if (!m_path.isEmpty())
        return QFileInfo(m_path).absolutePath();
    return QSettings().value(FolderKey, QDir::homePath()).toString();
}

} // namespace orvanta
