// SPDX-License-Identifier: GPL-3.0-or-later
#include "SheetBuilder.h"

#include "engines/Conversion.h"
#include "engines/PdfFile.h"
#include "page/Installation.h"
#include "page/LinkTagging.h"
#include "page/Looks.h"
#include "page/MissingGlyphs.h"
#include "page/PageFiller.h"
#include "sheet/Sheet.h"
#include "sheet/TextFile.h"

#include <QDir>

namespace orvanta {

namespace {

BuildProblem refusal(BuildProblem::Kind kind, const QString& path = {})
{
    BuildProblem refused;
    refused.kind = kind;
    refused.path = path;
    return refused;
}

BuildProblem fileFailed(const FileProblem& file)
{
    BuildProblem failed = refusal(BuildProblem::Kind::FileFailed);
    failed.file = file;
    return failed;
}

} // namespace

SheetBuilder::SheetBuilder(const Installation& installation, QObject* parent)
    : QObject(parent)
    , m_installation(installation)
{
}

SheetBuilder::~SheetBuilder() = default;

void SheetBuilder::setEngine(EngineChoice choice, const QString& chromiumProgram)
{
    m_choice = choice;
    m_chromiumProgram = chromiumProgram;
}

// The engine is kept while it runs the same program: a warm browser keeps its tab for the next page.
void SheetBuilder::useEngine(const ResolvedEngine& engine)
{
    m_engineKind = engine.kind;
    if (m_engine && m_engine->program() == engine.program)
        return;
    m_engine = MakeEngine(engine);
    connect(m_engine.get(), &PdfEngine::finished, this, &SheetBuilder::conversionFinished);
}

std::optional<BuildProblem> SheetBuilder::build(const Sheet& sheet, const QString& fileName, const QString& pdfPath,
                                                const PrintedPage& printed)
{
    using Kind = BuildProblem::Kind;
    if (sheet.resources.isEmpty())
        return refusal(Kind::NoResources);
    if (sheet.headline.isEmpty())
        return refusal(Kind::NoHeadline);
    if (fileName.isEmpty())
        return refusal(Kind::NoFileName);
    if (const FileNameFault fault = FileNameProblem(fileName); fault != FileNameFault::None) {
        BuildProblem badName = refusal(Kind::BadFileName, fileName);
        badName.fileNameFault = fault;
        return badName;
    }
    if (!InstallFolderWritable(m_installation.userFolder()))
        return refusal(Kind::FolderNotWritable, m_installation.userFolder());

    const QString name = HyphenatedName(fileName);
    const OutputPaths paths = FormOutputPaths(m_installation, name, pdfPath);
    if (pdfPath.isEmpty())
        QDir().mkdir(QFileInfo(paths.pdfPath).absolutePath()); // it may have been deleted since start-up
    std::optional<BuildProblem> refused = render(sheet, paths, printed);
    if (!refused)
        m_name = name;
    return refused;
}

std::optional<BuildProblem> SheetBuilder::render(const Sheet& sheet, const OutputPaths& paths,
                                                 const PrintedPage& printed)
{
    cancel();
    if (sheet.resources.size() > MaxPrintedResources)
        return refusal(BuildProblem::Kind::TooManyResources);
    QString lookFolder = LookFolder(m_installation, sheet.look);
    const QString missingLook = lookFolder.isEmpty() ? sheet.look : QString();
    if (lookFolder.isEmpty())
        lookFolder = layout::BinFolder;
    const Expected<PageTemplates, FileProblem> loaded = LoadTemplates(m_installation, lookFolder, sheet.disclaimer);
    if (!loaded)
        return fileFailed(loaded.error());
    const PageTemplates& templates = *loaded;
    const ResolvedEngine engine = ResolveEngine(m_installation.folder(), m_choice, m_chromiumProgram);
    if (engine.program.isEmpty()) {
        BuildProblem missing = refusal(BuildProblem::Kind::EngineMissing, m_installation.folder());
        missing.engine = m_choice;
        return missing;
    }
    const PagePlan plan = PlanSheet(templates, sheet);
    QString page = FillPage(templates, sheet, plan, engine.kind);
    if (const std::optional<FileProblem> problem = SaveTextFile(paths.pagePath, page))
        return fileFailed(*problem);

    m_paths = paths;
    m_page = std::move(page);
    m_paper = SheetPaper(sheet);
    m_missingLook = missingLook;
    m_missingGlyphs = MissingGlyphs(PrintedTexts(sheet, templates.disclaimer), engine.kind);
    m_fitPages = plan.fits ? 0 : sheet.fitPages;
    m_pagesNeeded = plan.fits ? 0 : plan.pages();
    m_unlinkedAddresses.clear();
    for (const ResourceEntry& entry : sheet.resources) {
        if (!entry.heading && !IsLinkable(entry.linkUrl))
            m_unlinkedAddresses.append(entry.linkUrl);
    }
    m_timeLimit = m_timeLimitOverride.value_or(ConversionTimeLimit(sheet.resources.size()));
    m_running = true;
    ++m_run;
    useEngine(engine);
    m_engine->setPaper(m_paper);
    m_engine->setTitle(PlainTitle(sheet.headline));
    m_engine->setAccessibility(sheet.language, PageLinkTexts(sheet));
    m_engine->setReadableFolder(InstallPath(m_installation.folder(), layout::BinFolder));
    if (!printed.isEmpty() && printed.engine == engine.kind && printed.paper == m_paper && printed.page == m_page &&
        IsCompletePdf(printed.pdfPath))
        conversionFinished(CopyPdf(printed.pdfPath, paths.pdfPath));
    else
        m_engine->start(paths.pagePath, paths.pdfPath, m_timeLimit);
    return {};
}

void SheetBuilder::cancel()
{
    ++m_run;
    m_running = false;
    if (m_engine)
        m_engine->cancel();
}

void SheetBuilder::conversionFinished(const ConversionResult& result)
{
    BuildResult built{m_paths, {}, m_engineKind, m_missingLook, m_missingGlyphs, m_unlinkedAddresses};
    built.fitPages = m_fitPages;
    built.pagesNeeded = m_pagesNeeded;
    if (!result.succeeded()) {
        built.problem = refusal(BuildProblem::Kind::ConversionFailed, m_paths.pdfPath);
        built.problem->conversion = result;
        built.problem->timeLimit = m_timeLimit;
    }
    // The engine can fail before start() returns; the caller hears of it only after build() has returned.
    QMetaObject::invokeMethod(
        this,
        [this, run = m_run, built] {
            if (run != m_run)
                return; // cancelled, or another run has started
            m_running = false;
            Q_EMIT finished(built);
        },
        Qt::QueuedConnection);
}

} // namespace orvanta
