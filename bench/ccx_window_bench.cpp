// The CCX File Editor window with the largest CCX document there can be:
// opening it, and the level list operations through the window's buttons,
// each with the window's redraw, beside the bare cost of Qt inserting and
// removing one row of a 999-row list view; paging through a level. Runs
// offscreen.

#include "ccx/ccxeditorwindow.h"
#include "ccxbenchdata.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QListView>
#include <QStringListModel>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace tessaro;
using namespace tessaro::bench;

// Every event handled and every repaint done, as before the next keystroke.
void settle() {
    QApplication::processEvents();
}

class OpenWindow {
public:
    OpenWindow() {
        m_window.resize(1000, 660);
        m_window.show(); // its start-up question opens full.ccx
        settle();
    }
    void click(const char* button) {
        m_window.findChild<QAbstractButton*>(button)->click();
        settle();
    }
    void trigger(const char* action) {
        m_window.findChild<QAction*>(action)->trigger();
        settle();
    }
    int rows() const { return list()->model()->rowCount(); }
    // As a click on the first entry does.
    void selectFirst() {
        list()->setCurrentIndex(list()->model()->index(0, 0));
        settle();
    }

private:
    QListView* list() const { return m_window.findChild<QListView*>("levelList"); }

    BenchPlatform m_platform;
    CcxEditorWindow m_window{m_platform};
};

// Made on first use and gone before the application object.
std::unique_ptr<OpenWindow> g_window;

OpenWindow& window() {
    if (!g_window)
        g_window = std::make_unique<OpenWindow>();
    return *g_window;
}

void windowOpen(benchmark::State& state) {
    auto& open = window();
    for (auto _ : state) {
        open.trigger("menuOpen");
        if (open.rows() != kMaxCcxLevels)
            state.SkipWithError("the benchmark file was not opened");
    }
}

// The floor: a plain Qt list of 999 rows, one row inserted at the top and
// drawn, then removed.
void rawListViewInsertRow(benchmark::State& state) {
    QStringList rows;
    for (int n = 1; n <= kMaxCcxLevels; ++n)
        rows << QString("%1. Level number %1").arg(n);
    QStringListModel model(rows);
    QListView view;
    view.setUniformItemSizes(true);
    view.setModel(&model);
    view.resize(280, 300);
    view.show();
    settle();
    for (auto _ : state) {
        model.insertRows(0, 1);
        model.setData(model.index(0), "1. ");
        view.setCurrentIndex(model.index(1));
        settle();
        state.PauseTiming();
        model.removeRows(0, 1);
        settle();
        state.ResumeTiming();
    }
}

void windowInsertBeforeFirst(benchmark::State& state) {
    auto& open = window();
    open.trigger("menuOpen");
    open.selectFirst();
    open.click("deleteAndShift"); // 998 levels: room for one more
    open.selectFirst();
    for (auto _ : state) {
        open.click("insertBefore");
        state.PauseTiming();
        open.selectFirst();
        open.click("deleteAndShift");
        open.selectFirst();
        state.ResumeTiming();
    }
}

void windowDeleteAndRenumberFirst(benchmark::State& state) {
    auto& open = window();
    open.trigger("menuOpen");
    open.selectFirst();
    for (auto _ : state) {
        open.click("deleteAndShift");
        state.PauseTiming();
        open.selectFirst();
        open.click("insertBefore");
        open.selectFirst();
        state.ResumeTiming();
    }
}

void windowMoveDownAcrossTheList(benchmark::State& state) {
    auto& open = window();
    open.trigger("menuOpen");
    for (auto _ : state) {
        state.PauseTiming();
        open.selectFirst();
        state.ResumeTiming();
        for (int move = 1; move < kMaxCcxLevels; ++move)
            open.click("moveDown");
    }
    state.counters["per move"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * (kMaxCcxLevels - 1),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Every page of the first level shown in turn, as a player paging through
// it does: nine times ">" through the prologue, then the epilogue and nine
// times ">" through it, then back to the prologue; each click redrawn.
void windowPagesThroughTheLevel(benchmark::State& state) {
    auto& open = window();
    open.trigger("menuOpen");
    open.selectFirst();
    for (auto _ : state) {
        for (const char* pane : {"epilogue", "prologue"}) {
            for (int page = 1; page < kMaxCcxPages; ++page)
                open.click("pageRight");
            open.click(pane);
        }
    }
    state.counters["per click"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 2 * kMaxCcxPages,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(windowOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(rawListViewInsertRow)->Unit(benchmark::kMicrosecond);
BENCHMARK(windowInsertBeforeFirst)->Unit(benchmark::kMicrosecond);
BENCHMARK(windowDeleteAndRenumberFirst)->Unit(benchmark::kMicrosecond);
BENCHMARK(windowMoveDownAcrossTheList)->Unit(benchmark::kMillisecond);
BENCHMARK(windowPagesThroughTheLevel)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_window.reset();
    return 0;
}
