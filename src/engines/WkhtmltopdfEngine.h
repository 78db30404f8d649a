// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Conversion.h"
#include "PdfEngine.h"

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <memory>

namespace orvanta {

// Runs wkhtmltopdf on one page without blocking the event loop. The page runs no script and reaches no host: every
// network load goes to a proxy port that refuses it.
class WkhtmltopdfEngine : public PdfEngine {
    Q_OBJECT

public:
    explicit WkhtmltopdfEngine(const QString& program, QObject* parent = nullptr);
    ~WkhtmltopdfEngine() override;

private:
    // Starts the program with the lock-down options, then the page path and the temporary PDF path as its last
    // arguments; no shell is involved.
    void render(const QString& pagePath, const QString& tempPath) override;
    void stop(bool succeeded) override;
    // Kills the program, whose end then ends the run with what it said until then.
    void timeLimitReached() override;

    void collectStandardError();
    void processFinished(int exitCode, QProcess::ExitStatus status);
    void processFailed(QProcess::ProcessError error);

    std::unique_ptr<QProcess> m_process;
    QByteArray m_standardError;
    bool m_timedOut = false;
};

} // namespace orvanta
