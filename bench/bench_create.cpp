// SPDX-License-Identifier: GPL-3.0-or-later
// What the app adds to a conversion: the time from pressing Create to the closing question, against the
// bare converter on the same page, in the same run. And the time from nothing to the window on screen.
#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "engines/Conversion.h"
#include "gui/MainWindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <chrono>
#include <cstring>

using namespace orvanta;
using Clock = std::chrono::steady_clock;

namespace {

void prepare(MainWindow& window, int64_t resources)
{
    ResourceEntries entries;
    for (int64_t i = 0; i < resources; ++i)
        entries.append({QStringLiteral("Resource %1").arg(i), QStringLiteral("https://example.com/r/%1").arg(i)});
    window.resources().append(entries);
    window.findChild<QLineEdit*>(QStringLiteral("txtHeaderTitle"))->setText(QStringLiteral("Benchmark"));
    window.findChild<QLineEdit*>(QStringLiteral("txtPDFFilename"))->setText(QStringLiteral("bench"));
}

// Both measured in each iteration, in turn, on the page the app wrote, so neither gains from going second.
void BM_CreateAgainstBareConverter(benchmark::State& state)
{
    TestInstallation installation;
    ScriptedInteraction interaction;
    MainWindow window(installation.folder(), interaction);
    window.show();
    prepare(window, state.range(0));
    const QString page = installation.path(QStringLiteral("/bin/bench.html"));
    const QString barePdf = installation.path(QStringLiteral("/bin/output/bare.pdf"));
    const QString converter = FindWkhtmltopdf(installation.folder());
    double app = 0;
    double bare = 0;
    for (auto _ : state) {
        interaction.answer(false);
        auto start = Clock::now();
        if (!pressCreateAndWait(window))
            state.SkipWithError("the build failed");
        app += std::chrono::duration<double>(Clock::now() - start).count();

        start = Clock::now();
        QProcess process;
        process.start(converter, {page, barePdf});
        process.waitForFinished(120000);
        bare += std::chrono::duration<double>(Clock::now() - start).count();
        if (!IsCompletePdf(barePdf))
            state.SkipWithError("no PDF from the bare converter");
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["create_ms"] = 1000 * app / runs;
    state.counters["bare_ms"] = 1000 * bare / runs;
    state.counters["added_ms"] = 1000 * (app - bare) / runs;
    state.counters["added_pct"] = 100 * (app - bare) / bare;
}

// The whole start of the program: a new process that loads its libraries, makes the application and the
// window, and ends once the window is on screen and painted.
void BM_ProcessStartToWindowShown(benchmark::State& state)
{
    TestInstallation installation;
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        QProcess probe;
        probe.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--startup-probe"), installation.folder()});
        if (!probe.waitForFinished(30000) || probe.exitCode() != 0)
            state.SkipWithError("the start-up probe failed");
        total += std::chrono::duration<double>(Clock::now() - start).count();
    }
    state.counters["shown_ms"] = 1000 * total / static_cast<double>(state.iterations());
}

int startupProbe(int argc, char** argv)
{
    QApplication app(argc, argv);
    ScriptedInteraction interaction;
    MainWindow window(QString::fromLocal8Bit(argv[2]), interaction);
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QApplication::processEvents();
    QApplication::processEvents(); // the first paint
    return 0;
}

} // namespace

BENCHMARK(BM_CreateAgainstBareConverter)
    ->Arg(10)
    ->Arg(200)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_ProcessStartToWindowShown)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::strcmp(argv[1], "--startup-probe") == 0)
        return startupProbe(argc, argv);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("targets: added_ms at most max(10%% of bare_ms, 50 ms); shown_ms under 300 ms\n");
    return 0;
}
