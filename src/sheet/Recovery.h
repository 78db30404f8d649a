// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileProblem.h"
#include "Sheet.h"

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace orvanta {

// Unsaved work kept aside for after a crash or a kill: one file per window in the user's state folder,
// never beside the user's own file. Each window holds a lock beside its file for as long as it runs, so
// two windows or two runs never touch each other's file, and a file whose lock is left without its owner
// belongs to a run that did not end cleanly.
class Recovery {
public:
    // The folder under $XDG_STATE_HOME (~/.local/state) where the files go.
    static QString defaultFolder();

    explicit Recovery(const QString& folder = defaultFolder());
    ~Recovery();

    // A sheet left behind by a run that did not end cleanly. This run holds its lock until it is handled.
    struct Leftover {
        QString recoveryPath;
        Sheet sheet;
        QString sheetPath; // the file the sheet was opened from or saved as; empty for a new sheet
        QDateTime changed;
        std::shared_ptr<QLockFile> lock;
    };

    // Every leftover, newest first, each claimed so that no other run offers it at the same time.
    std::vector<Leftover> claimLeftovers();
    // Removes a leftover that was restored or declined.
    static void remove(Leftover& leftover);

    // Writes this window's unsaved sheet, replacing what was written before.
    std::optional<FileProblem> save(const Sheet& sheet, const QString& sheetPath);
    // Removes this window's file: its sheet is saved, or the window closed cleanly.
    void discard();

private:
    QString m_folder;
    QString m_path; // this window's file; made on the first save
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace orvanta
