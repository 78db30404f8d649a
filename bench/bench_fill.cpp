// SPDX-License-Identifier: GPL-3.0-or-later
// Filling a page, against copying the finished page once and against the converter's work on it. The fill
// should grow linearly with the resources and be lost in the conversion, which the user waits for anyway.
#include "BenchSheet.h"
#include "TestSupport.h"
#include "engines/Conversion.h"
#include "page/PageFiller.h"
#include "sheet/Sheet.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <chrono>
#include <limits>
#include <malloc.h>
#include <map>

using namespace orvanta;
using Clock = std::chrono::steady_clock;

namespace {

std::map<int64_t, double> fillSeconds;
std::map<int64_t, double> convertSeconds;

PageTemplates templates()
{
    return {QStringLiteral("<html><head><style>body{}</style></head><body><h1>#HEADLINE#</h1><h2>#SUBHEADLINE#</h2>"
                           "<div class=\"links\">#REPEATER#</div><footer>#FOOTER#</footer><div>#TOS#</div>#CLOSE#"),
            QStringLiteral("<div class=\"res\"><a class=\"cta\" href=\"#CTAURL#\">#CTATEXT#</a></div>"),
            QStringLiteral("These links lead to sites of others. Results are not guaranteed.\n\nProvided as is.")};
}

Sheet sheet(int64_t resources)
{
    Sheet sheet = BenchSheet(resources);
    sheet.noteBelowEachResource = true;
    sheet.disclaimer = true;
    return sheet;
}

void BM_FillPage(benchmark::State& state)
{
    const PageTemplates page = templates();
    const Sheet filled = sheet(state.range(0));
    double fill = 0;
    double copy = 0;
    int64_t runs = 0;
    qsizetype bytes = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const QString result = FillPage(page, filled);
        const auto filledAt = Clock::now();
        state.PauseTiming();
        // The plain copy: a new buffer of the page's size, and its bytes copied in.
        bytes = result.size() * static_cast<qsizetype>(sizeof(QChar));
        const auto copyStart = Clock::now();
        const QByteArray copied(reinterpret_cast<const char*>(result.constData()), bytes);
        benchmark::DoNotOptimize(copied.constData());
        benchmark::ClobberMemory();
        const auto copyEnd = Clock::now();
        state.ResumeTiming();
        fill += std::chrono::duration<double>(filledAt - start).count();
        copy += std::chrono::duration<double>(copyEnd - copyStart).count();
        ++runs;
    }
    state.counters["page_bytes"] = static_cast<double>(bytes);
    state.counters["fill_per_copy"] = fill / copy;
    fillSeconds[state.range(0)] = fill / static_cast<double>(runs);
}

// The shipped templates, filled and converted by the real converter.
void BM_ConvertPage(benchmark::State& state)
{
    TestInstallation installation;
    PageTemplates shipped{QString::fromUtf8(readAll(installation.path(QStringLiteral("/bin/template.html")))),
                          QString::fromUtf8(readAll(installation.path(QStringLiteral("/bin/repeater.txt")))),
                          QString::fromUtf8(readAll(installation.path(QStringLiteral("/resources/tos.txt"))))};
    const QString page = installation.path(QStringLiteral("/bin/bench.html"));
    const QString pdf = installation.path(QStringLiteral("/bench.pdf"));
    writeAll(page, FillPage(shipped, sheet(state.range(0))).toUtf8());
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        QProcess converter;
        converter.start(FindWkhtmltopdf(installation.folder()), {page, pdf});
        converter.waitForFinished(600000);
        total += std::chrono::duration<double>(Clock::now() - start).count();
        if (!IsCompletePdf(pdf))
            state.SkipWithError("no PDF");
    }
    convertSeconds[state.range(0)] = total / static_cast<double>(state.iterations());
}

} // namespace

BENCHMARK(BM_FillPage)->Arg(10)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertPage)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    // Large pages come from fresh pages of memory that the system must fault in, for the fill and the copy
    // alike; that cost says nothing about the fill's own work and varies with the allocator's state. By
    // default the allocator keeps its memory so every size is measured warm; set BENCH_COLD_MEMORY=1 to
    // measure with the allocator's defaults.
    if (qEnvironmentVariableIntValue("BENCH_COLD_MEMORY") == 0) {
        mallopt(M_MMAP_MAX, 0);
        mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
    }
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (fillSeconds.count(10000) && fillSeconds.count(100000))
        std::printf("fill time 100000 / 10000 resources: %.2f (linear: about 10)\n",
                    fillSeconds[100000] / fillSeconds[10000]);
    if (fillSeconds.count(10000) && convertSeconds.count(10000))
        std::printf("fill / conversion of the same 10000-resource page: %.5f\n",
                    fillSeconds[10000] / convertSeconds[10000]);
    return 0;
}
