// SPDX-License-Identifier: GPL-3.0-or-later
// The two engines against each other and against the bare browser, each pair measured in turn in one run:
// - a whole job, page to PDF in place, by the warm Chromium (tagged) against wkhtmltopdf on the same page, at 10 and
//   200 resources (target at most 0.8), and the 1,000-resource time;
// - Create with the warm Chromium against the bare Page.printToPDF sequence (load and print in a kept tab, no
//   interception, no file) on the same page (target at most max(10%, 50 ms) over), and Create when the preview's PDF is
//   copied;
// - `orvanta build --engine chromium` over 16 sheets with --jobs 2 against --jobs 1 (target at most 0.6), and one
//   cold sheet against `chromium --headless --print-to-pdf` on the same page (target at most 10% over);
// - Create with the look's planned pages (its page breaks and running line) against the same look with no
//   layout.json, which the engine breaks as the page flows, in each engine at 10, 200 and 1,000 resources (target at
//   most 10% over);
// - the summed PSS of this process and the browser's processes after a 1,000-resource print (aim at most 600 MB), and
//   the browser's memory at its peak while it prints 10, 200 and 1,000 resources, as its memory limit counts it.
#include "BareTab.h"
#include "BenchSheet.h"
#include "TestSupport.h"
#include "engines/ChromiumEngine.h"
#include "engines/ChromiumProcess.h"
#include "engines/WkhtmltopdfEngine.h"
#include "page/PageFiller.h"
#include "pipeline/SheetBuilder.h"
#include "sheet/Sheet.h"
#include "sheet/SheetFile.h"
#include "sheet/TextFile.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <cstdio>
#include <map>
#include <unistd.h>

using namespace orvanta;
using Clock = std::chrono::steady_clock;

namespace {

std::map<int64_t, std::pair<double, double>> jobSeconds;    // resources: Chromium, wkhtmltopdf
std::map<int64_t, std::pair<double, double>> createSeconds; // resources: Create, bare print
double instantSeconds = 0;
std::map<std::pair<int64_t, int64_t>, std::pair<double, double>> plannedSeconds; // resources, engine: planned, flowing
std::pair<double, double> batchSeconds;                                          // --jobs 2, --jobs 1
std::pair<double, double> coldSeconds; // orvanta build, chromium --print-to-pdf
double pssMegabytes = 0;
std::map<int64_t, std::pair<double, double>> finishingSeconds; // resources: finished, as printed
std::map<int64_t, qint64> peakMemory; // resources: ChromiumProcess::memoryUse() at its peak during the job

double seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// Waits for the engine's one verdict; true for a PDF.
bool convert(PdfEngine& engine, const QString& page, const QString& pdf)
{
    QSignalSpy finished(&engine, &PdfEngine::finished);
    engine.start(page, pdf, std::chrono::minutes(5));
    return (!finished.isEmpty() || finished.wait(300000)) &&
           finished.first().at(0).value<ConversionResult>().succeeded();
}

bool create(SheetBuilder& builder, const Sheet& sheet, const PrintedPage& printed = {})
{
    QSignalSpy finished(&builder, &SheetBuilder::finished);
    return !builder.build(sheet, sheet.fileName, {}, printed) && finished.wait(300000) &&
           finished.first().at(0).value<BuildResult>().succeeded();
}

double runProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    const auto start = Clock::now();
    process.start(program, arguments);
    if (!process.waitForFinished(600000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return -1;
    return seconds(start);
}

bool installProgram(const TestInstallation& installation)
{
    return QFile::copy(QStringLiteral(ORVANTA_APP_TREE "/orvanta"), installation.path(QStringLiteral("/orvanta")));
}

double pssKilobytes(qint64 pid)
{
    static const QRegularExpression pss(QStringLiteral("^Pss:\\s+(\\d+) kB"), QRegularExpression::MultilineOption);
    return pss.match(QString::fromLatin1(readAll(QStringLiteral("/proc/%1/smaps_rollup").arg(pid))))
        .captured(1)
        .toDouble();
}

void BM_WarmChromiumAgainstWkhtmltopdf(benchmark::State& state)
{
    TestInstallation installation;
    SheetBuilder writer(installation.folder());
    if (!create(writer, BenchSheet(state.range(0)))) // the page, and the browser warm
        state.SkipWithError("the first build failed");
    const QString page = installation.path(QStringLiteral("/bin/bench.html"));
    const QString pdf = installation.path(QStringLiteral("/bin/output/bench.pdf"));
    const QString wkhtmltopdf = FindWkhtmltopdf(installation.folder());
    ChromiumEngine chromium(FindChromium());
    WkhtmltopdfEngine wkhtmltopdfEngine(wkhtmltopdf);
    convert(chromium, page, pdf);
    double warm = 0;
    double cold = 0;
    QTimer sampler; // outside the timed part: the peak falls between two samples at worst
    sampler.setInterval(50);
    QObject::connect(&sampler, &QTimer::timeout, [&chromium, &state] {
        qint64& peak = peakMemory[state.range(0)];
        peak = std::max(peak, chromium.browser()->memoryUse());
    });
    for (auto _ : state) {
        sampler.start();
        auto start = Clock::now();
        if (!convert(chromium, page, pdf))
            state.SkipWithError("Chromium failed");
        warm += seconds(start);
        sampler.stop();
        start = Clock::now();
        if (!wkhtmltopdf.isEmpty() && !convert(wkhtmltopdfEngine, page, pdf))
            state.SkipWithError("wkhtmltopdf failed");
        cold += seconds(start);
        if (state.range(0) == 1000) { // the memory of both sides with the largest page printed
            double total = pssKilobytes(::getpid());
            for (const qint64 pid : chromium.browser()->processIds())
                total += pssKilobytes(pid);
            pssMegabytes = std::max(pssMegabytes, total / 1024);
        }
    }
    const auto runs = static_cast<double>(state.iterations());
    jobSeconds[state.range(0)] = {warm / runs, wkhtmltopdf.isEmpty() ? 0 : cold / runs};
    state.counters["chromium_ms"] = 1000 * warm / runs;
    state.counters["wkhtmltopdf_ms"] = 1000 * cold / runs;
}

void BM_CreateAgainstBarePrint(benchmark::State& state)
{
    TestInstallation installation;
    SheetBuilder builder(installation.folder());
    builder.setEngine(EngineChoice::Chromium);
    const Sheet sheet = BenchSheet(state.range(0));
    const std::shared_ptr<ChromiumProcess> browser = ChromiumProcess::shared(FindChromium());
    if (!create(builder, sheet) || browser->ensureRunning())
        state.SkipWithError("the first build failed");
    const QString page = installation.path(QStringLiteral("/bin/bench.html"));
    const PrintedPage printed{builder.page(), EngineKind::Chromium,
                              installation.path(QStringLiteral("/bin/output/bench.pdf"))};
    BareTab tab(*browser);
    double app = 0;
    double bare = 0;
    double instant = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        if (!create(builder, sheet))
            state.SkipWithError("Create failed");
        app += seconds(start);
        start = Clock::now();
        if (!tab.print(page))
            state.SkipWithError("the bare print failed");
        bare += seconds(start);
        QFile::copy(printed.pdfPath, installation.path(QStringLiteral("/preview.pdf")));
        start = Clock::now();
        if (!create(builder, sheet, {printed.page, printed.engine, installation.path(QStringLiteral("/preview.pdf"))}))
            state.SkipWithError("the instant Create failed");
        instant += seconds(start);
        QFile::remove(installation.path(QStringLiteral("/preview.pdf")));
    }
    const auto runs = static_cast<double>(state.iterations());
    createSeconds[state.range(0)] = {app / runs, bare / runs};
    instantSeconds = instant / runs;
    state.counters["create_ms"] = 1000 * app / runs;
    state.counters["bare_ms"] = 1000 * bare / runs;
    state.counters["instant_ms"] = 1000 * instant / runs;
}

void BM_CommandLine(benchmark::State& state)
{
    TestInstallation installation;
    QTemporaryDir sheets;
    if (!installProgram(installation))
        state.SkipWithError("could not set up the installation");
    const QString program = installation.path(QStringLiteral("/orvanta"));
    QStringList batch{QStringLiteral("build"), QStringLiteral("--engine"), QStringLiteral("chromium")};
    for (char letter = 'a'; letter <= 'p'; ++letter) {
        const QString path = sheets.filePath(QStringLiteral("%1.orvanta").arg(QLatin1Char(letter)));
        SaveSheet(path, BenchSheet(30, QStringLiteral("sheet %1").arg(QLatin1Char(letter))));
        batch.append(path);
    }
    const QString one = sheets.filePath(QStringLiteral("one.orvanta"));
    SaveSheet(one, BenchSheet(30, QStringLiteral("one")));
    QStringList bare{QStringLiteral("--headless"),
                     QStringLiteral("--disable-gpu"),
                     QStringLiteral("--no-pdf-header-footer"),
                     QStringLiteral("--user-data-dir=") + sheets.filePath(QStringLiteral("profile")),
                     QStringLiteral("--print-to-pdf=") + sheets.filePath(QStringLiteral("bare.pdf")),
                     QUrl::fromLocalFile(installation.path(QStringLiteral("/bin/one.html"))).toString()};
    if (::geteuid() == 0)
        bare.prepend(QStringLiteral("--no-sandbox"));
    for (auto _ : state) {
        const double two = runProgram(program, batch + QStringList{QStringLiteral("--jobs"), QStringLiteral("2")});
        const double single = runProgram(program, batch + QStringList{QStringLiteral("--jobs"), QStringLiteral("1")});
        const double cold =
            runProgram(program, {QStringLiteral("build"), QStringLiteral("--engine"), QStringLiteral("chromium"), one});
        const double chromium = runProgram(FindChromium(), bare);
        if (two < 0 || single < 0 || cold < 0 || chromium < 0) {
            state.SkipWithError("a build failed");
            break;
        }
        batchSeconds.first += two;
        batchSeconds.second += single;
        coldSeconds.first += cold;
        coldSeconds.second += chromium;
    }
}

} // namespace

BENCHMARK(BM_WarmChromiumAgainstWkhtmltopdf)
    ->Arg(10)
    ->Arg(200)
    ->Arg(1000)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
void BM_PlannedAgainstFlowingPages(benchmark::State& state)
{
    const auto engine = static_cast<EngineChoice>(state.range(1));
    TestInstallation planned;
    TestInstallation flowing;
    QFile::remove(flowing.path(QStringLiteral("/bin/layout.json")));
    SheetBuilder plannedBuilder(planned.folder());
    SheetBuilder flowingBuilder(flowing.folder());
    plannedBuilder.setEngine(engine);
    flowingBuilder.setEngine(engine);
    const Sheet sheet = BenchSheet(state.range(0));
    if (!create(plannedBuilder, sheet) || !create(flowingBuilder, sheet))
        state.SkipWithError("the first build failed");
    double withPlan = 0;
    double without = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        if (!create(plannedBuilder, sheet))
            state.SkipWithError("the planned build failed");
        withPlan += seconds(start);
        start = Clock::now();
        if (!create(flowingBuilder, sheet))
            state.SkipWithError("the flowing build failed");
        without += seconds(start);
    }
    const auto runs = static_cast<double>(state.iterations());
    plannedSeconds[{state.range(0), state.range(1)}] = {withPlan / runs, without / runs};
    state.counters["planned_ms"] = 1000 * withPlan / runs;
    state.counters["flowing_ms"] = 1000 * without / runs;
}

BENCHMARK(BM_PlannedAgainstFlowingPages)
    ->ArgsProduct({{10, 200, 1000},
                   {static_cast<int64_t>(EngineChoice::Wkhtmltopdf), static_cast<int64_t>(EngineChoice::Chromium)}})
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
// Chromium's job with the PDF finished for screen readers (FinishPdf) against the same job left as printed.
void BM_FinishedAgainstPrinted(benchmark::State& state)
{
    TestInstallation installation;
    SheetBuilder writer(installation.folder());
    Sheet sheet = BenchSheet(state.range(0));
    std::tie(sheet.language, sheet.qrCodes) = std::tuple(QStringLiteral("de"), true);
    if (!create(writer, sheet)) // the page, and the browser warm
        state.SkipWithError("the first build failed");
    const QString page = installation.path(QStringLiteral("/bin/bench.html"));
    const QString pdf = installation.path(QStringLiteral("/bin/output/bench.pdf"));
    ChromiumEngine chromium(FindChromium());
    double finished = 0;
    double printed = 0;
    const QHash<QString, QStringList> linkTexts = PageLinkTexts(sheet);
    bool finishedFirst = true;
    for (auto _ : state) {
        // Each way in turn goes first, so that neither gains from what the other left warm.
        for (const bool finishing : {finishedFirst, !finishedFirst}) {
            chromium.setAccessibility(finishing ? sheet.language : QString(),
                                      finishing ? linkTexts : decltype(linkTexts)());
            const auto start = Clock::now();
            if (!convert(chromium, page, pdf))
                state.SkipWithError("Chromium failed");
            (finishing ? finished : printed) += seconds(start);
        }
        finishedFirst = !finishedFirst;
    }
    const auto runs = static_cast<double>(state.iterations());
    finishingSeconds[state.range(0)] = {finished / runs, printed / runs};
}

BENCHMARK(BM_FinishedAgainstPrinted)->Arg(10)->Arg(200)->Arg(1000)->Iterations(6)->UseRealTime();
BENCHMARK(BM_CreateAgainstBarePrint)->Arg(10)->Arg(200)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CommandLine)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const auto& [resources, times] : jobSeconds) {
        if (resources == 1000)
            std::printf("job of 1000 resources: Chromium %.0f ms, wkhtmltopdf %.0f ms\n", 1000 * times.first,
                        1000 * times.second);
        else if (times.second > 0)
            std::printf("job of %lld resources: chromium/wkhtmltopdf %.2f (target at most 0.8)\n",
                        static_cast<long long>(resources), times.first / times.second);
    }
    for (const auto& [resources, times] : createSeconds)
        std::printf("Create of %lld resources with Chromium: added_ms %.1f, added_pct %.1f over the bare print "
                    "(target at most max(10%%, 50 ms))\n",
                    static_cast<long long>(resources), 1000 * (times.first - times.second),
                    100 * (times.first - times.second) / times.second);
    std::printf("instant Create: %.1f ms\n", 1000 * instantSeconds);
    for (const auto& [resources, times] : finishingSeconds)
        std::printf(
            "Chromium, %lld resources, finished for screen readers against as printed: %.0f ms against %.0f ms, "
            "%+.1f%% (target at most +10%%)\n",
            static_cast<long long>(resources), 1000 * times.first, 1000 * times.second,
            100 * (times.first - times.second) / times.second);
    for (const auto& [key, times] : plannedSeconds)
        std::printf("Create of %lld resources with %s, planned pages against flowing: %.0f ms against %.0f ms, "
                    "%+.1f%% (target at most +10%%)\n",
                    static_cast<long long>(key.first),
                    key.second == static_cast<int64_t>(EngineChoice::Chromium) ? "Chromium" : "wkhtmltopdf",
                    1000 * times.first, 1000 * times.second, 100 * (times.first - times.second) / times.second);
    if (batchSeconds.second > 0)
        std::printf("16 sheets with Chromium: jobs2/jobs1 %.2f (target at most 0.6)\n",
                    batchSeconds.first / batchSeconds.second);
    if (coldSeconds.second > 0)
        std::printf("one cold sheet: orvanta/chromium --print-to-pdf %.2f (target at most 1.10)\n",
                    coldSeconds.first / coldSeconds.second);
    std::printf("PSS of the app and the browser after a 1000-resource print: %.0f MB (aim at most 600)\n",
                pssMegabytes);
    for (const auto& [resources, bytes] : peakMemory)
        std::printf("the browser's memory at its peak while it prints %lld resources: %lld MB (its limit %lld MB)\n",
                    static_cast<long long>(resources), static_cast<long long>(bytes >> 20),
                    static_cast<long long>(ChromiumEngine::DefaultMemoryLimit >> 20));
    return 0;
}
