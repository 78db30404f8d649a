// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfConverter.h"

#include "PdfFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <sys/prctl.h>

namespace orvanta {

namespace {

// Enough for the last error lines; progress bars can make the converter's output long.
constexpr qsizetype StandardErrorTail = qsizetype{64} * 1024;

} // namespace

PdfConverter::PdfConverter(QObject* parent)
    : PdfEngine(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &PdfConverter::timeLimitReached);
}

PdfConverter::~PdfConverter()
{
    cancel();
}

void PdfConverter::start(const QString& program, const QString& pagePath, const QString& pdfPath,
                         std::chrono::milliseconds timeLimit)
{
    cancel();
    m_pdfPath = pdfPath;
    m_standardError.clear();
    m_timedOut = false;

    if (std::optional<ConversionResult> failed = MakeTemporaryPdf(pdfPath, m_tempPath)) {
        complete(*failed);
        return;
    }

    m_process = std::make_unique<QProcess>();
    m_process->setStandardOutputFile(QProcess::nullDevice());
    // The converter is a Qt program too: handed a desktop platform it does not have (Wayland, say), it
    // aborts. It needs no display at all.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    m_process->setProcessEnvironment(environment);
    // It ends with the app, even when the app is killed, rather than run on to a PDF nobody waits for.
    m_process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    connect(m_process.get(), &QProcess::readyReadStandardError, this, &PdfConverter::collectStandardError);
    connect(m_process.get(), &QProcess::finished, this, &PdfConverter::processFinished);
    connect(m_process.get(), &QProcess::errorOccurred, this, &PdfConverter::processFailed);
    m_timer.start(timeLimit);
    // Scripts off, and every load through a proxy that refuses it, host names included, which the proxy would
    // resolve: without that the converter asks the DNS server for each name. It has no switch for network loads,
    // and its local file access is off by default.
    QStringList arguments{QStringLiteral("--disable-javascript"),
                          QStringLiteral("--proxy"),
                          QStringLiteral("http://127.0.0.1:%1").arg(ClosedLoopbackPort()),
                          QStringLiteral("--proxy-hostname-lookup"),
                          QStringLiteral("--page-size"),
                          paper() == PaperSize::Letter ? QStringLiteral("Letter") : QStringLiteral("A4")};
    m_process->start(program, arguments << pagePath << m_tempPath);
}

void PdfConverter::cancel()
{
    if (m_process) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(5000);
        m_process.reset();
    }
    stop();
}

void PdfConverter::collectStandardError()
{
    m_standardError += m_process->readAllStandardError();
    if (m_standardError.size() > StandardErrorTail)
        m_standardError = m_standardError.right(StandardErrorTail);
}

void PdfConverter::processFinished(int exitCode, QProcess::ExitStatus status)
{
    collectStandardError();
    ConversionResult result;
    result.exitCode = exitCode;
    result.errorLines = ConverterErrorLines(m_standardError);
    // A converter that ended on its own just as the limit came was not stopped by it.
    if (m_timedOut && status == QProcess::CrashExit) {
        result.outcome = ConversionResult::Outcome::TimedOut;
    } else if (status == QProcess::CrashExit) {
        result.outcome = ConversionResult::Outcome::Crashed;
    } else {
        // The converter leaves the title empty, whatever it is told.
        if (!title().isEmpty() && IsCompletePdf(m_tempPath))
            SetPdfTitle(m_tempPath, title());
        result = StorePdf(m_tempPath, m_pdfPath, result);
    }
    complete(result);
}

void PdfConverter::processFailed(QProcess::ProcessError error)
{
    // Crashes and time-outs arrive through finished(); only a start that never happened ends here.
    if (error != QProcess::FailedToStart)
        return;
    complete({ConversionResult::Outcome::FailedToStart,
              0,
              QStringLiteral("%1 (%2)").arg(m_process->program(), m_process->errorString()),
              {}});
}

void PdfConverter::timeLimitReached()
{
    if (!m_process)
        return;
    m_timedOut = true;
    m_process->kill();
}

void PdfConverter::complete(const ConversionResult& result)
{
    if (m_process) {
        m_process->disconnect(this);
        // Deleting a QProcess from inside its own signal is not safe.
        m_process.release()->deleteLater();
    }
    stop();
    Q_EMIT finished(result);
}

// The run is over: no time limit, and no temporary file left unless it became the PDF.
void PdfConverter::stop()
{
    m_timer.stop();
    if (!m_tempPath.isEmpty()) {
        QFile::remove(m_tempPath);
        m_tempPath.clear();
    }
}

} // namespace orvanta
