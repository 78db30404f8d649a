#pragma once

#include <QPdfView>

namespace orvanta {

// A PDF shown page after page at the width of the view; Ctrl and the wheel zoom it.
class PdfPreview : public QPdfView {
    Q_OBJECT

public:
    explicit PdfPreview(QWidget* parent = nullptr);

protected:
    void wheelEvent(QWheelEvent* event) override;
};

} // namespace orvanta
