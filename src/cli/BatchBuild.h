// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engines/PdfEngine.h"
#include "page/Installation.h"
#include "sheet/Sheet.h"

#include <QObject>
#include <QString>
#include <deque>
#include <memory>
#include <vector>

class QTextStream;

namespace orvanta {

class SheetBuilder;

// Builds many sheets through the same pipeline as the window, several at once.
class BatchBuild : public QObject {
    Q_OBJECT

public:
    struct Job {
        QString sheetPath; // as given, for the messages
        Sheet sheet;
        QString name;    // the page's and PDF's name
        QString pdfPath; // empty: where Create puts it
    };

    BatchBuild(const Installation& installation, int jobs, QTextStream& out, QTextStream& err);
    ~BatchBuild() override;

    // The engine of every sheet; Automatic unless set.
    void setEngine(EngineChoice choice) { m_engine = choice; }
    // Also writes page 1 of each PDF as NAME.png beside it (WriteCover()); a sheet whose picture fails has failed.
    void setCovers(bool covers) { m_covers = covers; }
    // Starts the jobs; `finished` follows once all have ended.
    void start(std::vector<Job> jobs);
    void fail(const QString& sheetPath, const QString& reason);
    bool anyFailed() const { return m_failed; }

Q_SIGNALS:
    void finished();

private:
    void startNext(SheetBuilder* builder);

    const Installation m_installation;
    const int m_jobs;
    QTextStream& m_out;
    QTextStream& m_err;
    std::deque<Job> m_waiting;
    std::vector<std::unique_ptr<SheetBuilder>> m_builders;
    EngineChoice m_engine = EngineChoice::Automatic;
    int m_running = 0;
    bool m_covers = false;
    bool m_failed = false;
};

} // namespace orvanta
