// SPDX-License-Identifier: GPL-3.0-or-later
#include "NavButton.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace orvanta {

namespace {

const QColor CurrentBackground(0xff, 0xff, 0xff);
const QColor OtherBackground(0xe4, 0xe8, 0xf0);
const QColor HoverBackground(0xf2, 0xf4, 0xf8);
const QColor Accent(0x00, 0x00, 0x40);
const QColor Border(0xb8, 0xbf, 0xcc);

} // namespace

NavButton::NavButton(QWidget* parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setIconSize(QSize(16, 16));
    setAttribute(Qt::WA_Hover);
}

void NavButton::setStateFlag(bool flag)
{
    m_stateFlag = flag;
    // Screen readers announce the page on view as the checked one.
    setCheckable(true);
    setChecked(!flag);
    update();
}

// Room for the icon and the caption in bold, as the current page shows it; a longer language widens the button.
QSize NavButton::sizeHint() const
{
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int caption = metrics.boundingRect(QRect(), Qt::TextShowMnemonic, text()).width();
    return {iconSize().width() + caption + 64, qMax(46, metrics.height() + 24)};
}

QSize NavButton::minimumSizeHint() const
{
    return sizeHint();
}

void NavButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool current = !m_stateFlag;
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);

    painter.setPen(QPen(current ? Accent : Border, 1));
    painter.setBrush(current ? CurrentBackground : underMouse() || isDown() ? HoverBackground : OtherBackground);
    painter.drawRoundedRect(box, 4, 4);
    if (current)
        painter.fillRect(QRectF(box.left() + 4, box.bottom() - 3, box.width() - 8, 3), Accent);

    const QSize icon = iconSize();
    const int left = 20;
    painter.drawPixmap(QPoint(left, (height() - icon.height()) / 2), this->icon().pixmap(icon, devicePixelRatioF()));

    QFont captionFont = font();
    captionFont.setBold(current);
    painter.setFont(captionFont);
    painter.setPen(current ? Accent : palette().color(QPalette::ButtonText));
    const QRect textRect = rect().adjusted(left + icon.width() + 10, 0, -10, 0);
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextShowMnemonic, text());

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

} // namespace orvanta
