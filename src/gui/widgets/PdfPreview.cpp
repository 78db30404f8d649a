#include "PdfPreview.h"

#include <QPdfDocument>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace orvanta {

PdfPreview::PdfPreview(QWidget* parent)
    : QPdfView(parent)
{
    setPageMode(PageMode::MultiPage);
    setZoomMode(ZoomMode::FitToWidth);
}

void PdfPreview::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier) || !document() || document()->pageCount() == 0) {
        QPdfView::wheelEvent(event);
        return;
    }
    qreal factor = zoomFactor();
    if (zoomMode() == ZoomMode::FitToWidth) {
        // Zooming goes on from the width the page is shown at, as the view works it out.
        const qreal pageWidth = document()->pagePointSize(0).width() * logicalDpiX() / 72.0;
        const int margins = documentMargins().left() + documentMargins().right();
        factor = pageWidth > 0 ? (viewport()->width() - margins) / pageWidth : 1.0;
        setZoomMode(ZoomMode::Custom);
    }
    setZoomFactor(std::clamp(factor * std::pow(1.15, event->angleDelta().y() / 120.0), 0.2, 5.0));
    event->accept();
}

} // namespace orvanta
