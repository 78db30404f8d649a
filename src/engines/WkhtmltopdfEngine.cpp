// SPDX-License-Identifier: GPL-3.0-or-later
#include "WkhtmltopdfEngine.h"

#include <csignal>
#include <sys/prctl.h>

namespace orvanta {

namespace {

// Enough for the last error lines; progress bars can make wkhtmltopdf's output long.
constexpr qsizetype StandardErrorTail = qsizetype{64} * 1024;

} // namespace

WkhtmltopdfEngine::WkhtmltopdfEngine(const QString& program, QObject* parent)
    : PdfEngine(program, Titling::AfterRendering, parent)
{
}

WkhtmltopdfEngine::~WkhtmltopdfEngine()
{
    cancel();
}

void WkhtmltopdfEngine::render(const QString& pagePath, const QString& tempPath)
{
    m_standardError.clear();
    m_timedOut = false;
    m_process = std::make_unique<QProcess>();
    m_process->setStandardOutputFile(QProcess::nullDevice());
    // wkhtmltopdf is a Qt program too: handed a desktop platform it does not have (Wayland, say), it aborts. It
    // needs no display at all.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    m_process->setProcessEnvironment(environment);
    // It ends with the app, even when the app is killed, rather than run on to a PDF nobody waits for.
    m_process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    connect(m_process.get(), &QProcess::readyReadStandardError, this, &WkhtmltopdfEngine::collectStandardError);
    connect(m_process.get(), &QProcess::finished, this, &WkhtmltopdfEngine::processFinished);
    connect(m_process.get(), &QProcess::errorOccurred, this, &WkhtmltopdfEngine::processFailed);
    // Scripts off, and every load through a proxy that refuses it, host names included, which the proxy would
    // resolve: without that wkhtmltopdf asks the DNS server for each name. It has no switch for network loads, and
    // its local file access is off by default.
    QStringList arguments{QStringLiteral("--disable-javascript"),
                          QStringLiteral("--proxy"),
                          QStringLiteral("http://127.0.0.1:%1").arg(ClosedLoopbackPort()),
                          QStringLiteral("--proxy-hostname-lookup"),
                          QStringLiteral("--page-size"),
                          paper() == PaperSize::Letter ? QStringLiteral("Letter") : QStringLiteral("A4")};
    m_process->start(program(), arguments << pagePath << tempPath);
}

// A process that ended is let go of later: deleting a QProcess from inside its own signal is not safe. One that
// runs is killed.
void WkhtmltopdfEngine::stop(bool)
{
    if (!m_process)
        return;
    m_process->disconnect(this);
    if (m_process->state() == QProcess::NotRunning) {
        m_process.release()->deleteLater();
        return;
    }
    m_process->kill();
    m_process->waitForFinished(5000);
    m_process.reset();
}

void WkhtmltopdfEngine::collectStandardError()
{
    m_standardError += m_process->readAllStandardError();
    if (m_standardError.size() > StandardErrorTail)
        m_standardError = m_standardError.right(StandardErrorTail);
}

void WkhtmltopdfEngine::processFinished(int exitCode, QProcess::ExitStatus status)
{
    collectStandardError();
    ConversionResult result;
    result.exitCode = exitCode;
    result.errorLines = WkhtmltopdfErrorLines(m_standardError);
    // One that ended on its own just as the limit came was not stopped by it.
    if (m_timedOut && status == QProcess::CrashExit)
        result.outcome = ConversionResult::Outcome::TimedOut;
    else if (status == QProcess::CrashExit)
        result.outcome = ConversionResult::Outcome::Crashed;
    end(result);
}

void WkhtmltopdfEngine::processFailed(QProcess::ProcessError error)
{
    // Crashes and time-outs arrive through finished(); only a start that never happened ends here.
    if (error != QProcess::FailedToStart)
        return;
    end({ConversionResult::Outcome::FailedToStart,
         0,
         QStringLiteral("%1 (%2)").arg(m_process->program(), m_process->errorString()),
         {}});
}

void WkhtmltopdfEngine::timeLimitReached()
{
    if (!m_process)
        return;
    m_timedOut = true;
    m_process->kill();
}

} // namespace orvanta
