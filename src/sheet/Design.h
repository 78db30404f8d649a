// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Expected.h"
#include "FileProblem.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace orvanta {

struct Sheet;

// How a sheet looks in print: its look (a folder of templates), accent colour, logo and paper. The values are
// stored in the sheet as the file spells them.
namespace design {
inline const QString ClassicLook = QStringLiteral("classic");
inline const QString DefaultAccent = QStringLiteral("#d7261e");
inline const QString LightText = QStringLiteral("#ffffff");
inline const QString DarkText = QStringLiteral("#14171c"); // the looks' dark text
inline constexpr double ReadableContrast = 4.5;            // the least ratio for body text (WCAG 2, level AA)
inline const QString A4 = QStringLiteral("A4");
inline const QString Letter = QStringLiteral("Letter");
inline constexpr qsizetype MaxLogoBytes = 1024 * 1024; // the image itself, before base64
} // namespace design

enum class PaperSize { A4, Letter };

// The paper a sheet asks for; anything but "Letter" is A4.
PaperSize SheetPaper(const Sheet& sheet);

// What is wrong with the sheet's design values: an accent that is not "#RRGGBB", a logo that is not a PNG, JPEG or
// SVG `data:` URI of at most 1 MB, an unknown paper size, a language that is not a tag. None when all are good. A look
// that is not installed is not a fault: it prints as Classic.
std::optional<SheetProblem> DesignProblem(const Sheet& sheet);

// The WCAG 2 contrast ratio of two "#RRGGBB" colours, from 1 to 21, by their relative luminance; 0 when either
// is not such a colour.
double ContrastRatio(const QString& one, const QString& other);

// `sheet` in the design of `from`: its look, accent, logo and paper.
Sheet WithDesignOf(Sheet sheet, const Sheet& from);

// The colour of text drawn on the accent: LightText or DarkText, whichever contrasts more with it.
QString TextColourOn(const QString& accent);

// Why an image file cannot be the logo.
enum class LogoProblem { SvgDeclarations, NotImage, TooLarge };

// The logo's `data:` URI for an image file's bytes: a PNG, JPEG or SVG of at most 1 MB.
Expected<QString, LogoProblem> LogoDataUri(const QByteArray& image);

// `text` with its HTML character references read (&#58;, &#x3A, &amp;, &colon;, ...), as a browser reads them.
QString DecodeCharacterReferences(const QString& text);

// The headline as the PDF's title: markup removed, entities read, spaces made single.
QString PlainTitle(const QString& headline);

} // namespace orvanta
