#include "SheetBuilder.h"

#include "Conversion.h"
#include "InstallFolder.h"
#include "PageFiller.h"
#include "Sheet.h"
#include "TextFile.h"

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

BuildProblem fileFailed(const FileResult& file)
{
    BuildProblem failed = refusal(BuildProblem::Kind::FileFailed);
    failed.file = file;
    return failed;
}

} // namespace

SheetBuilder::SheetBuilder(const QString& installFolder, QObject* parent)
    : QObject(parent)
    , m_installFolder(installFolder)
{
    connect(&m_converter, &PdfConverter::finished, this, &SheetBuilder::conversionFinished);
}

std::optional<BuildProblem> SheetBuilder::build(const Sheet& sheet, const QString& fileName, const QString& pdfPath)
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
    if (!InstallFolderWritable(m_installFolder))
        return refusal(Kind::FolderNotWritable, m_installFolder);

    const QString name = HyphenatedName(fileName);
    const OutputPaths paths = FormOutputPaths(m_installFolder, name, pdfPath);
    if (pdfPath.isEmpty())
        QDir().mkdir(QFileInfo(paths.pdfPath).absolutePath()); // it may have been deleted since start-up
    std::optional<BuildProblem> refused = render(sheet, paths);
    if (!refused)
        m_name = name;
    return refused;
}

std::optional<BuildProblem> SheetBuilder::render(const Sheet& sheet, const OutputPaths& paths)
{
    cancel();
    PageTemplates templates;
    if (const FileResult loaded = LoadTemplates(m_installFolder, sheet.disclaimer, templates); !loaded.ok())
        return fileFailed(loaded);
    const QString converter = FindConverter(m_installFolder);
    if (converter.isEmpty())
        return refusal(BuildProblem::Kind::ConverterMissing, m_installFolder);
    if (const FileResult saved = SaveTextFile(paths.pagePath, FillPage(templates, sheet)); !saved.ok())
        return fileFailed(saved);

    m_paths = paths;
    m_timeLimit = m_timeLimitOverride.value_or(ConversionTimeLimit(sheet.resources.size()));
    m_running = true;
    ++m_run;
    m_converter.start(converter, paths.pagePath, paths.pdfPath, m_timeLimit);
    return {};
}

void SheetBuilder::cancel()
{
    ++m_run;
    m_running = false;
    m_converter.cancel();
}

void SheetBuilder::conversionFinished(const ConversionResult& result)
{
    BuildResult built{m_paths, {}};
    if (!result.succeeded()) {
        built.problem = refusal(BuildProblem::Kind::ConversionFailed, m_paths.pdfPath);
        built.problem->conversion = result;
        built.problem->timeLimit = m_timeLimit;
    }
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
