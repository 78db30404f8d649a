// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPdfView>

namespace orvanta {

// A PDF shown page after page at the width of the view. Ctrl and the wheel zoom it, as do zoomBy() and
// fitWidth() for the keyboard.
class PdfView : public QPdfView {
    Q_OBJECT

public:
    explicit PdfView(QWidget* parent = nullptr);

    // Zooms in (steps > 0) or out, each step 15%, on from the size the pages are shown at.
    void zoomBy(double steps);
    void fitWidth();

protected:
    void wheelEvent(QWheelEvent* event) override;
};

} // namespace orvanta
