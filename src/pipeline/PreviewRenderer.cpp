// SPDX-License-Identifier: GPL-3.0-or-later
#include "PreviewRenderer.h"

#include "page/Installation.h"
#include "sheet/Design.h"

#include <QDir>
#include <QFile>

namespace orvanta {

namespace {

const QString PreviewName = QStringLiteral("preview");

// The sheet as far as it is printed: its file name is not on the page, so a new name alone makes the same PDF.
Sheet printedPart(const Sheet& sheet)
{
    Sheet page = sheet;
    page.fileName.clear();
    return page;
}

} // namespace

PreviewRenderer::PreviewRenderer(const Installation& installation, QObject* parent)
    : QObject(parent)
    , m_installation(installation)
    , m_folder(QDir::tempPath() + QStringLiteral("/orvanta-preview-XXXXXX"))
    , m_builder(installation)
{
    // A watcher removes the folder when this process ends in any way: the pipe to it closes with the process,
    // a kill included, and it cleans up once it reads the end.
    m_cleaner.setProgram(QStringLiteral("/bin/sh"));
    m_cleaner.setArguments({QStringLiteral("-c"), QStringLiteral("cat >/dev/null; rm -rf -- \"$0\""), m_folder.path()});
    m_cleaner.setStandardOutputFile(QProcess::nullDevice());
    m_cleaner.setStandardErrorFile(QProcess::nullDevice());
    m_cleaner.start(QIODevice::WriteOnly);
    QDir(m_folder.path()).mkdir(QStringLiteral("bin"));

    m_pause.setSingleShot(true);
    connect(&m_pause, &QTimer::timeout, this, &PreviewRenderer::startIfDue);
    connect(&m_builder, &SheetBuilder::finished, this, &PreviewRenderer::conversionFinished);
}

PreviewRenderer::~PreviewRenderer()
{
    m_builder.cancel();
    m_cleaner.closeWriteChannel();
    m_cleaner.waitForFinished(2000);
}

bool PreviewRenderer::isConverting(const Sheet& sheet) const
{
    return m_builder.isRunning() && !m_due && printedPart(sheet) == m_sheet;
}

void PreviewRenderer::update(const Sheet& sheet, std::chrono::milliseconds pause)
{
    Sheet page = printedPart(sheet);
    if (page == m_sheet)
        return;
    m_sheet = page;
    m_due = true;
    // Typed text goes to an idle warm engine at once unless earlier typing waits for its pause.
    const bool typingWaits = m_pause.isActive() && m_pause.interval() > 0;
    if (pause.count() > 0 && printsAtOnce() && !m_builder.isRunning() && !typingWaits) {
        m_pause.stop();
        startIfDue();
        return;
    }
    m_pause.start(pause);
}

void PreviewRenderer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (enabled) {
        refresh();
    } else {
        m_builder.cancel();
        Q_EMIT cleared();
    }
}

void PreviewRenderer::startIfDue()
{
    if (!m_due || !m_enabled || m_builder.isRunning() || m_pause.isActive())
        return;
    m_due = false;
    if (!m_folder.isValid()) {
        BuildProblem problem;
        problem.kind = BuildProblem::Kind::NoPreviewFolder;
        problem.file = {.action = FileAction::Make,
                        .kind = FileProblem::Kind::System,
                        .path = m_folder.path(),
                        .reason = m_folder.errorString()};
        Q_EMIT failed(problem);
        return;
    }
    const bool empty = m_sheet.headline.isEmpty() || m_sheet.resources.isEmpty();
    const Sheet fresh;
    if (empty && (m_example.headline.isEmpty() || WithDesignOf(fresh, m_sheet) == fresh)) {
        Q_EMIT cleared();
        return;
    }
    m_showsExample = empty;
    linkInstallation();
    const OutputPaths paths{m_folder.path() + QStringLiteral("/bin/") + PreviewName + QStringLiteral(".html"),
                            m_folder.path() + u'/' + PreviewName + QStringLiteral(".pdf")};
    if (const std::optional<BuildProblem> problem =
            m_builder.render(empty ? WithDesignOf(m_example, m_sheet) : m_sheet, paths)) {
        Q_EMIT failed(*problem);
        return;
    }
    Q_EMIT converting();
}

void PreviewRenderer::setEngine(EngineChoice choice, const QString& chromiumProgram)
{
    m_builder.setEngine(choice, chromiumProgram);
    m_typingPause = ResolveEngine(m_installation.folder(), choice, chromiumProgram).kind == EngineKind::Chromium
                        ? WarmTypingPause
                        : TypingPause;
    refresh();
}

void PreviewRenderer::conversionFinished(const BuildResult& result)
{
    // Stale or not, a PDF made has replaced the preview's file.
    if (!result.problem)
        m_printed = {m_builder.page(), result.engine, result.paths.pdfPath, m_builder.paper()};
    if (m_due) {
        startIfDue(); // stale: the sheet changed while it converted
        return;
    }
    if (result.problem) {
        Q_EMIT failed(*result.problem);
    } else {
        m_shown = result;
        Q_EMIT ready(result.paths.pdfPath);
    }
}

// The page resolves its relative references as one in bin does: the folder mirrors the installation folder
// with links, the user's files before the installation's, except for the output folder, which the preview never
// touches.
void PreviewRenderer::linkInstallation()
{
    const auto link = [](const QString& from, const QString& to) {
        if (!QFileInfo(to).isSymLink())
            QFile::link(from, to);
    };
    for (const QString& folder : {m_installation.userFolder(), m_installation.folder()}) {
        const QDir installation(folder);
        for (const QString& name : installation.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
            if (name != u"bin")
                link(installation.filePath(name), m_folder.filePath(name));
        }
        const QDir bin(InstallPath(folder, layout::BinFolder));
        for (const QString& name : bin.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
            if (name != u"output" && name != PreviewName + QStringLiteral(".html"))
                link(bin.filePath(name), m_folder.filePath(QStringLiteral("bin/") + name));
        }
    }
}

} // namespace orvanta
