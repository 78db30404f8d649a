// SPDX-License-Identifier: GPL-3.0-or-later
// The live preview of the shown main window with the real converter (the one on PATH), in one run:
// - typing one key into the headline until the new PDF is drawn on screen, against the pause the preview
//   waits for (none for a warm engine), plus the bare engine on the same page, plus 100 ms, with each engine
//   (Chromium aims at 250 ms);
// - a burst of typing with Chromium: the prints it makes and the time from its last key to its preview;
// - how late a 5 ms timer gets while previews convert one after another (the event loop must not stall);
// - a sheet of 1,000 resources: the time until its preview is drawn, then scrolling it from top to bottom;
// - a sheet of 10,000 resources: the resident memory once its preview is drawn (in a fresh process of its own).
// The figures are printed at the end next to their targets.
#include "BareTab.h"
#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "engines/ChromiumProcess.h"
#include "engines/Conversion.h"
#include "engines/PdfEngine.h"
#include "gui/ContentPage.h"
#include "gui/MainWindow.h"
#include "gui/PreviewPanel.h"
#include "gui/widgets/PdfView.h"
#include "words/BuildWords.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

using namespace orvanta;
using Clock = std::chrono::steady_clock;

namespace {

std::map<std::string, double> figures; // name -> value, printed at the end

struct Typing {
    double pause = 0;
    double latency = 0;
    double bare = 0;
    double worstSlack = 0;
};
std::map<std::string, Typing> typing; // engine -> keystroke figures

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

ResourceEntries manyEntries(int count)
{
    ResourceEntries entries;
    for (int i = 0; i < count; ++i)
        entries.append({QStringLiteral("Resource %1").arg(i), QStringLiteral("https://example.com/r/%1").arg(i)});
    return entries;
}

// A line of /proc/self/status in megabytes: "VmRSS" or "VmHWM".
double statusMb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

// The shown window on a fresh installation without a converter of its own, so the real one is used.
struct Session {
    TestInstallation installation;
    ScriptedInteraction interaction;
    MainWindow window{installation.folder(), interaction};
    PreviewPanel& panel;
    PdfView* view = nullptr;
    QLineEdit* headline = nullptr;
    QString failure; // the preview's last failure, if any

    Session()
        : panel(*window.findChild<PreviewPanel*>())
    {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("the window was not shown");
        view = child<PdfView>(&window, "pdfPreview");
        headline = child<QLineEdit>(&window, "txtHeaderTitle");
        QObject::connect(&window.previewRenderer(), &PreviewRenderer::failed, &window,
                         [this](const BuildProblem& problem) { failure = BuildWords::previewProblem(problem); });
        QApplication::processEvents();
    }

    // Waits for the next new PDF on screen; false on a failure or after `timeoutMs`.
    bool waitShown(int timeoutMs)
    {
        QEventLoop loop;
        bool shown = false;
        const auto onShown = QObject::connect(&panel, &PreviewPanel::shown, &loop, [&] {
            shown = true;
            loop.quit();
        });
        const auto onFailed =
            QObject::connect(&window.previewRenderer(), &PreviewRenderer::failed, &loop, &QEventLoop::quit);
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
        QObject::disconnect(onShown);
        QObject::disconnect(onFailed);
        return shown;
    }

    // The view shows rendered page content: some pixel is neither its background nor a blank page. The
    // view renders pages in the background and paints them when they arrive, so a paint alone may show only
    // blank pages.
    bool showsPageContent() const
    {
        const QImage image = view->viewport()->grab().toImage();
        const QRgb background = image.pixel(0, 0);
        for (int y = 0; y < image.height(); y += 2) {
            for (int x = 0; x < image.width(); x += 2) {
                const QRgb pixel = image.pixel(x, y);
                if (pixel != background && pixel != qRgb(255, 255, 255))
                    return true;
            }
        }
        return false;
    }

    // The paint that puts the new PDF on screen, then the events until its pages are drawn; false if they
    // are not drawn within `timeoutMs`.
    bool paint(int timeoutMs = 5000)
    {
        view->viewport()->repaint();
        QApplication::processEvents();
        const auto start = Clock::now();
        while (!showsPageContent()) {
            if (msSince(start) > timeoutMs)
                return false;
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        }
        return true;
    }

    // Sets the headline and the resources and waits for their preview; the milliseconds from the resources
    // reaching the list to the painted preview, or -1.
    double showSheet(int resources, int timeoutMs)
    {
        headline->setText(QStringLiteral("Benchmark"));
        QTest::qWait(500); // the headline alone shows nothing yet
        const ResourceEntries entries = manyEntries(resources);
        const auto start = Clock::now();
        window.resources().append(entries);
        if (!waitShown(timeoutMs) || !paint())
            return -1;
        return msSince(start);
    }

    // Waits until no conversion runs and none is due to start.
    void waitIdle()
    {
        QTest::qWait(600);
        while (window.previewRenderer().isConverting())
            QTest::qWait(50);
    }
};

// One key in the headline until the new PDF is painted, then the bare engine on the page it was made from, in
// turn, so neither gains from going second: wkhtmltopdf started afresh, or the page printed in a tab of the warm
// browser. The argument is the engine: 0 for wkhtmltopdf, 1 for Chromium.
void BM_TypingToShown(benchmark::State& state)
{
    const bool chromium = state.range(0) == 1;
    const std::string engine = chromium ? "chromium" : "wkhtmltopdf";
    Session session;
    if (chromium)
        session.window.previewRenderer().setEngine(EngineChoice::Chromium);
    if (session.showSheet(10, 60000) < 0) {
        state.SkipWithError(("no first preview: " + session.failure.toStdString()).c_str());
        return;
    }
    session.waitIdle();
    session.headline->setFocus();
    session.headline->end(false);
    const QString page = session.window.previewRenderer().folder() + QStringLiteral("/bin/preview.html");
    const QString barePdf = session.window.previewRenderer().folder() + QStringLiteral("/bare.pdf");
    const QString converter = FindWkhtmltopdf(session.installation.folder());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    std::optional<BareTab> tab;
    if (chromium)
        tab.emplace(*ChromiumProcess::shared(FindChromium()));
    const PreviewRenderer& renderer = session.window.previewRenderer();
    const double pause = renderer.printsAtOnce() ? 0.0 : double(renderer.typingPause().count());

    double latencySum = 0;
    double bareSum = 0;
    double worstSlack = 1e9;
    int64_t runs = 0;
    for (auto _ : state) {
        const bool add = runs % 2 == 0; // a letter, then Backspace: the headline keeps its length
        const auto start = Clock::now();
        QTest::keyClick(session.headline, add ? Qt::Key_X : Qt::Key_Backspace);
        if (!session.waitShown(60000)) {
            state.SkipWithError(("no preview after the key: " + session.failure.toStdString()).c_str());
            return;
        }
        // The first paint of the new PDF: blank pages there would flash between the old PDF and the new one.
        const bool blankFirst = !session.showsPageContent();
        if (!session.paint()) {
            state.SkipWithError("the new preview was not drawn");
            return;
        }
        const double latency = msSince(start);

        const auto bareStart = Clock::now();
        bool bareMade = false;
        if (tab) {
            bareMade = tab->print(page);
        } else {
            QProcess process;
            process.setProcessEnvironment(environment);
            process.start(converter, {page, barePdf});
            process.waitForFinished(120000);
            bareMade = IsCompletePdf(barePdf);
        }
        const double bare = msSince(bareStart);
        if (!bareMade) {
            state.SkipWithError("no PDF from the bare engine");
            return;
        }

        const double slack = pause + bare + 100 - latency;
        std::printf("  %s key %lld: latency %7.1f ms, bare %7.1f ms, slack %7.1f ms%s\n", engine.c_str(),
                    static_cast<long long>(runs), latency, bare, slack, blankFirst ? ", blank first paint" : "");
        latencySum += latency;
        bareSum += bare;
        worstSlack = std::min(worstSlack, slack);
        ++runs;
        state.SetIterationTime(latency / 1000);
        session.waitIdle();
    }
    const double n = static_cast<double>(runs);
    typing[engine] = {pause, latencySum / n, bareSum / n, worstSlack};
    state.counters["latency_ms"] = latencySum / n;
    state.counters["bare_ms"] = bareSum / n;
}

// Ten keys 100 ms apart into the headline with Chromium, as a quick typist makes them: the prints they start and
// the time from the last key until its preview is drawn.
void BM_TypingBurst(benchmark::State& state)
{
    Session session;
    PreviewRenderer& renderer = session.window.previewRenderer();
    renderer.setEngine(EngineChoice::Chromium);
    if (session.showSheet(10, 60000) < 0) {
        state.SkipWithError(("no first preview: " + session.failure.toStdString()).c_str());
        return;
    }
    session.waitIdle();
    session.headline->setFocus();
    session.headline->end(false);
    int prints = 0;
    QObject::connect(&renderer, &PreviewRenderer::converting, &session.window, [&prints] { ++prints; });
    double latencySum = 0;
    int runs = 0;
    for (auto _ : state) {
        prints = 0;
        for (int key = 0; key < 10; ++key) {
            QTest::keyClick(session.headline, Qt::Key_X);
            QTest::qWait(100);
        }
        const auto start = Clock::now() - std::chrono::milliseconds(100);
        const QString last = session.headline->text();
        while (!(session.waitShown(60000) && session.paint() && !renderer.isConverting() &&
                 renderer.printed().page.contains(last))) {
            if (msSince(start) > 60000) {
                state.SkipWithError("the last key's preview was not shown");
                return;
            }
        }
        const double latency = msSince(start);
        std::printf("  burst %d: %d prints, last key to preview %7.1f ms\n", runs, prints, latency);
        latencySum += latency;
        state.SetIterationTime(latency / 1000);
        figures["burst_prints"] = std::max(figures["burst_prints"], double(prints));
        ++runs;
        session.headline->setText(QStringLiteral("Benchmark"));
        session.waitIdle();
    }
    figures["burst_latency_ms"] = latencySum / runs;
}

// A 5 ms timer while each preview shown starts the next one (the disclaimer box toggled): how late its ticks
// come.
void BM_EventLoopWhileConverting(benchmark::State& state)
{
    Session session;
    if (session.showSheet(30, 60000) < 0) {
        state.SkipWithError(("no first preview: " + session.failure.toStdString()).c_str());
        return;
    }
    session.waitIdle();
    auto* disclaimer = child<QCheckBox>(&session.window, "chkDisclaimer");
    constexpr double IntervalMs = 5;
    for (auto _ : state) {
        int conversions = 0;
        std::vector<double> lateness;
        const auto onShown = QObject::connect(&session.panel, &PreviewPanel::shown, &session.window, [&] {
            ++conversions;
            disclaimer->setChecked(!disclaimer->isChecked());
        });
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        ticker.setInterval(int(IntervalMs));
        Clock::time_point last = Clock::now();
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            const auto now = Clock::now();
            lateness.push_back(std::chrono::duration<double, std::milli>(now - last).count() - IntervalMs);
            last = now;
        });
        QEventLoop loop;
        QTimer::singleShot(10000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        const auto start = Clock::now();
        disclaimer->setChecked(!disclaimer->isChecked()); // the first conversion
        last = Clock::now();
        ticker.start();
        loop.exec();
        ticker.stop();
        const double elapsed = msSince(start);
        QObject::disconnect(onShown);
        state.SetIterationTime(elapsed / 1000);
        if (lateness.empty()) {
            state.SkipWithError("the timer never fired");
            return;
        }
        std::sort(lateness.begin(), lateness.end());
        const double p99 = lateness[std::size_t(0.99 * double(lateness.size() - 1))];
        figures["stall_worst_ms"] = state.counters["worst_late_ms"] = std::max(0.0, lateness.back());
        figures["stall_p99_ms"] = state.counters["p99_late_ms"] = std::max(0.0, p99);
        figures["stall_ticks"] = state.counters["ticks"] = double(lateness.size());
        figures["stall_conversions"] = state.counters["conversions"] = conversions;
        figures["stall_seconds"] = elapsed / 1000;
        session.waitIdle();
    }
}

// A sheet of 1,000 resources: the time until its preview shows, then 50 steps from the top to the bottom.
void BM_LongSheetShowAndScroll(benchmark::State& state)
{
    Session session;
    constexpr int Steps = 50;
    for (auto _ : state) {
        const double shown = session.showSheet(1000, 180000);
        if (shown < 0) {
            state.SkipWithError(("no preview: " + session.failure.toStdString()).c_str());
            return;
        }
        QScrollBar* bar = session.view->verticalScrollBar();
        const double rssBefore = statusMb("VmRSS");
        double worst = 0;
        double sum = 0;
        double worstDrawn = 0;
        double sumDrawn = 0;
        int undrawn = 0;
        for (int step = 0; step < Steps; ++step) {
            // The event loop's share: the scroll and one paint, with whatever page images have arrived.
            const auto start = Clock::now();
            bar->setValue(int(qint64(bar->maximum()) * step / (Steps - 1)));
            session.view->viewport()->repaint();
            QApplication::processEvents();
            const double ms = msSince(start);
            worst = std::max(worst, ms);
            sum += ms;
            // Then until the pages now in view are drawn, untimed for the step.
            if (!session.paint(1000))
                ++undrawn;
            const double drawn = msSince(start);
            worstDrawn = std::max(worstDrawn, drawn);
            sumDrawn += drawn;
        }
        if (bar->value() != bar->maximum())
            state.SkipWithError("the scroll did not reach the bottom");
        state.SetIterationTime(sum / 1000);
        figures["long_pages"] = state.counters["pages"] = session.panel.document().pageCount();
        figures["long_shown_ms"] = state.counters["shown_ms"] = shown;
        figures["scroll_worst_ms"] = state.counters["step_worst_ms"] = worst;
        figures["scroll_mean_ms"] = state.counters["step_mean_ms"] = sum / Steps;
        figures["drawn_worst_ms"] = state.counters["drawn_worst_ms"] = worstDrawn;
        figures["drawn_mean_ms"] = state.counters["drawn_mean_ms"] = sumDrawn / Steps;
        figures["undrawn_steps"] = state.counters["undrawn_steps"] = undrawn;
        figures["scroll_rss_growth_mb"] = state.counters["rss_growth_mb"] = statusMb("VmRSS") - rssBefore;
    }
}

// The memory probe: a fresh process with the window, a sheet of 10,000 resources and its preview on screen.
int memoryProbe(int argc, char** argv)
{
    QApplication app(argc, argv);
    isolateUserFolders();
    Session session;
    const double baseline = statusMb("VmRSS");
    const double shown = session.showSheet(std::atoi(argv[2]), 600000);
    if (shown < 0) {
        std::printf("failed %s\n", qPrintable(session.failure));
        return 1;
    }
    std::printf("rss_mb %.1f\nhwm_mb %.1f\nbaseline_mb %.1f\nshown_ms %.0f\npages %d\n", statusMb("VmRSS"),
                statusMb("VmHWM"), baseline, shown, session.panel.document().pageCount());
    return 0;
}

void BM_HugeSheetMemory(benchmark::State& state)
{
    for (auto _ : state) {
        const auto start = Clock::now();
        QProcess probe;
        probe.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--memory-probe"), QString::number(state.range(0))});
        if (!probe.waitForFinished(900000) || probe.exitCode() != 0) {
            state.SkipWithError(("the memory probe failed: " + probe.readAllStandardOutput().toStdString()).c_str());
            return;
        }
        state.SetIterationTime(msSince(start) / 1000);
        for (const QByteArray& line : probe.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() == 2)
                figures["huge_" + parts[0].toStdString()] = state.counters[parts[0].toStdString()] =
                    parts[1].toDouble();
        }
    }
}

} // namespace

BENCHMARK(BM_TypingToShown)->Arg(0)->Arg(1)->Iterations(8)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypingBurst)->Iterations(4)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EventLoopWhileConverting)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LongSheetShowAndScroll)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HugeSheetMemory)->Arg(10000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    isolateUserFolders();
    if (argc == 3 && std::strcmp(argv[1], "--memory-probe") == 0)
        return memoryProbe(argc, argv);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const auto has = [](const char* name) { return figures.count(name) != 0; };
    const auto verdict = [](bool holds) { return holds ? "holds" : "FAILS"; };
    for (const auto& [engine, figure] : typing)
        std::printf("typing with %s: latency_ms %.1f, bare_ms %.1f; target latency <= pause %.0f + bare + 100 = %.1f "
                    "ms; slack_ms %.1f (mean), %.1f (worst key): %s\n",
                    engine.c_str(), figure.latency, figure.bare, figure.pause, figure.pause + figure.bare + 100,
                    figure.pause + figure.bare + 100 - figure.latency, figure.worstSlack,
                    verdict(figure.worstSlack >= 0));
    if (has("burst_latency_ms"))
        std::printf("a burst of 10 keys 100 ms apart with chromium: at most %.0f prints; last key to preview %.1f ms\n",
                    figures["burst_prints"], figures["burst_latency_ms"]);
    if (has("stall_worst_ms"))
        std::printf("event loop: worst lateness %.2f ms, 99th percentile %.2f ms over %.0f ticks in %.1f s, "
                    "%.0f conversions; target worst < 20 ms: %s\n",
                    figures["stall_worst_ms"], figures["stall_p99_ms"], figures["stall_ticks"],
                    figures["stall_seconds"], figures["stall_conversions"],
                    verdict(figures["stall_worst_ms"] < 20 && figures["stall_conversions"] > 0));
    if (has("long_shown_ms"))
        std::printf("1,000 resources (%.0f pages): shown after %.0f ms; scroll step worst %.2f ms, mean %.2f ms, "
                    "pages in view drawn after worst %.1f ms, mean %.1f ms (%.0f steps not drawn within 1 s), "
                    "resident memory +%.1f MB while scrolling; target step < 50 ms: %s\n",
                    figures["long_pages"], figures["long_shown_ms"], figures["scroll_worst_ms"],
                    figures["scroll_mean_ms"], figures["drawn_worst_ms"], figures["drawn_mean_ms"],
                    figures["undrawn_steps"], figures["scroll_rss_growth_mb"],
                    verdict(figures["scroll_worst_ms"] < 50));
    if (has("huge_rss_mb"))
        std::printf("10,000 resources (%.0f pages, shown after %.0f ms): VmRSS %.1f MB (window alone %.1f MB), "
                    "VmHWM %.1f MB; target VmRSS <= 400 MB: %s\n",
                    figures["huge_pages"], figures["huge_shown_ms"], figures["huge_rss_mb"],
                    figures["huge_baseline_mb"], figures["huge_hwm_mb"], verdict(figures["huge_rss_mb"] <= 400));
    return 0;
}
