// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>

namespace orvanta {

// A navigation button of the page row: an icon and a caption. StateFlag false marks the button of the
// page on view; true marks the others.
class NavButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(bool StateFlag READ stateFlag WRITE setStateFlag)

public:
    explicit NavButton(QWidget* parent = nullptr);

    bool stateFlag() const { return m_stateFlag; }
    void setStateFlag(bool flag);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_stateFlag = true;
};

} // namespace orvanta
