// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfView.h"

#include <QPdfDocument>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace orvanta {

PdfView::PdfView(QWidget* parent)
    : QPdfView(parent)
{
    setPageMode(PageMode::MultiPage);
    fitWidth();
}

void PdfView::fitWidth()
{
    setZoomMode(ZoomMode::FitToWidth);
}

void PdfView::zoomBy(double steps)
{
    if (!document() || document()->pageCount() == 0)
        return;
    qreal factor = zoomFactor();
    if (zoomMode() == ZoomMode::FitToWidth) {
        // The factor the view works out to fit the width, so zooming goes on from what is on screen.
        const qreal pageWidth = document()->pagePointSize(0).width() * logicalDpiX() / 72.0;
        factor = (viewport()->width() - documentMargins().left() - documentMargins().right()) / pageWidth;
        setZoomMode(ZoomMode::Custom);
    }
    setZoomFactor(std::clamp(factor * std::pow(1.15, steps), 0.2, 5.0));
}

void PdfView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QPdfView::wheelEvent(event);
        return;
    }
    zoomBy(event->angleDelta().y() / 120.0);
    event->accept();
}

} // namespace orvanta
