// SPDX-License-Identifier: GPL-3.0-or-later
#include "PreviewPanel.h"

#include "gui/widgets/PdfView.h"
#include "model/SheetModel.h"
#include "page/Installation.h"
#include "page/Looks.h"
#include "words/BuildWords.h"

#include <QFileInfo>
#include <QLabel>
#include <QScrollBar>
#include <QStackedWidget>

namespace orvanta {

PreviewPanel::PreviewPanel(SheetModel& model, PreviewRenderer& renderer, const Installation& installation,
                           QStackedWidget& stack, PdfView& view, QLabel& caption, QLabel& status)
    : QObject(&stack)
    , m_renderer(renderer)
    , m_installation(installation)
    , m_stack(stack)
    , m_view(view)
    , m_caption(caption)
    , m_status(status)
{
    m_view.setDocument(&m_document);
    // A template of the sheet's look or the disclaimer saved, by the app or any editor: the same sheet looks
    // different now.
    watchTemplates(model.sheet().look);
    connect(&m_templates, &QFileSystemWatcher::fileChanged, this, [this](const QString& path) {
        if (!m_templates.files().contains(path) && QFileInfo::exists(path))
            m_templates.addPath(path); // a file saved by replacing it is watched afresh
        m_renderer.refresh();
    });
    connect(&m_renderer, &PreviewRenderer::ready, this, &PreviewPanel::showPdf);
    connect(&m_renderer, &PreviewRenderer::cleared, this, &PreviewPanel::showExample);
    connect(&m_renderer, &PreviewRenderer::failed, this, [this](const BuildProblem& problem) {
        const QString text = BuildWords::previewProblem(problem);
        showStatus(BuildWords::firstParagraph(text), text);
    });
    connect(&m_renderer, &PreviewRenderer::converting, this, [this] {
        showStatus(m_document.pageCount() > 0 ? tr("%1 · updating…").arg(pagesAndEngine()) : tr("Making the preview…"));
    });
    connect(&model, &SheetModel::changed, this, [this, &model](SheetModel::Change change) {
        if (model.sheet().look != m_watchedLook)
            watchTemplates(model.sheet().look);
        m_renderer.update(model.sheet(),
                          change == SheetModel::Change::Text ? m_renderer.typingPause() : std::chrono::milliseconds{});
    });
    m_renderer.setExample(exampleSheet());
    showExample();
    m_renderer.update(model.sheet(), {});
}

Sheet PreviewPanel::exampleSheet()
{
    Sheet example;
    example.headline = tr("WordPress Speed Cheat Sheet");
    example.subheadline = tr("Eight free tools to make your site load in under a second");
    example.noteBelowEachResource = true;
    example.resources = {{tr("Free Keyword Research Tool"), QStringLiteral("https://example.com/keywords")},
                         {tr("Email Swipe Templates"), QStringLiteral("https://example.com/email")},
                         {tr("Landing Page Checklist"), QStringLiteral("https://example.com/landing")}};
    return example;
}

void PreviewPanel::watchTemplates(const QString& look)
{
    m_watchedLook = look;
    if (const QStringList watched = m_templates.files(); !watched.isEmpty())
        m_templates.removePaths(watched);
    QString folder = LookFolder(m_installation, look);
    if (folder.isEmpty())
        folder = layout::BinFolder; // a look that is not installed prints with Classic
    for (const QString& file : {layout::PageTemplate, layout::SnippetTemplate, layout::HeadingTemplate})
        m_templates.addPath(m_installation.readPath(folder + u'/' + QFileInfo(file).fileName()));
    m_templates.addPath(m_installation.readPath(layout::Terms));
}

void PreviewPanel::showPdf(const QString& path)
{
    const int scrolled = m_view.verticalScrollBar()->value();
    m_document.load(path);
    m_stack.setCurrentWidget(&m_view);
    m_view.verticalScrollBar()->setValue(scrolled); // the same place in the new PDF
    if (m_renderer.showsExample()) {
        m_caption.setText(tr("Cheatsheet Example:"));
        showStatus(tr("The preview shows once the sheet has a headline and a resource."));
        Q_EMIT shown();
        return;
    }
    m_caption.setText(tr("Preview:"));
    const QStringList warnings = BuildWords::buildWarnings(m_renderer.shown());
    showStatus((QStringList{pagesAndEngine()} + warnings).join(tr(" · ")), warnings.join(u'\n'));
    Q_EMIT shown();
}

void PreviewPanel::showExample()
{
    m_document.close();
    m_stack.setCurrentIndex(0);
    m_caption.setText(tr("Cheatsheet Example:"));
    showStatus(m_renderer.isEnabled() ? tr("The preview shows once the sheet has a headline and a resource.")
                                      : tr("Live preview is off (View menu)."));
}

void PreviewPanel::showStatus(const QString& text, const QString& details)
{
    m_status.setText(text);
    m_status.setToolTip(details);
}

QString PreviewPanel::pagesAndEngine() const
{
    const int pages = m_document.pageCount();
    const QString count = pages == 1 ? tr("1 page") : tr("%1 pages").arg(pages);
    const QString pagesAndEngine = tr("%1 · %2").arg(count, EngineName(m_renderer.engine()));
    const QString limits = BuildWords::engineLimits(m_renderer.engine(), true);
    return limits.isEmpty() ? pagesAndEngine : tr("%1 · %2").arg(pagesAndEngine, limits);
}

} // namespace orvanta
