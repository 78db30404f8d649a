// What the app adds to a conversion: the time from pressing Create to the closing question, against the
// bare converter on the same page, in the same run. And the time from nothing to the window on screen.
#include "ScriptedInteraction.h"
#include "TestSupport.h"
#include "app/MainWindow.h"
#include "build/Conversion.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <chrono>
#include <map>
#include <string>

using namespace orvanta;
using Clock = std::chrono::steady_clock;

namespace {

std::map<std::string, double> seconds;
double applicationStartSeconds = 0;

void prepare(MainWindow& window, int64_t resources)
{
    for (int64_t i = 0; i < resources; ++i)
        window.resources().append(
            {QStringLiteral("Resource %1").arg(i), QStringLiteral("https://example.com/r/%1").arg(i)});
    window.findChild<QLineEdit*>(QStringLiteral("txtHeaderTitle"))->setText(QStringLiteral("Benchmark"));
    window.findChild<QLineEdit*>(QStringLiteral("txtPDFFilename"))->setText(QStringLiteral("bench"));
}

void BM_CreateToQuestion(benchmark::State& state)
{
    TestInstallation installation;
    ScriptedInteraction interaction;
    MainWindow window(installation.folder(), interaction);
    window.show();
    prepare(window, state.range(0));
    auto* create = window.findChild<QPushButton*>(QStringLiteral("cmdCreate"));
    double total = 0;
    for (auto _ : state) {
        QSignalSpy ended(&window, &MainWindow::buildEnded);
        interaction.answer(false);
        const auto start = Clock::now();
        create->click();
        if (!ended.wait(120000) || !ended.first().at(0).toBool())
            state.SkipWithError("the build failed");
        total += std::chrono::duration<double>(Clock::now() - start).count();
    }
    seconds["create/" + std::to_string(state.range(0))] = total / static_cast<double>(state.iterations());
}

void BM_BareConverter(benchmark::State& state)
{
    // The page the app writes, converted by hand.
    TestInstallation installation;
    ScriptedInteraction interaction;
    MainWindow window(installation.folder(), interaction);
    prepare(window, state.range(0));
    QSignalSpy ended(&window, &MainWindow::buildEnded);
    interaction.answer(false);
    window.findChild<QPushButton*>(QStringLiteral("cmdCreate"))->click();
    ended.wait(120000);
    const QString page = installation.path(QStringLiteral("/bin/bench.html"));
    const QString pdf = installation.path(QStringLiteral("/bin/output/bare.pdf"));
    const QString converter = FindConverter(installation.folder());
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        QProcess process;
        process.start(converter, {page, pdf});
        process.waitForFinished(120000);
        total += std::chrono::duration<double>(Clock::now() - start).count();
        if (!IsCompletePdf(pdf))
            state.SkipWithError("no PDF");
    }
    seconds["bare/" + std::to_string(state.range(0))] = total / static_cast<double>(state.iterations());
}

void BM_WindowShown(benchmark::State& state)
{
    TestInstallation installation;
    ScriptedInteraction interaction;
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        MainWindow window(installation.folder(), interaction);
        window.show();
        while (!window.windowHandle() || !window.windowHandle()->isExposed())
            QApplication::processEvents();
        QApplication::processEvents(); // the first paint
        total += std::chrono::duration<double>(Clock::now() - start).count();
    }
    seconds["shown"] = total / static_cast<double>(state.iterations());
}

} // namespace

BENCHMARK(BM_BareConverter)->Arg(10)->Arg(200)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CreateToQuestion)->Arg(10)->Arg(200)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WindowShown)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QElapsedTimer timer;
    timer.start();
    QApplication app(argc, argv);
    applicationStartSeconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const char* count : {"10", "200"}) {
        const double create = seconds[std::string("create/") + count];
        const double bare = seconds[std::string("bare/") + count];
        if (bare > 0)
            std::printf("%s resources: Create to question %.0f ms, bare converter %.0f ms, added %.0f ms (%.1f%%); "
                        "target: at most max(10%%, 50 ms)\n",
                        count, 1000 * create, 1000 * bare, 1000 * (create - bare), 100 * (create - bare) / bare);
    }
    std::printf("start-up: application %.0f ms + window shown %.0f ms = %.0f ms (target: under 300 ms)\n",
                1000 * applicationStartSeconds, 1000 * seconds["shown"],
                1000 * (applicationStartSeconds + seconds["shown"]));
    return 0;
}
