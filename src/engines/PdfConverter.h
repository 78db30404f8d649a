// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Conversion.h"
#include "PdfEngine.h"

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QTimer>
#include <memory>

namespace orvanta {

// Runs wkhtmltopdf on one page without blocking the event loop. The converter writes into a temporary
// file beside the PDF, and only a complete PDF replaces the file of that name, so a failure never
// destroys an earlier PDF. The page runs no script and reaches no host: every network load goes to a
// proxy port that refuses it.
class PdfConverter : public PdfEngine {
    Q_OBJECT

public:
    explicit PdfConverter(QObject* parent = nullptr);
    ~PdfConverter() override;

    // Starts `program` with the lock-down options, then the page path and a temporary PDF path as its last
    // arguments; no shell is involved.
    void start(const QString& program, const QString& pagePath, const QString& pdfPath,
               std::chrono::milliseconds timeLimit) override;
    void cancel() override;

private:
    void collectStandardError();
    void processFinished(int exitCode, QProcess::ExitStatus status);
    void processFailed(QProcess::ProcessError error);
    void timeLimitReached();
    void complete(const ConversionResult& result);
    void stop();

    std::unique_ptr<QProcess> m_process;
    QTimer m_timer;
    QString m_tempPath;
    QString m_pdfPath;
    QByteArray m_standardError;
    bool m_timedOut = false;
};

} // namespace orvanta
