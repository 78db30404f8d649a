// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace orvanta {

// A label that acts as a link: it takes the keyboard focus and is activated by a click, Enter or Space.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(QWidget* parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace orvanta
