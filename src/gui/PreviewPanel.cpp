#include "PreviewPanel.h"

#include "core/InstallFolder.h"
#include "gui/widgets/PdfPreview.h"

#include <QFileInfo>
#include <QLabel>
#include <QScrollBar>
#include <QStackedWidget>

namespace orvanta {

PreviewPanel::PreviewPanel(const QString& installFolder, QStackedWidget& stack, PdfPreview& view, QLabel& caption,
                           QLabel& status)
    : QObject(&stack)
    , m_preview(installFolder)
    , m_stack(stack)
    , m_view(view)
    , m_caption(caption)
    , m_status(status)
{
    m_view.setDocument(&m_document);
    // A template or the disclaimer saved, by the app or any editor: the same sheet looks different now.
    for (const QString& file : {layout::PageTemplate, layout::SnippetTemplate, layout::Terms})
        m_templates.addPath(InstallPath(installFolder, file));
    connect(&m_templates, &QFileSystemWatcher::fileChanged, this, [this](const QString& path) {
        if (!m_templates.files().contains(path) && QFileInfo::exists(path))
            m_templates.addPath(path); // a file saved by replacing it is watched afresh
        m_preview.refresh();
    });
    connect(&m_preview, &LivePreview::ready, this, &PreviewPanel::showPdf);
    connect(&m_preview, &LivePreview::cleared, this, &PreviewPanel::showExample);
    connect(&m_preview, &LivePreview::failed, this, &PreviewPanel::showStatus);
    connect(&m_preview, &LivePreview::converting, this, [this] {
        showStatus(m_document.pageCount() > 0 ? pageCount() + QStringLiteral(" · updating…")
                                              : QStringLiteral("Making the preview…"));
    });
    showExample();
}

void PreviewPanel::update(const Sheet& sheet, bool typing)
{
    m_preview.update(sheet, typing ? LivePreview::TypingPause : std::chrono::milliseconds{});
}

void PreviewPanel::setLive(bool live)
{
    m_preview.setEnabled(live);
}

void PreviewPanel::showPdf(const QString& path)
{
    const int scrolled = m_view.verticalScrollBar()->value();
    m_document.load(path);
    m_stack.setCurrentWidget(&m_view);
    m_view.verticalScrollBar()->setValue(scrolled); // the same place in the new PDF
    m_caption.setText(QStringLiteral("Preview:"));
    showStatus(pageCount());
    Q_EMIT shown();
}

void PreviewPanel::showExample()
{
    m_document.close();
    m_stack.setCurrentIndex(0);
    m_caption.setText(QStringLiteral("Cheatsheet Example:"));
    showStatus(m_preview.isEnabled() ? QStringLiteral("The preview shows once the sheet has a headline and a resource.")
                                     : QStringLiteral("Live preview is off (View menu)."));
}

void PreviewPanel::showStatus(const QString& text, const QString& details)
{
    m_status.setText(text);
    m_status.setToolTip(details);
}

QString PreviewPanel::pageCount() const
{
    const int pages = m_document.pageCount();
    return pages == 1 ? QStringLiteral("1 page") : QStringLiteral("%1 pages").arg(pages);
}

} // namespace orvanta
