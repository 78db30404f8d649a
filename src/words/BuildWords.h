// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engines/PdfEngine.h"
#include "pipeline/OutputFiles.h"

#include <QCoreApplication>
#include <QString>
#include <chrono>

namespace orvanta {

struct BuildProblem;
struct BuildResult;
struct ConversionResult;

// What the user reads about a build: a message box's title and text. Missing or bad input is information; a
// fault of the installation or of the converter is a warning.
struct Message {
    QString title;
    QString text;
    bool warning = false;
};

// The words for a build: why a sheet was not built and what a made PDF lacks, for the window, the preview and the
// command line.
class BuildWords {
    Q_DECLARE_TR_FUNCTIONS(BuildWords)

public:
    // `pdfShownAs` names the PDF in the text instead of its path.
    static Message buildProblem(const BuildProblem& problem, const QString& pdfShownAs = {});
    static QString folderNotWritable(const QString& installFolder);
    static QString fileNameProblem(FileNameFault fault, const QString& name);
    // The chosen engine is not installed: how to install it.
    static QString engineMissing(const QString& installFolder, EngineChoice choice);
    // With the converter's last error lines, if any.
    static QString conversionFailure(const ConversionResult& result, const QString& pdfPath,
                                     std::chrono::milliseconds timeLimit, const QString& pdfShownAs = {});
    // What the engine ran into, from ConversionResult::fault; the system's reason when it names no fault.
    static QString engineFault(const ConversionResult& result);
    // The sheet's look is not installed, so the sheet was printed with Classic.
    static QString missingLook(const QString& look);
    // What a made PDF lacks: its look, characters no font draws. Empty when nothing, or no PDF was made.
    static QStringList buildWarnings(const BuildResult& result);
    // "No installed font has: 한, ☃. Install fonts-noto-cjk and fonts-noto-color-emoji." Empty when nothing is
    // missing.
    static QString missingGlyphs(const QList<char32_t>& characters, EngineKind engine);
    // What the engine's PDF cannot do for its readers, said where the PDF is shown or made: wkhtmltopdf tags nothing
    // for screen readers. Empty for Chromium. `brief` is for a status line.
    static QString engineLimits(EngineKind engine, bool brief);
    // Resource addresses that print as text, since their scheme may not be a link.
    static QString unlinkedAddresses(const QStringList& addresses);
    // The sheet does not fit on the `fitPages` it asks for even at SmallestFitPercent: it takes `pages`.
    static QString notFitting(int fitPages, qsizetype pages);
    // Why the preview has no PDF, the preview named in place of its path.
    static QString previewProblem(const BuildProblem& problem);
    // The first paragraph of a text, on one line: for a status bar.
    static QString firstParagraph(const QString& text);
};

} // namespace orvanta
