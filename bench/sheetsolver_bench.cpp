// Timings of the sheet solvers with the demonstration puzzle (51 strings) at delay 0, on the
// offscreen platform. Every iteration starts from a sheet with no red cell.
#include <QAbstractButton>
#include <QApplication>

#include <benchmark/benchmark.h>

#include "benchmain.h"

// Both programs' windows are called Form1, so their headers are named by folder.
#include "brevoni/sheetwindow.h"
#include "engine/demopuzzle.h"
#include "engine/sheetsearch.h"
#include "kallowit/loadwindow.h"
#include "kallowit/sheetwindow.h"
#include "ui/services.h"

namespace {

using sheetsolver::SearchMode;

template <typename Sheet>
void whiten(Sheet& sheet) {
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

// One click on "Find!" in a shown window, up to the repainted window with the keyword.
template <typename Window>
void findClick(benchmark::State& state, Window& form) {
    form.show();
    ui::pumpEvents();
    auto* find = form.template findChild<QAbstractButton*>(QStringLiteral("cmdFind"));
    for (auto _ : state) {
        state.PauseTiming();
        whiten(form.cells());
        form.repaint();
        ui::pumpEvents();
        state.ResumeTiming();
        find->click();
        form.repaint();
    }
}

void BM_BrevoniFindClick(benchmark::State& state) {
    brevoni::Form1 form;
    findClick(state, form);
}
BENCHMARK(BM_BrevoniFindClick)->Unit(benchmark::kMillisecond);

void BM_KallowitFindClick(benchmark::State& state) {
    kallowit::frmLoad load;
    load.show();
    load.findChild<QAbstractButton*>(QStringLiteral("Command1"))->click();
    findClick(state, *load.mainWindow());
}
BENCHMARK(BM_KallowitFindClick)->Unit(benchmark::kMillisecond);

// "Next >>": from the click to the main window shown and painted with its 300 filled cells.
void BM_KallowitNext(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto load = std::make_unique<kallowit::frmLoad>();
        load->show();
        ui::pumpEvents();
        auto* next = load->findChild<QAbstractButton*>(QStringLiteral("Command1"));
        state.ResumeTiming();
        next->click();
        load->mainWindow()->repaint();
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
