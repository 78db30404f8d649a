// SPDX-License-Identifier: GPL-3.0-or-later
// Keywords through both generators into the main window's list, as the dialog does it: the work should
// grow linearly with the keywords, and the window should repaint its list promptly afterwards.
#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "gui/MainWindow.h"
#include "gui/dialogs/AutoResourcesDialog.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <map>

using namespace orvanta;
using Clock = std::chrono::steady_clock;

namespace {

std::map<int64_t, double> addSeconds;

QString keywordLines(int64_t count)
{
    QString text;
    for (int64_t i = 0; i < count; ++i)
        text += QStringLiteral("keyword %1 & more\n").arg(i);
    return text;
}

void BM_AddResources(benchmark::State& state)
{
    TestInstallation installation;
    ScriptedInteraction interaction;
    const QString keywords = keywordLines(state.range(0));
    double add = 0;
    double repaint = 0;
    int64_t runs = 0;
    for (auto _ : state) {
        MainWindow window(installation.folder(), interaction);
        window.show();
        AutoResourcesDialog dialog(interaction, &window);
        QObject::connect(&dialog, &AutoResourcesDialog::resourcesGenerated, &window,
                         [&window](const ResourceEntries& entries) { window.resources().append(entries); });
        dialog.show();
        dialog.findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(true);
        dialog.findChild<QCheckBox*>(QStringLiteral("Check2"))->setChecked(true);
        dialog.findChild<QPlainTextEdit*>(QStringLiteral("txtDiscussions"))->setPlainText(keywords);
        dialog.findChild<QPlainTextEdit*>(QStringLiteral("txtVideos"))->setPlainText(keywords);
        auto* list = window.findChild<QListView*>(QStringLiteral("lstResources"));
        QApplication::processEvents();

        const auto start = Clock::now();
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdSave")), Qt::LeftButton);
        const auto added = Clock::now();
        list->repaint();
        QApplication::processEvents();
        const auto painted = Clock::now();

        add += std::chrono::duration<double>(added - start).count();
        repaint += std::chrono::duration<double>(painted - added).count();
        ++runs;
        state.SetIterationTime(std::chrono::duration<double>(added - start).count());
        if (window.resources().count() != 2 * state.range(0))
            state.SkipWithError("wrong number of resources");
    }
    state.counters["add_ms"] = 1000 * add / static_cast<double>(runs);
    state.counters["repaint_ms"] = 1000 * repaint / static_cast<double>(runs);
    addSeconds[state.range(0)] = add / static_cast<double>(runs);
}

} // namespace

BENCHMARK(BM_AddResources)->Arg(1000)->Arg(10000)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (addSeconds.count(1000) && addSeconds.count(10000))
        std::printf("add time 10000 / 1000 keywords: %.2f (linear: about 10)\n", addSeconds[10000] / addSeconds[1000]);
    return 0;
}
