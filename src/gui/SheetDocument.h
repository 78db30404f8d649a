#pragma once

#include "core/Recovery.h"
#include "core/Sheet.h"

#include <QObject>
#include <QTimer>
#include <functional>

class QWidget;

namespace orvanta {

class Interaction;

// The sheet in the window as a document: the file it belongs to, whether it changed since it was opened or
// saved, the recent files, and the recovery copy of unsaved work. The window holds the sheet itself and
// hands over reading and showing it; this decides what to ask and when.
class SheetDocument : public QObject {
    Q_OBJECT

public:
    using Reader = std::function<Sheet()>;
    using Shower = std::function<void(const Sheet&)>;

    SheetDocument(QWidget* window, Interaction& interaction, Reader read, Shower show);

    // The file the sheet was opened from or saved as; empty for a new sheet.
    const QString& path() const { return m_path; }
    // The file's name without ".orvanta", or "Untitled".
    QString name() const;
    bool isModified() const;

    // The File menu's commands. Those that replace the sheet first offer to save unsaved changes.
    void newSheet();
    void open();
    // A recent file, or one dropped on the window; a file gone missing leaves the recent files.
    void openAfterAsking(const QString& path);
    bool save();
    bool saveAs();
    // Opens without asking first: a file named on the command line. False, having said why, when it failed.
    bool openFile(const QString& path);
    // "Save changes to NAME?" when there are any; false when the user cancelled or the save failed.
    bool maybeSave();

    QStringList recentFiles() const;
    void clearRecentFiles();

    // Call on every edit: keeps the change marker and the recovery copy up to date.
    void contentChanged();
    // Offers sheets that runs which did not end cleanly left unsaved.
    void offerRecovery();
    // The window closes for good: the recovery copy is no longer needed.
    void closed();

Q_SIGNALS:
    // The file, its name or the change marker may have changed.
    void stateChanged();
    // A line for the status bar.
    void statusMessage(const QString& text);

private:
    bool writeTo(const QString& path);
    void adopt(const QString& path, const Sheet& saved);
    void addRecentFile(const QString& path);
    void removeRecentFile(const QString& path);
    bool writeRecoveryCopy();
    QString folderForDialogs() const;

    QWidget* m_window;
    Interaction& m_interaction;
    Reader m_read;
    Shower m_show;
    QString m_path;
    Sheet m_saved; // what the file holds, or a fresh sheet
    Recovery m_recovery;
    QTimer m_recoveryTimer;
};

} // namespace orvanta
