// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <chrono>

namespace orvanta {

// How a conversion ended. Only a complete PDF counts as success: wkhtmltopdf's exit code says nothing reliable
// either way.
struct ConversionResult {
    enum class Outcome {
        Succeeded,
        FailedToStart, // missing, not executable, or the output folder could not take a file
        Crashed,
        NoPdf,     // ended without writing a complete PDF
        TimedOut,  // ran past its limit and was stopped
        NotStored, // a good PDF that could not be moved into place
        // the browser grew past its memory limit and was stopped; the detail is that limit in MB
        TooMuchMemory,
    };
    // What the engine ran into, for BuildWords to put into words, where the outcome alone does not say.
    enum class Fault {
        None,
        NoTemporaryFile, // the PDF's folder took no file; detail: the system's reason
        NoProfileBase,   // no private folder for the browser's profiles; detail: the temporary folder
        NoProfileFolder, // detail: the system's reason
        NoPipe,          // detail: the system's reason
        NotStarted,      // detail: the program and the system's reason
        BrowserCrashed,
        BrowserExited, // exitCode: the browser's
        BrowserStopped,
        BrowserNotRunning,
        BrowserClosedPipe,
        RendererCrashed,
        MemoryUsed, // usedMegabytes: what the browser held when it was stopped
    };

    Outcome outcome = Outcome::Succeeded;
    int exitCode = 0;
    QString detail;     // the system's reason, where there is one
    QString errorLines; // what the engine said last, without progress bars and start-up noise
    Fault fault = Fault::None;
    qint64 usedMegabytes = 0;

    bool succeeded() const { return outcome == Outcome::Succeeded; }
};

// The wkhtmltopdf inside the installation's bin folder when it is there, otherwise the one on PATH; an empty string
// when there is none.
QString FindWkhtmltopdf(const QString& installFolder);
// Whether the installation's bin folder has a wkhtmltopdf of its own.
bool HasBundledWkhtmltopdf(const QString& installFolder);

// Non-empty, starts with "%PDF-" and ends with "%%EOF" (give or take trailing white space).
bool IsCompletePdf(const QString& path);

// wkhtmltopdf's last error lines: progress bars, phase lines and Qt start-up noise are dropped; lines
// starting with "Error:" win over the rest, and warnings only count when nothing else was said.
QString WkhtmltopdfErrorLines(const QByteArray& standardError);

// The most resources a sheet may print. 5,000 print on 417 pages in about 5 s with wkhtmltopdf and 10 s with
// Chromium; far more makes an engine run for minutes and take gigabytes.
constexpr qsizetype MaxPrintedResources = 5000;

// No conversion runs longer than this, whatever the sheet.
constexpr std::chrono::milliseconds ConversionTimeCeiling{120'000};

// Generous for any real page: rendering grows with the number of resources, so does the limit, up to the ceiling.
std::chrono::milliseconds ConversionTimeLimit(qsizetype resourceCount);

} // namespace orvanta
