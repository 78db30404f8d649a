// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "OutputFiles.h"
#include "engines/PdfEngine.h"
#include "sheet/TextFile.h"

#include <QObject>
#include <chrono>
#include <memory>
#include <optional>

namespace orvanta {

struct Sheet;

// Why a sheet was not built. BuildWords puts it into words.
struct BuildProblem {
    enum class Kind {
        NoResources,
        NoHeadline,
        NoFileName,
        BadFileName,       // path: the name
        FolderNotWritable, // path: the installation folder
        FileFailed,        // file: a template could not be read or the page not written
        TooManyResources,  // more than MaxPrintedResources
        EngineMissing,     // path: the installation folder; the engine chosen
        ConversionFailed,  // path: the PDF
        NoPreviewFolder,   // file: the preview's temporary folder could not be made
    };

    Kind kind = Kind::NoResources;
    QString path;
    FileNameFault fileNameFault = FileNameFault::None;
    FileProblem file;
    EngineChoice engine = EngineChoice::Automatic;
    ConversionResult conversion;
    std::chrono::milliseconds timeLimit{};
};

struct BuildResult {
    OutputPaths paths;
    std::optional<BuildProblem> problem; // none when the PDF was made
    EngineKind engine = EngineKind::Wkhtmltopdf;
    QString missingLook; // the sheet's look, printed as Classic because it is not installed
    // Characters of the printed texts that no installed font draws: the PDF shows boxes there, but is made.
    QList<char32_t> missingGlyphs;
    // Resource addresses that may not be links (javascript:, file:, no scheme, ...): printed as text.
    QStringList unlinkedAddresses;
    // A sheet that asks to fit on fewer pages (Sheet::fitPages) than it takes even at SmallestFitPercent: the pages
    // it asked for, and the pages it takes. 0 when it fits.
    int fitPages = 0;
    qsizetype pagesNeeded = 0;

    bool succeeded() const { return !problem; }
};

// A page and the PDF an engine made of it: a build that writes the same page for the same engine copies that PDF
// instead of converting again.
struct PrintedPage {
    QString page;
    EngineKind engine = EngineKind::Wkhtmltopdf;
    QString pdfPath; // empty: nothing printed
    PaperSize paper = PaperSize::A4;

    bool isEmpty() const { return pdfPath.isEmpty(); }
};

// Makes one cheat sheet the way Create does: checks the input, reads the templates afresh, writes the page
// and has the engine render it, without blocking the event loop. It needs no window: the command line
// and the live preview build through it as well.
class SheetBuilder : public QObject {
    Q_OBJECT

public:
    explicit SheetBuilder(const Installation& installation, QObject* parent = nullptr);
    ~SheetBuilder() override;

    // Create: the page in bin and the PDF in bin/output, named after `fileName` with its spaces made
    // hyphens, unless `pdfPath` names the PDF. Returns the first refusal; nothing of the sheet is written then
    // (though bin/output is made again if it is missing). Otherwise the engine runs and `finished` follows,
    // always after this has returned. When the page is byte for byte `printed`'s page and the engine is the same,
    // `printed`'s PDF is copied into place instead.
    std::optional<BuildProblem> build(const Sheet& sheet, const QString& fileName, const QString& pdfPath = {},
                                      const PrintedPage& printed = {});

    // The page and the PDF at the given paths, with only the checks that concern the templates and the
    // engine. A run still going is cancelled first.
    std::optional<BuildProblem> render(const Sheet& sheet, const OutputPaths& paths, const PrintedPage& printed = {});

    // The engine for the next builds; `chromiumProgram`, when not empty, is the browser to run for Chromium.
    void setEngine(EngineChoice choice, const QString& chromiumProgram = {});
    EngineChoice engineChoice() const { return m_choice; }
    // The engine of the last build started, and the page it wrote.
    EngineKind engine() const { return m_engineKind; }
    const QString& page() const { return m_page; }
    PaperSize paper() const { return m_paper; }

    // The hyphenated name that the last build() used.
    const QString& name() const { return m_name; }
    bool isRunning() const { return m_running; }
    // Stops a running conversion and removes its temporary file; `finished` is not emitted.
    void cancel();

    // Replaces the time limit that otherwise grows with the number of resources.
    void setTimeLimit(std::chrono::milliseconds limit) { m_timeLimitOverride = limit; }

Q_SIGNALS:
    void finished(const orvanta::BuildResult& result);

private:
    void conversionFinished(const ConversionResult& result);
    void useEngine(const ResolvedEngine& engine);

    const Installation m_installation;
    EngineChoice m_choice = EngineChoice::Automatic;
    QString m_chromiumProgram;
    std::unique_ptr<PdfEngine> m_engine;
    EngineKind m_engineKind = EngineKind::Wkhtmltopdf;
    QString m_page;
    PaperSize m_paper = PaperSize::A4;
    QString m_missingLook;
    QList<char32_t> m_missingGlyphs;
    QStringList m_unlinkedAddresses;
    int m_fitPages = 0;
    qsizetype m_pagesNeeded = 0;
    QString m_name;
    OutputPaths m_paths;
    std::chrono::milliseconds m_timeLimit{};
    std::optional<std::chrono::milliseconds> m_timeLimitOverride;
    bool m_running = false;
    quint64 m_run = 0; // tells a run's outcome from a cancelled one's
};

} // namespace orvanta
