// SPDX-License-Identifier: GPL-3.0-or-later
// The link check of 200 links against a loopback server that answers each after 50 ms, in one run:
// - the time of the whole check against the ideal 200 × 50 ms ÷ 6 (6 at once; the links spread over 10 hosts so
//   that the limit of 2 per host does not bind), with a target of 1.10;
// - the longest gap between ticks of a 5 ms timer during the check, with a target of 20 ms: the checker must
//   never stall the event loop the window runs on.
#include "LinkServer.h"
#include "links/LinkChecker.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <cstdio>

using namespace orvanta;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int Links = 200;
constexpr int AnswerMs = 50;
constexpr double IdealMs = double(Links) * AnswerMs / 6;

double ratio = 0;
double longestGapMs = 0;

void BM_CheckLinks(benchmark::State& state)
{
    LinkServer server(AnswerMs);
    QStringList links;
    for (int i = 0; i < Links; ++i)
        links.append(server.url(QStringLiteral("/slow/%1").arg(i), i % 10 + 1));
    for (auto _ : state) {
        LinkChecker checker;
        QEventLoop loop;
        QObject::connect(&checker, &LinkChecker::finished, &loop, &QEventLoop::quit);
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        auto lastTick = Clock::now();
        double longest = 0;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            const auto now = Clock::now();
            longest = std::max(longest, std::chrono::duration<double, std::milli>(now - lastTick).count());
            lastTick = now;
        });
        ticker.start(5);
        const auto start = Clock::now();
        checker.check(links);
        loop.exec();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (checker.summary().fine != Links)
            state.SkipWithError("not every link was fine");
        ratio = std::max(ratio, ms / IdealMs);
        longestGapMs = std::max(longestGapMs, longest);
        state.counters["ms"] = ms;
        state.counters["per_ideal"] = ms / IdealMs;
        state.counters["longest_gap_ms"] = longest;
    }
}

} // namespace

BENCHMARK(BM_CheckLinks)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("check of %d links / ideal %.0f ms (worst of the runs): %.3f (target: at most 1.10)\n", Links, IdealMs,
                ratio);
    std::printf("longest gap of a 5 ms timer during a check: %.1f ms (target: at most 20)\n", longestGapMs);
    return 0;
}
