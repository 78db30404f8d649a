// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChromiumEngine.h"

#include "ChromiumProcess.h"
#include "PdfFile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QUrl>
#include <algorithm>

namespace orvanta {

namespace {

constexpr double MillimetresPerInch = 25.4;

constexpr std::chrono::milliseconds MemoryCheckInterval{250};
// How long a refused command waits for the news of a crash, which the browser may send just after the refusal.
constexpr std::chrono::milliseconds CrashGrace{300};

// A file inside one of the folders and data: URIs; nothing else. A file counts by its real path, links resolved, so
// a link in the folder to a file or folder elsewhere makes nothing there readable. A missing file is refused.
bool mayLoad(const QString& url, const QStringList& folders)
{
    const QUrl parsed(url);
    if (parsed.scheme() == u"data")
        return true;
    if (!parsed.isLocalFile() || !parsed.host().isEmpty())
        return false;
    const QFileInfo file(QFileInfo(parsed.toLocalFile()).canonicalFilePath());
    if (file.filePath().isEmpty() || !file.isFile())
        return false;
    return std::any_of(folders.cbegin(), folders.cend(),
                       [&file](const QString& folder) { return file.filePath().startsWith(folder + u'/'); });
}

} // namespace

// wkhtmltopdf draws at about 0.77 of true size and the template undoes it with `zoom: 1.2987`; printing at the
// same scale gives Chromium's page the same sizes. The margins are those measured on wkhtmltopdf's pages: 10 mm at
// the sides, 3.75 mm at the top and bottom.
QJsonObject ChromiumPrintParameters(PaperSize paper)
{
    const bool letter = paper == PaperSize::Letter;
    const double side = 10 / MillimetresPerInch;
    const double margin = 3.75 / MillimetresPerInch;
    return {{QStringLiteral("printBackground"), true},
            {QStringLiteral("scale"), 0.77},
            {QStringLiteral("paperWidth"), letter ? 8.5 : 210 / MillimetresPerInch},
            {QStringLiteral("paperHeight"), letter ? 11 : 297 / MillimetresPerInch},
            {QStringLiteral("marginTop"), margin},
            {QStringLiteral("marginBottom"), margin},
            {QStringLiteral("marginLeft"), side},
            {QStringLiteral("marginRight"), side},
            {QStringLiteral("generateTaggedPDF"), true},
            {QStringLiteral("generateDocumentOutline"), true}};
}

ChromiumEngine::ChromiumEngine(const QString& program, QObject* parent)
    : PdfEngine(program, Titling::ByEngine, parent)
    , m_browser(ChromiumProcess::shared(program))
{
    connect(m_browser.get(), &ChromiumProcess::event, this, &ChromiumEngine::browserEvent);
    connect(m_browser.get(), &ChromiumProcess::ended, this, &ChromiumEngine::browserEnded);
    m_memoryTimer.setInterval(MemoryCheckInterval);
    connect(&m_memoryTimer, &QTimer::timeout, this, &ChromiumEngine::checkMemory);
}

ChromiumEngine::~ChromiumEngine()
{
    cancel();
    closeTab();
}

void ChromiumEngine::render(const QString& pagePath, const QString&)
{
    ++m_run;
    m_retried = false;
    m_readableFolders.clear();
    for (const QString& folder : {QFileInfo(pagePath).absolutePath(), readableFolder()}) {
        const QString real = folder.isEmpty() ? QString() : QFileInfo(folder).canonicalFilePath();
        if (!real.isEmpty() && !m_readableFolders.contains(real))
            m_readableFolders.append(real);
    }
    m_pageUrl = QUrl::fromLocalFile(QFileInfo(pagePath).absoluteFilePath()).toString(QUrl::FullyEncoded);
    m_memoryTimer.start();
    openTab();
}

void ChromiumEngine::openTab()
{
    if (const std::optional<BrowserProblem> problem = m_browser->ensureRunning()) {
        ConversionResult failed{ConversionResult::Outcome::FailedToStart, 0, problem->detail, {}};
        failed.fault = problem->fault;
        end(failed);
        return;
    }
    m_browser->jobStarted();
    m_counted = true;
    m_navigated = false;
    m_answered = false;
    if (!m_sessionId.isEmpty()) { // the tab of the job before, set up already
        navigate();
        return;
    }
    command(QStringLiteral("Target.createTarget"), {{QStringLiteral("url"), QStringLiteral("about:blank")}},
            [this](const QJsonObject& created) {
                m_targetId = created.value(QStringLiteral("targetId")).toString();
                command(QStringLiteral("Target.attachToTarget"),
                        {{QStringLiteral("targetId"), m_targetId}, {QStringLiteral("flatten"), true}},
                        [this](const QJsonObject& attached) { loadPage(attached); });
            });
}

// The tab navigates only once it has confirmed each setting: scripts off, requests held for a verdict, page events
// on. Sent together, they can take effect after a navigation that went first.
void ChromiumEngine::loadPage(const QJsonObject& attached)
{
    m_sessionId = attached.value(QStringLiteral("sessionId")).toString();
    auto unconfirmed = std::make_shared<int>(4);
    const auto navigateWhenConfirmed = [this, unconfirmed](const QJsonObject&) {
        if (--*unconfirmed == 0)
            navigate();
    };
    command(QStringLiteral("Emulation.setScriptExecutionDisabled"), {{QStringLiteral("value"), true}},
            navigateWhenConfirmed);
    const QJsonObject everything{{QStringLiteral("urlPattern"), QStringLiteral("*")}};
    command(QStringLiteral("Fetch.enable"), {{QStringLiteral("patterns"), QJsonArray{everything}}},
            navigateWhenConfirmed);
    command(QStringLiteral("Page.enable"), {}, navigateWhenConfirmed);
    command(QStringLiteral("Inspector.enable"), {}, navigateWhenConfirmed); // for Inspector.targetCrashed
}

void ChromiumEngine::navigate()
{
    m_navigated = true;
    command(QStringLiteral("Page.navigate"), {{QStringLiteral("url"), m_pageUrl}},
            [this](const QJsonObject& navigated) {
                const QString error = navigated.value(QStringLiteral("errorText")).toString();
                if (!error.isEmpty())
                    failAfterGrace({ConversionResult::Outcome::NoPdf, 0, error, error});
            });
}

// A browser that died before it answered this job had died between jobs (killed, say), and one stopped on purpose
// was stopped for another job: the job starts another once. One that dies later crashed on this page.
void ChromiumEngine::browserEnded(const BrowserProblem& problem)
{
    m_targetId.clear(); // its tab went with it
    m_sessionId.clear();
    if (!isRunning())
        return;
    if ((m_answered && !m_browser->wasStopped()) || m_retried) {
        ConversionResult crashed{ConversionResult::Outcome::Crashed, problem.exitCode, problem.detail, {}};
        crashed.fault = problem.fault;
        end(crashed);
        return;
    }
    m_retried = true;
    m_counted = false;
    const quint64 run = ++m_run; // the dead browser's answers are not this run's
    QMetaObject::invokeMethod(
        this,
        [this, run] {
            if (run == m_run && isRunning())
                openTab();
        },
        Qt::QueuedConnection);
}

// A tab that did not print is closed, whatever state it was left in.
void ChromiumEngine::stop(bool succeeded)
{
    ++m_run;
    m_memoryTimer.stop();
    if (!succeeded)
        closeTab();
    if (std::exchange(m_counted, false))
        m_browser->jobEnded();
}

// Commands of one run; once the run is over, their answers are dropped. A command the browser refuses ends the
// run without a PDF.
void ChromiumEngine::command(const QString& method, const QJsonObject& params,
                             std::function<void(const QJsonObject& result)> then)
{
    const QString session = method.startsWith(u"Target.") ? QString() : m_sessionId;
    m_browser->send(
        method, params, session, this,
        [this, run = m_run, method, then = std::move(then)](const QJsonObject& result,
                                                            const std::optional<BrowserProblem>& problem) {
            if (run != m_run || !isRunning())
                return;
            m_answered = true;
            if (problem && problem->fault == ConversionResult::Fault::None) {
                const QString said = QStringLiteral("%1: %2").arg(method, problem->detail);
                failAfterGrace({ConversionResult::Outcome::NoPdf, 0, said, said});
            } else if (problem) {
                ConversionResult failed{ConversionResult::Outcome::NoPdf, problem->exitCode, problem->detail, {}};
                failed.fault = problem->fault;
                failAfterGrace(failed);
            } else if (then) {
                then(result);
            }
        });
}

void ChromiumEngine::browserEvent(const QString& sessionId, const QString& method, const QJsonObject& params)
{
    if (sessionId != m_sessionId || m_sessionId.isEmpty())
        return;
    if (method == u"Inspector.targetCrashed") {
        // The tab is of no more use, idle or not; a command answered with an error for the crash comes after this.
        if (isRunning()) {
            ConversionResult crashed{ConversionResult::Outcome::Crashed, 0, {}, {}};
            crashed.fault = ConversionResult::Fault::RendererCrashed;
            end(crashed);
        } else {
            closeTab();
        }
        return;
    }
    if (!isRunning())
        return;
    if (method == u"Fetch.requestPaused")
        requestPaused(params);
    else if (method == u"Page.loadEventFired" && m_navigated)
        print();
}

void ChromiumEngine::requestPaused(const QJsonObject& params)
{
    const QString id = params.value(QStringLiteral("requestId")).toString();
    const QString url = params.value(QStringLiteral("request")).toObject().value(QStringLiteral("url")).toString();
    // The tab may not leave the page (a <meta http-equiv="refresh">, say): that navigation is aborted, which keeps
    // the page as it is, where a failed one would show an error page. A page target's id is its main frame's.
    const bool leavesPage = params.value(QStringLiteral("resourceType")).toString() == u"Document" &&
                            params.value(QStringLiteral("frameId")).toString() == m_targetId &&
                            QUrl(url) != QUrl(m_pageUrl);
    if (!leavesPage && mayLoad(url, m_readableFolders))
        command(QStringLiteral("Fetch.continueRequest"), {{QStringLiteral("requestId"), id}});
    else
        command(QStringLiteral("Fetch.failRequest"),
                {{QStringLiteral("requestId"), id},
                 {QStringLiteral("errorReason"),
                  leavesPage ? QStringLiteral("Aborted") : QStringLiteral("BlockedByClient")}});
}

void ChromiumEngine::print()
{
    m_navigated = false; // one print, whatever loads after
    command(QStringLiteral("Page.printToPDF"), ChromiumPrintParameters(paper()),
            [this](const QJsonObject& result) { printed(result); });
}

void ChromiumEngine::printed(const QJsonObject& result)
{
    const QByteArray pdf = QByteArray::fromBase64(result.value(QStringLiteral("data")).toString().toLatin1(),
                                                  QByteArray::AbortOnBase64DecodingErrors);
    QFile file(tempPath());
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size() || !file.flush()) {
        end({ConversionResult::Outcome::NotStored, 0, file.errorString(), {}});
        return;
    }
    file.close();
    end({});
}

void ChromiumEngine::timeLimitReached()
{
    PdfEngine::timeLimitReached();
    if (m_browser->jobCount() == 0)
        m_browser->stop();
}

// The whole browser counts, helpers and all: a page's memory is spread over its renderer, the browser and the
// printing service. The browser is stopped to give it back; a job of another tab starts again on the next browser.
void ChromiumEngine::checkMemory()
{
    if (!isRunning() || !m_browser->isRunning())
        return;
    const qint64 used = m_browser->memoryUse();
    if (used <= m_memoryLimit)
        return;
    constexpr qint64 Megabyte = 1024 * 1024;
    ConversionResult tooMuch{
        ConversionResult::Outcome::TooMuchMemory, 0, QString::number(m_memoryLimit / Megabyte), {}};
    tooMuch.fault = ConversionResult::Fault::MemoryUsed;
    tooMuch.usedMegabytes = used / Megabyte;
    end(tooMuch);
    m_browser->stop();
}

// A renderer that dies fails the command in flight ("Printing failed") and only then tells of its crash.
void ChromiumEngine::failAfterGrace(ConversionResult result)
{
    QTimer::singleShot(CrashGrace, this, [this, run = m_run, result] {
        if (run == m_run && isRunning())
            end(result);
    });
}

void ChromiumEngine::closeTab()
{
    if (!m_targetId.isEmpty() && m_browser && m_browser->isRunning())
        m_browser->send(QStringLiteral("Target.closeTarget"), {{QStringLiteral("targetId"), m_targetId}}, {}, nullptr,
                        {});
    m_targetId.clear();
    m_sessionId.clear();
}

} // namespace orvanta
