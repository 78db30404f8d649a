// SPDX-License-Identifier: GPL-3.0-or-later
// Sheet files and the command-line build, each against a yardstick measured in the same run:
// - the heap that opening a 1 KB sheet takes at its peak, against 1 MB;
// - opening and saving a sheet of 10,000 and of 100,000 resources (the larger should cost at most 12 times more),
//   each the median of its runs, so that a run slowed by the machine does not decide the ratio;
// - `orvanta build SHEET`, the real program without a display, against the bare converter on the page it wrote;
// - 16 sheets built by one `orvanta build` with --jobs set to the number of cores, against --jobs 1.
#include "BenchSheet.h"
#include "HeapPeak.h"
#include "TestSupport.h"
#include "engines/Conversion.h"
#include "sheet/SheetFile.h"
#include "sheet/TextFile.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <map>
#include <vector>

using namespace orvanta;
using Clock = std::chrono::steady_clock;

namespace {

std::map<int64_t, double> openSeconds;
std::map<int64_t, double> saveSeconds;
std::map<int64_t, std::pair<double, double>> buildAndBareSeconds;
std::size_t smallSheetPeakBytes = 0;
double serialSeconds = 0;
double parallelSeconds = 0;

double median(std::vector<double> seconds)
{
    const auto middle = seconds.begin() + static_cast<std::ptrdiff_t>(seconds.size() / 2);
    std::nth_element(seconds.begin(), middle, seconds.end());
    return *middle;
}

// How long the program ran and its exit code; -1 when it crashed or did not end.
struct Run {
    double seconds;
    int exitCode;
};

Run run(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    const auto start = Clock::now();
    process.start(program, arguments);
    const bool ended = process.waitForFinished(600000) && process.exitStatus() == QProcess::NormalExit;
    return {std::chrono::duration<double>(Clock::now() - start).count(), ended ? process.exitCode() : -1};
}

// As a user runs it from a terminal without a display.
QProcessEnvironment noDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(variable));
    return environment;
}

// A test installation with the built program in it.
bool installProgram(const TestInstallation& installation)
{
    return installation.isValid() &&
           QFile::copy(QStringLiteral(ORVANTA_APP_TREE "/orvanta"), installation.path(QStringLiteral("/orvanta"))) &&
           QDir().mkpath(installation.path(QStringLiteral("/bin/output")));
}

void BM_OpenSheet(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("bench.orvanta"));
    if (SaveSheet(path, BenchSheet(state.range(0))))
        state.SkipWithError("could not save the sheet");
    std::vector<double> seconds;
    for (auto _ : state) {
        const auto start = Clock::now();
        {
            const auto sheet = LoadSheet(path);
            if (!sheet || sheet->resources.size() != state.range(0)) {
                state.SkipWithError("could not open the sheet");
                break;
            }
        }
        seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    if (state.error_occurred())
        return;
    openSeconds[state.range(0)] = median(seconds);
    state.counters["file_bytes"] = static_cast<double>(QFileInfo(path).size());
}

// A sheet costs what it holds: reading one is sized by its file, not by the largest sheet that opens.
void BM_OpenSmallSheetHeap(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("small.orvanta"));
    if (SaveSheet(path, BenchSheet(4)) || QFileInfo(path).size() > 1024)
        state.SkipWithError("could not save a sheet of at most 1 KB");
    for (auto _ : state) {
        heap::resetPeak();
        if (!LoadSheet(path)) {
            state.SkipWithError("could not open the sheet");
            break;
        }
        smallSheetPeakBytes = std::max(smallSheetPeakBytes, heap::peakGrowth());
    }
    state.counters["file_bytes"] = static_cast<double>(QFileInfo(path).size());
    state.counters["peak_heap_bytes"] = static_cast<double>(smallSheetPeakBytes);
}

void BM_SaveSheet(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("bench.orvanta"));
    const Sheet sheet = BenchSheet(state.range(0));
    std::vector<double> seconds;
    for (auto _ : state) {
        const auto start = Clock::now();
        if (SaveSheet(path, sheet)) {
            state.SkipWithError("could not save the sheet");
            break;
        }
        seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    if (state.error_occurred())
        return;
    saveSeconds[state.range(0)] = median(seconds);
}

// Both measured in each iteration, in turn, on the page the build wrote, so neither gains from going second.
// The bare converter gets the environment the app gives it.
void BM_BuildAgainstBareConverter(benchmark::State& state)
{
    TestInstallation installation;
    QTemporaryDir sheets;
    const QString sheetPath = sheets.filePath(QStringLiteral("bench.orvanta"));
    if (!installProgram(installation) || SaveSheet(sheetPath, BenchSheet(state.range(0))))
        state.SkipWithError("could not set up the installation");
    const QProcessEnvironment environment = noDisplay();
    QProcessEnvironment converterEnvironment = environment;
    converterEnvironment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QString program = installation.path(QStringLiteral("/orvanta"));
    const QString converter = FindWkhtmltopdf(installation.folder());
    const QString page = installation.path(QStringLiteral("/bin/bench.html"));
    const QString barePdf = sheets.filePath(QStringLiteral("bare.pdf"));
    double build = 0;
    double bare = 0;
    for (auto _ : state) {
        QFile::remove(barePdf);
        const Run built = run(program, {QStringLiteral("build"), sheetPath}, environment);
        // The converter's exit code is not reliable (1 for an unreachable script); the PDF is what counts.
        const Run converted = run(converter, {page, barePdf}, converterEnvironment);
        if (built.exitCode != 0 || converted.exitCode < 0 || !IsCompletePdf(barePdf)) {
            state.SkipWithError("a build or a conversion failed");
            break;
        }
        build += built.seconds;
        bare += converted.seconds;
    }
    if (state.error_occurred())
        return;
    const auto runs = static_cast<double>(state.iterations());
    buildAndBareSeconds[state.range(0)] = {build / runs, bare / runs};
    state.counters["build_ms"] = 1000 * build / runs;
    state.counters["bare_ms"] = 1000 * bare / runs;
}

// One batch of 16 sheets, with --jobs 1 and with --jobs set to the number of cores, in turn.
void BM_BatchBuild(benchmark::State& state)
{
    TestInstallation installation;
    QTemporaryDir sheets;
    if (!installProgram(installation))
        state.SkipWithError("could not set up the installation");
    QStringList serial{QStringLiteral("build")};
    for (char letter = 'a'; letter <= 'p'; ++letter) {
        const QString path = sheets.filePath(QStringLiteral("%1.orvanta").arg(QLatin1Char(letter)));
        if (SaveSheet(path, BenchSheet(30, QStringLiteral("sheet %1").arg(QLatin1Char(letter)))))
            state.SkipWithError("could not save a sheet");
        serial.append(path);
    }
    serial << QStringLiteral("--output-dir") << sheets.filePath(QStringLiteral("out"));
    QStringList parallel = serial;
    serial << QStringLiteral("--jobs") << QStringLiteral("1");
    parallel << QStringLiteral("--jobs") << QString::number(QThread::idealThreadCount());
    const QProcessEnvironment environment = noDisplay();
    const QString program = installation.path(QStringLiteral("/orvanta"));
    for (auto _ : state) {
        const Run one = run(program, serial, environment);
        const Run many = run(program, parallel, environment);
        if (one.exitCode != 0 || many.exitCode != 0) {
            state.SkipWithError("a batch build failed");
            break;
        }
        serialSeconds += one.seconds;
        parallelSeconds += many.seconds;
    }
    if (state.error_occurred())
        return;
    state.counters["serial_ms"] = 1000 * serialSeconds / static_cast<double>(state.iterations());
    state.counters["parallel_ms"] = 1000 * parallelSeconds / static_cast<double>(state.iterations());
}

} // namespace

BENCHMARK(BM_OpenSheet)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenSmallSheetHeap)->Iterations(20);
BENCHMARK(BM_SaveSheet)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BuildAgainstBareConverter)->Arg(10)->Arg(200)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BatchBuild)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (openSeconds.count(10000) && openSeconds.count(100000))
        std::printf("open: %.1f ms at 10000 (target under 100); open_100k/open_10k %.2f (target at most 12)\n",
                    1000 * openSeconds[10000], openSeconds[100000] / openSeconds[10000]);
    if (smallSheetPeakBytes > 0)
        std::printf("open of a 1 KB sheet: peak heap growth %.1f KB; /1 MB %.3f (target under 1)\n",
                    static_cast<double>(smallSheetPeakBytes) / 1024,
                    static_cast<double>(smallSheetPeakBytes) / (1024 * 1024));
    if (saveSeconds.count(10000) && saveSeconds.count(100000))
        std::printf("save: %.1f ms at 10000 (target under 100); save_100k/save_10k %.2f (target at most 12)\n",
                    1000 * saveSeconds[10000], saveSeconds[100000] / saveSeconds[10000]);
    for (const auto& [resources, times] : buildAndBareSeconds) {
        const auto [build, bare] = times;
        std::printf("build of %lld resources: added_ms %.1f, added_pct %.1f (target at most max(10%%, 50 ms))\n",
                    static_cast<long long>(resources), 1000 * (build - bare), 100 * (build - bare) / bare);
    }
    if (serialSeconds > 0)
        std::printf("16 sheets on %d cores: parallel/serial %.2f (target at most 0.7 on 2 or more cores)\n",
                    QThread::idealThreadCount(), parallelSeconds / serialSeconds);
    return 0;
}
