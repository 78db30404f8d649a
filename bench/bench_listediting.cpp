// SPDX-License-Identifier: GPL-3.0-or-later
// Editing a long resource list through the keyboard and buttons of the shown main window, as a user does:
// pasting 10,000 entries and undoing it, "Remove All" on 10,000 entries and undoing it, and moving 1,000
// entries spread through 10,000 one place down, and a keystroke in the headline of that list. Each time includes the
// list's repaint afterwards, and is printed at the end as milliseconds and as a fraction of its target (under 1 meets
// it).
#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "gui/MainWindow.h"
#include "gui/widgets/ResourceListView.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <string>

using namespace orvanta;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int Entries = 10000;
std::map<std::string, double> averageMs; // measurement name -> mean milliseconds

// The shown window with its list focused, as the tests hold it.
struct Session {
    TestInstallation installation;
    ScriptedInteraction interaction;
    MainWindow window{installation.folder(), interaction};
    ResourceListView* list = nullptr;

    Session()
    {
        window.show();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the window did not become active");
        list = child<ResourceListView>(&window, "lstResources");
        list->setFocus();
        QApplication::processEvents();
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(list, key, modifiers); }
    // Seconds that `operation` takes, the list's repaint included.
    double timed(const std::function<void()>& operation)
    {
        const auto start = Clock::now();
        operation();
        list->viewport()->repaint();
        QApplication::processEvents();
        return std::chrono::duration<double>(Clock::now() - start).count();
    }
};

ResourceEntries manyEntries()
{
    ResourceEntries entries;
    for (int i = 0; i < Entries; ++i)
        entries.append({QStringLiteral("Resource %1").arg(i), QStringLiteral("https://example.com/r/%1").arg(i)});
    return entries;
}

// Runs `measure` each iteration; it returns the seconds of its two steps, averaged under the two names.
void measurePair(benchmark::State& state, const std::string& first, const std::string& second,
                 const std::function<std::pair<double, double>()>& measure)
{
    double sums[2] = {0, 0};
    int64_t runs = 0;
    for (auto _ : state) {
        const auto [a, b] = measure();
        sums[0] += a;
        sums[1] += b;
        ++runs;
        state.SetIterationTime(a);
    }
    averageMs[first] = state.counters[first + "_ms"] = 1000 * sums[0] / static_cast<double>(runs);
    averageMs[second] = state.counters[second + "_ms"] = 1000 * sums[1] / static_cast<double>(runs);
}

void BM_PasteAndUndo(benchmark::State& state)
{
    Session session;
    QString lines;
    for (int i = 0; i < Entries; ++i)
        lines += QStringLiteral("Resource %1\thttps://example.com/r/%1\n").arg(i);
    QApplication::clipboard()->setText(lines);
    measurePair(state, "paste", "paste_undo", [&] {
        session.list->clearSelection();
        const double paste = session.timed([&] { session.key(Qt::Key_V, Qt::ControlModifier); });
        if (session.window.resources().count() != Entries)
            state.SkipWithError("the paste did not add every entry");
        const double undo = session.timed([&] { session.key(Qt::Key_Z, Qt::ControlModifier); });
        if (!session.window.resources().isEmpty())
            state.SkipWithError("the undo did not empty the list");
        return std::pair{paste, undo};
    });
}

void BM_RemoveAllAndUndo(benchmark::State& state)
{
    Session session;
    session.window.resources().append(manyEntries());
    auto* removeAll = child<QPushButton>(&session.window, "Command2");
    measurePair(state, "remove_all", "remove_all_undo", [&] {
        session.interaction.answer(true);
        const double remove = session.timed([&] { QTest::mouseClick(removeAll, Qt::LeftButton); });
        if (!session.window.resources().isEmpty())
            state.SkipWithError("Remove All left entries");
        session.list->setFocus(); // the click took it to the button
        const double undo = session.timed([&] { session.key(Qt::Key_Z, Qt::ControlModifier); });
        if (session.window.resources().count() != Entries)
            state.SkipWithError("the undo did not bring every entry back");
        return std::pair{remove, undo};
    });
}

void BM_MoveSpreadSelectionDown(benchmark::State& state)
{
    Session session;
    session.window.resources().append(manyEntries());
    QItemSelection every10th;
    for (int row = 0; row < Entries; row += 10) {
        const QModelIndex index = session.list->model()->index(row, 0);
        every10th.select(index, index);
    }
    double sum = 0;
    int64_t runs = 0;
    for (auto _ : state) {
        session.list->selectionModel()->select(every10th, QItemSelectionModel::ClearAndSelect);
        QApplication::processEvents();
        const double move = session.timed([&] { session.key(Qt::Key_Down, Qt::AltModifier); });
        if (session.window.resources().at(1).linkText != QStringLiteral("Resource 0") ||
            session.list->selectedRows().size() != Entries / 10)
            state.SkipWithError("the selection did not move down with its entries");
        session.key(Qt::Key_Z, Qt::ControlModifier); // back to the start, untimed
        sum += move;
        ++runs;
        state.SetIterationTime(move);
    }
    averageMs["move_down"] = state.counters["move_down_ms"] = 1000 * sum / static_cast<double>(runs);
}

// A keystroke in the headline of a saved 10,000-resource sheet: the event-loop time until the preview waits for a pause
// in the typing.
void BM_KeystrokeInHeadline(benchmark::State& state)
{
    Session session;
    session.window.resources().append(manyEntries());
    // A saved sheet whose list was changed and changed back: the list equals the saved one without sharing it.
    QTemporaryDir folder;
    session.interaction.chooseFile(folder.filePath(QStringLiteral("big.orvanta")));
    if (!session.window.document().saveAs())
        state.SkipWithError("the sheet was not saved");
    session.list->setCurrentIndex(session.list->model()->index(0, 0));
    session.key(Qt::Key_Down, Qt::AltModifier);
    session.key(Qt::Key_Z, Qt::ControlModifier);
    auto* headline = child<QLineEdit>(&session.window, "txtHeaderTitle");
    headline->setFocus();
    QApplication::processEvents();
    double sum = 0;
    int64_t runs = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        QTest::keyClick(headline, Qt::Key_A);
        QApplication::processEvents();
        const double keystroke = std::chrono::duration<double>(Clock::now() - start).count();
        sum += keystroke;
        ++runs;
        state.SetIterationTime(keystroke);
    }
    if (headline->text().size() != runs)
        state.SkipWithError("a keystroke was lost");
    averageMs["keystroke"] = state.counters["keystroke_ms"] = 1000 * sum / static_cast<double>(runs);
}

} // namespace

BENCHMARK(BM_KeystrokeInHeadline)->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteAndUndo)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemoveAllAndUndo)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveSpreadSelectionDown)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    isolateUserFolders();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const std::pair<const char*, double> targets[] = {{"paste", 100},      {"paste_undo", 100},
                                                      {"remove_all", 100}, {"remove_all_undo", 100},
                                                      {"move_down", 50},   {"keystroke", 2}};
    for (const auto& [name, target] : targets) {
        if (averageMs.count(name))
            std::printf("%-16s %9.2f ms   / target %3.0f ms = %.3f (under 1 meets it)\n", name, averageMs[name], target,
                        averageMs[name] / target);
    }
    return 0;
}
