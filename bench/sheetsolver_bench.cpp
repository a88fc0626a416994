// Timings of the sheet solvers with the demonstration puzzle (51 strings) at delay 0, on the
// offscreen platform. Every iteration starts from a sheet with no red cell.
#include <memory>

#include <QAbstractButton>
#include <QApplication>

#include <benchmark/benchmark.h>

#include "benchmain.h"
#include "brevoni/sheetwindow.h"
#include "engine/demopuzzle.h"
#include "engine/sheetsearch.h"
#include "kallowit/loadwindow.h"
#include "ui/services.h"

namespace {

using sheetsolver::SearchMode;

void whiten(sheetsolver::Sheet& sheet) {
    for (int i = 0; i < sheetsolver::kCellCount; ++i)
        sheet.setCellColour(i, sheetsolver::kClearColour);
}

// The engine alone: all 51 strings and the keyword, on an in-memory sheet.
void BM_EngineFindRun(benchmark::State& state) {
    const SearchMode mode =
        state.range(0) ? SearchMode::FirstOccurrence : SearchMode::AllOccurrences;
    const QStringList words = sheetsolver::demoStrings();
    sheetsolver::MemorySheet sheet(sheetsolver::demoSheet());
    sheetsolver::SearchHooks hooks;
    if (mode == SearchMode::FirstOccurrence) hooks.clock = [] { return 0.0; };
    for (auto _ : state) {
        state.PauseTiming();
        whiten(sheet);
        state.ResumeTiming();
        const std::optional<sheetsolver::FindOutcome> outcome =
            sheetsolver::findRun(sheet, words, mode, hooks);
        benchmark::DoNotOptimize(outcome);
    }
    state.SetLabel(mode == SearchMode::FirstOccurrence ? "first occurrence, timed"
                                                       : "all occurrences");
}
BENCHMARK(BM_EngineFindRun)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

QAbstractButton* button(const QWidget& window, const char* name) {
    return window.findChild<QAbstractButton*>(QString::fromLatin1(name));
}

// The shown window that has "Find!".
QWidget* shownSheetWindow() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && button(*w, "cmdFind")) return w;
    }
    return nullptr;
}

// The second version's load window, shown and painted.
std::unique_ptr<QWidget> shownLoadWindow() {
    auto load = std::make_unique<kallowit::LoadWindow>();
    load->show();
    ui::pumpEvents();
    return load;
}

// One click on "Find!" in a shown window, up to the repainted window with the keyword. open()
// shows the window, afresh for every iteration, and returns what owns it.
template <typename Open>
void findClick(benchmark::State& state, Open open) {
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<QWidget> owner = open();
        QWidget* window = shownSheetWindow();
        window->repaint();
        ui::pumpEvents();
        state.ResumeTiming();
        button(*window, "cmdFind")->click();
        window->repaint();
        state.PauseTiming();
        owner.reset();
        ui::pumpEvents();
        state.ResumeTiming();
    }
}

void BM_BrevoniFindClick(benchmark::State& state) {
    findClick(state, [] {
        auto window = std::make_unique<brevoni::SheetWindow>();
        window->show();
        return std::unique_ptr<QWidget>(std::move(window));
    });
}
BENCHMARK(BM_BrevoniFindClick)->Unit(benchmark::kMillisecond);

void BM_KallowitFindClick(benchmark::State& state) {
    findClick(state, [] {
        std::unique_ptr<QWidget> load = shownLoadWindow();
        button(*load, "Command1")->click();
        return load;
    });
}
BENCHMARK(BM_KallowitFindClick)->Unit(benchmark::kMillisecond);

// "Next >>": from the click to the sheet window shown and painted with its 300 filled cells.
void BM_KallowitNext(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<QWidget> load = shownLoadWindow();
        state.ResumeTiming();
        button(*load, "Command1")->click();
        shownSheetWindow()->repaint();
        state.PauseTiming();
        load.reset();
        ui::pumpEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_KallowitNext)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runWidgetBenchmarks(argc, argv, QStringLiteral("Sheet solver"));
}
