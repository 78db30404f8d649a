#pragma once

#include "Conversion.h"

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QTimer>
#include <memory>

namespace orvanta {

// Runs the converter on one page without blocking the event loop. The converter writes into a temporary
// file beside the PDF, and only a complete PDF replaces the file of that name, so a failure never
// destroys an earlier PDF.
class PdfConverter : public QObject {
    Q_OBJECT

public:
    explicit PdfConverter(QObject* parent = nullptr);
    ~PdfConverter() override;

    // Starts `program` with the page path and a temporary PDF path as its only arguments; no shell is
    // involved. `finished` follows exactly once, possibly before start() returns.
    void start(const QString& program, const QString& pagePath, const QString& pdfPath,
               std::chrono::milliseconds timeLimit);

    // Stops a running conversion and removes its temporary file; `finished` is not emitted.
    void cancel();

Q_SIGNALS:
    void finished(const orvanta::ConversionResult& result);

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
