#pragma once

#include "OutputFiles.h"
#include "PdfConverter.h"
#include "TextFile.h"

#include <QObject>
#include <chrono>
#include <optional>

namespace orvanta {

struct Sheet;

// Why a sheet was not built. Messages::buildProblem() puts it into words.
struct BuildProblem {
    enum class Kind {
        NoResources,
        NoHeadline,
        NoFileName,
        BadFileName,       // path: the name
        FolderNotWritable, // path: the installation folder
        FileFailed,        // a template could not be read or the page not written
        ConverterMissing,  // path: the installation folder
        ConversionFailed,  // path: the PDF
    };

    Kind kind = Kind::NoResources;
    QString path;
    FileNameFault fileNameFault = FileNameFault::None;
    FileResult file;
    ConversionResult conversion;
    std::chrono::milliseconds timeLimit{};
};

struct BuildResult {
    OutputPaths paths;
    std::optional<BuildProblem> problem; // none when the PDF was made

    bool succeeded() const { return !problem; }
};

// Makes one cheat sheet the way Create does: checks the input, reads the templates afresh, writes the page
// and has the converter render it, without blocking the event loop. It needs no window: the command line
// and the live preview build through it as well.
class SheetBuilder : public QObject {
    Q_OBJECT

public:
    explicit SheetBuilder(const QString& installFolder, QObject* parent = nullptr);

    // Create: the page in bin and the PDF in bin/output, named after `fileName` with its spaces made
    // hyphens, unless `pdfPath` names the PDF. Returns the first refusal; nothing of the sheet is written then
    // (though bin/output is made again if it is missing). Otherwise the converter runs and `finished` follows,
    // always after this has returned.
    std::optional<BuildProblem> build(const Sheet& sheet, const QString& fileName, const QString& pdfPath = {});

    // The page and the PDF at the given paths, with only the checks that concern the templates and the
    // converter. A run still going is cancelled first.
    std::optional<BuildProblem> render(const Sheet& sheet, const OutputPaths& paths);

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

    const QString m_installFolder;
    PdfConverter m_converter;
    QString m_name;
    OutputPaths m_paths;
    std::chrono::milliseconds m_timeLimit{};
    std::optional<std::chrono::milliseconds> m_timeLimitOverride;
    bool m_running = false;
    quint64 m_run = 0; // tells a run's outcome from a cancelled one's
};

} // namespace orvanta
