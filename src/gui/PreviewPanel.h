#pragma once

#include "core/LivePreview.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QPdfDocument>

class QLabel;
class QStackedWidget;

namespace orvanta {

class PdfPreview;

// The live preview on the content page: the real PDF once the sheet has a headline and a resource, the example
// picture before that or while previews are off, and a status line with the page count or what went wrong.
class PreviewPanel : public QObject {
    Q_OBJECT

public:
    PreviewPanel(const QString& installFolder, QStackedWidget& stack, PdfPreview& view, QLabel& caption,
                 QLabel& status);

    // `typing`: the preview waits for a pause in the typing.
    void update(const Sheet& sheet, bool typing);
    void setLive(bool live);
    LivePreview& livePreview() { return m_preview; }
    PdfPreview& view() { return m_view; }
    const QPdfDocument& document() const { return m_document; }

Q_SIGNALS:
    // A new PDF is on screen.
    void shown();

private:
    void showPdf(const QString& path);
    void showExample();
    void showStatus(const QString& text, const QString& details = {});
    QString pageCount() const;

    LivePreview m_preview;
    QPdfDocument m_document;
    QFileSystemWatcher m_templates;
    QStackedWidget& m_stack;
    PdfPreview& m_view;
    QLabel& m_caption;
    QLabel& m_status;
};

} // namespace orvanta
