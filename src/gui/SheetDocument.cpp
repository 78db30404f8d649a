// SPDX-License-Identifier: GPL-3.0-or-later
#include "SheetDocument.h"

#include "gui/Settings.h"
#include "gui/widgets/Interaction.h"
#include "model/SheetModel.h"
#include "sheet/SheetFile.h"
#include "sheet/TextFile.h"
#include "words/FileWords.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace orvanta {

namespace {

constexpr int MaxRecentFiles = 8;
constexpr int RecoveryDelay = 1000; // ms: unsaved work is kept aside within a second of a change

QString filter()
{
    return SheetDocument::tr("Orvanta sheets (*.%1);;All files (*)").arg(SheetSuffix);
}

} // namespace

SheetDocument::SheetDocument(SheetModel& model, Interaction& interaction, QWidget* window)
    : m_model(model)
    , m_interaction(interaction)
    , m_window(window)
{
    m_recoveryTimer.setSingleShot(true);
    m_recoveryTimer.setInterval(RecoveryDelay);
    connect(&m_recoveryTimer, &QTimer::timeout, this, &SheetDocument::writeRecoveryCopy);
    connect(&m_model, &SheetModel::changed, this, &SheetDocument::contentChanged);
}

QString SheetDocument::name() const
{
    return m_path.isEmpty() ? tr("Untitled") : QFileInfo(m_path).completeBaseName();
}

void SheetDocument::show(const Sheet& sheet)
{
    const QSignalBlocker quiet(this); // the document's state follows from adopt()
    m_model.setSheet(sheet);
}

void SheetDocument::newSheet()
{
    if (!maybeSave())
        return;
    show(Sheet{});
    adopt({}, m_model.sheet());
}

void SheetDocument::open()
{
    if (!maybeSave())
        return;
    const QString path = m_interaction.fileToOpen(m_window, tr("Open Sheet"), folderForDialogs(), filter());
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
    const Expected<Sheet, FileProblem> sheet = LoadSheet(path);
    if (!sheet) {
        m_interaction.warn(m_window, tr("Open Sheet"), FileWords::problem(sheet.error()));
        return false;
    }
    show(*sheet);
    adopt(QFileInfo(path).absoluteFilePath(), m_model.sheet());
    addRecentFile(m_path);
    Q_EMIT statusMessage(tr("Opened %1").arg(QDir::toNativeSeparators(m_path)));
    return true;
}

bool SheetDocument::save()
{
    return m_path.isEmpty() ? saveAs() : writeTo(m_path);
}

bool SheetDocument::saveAs()
{
    const Sheet& sheet = m_model.sheet();
    QString suggested = !sheet.fileName.isEmpty()   ? sheet.fileName
                        : !sheet.headline.isEmpty() ? sheet.headline
                                                    : name();
    suggested = folderForDialogs() + u'/' + suggested.replace(u'/', u'-') + u'.' + SheetSuffix;
    const QString path = FileToSaveAs(m_interaction, m_window, tr("Save Sheet As"), suggested, filter(), SheetSuffix);
    return !path.isEmpty() && writeTo(path);
}

bool SheetDocument::writeTo(const QString& path)
{
    if (const std::optional<FileProblem> problem = SaveSheet(path, m_model.sheet())) {
        m_interaction.warn(m_window, tr("Not Saved"), FileWords::problem(*problem));
        return false;
    }
    adopt(QFileInfo(path).absoluteFilePath(), m_model.sheet());
    addRecentFile(m_path);
    Q_EMIT statusMessage(tr("Saved %1").arg(QDir::toNativeSeparators(m_path)));
    return true;
}

bool SheetDocument::maybeSave()
{
    if (!isModified())
        return true;
    switch (m_interaction.askToSave(m_window, tr("Save changes to %1?").arg(name()))) {
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
    m_modified = m_model.sheet() != m_saved;
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
    return !m_recovery.save(m_model.sheet(), m_path);
}

void SheetDocument::offerRecovery()
{
    std::vector<Recovery::Leftover> leftovers = m_recovery.claimLeftovers();
    for (Recovery::Leftover& leftover : leftovers) {
        const QString sheetName =
            leftover.sheetPath.isEmpty() ? tr("a new sheet") : QFileInfo(leftover.sheetPath).fileName();
        const QString when = QLocale().toString(leftover.changed.toLocalTime(), QLocale::LongFormat);
        if (!m_interaction.confirm(m_window, tr("Restore Unsaved Sheet"),
                                   tr("Orvanta did not close properly, and changes to %1 were not saved. "
                                      "They were last changed on %2.\n\nRestore them?")
                                       .arg(sheetName, when))) {
            Recovery::remove(leftover);
            continue;
        }
        // Compared with the file it came from, if that still opens, so the restored sheet shows as unsaved.
        const Sheet saved = leftover.sheetPath.isEmpty() ? Sheet{} : LoadSheet(leftover.sheetPath).value_or(Sheet{});
        show(leftover.sheet);
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
    return Settings::recentFiles();
}

void SheetDocument::clearRecentFiles()
{
    Settings::setRecentFiles({});
}

void SheetDocument::addRecentFile(const QString& path)
{
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    Settings::setRecentFiles(files.mid(0, MaxRecentFiles));
    Settings::setLastFolder(QFileInfo(path).absolutePath());
}

void SheetDocument::removeRecentFile(const QString& path)
{
    QStringList files = recentFiles();
    files.removeAll(path);
    Settings::setRecentFiles(files);
}

QString SheetDocument::folderForDialogs() const
{
    return m_path.isEmpty() ? Settings::lastFolder() : QFileInfo(m_path).absolutePath();
}

} // namespace orvanta
