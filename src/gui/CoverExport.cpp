// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverExport.h"

#include "cover/CoverImage.h"
#include "gui/Settings.h"
#include "gui/widgets/Interaction.h"
#include "pipeline/OutputFiles.h"
#include "pipeline/PreviewRenderer.h"
#include "sheet/Sheet.h"
#include "words/BuildWords.h"
#include "words/FileWords.h"

#include <QFileInfo>

namespace orvanta {

CoverExport::CoverExport(const QString& installFolder, const PreviewRenderer& preview, Interaction& interaction,
                         QWidget& window)
    : QObject(&window)
    , m_preview(preview)
    , m_interaction(interaction)
    , m_window(window)
    , m_builder(installFolder)
{
    connect(&m_builder, &SheetBuilder::finished, this, &CoverExport::built);
}

void CoverExport::start(const Sheet& sheet)
{
    if (isRunning())
        return;
    const QString name = sheet.fileName.isEmpty() ? QStringLiteral("cover") : HyphenatedName(sheet.fileName);
    const QString path = FileToSaveAs(m_interaction, &m_window, tr("Export Cover Image"),
                                      Settings::lastFolder() + u'/' + name + QStringLiteral(".png"),
                                      tr("PNG images (*.png)"), QStringLiteral("png"));
    if (path.isEmpty())
        return;
    m_pngPath = path;
    // The preview's PDF is copied when it is of this very page; otherwise the engine makes one now.
    const QString pdfPath = m_folder.filePath(QStringLiteral("cover.pdf"));
    if (const auto problem = m_builder.build(sheet, name, pdfPath, m_preview.printed()))
        report(BuildWords::buildProblem(*problem));
}

void CoverExport::report(const Message& message)
{
    if (message.warning)
        m_interaction.warn(&m_window, message.title, message.text);
    else
        m_interaction.inform(&m_window, message.title, message.text);
}

void CoverExport::built(const BuildResult& result)
{
    if (result.problem) {
        report(BuildWords::buildProblem(*result.problem, tr("the cover's PDF")));
        return;
    }
    if (const std::optional<CoverProblem> problem = WriteCover(result.paths.pdfPath, m_pngPath)) {
        m_interaction.warn(&m_window, tr("Cover Not Saved"), FileWords::coverProblem(*problem));
        return;
    }
    Settings::setLastFolder(QFileInfo(m_pngPath).absolutePath());
    Q_EMIT saved(m_pngPath);
}

} // namespace orvanta
