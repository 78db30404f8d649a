// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EngineKind.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace orvanta {

struct Sheet;

// The characters of `texts` that no installed font can draw in `engine`'s PDF, each once, in order of first
// appearance. Whitespace, control and format characters (joiners, variation selectors) and combining marks are
// not counted: they print with their neighbours or not at all. wkhtmltopdf draws colour fonts blank, so only
// outline fonts count for it. The installed fonts are read through fontconfig on the first call, once per process:
// with the Noto fonts installed, 11-19 ms in a fresh process, under 1 ms in the window, where Qt has already loaded
// fontconfig's configuration and cache.
QList<char32_t> MissingGlyphs(const QStringList& texts, EngineKind engine);

// The texts of `sheet` that print: headline, subheadline, footer, the note when it shows, each resource's link
// text, and `disclaimer` when the sheet shows it.
QStringList PrintedTexts(const Sheet& sheet, const QString& disclaimer);

// The Debian package whose fonts draw `character` in `engine`'s PDF: fonts-noto-cjk for Chinese, Japanese and
// Korean, an emoji font for pictographs (fonts-noto-color-emoji, or fonts-symbola for wkhtmltopdf) and
// fonts-noto-core for everything else.
QString FontPackage(char32_t character, EngineKind engine);

} // namespace orvanta
