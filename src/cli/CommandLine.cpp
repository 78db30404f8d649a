// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include "BatchBuild.h"
#include "CheckLinks.h"
#include "Translations.h"
#include "Version.h"
#include "pipeline/OutputFiles.h"
#include "pipeline/Termination.h"
#include "sheet/SheetFile.h"
#include "sheet/TextFile.h"
#include "words/CommandLineWords.h"
#include "words/FileWords.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QTextStream>
#include <QThread>
#include <cstring>

namespace orvanta {

namespace {

const char* const Usage = QT_TRANSLATE_NOOP(
    "CommandLineWords",
    R"(Usage: orvanta build SHEET.orvanta... [-o OUT.pdf | --output-dir DIR] [--jobs N] [--engine E] [--cover]
       orvanta check SHEET.orvanta... [--jobs N] [--timeout SECONDS]
       orvanta [SHEET.orvanta]     opens the window, with the sheet if one is named

Builds the PDF of each sheet as Create does, without a window: the page goes into the installation's bin
folder and the PDF into bin/output, both named after the sheet's file name (or the sheet file's own name).
When the installation folder is not yours to write, both go into $XDG_DATA_HOME/orvanta (by default
~/.local/share/orvanta) instead, whose templates and looks are also read before the installation's.

Options:
  -o, --output FILE       the PDF of the one sheet given
  --output-dir DIR        every PDF into DIR, made if missing
  -j, --jobs N            sheets built at once (default: the number of cores)
  --engine E              auto, chromium or wkhtmltopdf (default: auto, which takes Chromium where it is
                          installed and wkhtmltopdf where it is not, or a wkhtmltopdf put in bin)
  --cover                 also page 1 of each PDF as a picture 1200 pixels wide, NAME.png beside NAME.pdf
  -h, --help              this text
  -v, --version           the version

Prints "built PDF" for each sheet built and "SHEET: reason" on stderr for each that failed.
Exit status: 0 when all were built, 1 when any failed, 2 for a usage error.

check asks the server of each web link of the sheets (6 at once, 2 per host; 10 seconds each unless
--timeout says otherwise) and prints "SHEET: URL: what happened" for each link that is not fine, then a
summary. Exit status: 0 when every link is fine or not a web link, 1 when any moved, is broken or
unreachable, or there was no network, 2 for a usage error.
)");

// Two sheets that would write the same page or PDF are refused before anything is built.
void refuseClashes(std::vector<BatchBuild::Job>& jobs, const Installation& installation, BatchBuild& batch)
{
    QMap<QString, QStringList> writers; // a path, and the sheets that would write it
    const auto outputsOf = [&installation](const BatchBuild::Job& job) {
        const OutputPaths paths = FormOutputPaths(installation, HyphenatedName(job.name), job.pdfPath);
        return QStringList{QFileInfo(paths.pagePath).absoluteFilePath(), QFileInfo(paths.pdfPath).absoluteFilePath()};
    };
    for (const BatchBuild::Job& job : jobs) {
        for (const QString& path : outputsOf(job))
            writers[path].append(job.sheetPath);
    }
    std::vector<BatchBuild::Job> kept;
    for (BatchBuild::Job& job : jobs) {
        QString clash;
        for (const QString& path : outputsOf(job)) {
            if (clash.isEmpty() && writers[path].size() > 1)
                clash = CommandLineWords::tr("refused: %1 sheets would write %2 (%3)")
                            .arg(writers[path].size())
                            .arg(QDir::toNativeSeparators(path), writers[path].join(QStringLiteral(", ")));
        }
        if (clash.isEmpty())
            kept.push_back(std::move(job));
        else
            batch.fail(job.sheetPath, clash);
    }
    jobs = std::move(kept);
}

int usageError(QTextStream& err, const QString& message)
{
    err << CommandLineWords::tr("orvanta: %1").arg(message) << '\n'
        << CommandLineWords::tr("Try \"orvanta --help\".") << Qt::endl;
    return 2;
}

} // namespace

bool CanShowWindow(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0)
            return true; // the user chose where Qt draws
    }
    // A platform that needs no display server, such as offscreen.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

int RefuseWithoutDisplay(int argc, char* argv[])
{
    QCoreApplication app(argc, argv); // for the translations
    InstallTranslations();
    QTextStream err(stderr);
    const QString argument = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (!argument.isEmpty() && !argument.startsWith(u'-') && !QFileInfo::exists(argument))
        err << CommandLineWords::tr("orvanta: \"%1\" is neither a command nor a sheet file.").arg(argument) << '\n';
    err << CommandLineWords::tr(
               "orvanta: there is no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set).\n"
               "Without one, \"orvanta build SHEET...\" makes the PDFs of sheets and \"orvanta check SHEET...\" "
               "checks their links; \"orvanta --help\" says more.")
        << Qt::endl;
    return 2;
}

bool IsCommandLine(int argc, char* argv[])
{
    if (argc < 2)
        return false;
    for (const char* word : {"build", "check", "--help", "-h", "--version", "-v"}) {
        if (std::strcmp(argv[1], word) == 0)
            return true;
    }
    return false;
}

int RunCommandLine(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    InstallTranslations();
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (std::strcmp(argv[1], "check") == 0)
        return RunCheck(QCoreApplication::arguments(), out, err);
    QCommandLineParser parser;
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, {}, QStringLiteral("FILE"));
    const QCommandLineOption outputDir(QStringLiteral("output-dir"), {}, QStringLiteral("DIR"));
    const QCommandLineOption jobsOption({QStringLiteral("j"), QStringLiteral("jobs")}, {}, QStringLiteral("N"));
    const QCommandLineOption engineOption(QStringLiteral("engine"), {}, QStringLiteral("E"),
                                          EngineChoiceKey(EngineChoice::Automatic));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption cover(QStringLiteral("cover"));
    parser.addOptions({output, outputDir, jobsOption, engineOption, cover, help, version});
    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(err, parser.errorText());
    if (parser.isSet(help)) {
        out << CommandLineWords::tr(Usage);
        return 0;
    }
    if (parser.isSet(version)) {
        out << "orvanta " << ORVANTA_VERSION << Qt::endl;
        return 0;
    }
    QStringList sheets = parser.positionalArguments();
    if (sheets.isEmpty() || sheets.takeFirst() != u"build")
        return usageError(err, CommandLineWords::tr("unknown command"));
    if (sheets.isEmpty())
        return usageError(err, CommandLineWords::tr("name at least one sheet to build"));
    if (parser.isSet(output) && parser.isSet(outputDir))
        return usageError(err, CommandLineWords::tr("-o and --output-dir cannot go together"));
    if (parser.isSet(output) && sheets.size() > 1)
        return usageError(err, CommandLineWords::tr("-o names the PDF of one sheet; use --output-dir for several"));
    bool jobsOk = true;
    const int jobs = parser.isSet(jobsOption) ? parser.value(jobsOption).toInt(&jobsOk) : QThread::idealThreadCount();
    if (!jobsOk || jobs < 1)
        return usageError(err, CommandLineWords::tr("--jobs takes a whole number from 1 on"));
    const std::optional<EngineChoice> engine = EngineChoiceFromKey(parser.value(engineOption));
    if (!engine)
        return usageError(err, CommandLineWords::tr("--engine takes auto, wkhtmltopdf or chromium"));
    // Only two files that exist can be one; an output that does not yet exist is no sheet.
    if (parser.isSet(output) && QFileInfo::exists(parser.value(output)) && QFileInfo::exists(sheets.first()) &&
        QFileInfo(parser.value(output)) == QFileInfo(sheets.first()))
        return usageError(err, CommandLineWords::tr("-o names the sheet itself; the PDF would replace it"));

    const QString outputFolder = parser.value(outputDir);
    if (!outputFolder.isEmpty() && !QDir().mkpath(outputFolder)) {
        err << CommandLineWords::tr("orvanta: %1")
                   .arg(CommandLineWords::tr("could not make the folder %1").arg(outputFolder))
            << Qt::endl;
        return 1;
    }
    const Installation installation = Installation::OfProgram(QCoreApplication::applicationDirPath());
    BatchBuild batch(installation, jobs, out, err);
    batch.setEngine(*engine);
    batch.setCovers(parser.isSet(cover));
    std::vector<BatchBuild::Job> work;
    for (const QString& path : sheets) {
        BatchBuild::Job job{path, {}, {}, {}};
        Expected<Sheet, FileProblem> loaded = LoadSheet(path, FileKinds::StreamsToo);
        if (!loaded) {
            batch.fail(path, FileWords::problem(loaded.error()));
            continue;
        }
        job.sheet = std::move(*loaded);
        job.name = job.sheet.fileName.isEmpty() ? QFileInfo(path).completeBaseName() : job.sheet.fileName;
        if (parser.isSet(output))
            job.pdfPath = QFileInfo(parser.value(output)).absoluteFilePath();
        else if (!outputFolder.isEmpty())
            job.pdfPath =
                QFileInfo(outputFolder + u'/' + HyphenatedName(job.name) + QStringLiteral(".pdf")).absoluteFilePath();
        work.push_back(std::move(job));
    }
    refuseClashes(work, installation, batch);
    QObject::connect(&batch, &BatchBuild::finished, &app, &QCoreApplication::quit);
    QuitOnTerminationSignals();
    batch.start(std::move(work));
    QCoreApplication::exec();
    // Stopped by a signal: the batch's conversions end with it, leaving nothing behind; the exit status says which.
    if (const int signal = TerminationSignal())
        return 128 + signal;
    return batch.anyFailed() ? 1 : 0;
}

} // namespace orvanta
