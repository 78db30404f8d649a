// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace orvanta {

// A QR code of `text` (error correction M, with the standard quiet zone) as an inline SVG element of the given
// class, sized in millimetres so that a template without a style for it still prints it small. Empty when the
// text is too long for any QR code.
QString QrCodeSvg(const QString& text, const QString& cssClass = QStringLiteral("qr"), double sizeMm = 16);

} // namespace orvanta
