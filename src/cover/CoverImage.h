// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>
#include <optional>

namespace orvanta {

// The width of a cover picture, in pixels: enough for a post or a shop page.
inline constexpr int CoverWidth = 1200;

// Page 1 of the PDF, `width` pixels wide at the page's own proportions, on white. A null image when the file is not
// a PDF that Qt PDF can read.
QImage RenderCover(const QString& pdfPath, int width = CoverWidth);

// Why a cover picture was not written.
struct CoverProblem {
    enum class Kind {
        PdfUnreadable, // path: a PDF that Qt PDF cannot read
        NotSaved,      // path: the picture; reason: the system's words
    };
    Kind kind = Kind::PdfUnreadable;
    QString path{};
    QString reason{};
};

// Page 1 of `pdfPath` as a PNG at `pngPath`, written whole or not at all: an earlier file of that name survives a
// failure.
std::optional<CoverProblem> WriteCover(const QString& pdfPath, const QString& pngPath);

} // namespace orvanta
