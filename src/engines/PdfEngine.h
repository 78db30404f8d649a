// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Conversion.h"
#include "page/EngineKind.h"
#include "sheet/Design.h"

#include <QObject>
#include <QString>
#include <chrono>
#include <optional>

namespace orvanta {

// What the user chose: Automatic takes wkhtmltopdf where it is installed and Chromium where it is not.
enum class EngineChoice { Automatic, Wkhtmltopdf, Chromium };

// "wkhtmltopdf" or "Chromium", as a status line shows it.
QString EngineName(EngineKind kind);

// "auto", "wkhtmltopdf" or "chromium", as the command line and settings spell a choice; nothing for another word.
QString EngineChoiceKey(EngineChoice choice);
std::optional<EngineChoice> EngineChoiceFromKey(const QString& key);

// Which engine a build uses and the program that runs it; the program is empty when the engine is missing.
struct ResolvedEngine {
    EngineKind kind = EngineKind::Wkhtmltopdf;
    QString program;
};

// `chromiumProgram`, when not empty, is the browser the user named; otherwise chromium, chromium-browser or
// google-chrome from PATH.
ResolvedEngine ResolveEngine(const QString& installFolder, EngineChoice choice, const QString& chromiumProgram = {});

// The browser the user named when it is an executable file, otherwise the first of Chromium's names on PATH.
QString FindChromium(const QString& chromiumProgram = {});

// A loopback port that this process holds bound but never listens on, so a connection to it is refused at once and
// no other program can take it while the app runs: the proxy that keeps the engines off the network. 1 when no
// socket could be had, a privileged port that nothing listens on in practice.
int ClosedLoopbackPort();

// One conversion of a page into a PDF by some engine. The engine writes a temporary file beside the PDF and only a
// complete PDF replaces the file of that name, so a failure never destroys an earlier PDF.
class PdfEngine : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Converts `pagePath` into `pdfPath` with `program`. `finished` follows exactly once, possibly before start()
    // returns.
    virtual void start(const QString& program, const QString& pagePath, const QString& pdfPath,
                       std::chrono::milliseconds timeLimit) = 0;
    // Stops a running conversion and removes its temporary file; `finished` is not emitted.
    virtual void cancel() = 0;
    // The paper and the PDF's title of the conversions that start from now on. Chromium takes the title from the
    // page's <title>, which FillPage() sets to the same.
    void setPaper(PaperSize paper) { m_paper = paper; }
    PaperSize paper() const { return m_paper; }
    void setTitle(const QString& title) { m_title = title; }
    const QString& title() const { return m_title; }
    // A folder besides the page's own whose files the page may load, for the conversions that start from now on:
    // the installation's bin, which the preview's copy of it links to. wkhtmltopdf reads no local file but the page.
    void setReadableFolder(const QString& folder) { m_readableFolder = folder; }
    const QString& readableFolder() const { return m_readableFolder; }

Q_SIGNALS:
    void finished(const orvanta::ConversionResult& result);

private:
    PaperSize m_paper = PaperSize::A4;
    QString m_title;
    QString m_readableFolder;
};

} // namespace orvanta
