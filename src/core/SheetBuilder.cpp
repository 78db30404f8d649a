#include "SheetBuilder.h"

#include "ChromiumJob.h"
#include "Conversion.h"
#include "InstallFolder.h"
#include "PageFiller.h"
#include "PdfConverter.h"
#include "PdfFile.h"
#include "Sheet.h"
#include "TextFile.h"

#include <QDir>

namespace orvanta {

namespace {

BuildProblem missingInfo(const QString& text)
{
    return {QStringLiteral("Missing Info"), text, false};
}

BuildProblem cannotCreate(const QString& text)
{
    return {QStringLiteral("Cannot Create"), text, true};
}

} // namespace

SheetBuilder::SheetBuilder(const QString& installFolder, QObject* parent)
    : QObject(parent)
    , m_installFolder(installFolder)
{
}

SheetBuilder::~SheetBuilder() = default;

void SheetBuilder::setEngine(EngineChoice choice, const QString& chromiumProgram)
{
    m_choice = choice;
    m_chromiumProgram = chromiumProgram;
}

void SheetBuilder::useEngine(EngineKind kind)
{
    if (m_engine && m_engineKind == kind)
        return;
    if (kind == EngineKind::Chromium)
        m_engine = std::make_unique<ChromiumJob>();
    else
        m_engine = std::make_unique<PdfConverter>();
    m_engineKind = kind;
    connect(m_engine.get(), &PdfEngine::finished, this, &SheetBuilder::conversionFinished);
}

std::optional<BuildProblem> SheetBuilder::build(const Sheet& sheet, const QString& fileName, const QString& pdfPath,
                                                const PrintedPage& printed)
{
    if (sheet.resources.isEmpty())
        return missingInfo(QStringLiteral("Please add some resources first."));
    if (sheet.headline.isEmpty())
        return missingInfo(QStringLiteral("Please enter a headline first."));
    if (fileName.isEmpty())
        return missingInfo(QStringLiteral("Please enter a name for your pdf file first."));
    if (const QString problem = FileNameProblem(fileName); !problem.isEmpty())
        return BuildProblem{QStringLiteral("Invalid File Name"), problem, false};
    if (const QString problem = InstallFolderProblem(m_installFolder); !problem.isEmpty())
        return BuildProblem{QStringLiteral("Folder Not Writable"), problem, true};

    const QString name = HyphenatedName(fileName);
    const OutputPaths paths = FormOutputPaths(m_installFolder, name, pdfPath);
    if (pdfPath.isEmpty())
        QDir().mkdir(QFileInfo(paths.pdfPath).absolutePath()); // it may have been deleted since start-up
    std::optional<BuildProblem> problem = render(sheet, paths, printed);
    if (!problem)
        m_name = name;
    return problem;
}

std::optional<BuildProblem> SheetBuilder::render(const Sheet& sheet, const OutputPaths& paths,
                                                 const PrintedPage& printed)
{
    cancel();
    PageTemplates templates;
    if (const FileResult loaded = LoadTemplates(m_installFolder, sheet.disclaimer, templates); !loaded.ok())
        return cannotCreate(loaded.message);
    const ResolvedEngine engine = ResolveEngine(m_installFolder, m_choice, m_chromiumProgram);
    if (engine.program.isEmpty())
        return cannotCreate(EngineMissingMessage(m_installFolder, m_choice));
    QString page = FillPage(templates, sheet);
    if (const FileResult saved = SaveTextFile(paths.pagePath, page); !saved.ok())
        return cannotCreate(saved.message);

    m_paths = paths;
    m_page = std::move(page);
    m_timeLimit = m_timeLimitOverride.value_or(ConversionTimeLimit(sheet.resources.size()));
    m_running = true;
    ++m_run;
    useEngine(engine.kind);
    if (!printed.isEmpty() && printed.engine == engine.kind && printed.page == m_page && IsCompletePdf(printed.pdfPath))
        conversionFinished(CopyPdf(printed.pdfPath, paths.pdfPath));
    else
        m_engine->start(engine.program, paths.pagePath, paths.pdfPath, m_timeLimit);
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
    BuildResult built{m_paths, {}, m_engineKind};
    if (!result.succeeded())
        built.problem = BuildProblem{QStringLiteral("PDF Not Created"),
                                     ConversionFailureMessage(result, m_paths.pdfPath, m_timeLimit), true};
    // The converter can fail before start() returns; the caller hears of it only after build() has returned.
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
