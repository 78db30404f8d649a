// SPDX-License-Identifier: GPL-3.0-or-later
#include "SheetExport.h"

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

SheetExport::SheetExport(const Installation& installation, const PreviewRenderer& preview, Interaction& interaction,
                         QWidget& window)
    : QObject(&window)
    , m_preview(preview)
    , m_interaction(interaction)
    , m_window(window)
    , m_builder(installation)
{
    connect(&m_builder, &SheetBuilder::finished, this, &SheetExport::built);
}

void SheetExport::start(Kind kind, const Sheet& sheet)
{
    if (isRunning())
        return;
    const bool pdf = kind == Kind::Pdf;
    const QString name = sheet.fileName.isEmpty() ? (pdf ? QStringLiteral("cheatsheet") : QStringLiteral("cover"))
                                                  : HyphenatedName(sheet.fileName);
    const QString path = pdf ? FileToSaveAs(m_interaction, &m_window, tr("Export PDF"),
                                            Settings::pdfFolder() + u'/' + name + QStringLiteral(".pdf"),
                                            tr("PDF files (*.pdf)"), QStringLiteral("pdf"))
                             : FileToSaveAs(m_interaction, &m_window, tr("Export Cover Image"),
                                            Settings::lastFolder() + u'/' + name + QStringLiteral(".png"),
                                            tr("PNG images (*.png)"), QStringLiteral("png"));
    if (path.isEmpty())
        return;
    m_kind = kind;
    m_path = path;
    // The preview's PDF is copied when it is of this very page; otherwise the engine makes one now.
    const QString pdfPath = pdf ? path : m_folder.filePath(QStringLiteral("cover.pdf"));
    if (const auto problem = m_builder.build(sheet, name, pdfPath, m_preview.printed()))
        report(BuildWords::buildProblem(*problem));
}

void SheetExport::report(const Message& message)
{
    if (message.warning)
        m_interaction.warn(&m_window, message.title, message.text);
    else
        m_interaction.inform(&m_window, message.title, message.text);
}

void SheetExport::built(const BuildResult& result)
{
    if (result.problem) {
        report(m_kind == Kind::Pdf ? BuildWords::buildProblem(*result.problem)
                                   : BuildWords::buildProblem(*result.problem, tr("the cover's PDF")));
        return;
    }
    const QString folder = QFileInfo(m_path).absolutePath();
    if (m_kind == Kind::Pdf) {
        Settings::setPdfFolder(folder);
    } else if (const std::optional<CoverProblem> problem = WriteCover(result.paths.pdfPath, m_path)) {
        m_interaction.warn(&m_window, tr("Cover Not Saved"), FileWords::coverProblem(*problem));
        return;
    } else {
        Settings::setLastFolder(folder);
    }
    Q_EMIT saved(m_kind, m_path);
}

} // namespace orvanta
