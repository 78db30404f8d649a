// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace orvanta {

// The smallest module a phone camera or a 150 dpi scan of the printed page still reads reliably.
inline constexpr double QrModuleMm = 0.5;

// A QR code of `text` (error correction L, with the standard quiet zone) as an inline SVG element of the given
// class, QrCodeSideMm(text) millimetres square, so that a long address gets a bigger code rather than smaller
// modules. Empty when the text is too long for any QR code.
QString QrCodeSvg(const QString& text, const QString& cssClass = QStringLiteral("qr"));

// The side of QrCodeSvg(text) in millimetres, quiet zone included; 0 when no code can be made of the text.
double QrCodeSideMm(const QString& text);

} // namespace orvanta
