// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfEngine.h"

#include "ChromiumEngine.h"
#include "PdfAccess.h"
#include "PdfFile.h"
#include "PdfForms.h"
#include "WkhtmltopdfEngine.h"
#include "page/Installation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orvanta {

QString EngineName(EngineKind kind)
{
    return kind == EngineKind::Chromium ? QStringLiteral("Chromium") : QStringLiteral("wkhtmltopdf");
}

QString EngineChoiceKey(EngineChoice choice)
{
    switch (choice) {
    case EngineChoice::Wkhtmltopdf:
        return QStringLiteral("wkhtmltopdf");
    case EngineChoice::Chromium:
        return QStringLiteral("chromium");
    case EngineChoice::Automatic:
        break;
    }
    return QStringLiteral("auto");
}

std::optional<EngineChoice> EngineChoiceFromKey(const QString& key)
{
    for (EngineChoice choice : {EngineChoice::Automatic, EngineChoice::Wkhtmltopdf, EngineChoice::Chromium}) {
        if (key == EngineChoiceKey(choice))
            return choice;
    }
    return std::nullopt;
}

QString FindChromium(const QString& chromiumProgram)
{
    if (!chromiumProgram.isEmpty()) {
        const QFileInfo named(chromiumProgram);
        if (named.isFile() && named.isExecutable())
            return named.absoluteFilePath();
        return QStandardPaths::findExecutable(chromiumProgram);
    }
    for (const char* name : {"chromium", "chromium-browser", "google-chrome"}) {
        if (QString found = QStandardPaths::findExecutable(QString::fromLatin1(name)); !found.isEmpty())
            return found;
    }
    return {};
}

ResolvedEngine ResolveEngine(const QString& installFolder, EngineChoice choice, const QString& chromiumProgram)
{
    const ResolvedEngine wkhtmltopdf{EngineKind::Wkhtmltopdf, FindWkhtmltopdf(installFolder)};
    if (choice == EngineChoice::Wkhtmltopdf)
        return wkhtmltopdf;
    // A wkhtmltopdf put into the installation's bin folder is the user's choice, as much as one made in Preferences.
    if (choice == EngineChoice::Automatic && HasBundledWkhtmltopdf(installFolder))
        return wkhtmltopdf;
    ResolvedEngine chromium{EngineKind::Chromium, FindChromium(chromiumProgram)};
    if (choice == EngineChoice::Automatic && chromium.program.isEmpty() && !wkhtmltopdf.program.isEmpty())
        return wkhtmltopdf;
    return chromium;
}

int ClosedLoopbackPort()
{
    static const int port = [] {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        auto* generic = reinterpret_cast<sockaddr*>(&address);
        if (fd < 0 || ::bind(fd, generic, length) != 0 || ::getsockname(fd, generic, &length) != 0) {
            if (fd >= 0)
                ::close(fd);
            return 1;
        }
        return int{ntohs(address.sin_port)};
    }();
    return port;
}

PdfEngine::PdfEngine(const QString& program, Titling titling, QObject* parent)
    : QObject(parent)
    , m_program(program)
    , m_titling(titling)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (m_running)
            timeLimitReached();
    });
}

// An engine that is destroyed cancels its run in its own destructor, while its stop() can still be called.
PdfEngine::~PdfEngine() = default;

void PdfEngine::start(const QString& pagePath, const QString& pdfPath, std::chrono::milliseconds timeLimit)
{
    cancel();
    m_pdfPath = pdfPath;
    m_running = true;
    Expected<QString, ConversionResult> temp = MakeTemporaryPdf(pdfPath);
    if (!temp) {
        end(temp.error());
        return;
    }
    m_tempPath = *std::move(temp);
    m_timer.start(timeLimit);
    render(pagePath, m_tempPath);
}

void PdfEngine::cancel()
{
    if (m_running)
        finishRun(false);
}

void PdfEngine::timeLimitReached()
{
    end({ConversionResult::Outcome::TimedOut, 0, {}, {}});
}

void PdfEngine::end(ConversionResult result)
{
    if (!m_running)
        return;
    if (result.succeeded()) {
        // wkhtmltopdf leaves the title empty, whatever it is told; Chromium's tagged PDF is finished for screen
        // readers. A PDF that qpdf cannot rewrite is still the PDF the engine made: it is stored as the engine left it.
        PdfMetadata metadata;
        if (m_titling == Titling::AfterRendering)
            metadata.title = m_title;
        else if (!m_language.isEmpty())
            metadata = {m_title, m_language, m_linkTexts};
        // A tagged PDF's tick boxes become check boxes a reader can tick (AddCheckBoxes).
        std::vector<PdfStep> steps;
        if (!metadata.language.isEmpty())
            steps.emplace_back([](QPDF& pdf) { AddCheckBoxes(pdf); });
        if ((!metadata.title.isEmpty() || !metadata.language.isEmpty()) && IsCompletePdf(m_tempPath))
            FinishPdf(m_tempPath, metadata, steps);
        result = StorePdf(m_tempPath, m_pdfPath, result);
    }
    finishRun(result.succeeded());
    Q_EMIT finished(result);
}

// No time limit, and no temporary file left unless it became the PDF.
void PdfEngine::finishRun(bool succeeded)
{
    m_running = false;
    m_timer.stop();
    stop(succeeded);
    if (!m_tempPath.isEmpty()) {
        QFile::remove(m_tempPath);
        m_tempPath.clear();
    }
}

std::unique_ptr<PdfEngine> MakeEngine(const ResolvedEngine& engine, QObject* parent)
{
    if (engine.kind == EngineKind::Chromium)
        return std::make_unique<ChromiumEngine>(engine.program, parent);
    return std::make_unique<WkhtmltopdfEngine>(engine.program, parent);
}

} // namespace orvanta
