// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheet/Recovery.h"
#include "sheet/Sheet.h"

#include <QObject>
#include <QTimer>

class QWidget;

namespace orvanta {

class Interaction;
class SheetModel;

// The model's sheet as a document: the file it belongs to, whether it changed since it was opened or saved, the
// recent files, and the recovery copy of unsaved work. It decides what to ask and when; `window` is the parent of
// its questions.
class SheetDocument : public QObject {
    Q_OBJECT

public:
    SheetDocument(SheetModel& model, Interaction& interaction, QWidget* window);

    // The file the sheet was opened from or saved as; empty for a new sheet.
    const QString& path() const { return m_path; }
    // The file's name without ".orvanta", or "Untitled".
    QString name() const;
    bool isModified() const { return m_modified; }

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
    // Every edit: keeps the change marker and the recovery copy up to date.
    void contentChanged();
    void show(const Sheet& sheet);
    bool writeTo(const QString& path);
    void adopt(const QString& path, const Sheet& saved);
    void addRecentFile(const QString& path);
    void removeRecentFile(const QString& path);
    bool writeRecoveryCopy();
    QString folderForDialogs() const;

    SheetModel& m_model;
    Interaction& m_interaction;
    QWidget* m_window;
    QString m_path;
    Sheet m_saved; // what the file holds, or a fresh sheet
    Recovery m_recovery;
    QTimer m_recoveryTimer;
    bool m_modified = false;
};

} // namespace orvanta
