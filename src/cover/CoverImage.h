// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

namespace orvanta {

// The width of a cover picture, in pixels: enough for a post or a shop page.
inline constexpr int CoverWidth = 1200;

// Page 1 of the PDF, `width` pixels wide at the page's own proportions, on white. A null image when the file is not
// a PDF that Qt PDF can read.
QImage RenderCover(const QString& pdfPath, int width = CoverWidth);

// Page 1 of `pdfPath` as a PNG at `pngPath`, written whole or not at all: an earlier file of that name survives a
// failure. Empty when written, otherwise why not, in words.
QString WriteCover(const QString& pdfPath, const QString& pngPath);

} // namespace orvanta
