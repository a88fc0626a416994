// Timings of a puzzle leaving the screen, on the offscreen platform: each format for a 12 x 12
// puzzle with twelve words and for the largest, 450 x 450 (one pixel a cell).
#include <QApplication>

#include <benchmark/benchmark.h>

#include "benchmain.h"

#include "engine/puzzle.h"
#include "engine/puzzledrawing.h"
#include "ui/export.h"
#include "ui/services.h"

namespace {

const QStringList kWords{"apple", "banana", "cherry", "damson", "elder", "fig",
                         "grape", "kiwi",   "lemon",  "mango",  "olive", "peach"};

// A built puzzle of size n and its picture on the creator's 450-pixel surface.
struct Built {
    explicit Built(int n) : puzzle(n) {
        puzzle.clearPuzzle(n);
        puzzle.createPuzzle(n >= 7 ? kWords : QStringList(), n, true);
        puzzle.fillRemainingWithRandom();
        picture.size = QSize(450, 450);
        picture.font = ui::designFont(8.25);
        picture.draw = [this](ui::Surface& s) { osterfane::drawPuzzle(s, puzzle, true); };
    }
    osterfane::Puzzle puzzle;
    ui::Picture picture;
};

void BM_Png(benchmark::State& state) {
    const Built built(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ui::pngBytes(built.picture));
}
BENCHMARK(BM_Png)->Arg(12)->Arg(450)->Unit(benchmark::kMillisecond);

void BM_Svg(benchmark::State& state) {
    const Built built(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ui::svgBytes(built.picture, QStringLiteral("Puzzle")));
}
BENCHMARK(BM_Svg)->Arg(12)->Arg(450)->Unit(benchmark::kMillisecond);

// The printed document: the puzzle with its words, then the answer key.
void BM_PrintedPdf(benchmark::State& state) {
    const Built built(int(state.range(0)));
    const ui::Document document{{built.picture, kWords}, {built.picture, {}}};
    for (auto _ : state)
        benchmark::DoNotOptimize(ui::pdfBytes(document, QStringLiteral("Puzzle")));
}
BENCHMARK(BM_PrintedPdf)->Arg(12)->Arg(450)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runWidgetBenchmarks(argc, argv, QStringLiteral("Osterfane"));
}
