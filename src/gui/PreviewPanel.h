// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pipeline/PreviewRenderer.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QPdfDocument>

class QLabel;
class QStackedWidget;

namespace orvanta {

class PdfView;
class SheetModel;

// The preview beside the pages: the real PDF of the model's sheet once it has a headline and a resource; before
// that an example sheet, as a picture in a fresh sheet's design or while previews are off, else printed in the
// sheet's design; and a status line with the page count or what went wrong.
// Typed text reaches the renderer with the typing pause, which a warm engine skips when idle; other changes at once.
class PreviewPanel : public QObject {
    Q_OBJECT

public:
    PreviewPanel(SheetModel& model, PreviewRenderer& renderer, const Installation& installation, QStackedWidget& stack,
                 PdfView& view, QLabel& caption, QLabel& status);

    const QPdfDocument& document() const { return m_document; }

Q_SIGNALS:
    // A new PDF is on screen.
    void shown();

private:
    // The example's texts; its design is the sheet's.
    static Sheet exampleSheet();
    // Watches the templates of `look` and the disclaimer, and nothing else.
    void watchTemplates(const QString& look);
    void showPdf(const QString& path);
    void showExample();
    void showStatus(const QString& text, const QString& details = {});
    // "2 pages · Chromium"
    QString pagesAndEngine() const;

    PreviewRenderer& m_renderer;
    const Installation m_installation;
    QPdfDocument m_document;
    QFileSystemWatcher m_templates;
    QString m_watchedLook;
    QStackedWidget& m_stack;
    PdfView& m_view;
    QLabel& m_caption;
    QLabel& m_status;
};

} // namespace orvanta
