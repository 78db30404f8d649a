// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Conversion.h"
#include "page/EngineKind.h"
#include "sheet/Design.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <memory>
#include <optional>

namespace orvanta {

// What the user chose. Automatic takes Chromium where it is installed and wkhtmltopdf where it is not, except that
// a wkhtmltopdf in the installation's bin folder is always taken: someone put it there to be used.
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

// One conversion at a time of a page into a PDF by the program the engine was made with. The engine writes a
// temporary file beside the PDF and only a complete PDF replaces the file of that name, so a failure never destroys
// an earlier PDF. The life of a run is the same for every engine and lives here: the temporary file, the time limit,
// the PDF's title, storing the PDF and `finished`; an engine only renders and stops.
class PdfEngine : public QObject {
    Q_OBJECT

public:
    ~PdfEngine() override;

    const QString& program() const { return m_program; }
    // Converts `pagePath` into `pdfPath`, stopping a run still going first. `finished` follows exactly once,
    // possibly before start() returns.
    void start(const QString& pagePath, const QString& pdfPath, std::chrono::milliseconds timeLimit);
    // Stops a running conversion and removes its temporary file; `finished` is not emitted.
    void cancel();
    bool isRunning() const { return m_running; }
    // The paper and the PDF's title of the conversions that start from now on. Chromium takes the title from the
    // page's <title>, which FillPage() sets to the same.
    void setPaper(PaperSize paper) { m_paper = paper; }
    PaperSize paper() const { return m_paper; }
    void setTitle(const QString& title) { m_title = title; }
    const QString& title() const { return m_title; }
    // The sheet's language and its links' texts by address (PdfMetadata) for the conversions that start from now on.
    // With a language, an engine that tags its PDFs has them finished for screen readers (FinishPdf).
    void setAccessibility(const QString& language, const QHash<QString, QStringList>& linkTexts)
    {
        m_language = language;
        m_linkTexts = linkTexts;
    }
    // A folder besides the page's own whose files the page may load, for the conversions that start from now on:
    // the installation's bin, which the preview's copy of it links to. wkhtmltopdf reads no local file but the page.
    void setReadableFolder(const QString& folder) { m_readableFolder = folder; }
    const QString& readableFolder() const { return m_readableFolder; }

Q_SIGNALS:
    void finished(const orvanta::ConversionResult& result);

protected:
    enum class Titling { ByEngine, AfterRendering };
    PdfEngine(const QString& program, Titling titling, QObject* parent);

    // Renders `pagePath` into the empty file `tempPath` and then calls end() once, maybe before returning.
    virtual void render(const QString& pagePath, const QString& tempPath) = 0;
    // The run is over (cancelled, timed out or ended): the engine lets go of it and reports nothing more.
    // `succeeded` says whether it ended with a PDF.
    virtual void stop(bool succeeded) = 0;
    // The time limit came; by default the run ends as TimedOut.
    virtual void timeLimitReached();
    // The end of the run, once: Succeeded when the engine wrote the temporary file, which is judged and stored then.
    void end(ConversionResult result);
    const QString& tempPath() const { return m_tempPath; }

private:
    void finishRun(bool succeeded);

    const QString m_program;
    const Titling m_titling;
    QTimer m_timer;
    PaperSize m_paper = PaperSize::A4;
    QString m_title;
    QString m_language;
    QHash<QString, QStringList> m_linkTexts;
    QString m_readableFolder;
    QString m_pdfPath;
    QString m_tempPath;
    bool m_running = false;
};

// The engine that runs `engine.program`, which must not be empty.
std::unique_ptr<PdfEngine> MakeEngine(const ResolvedEngine& engine, QObject* parent = nullptr);

} // namespace orvanta
