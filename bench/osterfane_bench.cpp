// Timings of the puzzle creator, on the offscreen platform.
#include <chrono>
#include <random>

#include <QTemporaryDir>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>

#include <benchmark/benchmark.h>

#include "benchmain.h"

#include "core/eventpump.h"
#include "core/random.h"
#include "core/textfile.h"
#include "engine/puzzle.h"
#include "testing/scripteddialogs.h"
#include "testing/windowdriver.h"
#include "ui/services.h"
#include "window/creatorwindow.h"
#include "window/worksheets.h"

namespace {

// Distinct words of random lower-case letters with the given lengths, the same every run.
QStringList randomWords(const QList<int>& lengths) {
    std::mt19937 gen(4242);
    QStringList words;
    for (const int length : lengths) {
        QString w;
        do {
            w.clear();
            for (int k = 0; k < length; ++k)
                w += QChar(u'a' + int(gen() % 26));
        } while (words.contains(w));
        words << w;
    }
    return words;
}

// count lengths drawn evenly from 3 to 10.
QList<int> lengthsFrom3To10(int count) {
    std::mt19937 gen(99);
    QList<int> lengths;
    for (int i = 0; i < count; ++i)
        lengths << 3 + int(gen() % 8);
    return lengths;
}

// 30 words that always fit at n = 15: one of each length from 3 to 10, then 22 of 3 to 5
// letters (137 letters in 225 cells). Random letters rarely cross, so 30 words of average
// length 6.5 (195 letters) leave no room for the last words at all.
QList<int> fittingLengthsFor15() {
    QList<int> lengths{3, 4, 5, 6, 7, 8, 9, 10};
    for (int i = 0; i < 22; ++i)
        lengths << 3 + i % 3;
    return lengths;
}

void fillList(const testing::WindowDriver& driver, const QStringList& words, int n) {
    auto* list = driver.get<QListWidget>("lstitems");
    list->clear();
    list->addItems(words);
    driver.get<QLineEdit>("txtSize")->setText(QString::number(n));
}

// One click on "Draw": 30 words of 3 to 10 letters at n = 15, from the click to the picture
// drawn and shown.
void BM_DrawClick(benchmark::State& state) {
    testing::ScriptedDialogs dialogs;
    osterfane::CreatorWindow form;
    const testing::WindowDriver driver(form);
    form.show();
    fillList(driver, randomWords(fittingLengthsFor15()), 15);
    auto* draw = driver.get<QAbstractButton>("cmdDraw");
    for (auto _ : state) {
        draw->click();
        ui::pumpEvents();  // the letters drawn after the refresh reach the screen
        benchmark::DoNotOptimize(form.puzzle().solutions().size());
    }
    state.counters["messages"] = double(dialogs.shown().size());
    state.counters["placed"] = double(form.puzzle().solutions().size());
}
BENCHMARK(BM_DrawClick)->Unit(benchmark::kMillisecond);

// Construction alone: clear, place 100 words and fill, at 50 x 50.
void BM_Construction50(benchmark::State& state) {
    const QStringList words = randomWords(lengthsFrom3To10(100));
    osterfane::Puzzle puzzle(50);
    int failed = 0;
    for (auto _ : state) {
        puzzle.clearPuzzle(50);
        failed +=
            puzzle.createPuzzle(words, 50, true).kind != osterfane::PuzzleOutcome::Kind::AllPlaced;
        puzzle.fillRemainingWithRandom();
        benchmark::DoNotOptimize(puzzle.letterAt(0, 0));
    }
    state.counters["failed"] = failed;
}
BENCHMARK(BM_Construction50)->Unit(benchmark::kMillisecond);

// A "Draw" whose third word finds no room: 30000 retries with an event pump after each. The
// first two words are laid by script (ABC across the top, AEF down the left of a 3 x 3 grid),
// so no line is left for XYZ. Reports the longest time between two pumps.
void BM_NoRoomDraw(benchmark::State& state) {
    testing::ScriptedDialogs dialogs;
    // Lets the window's events in as its own pump does, timing the gaps between the calls.
    struct TimingPump : core::EventPump {
        using Clock = std::chrono::steady_clock;
        double longestGapMs = 0;
        Clock::time_point lastPump;

        bool pumpEvents() override {
            const Clock::time_point now = Clock::now();
            if (lastPump != Clock::time_point{}) {
                longestGapMs =
                    std::max(longestGapMs,
                             std::chrono::duration<double, std::milli>(now - lastPump).count());
            }
            ui::pumpEvents();
            lastPump = Clock::now();
            return true;
        }
    } pump;
    int scripted = 0;
    core::RandomSource random;
    const double script[] = {0.0, 0.0, 0.3, 0.0, 0.0, 0.0};
    osterfane::CreatorWindow form(
        {[&] { return scripted < 6 ? script[scripted++] : random.nextRandom(); }, &pump});
    const testing::WindowDriver driver(form);
    form.show();
    fillList(driver, {"abc", "aef", "xyz"}, 3);
    auto* draw = driver.get<QAbstractButton>("cmdDraw");
    for (auto _ : state) {
        scripted = 0;
        pump.lastPump = {};
        draw->click();
    }
    state.counters["longest_gap_ms"] = pump.longestGapMs;
    state.counters["messages"] = double(dialogs.shown().size());
}
BENCHMARK(BM_NoRoomDraw)->Unit(benchmark::kMillisecond)->Iterations(3);

// Puzzles from the command line: `count` puzzles of 15 x 15 with 20 words of 3 to 10 letters
// each, from reading the word file to the written files.
void worksheets(benchmark::State& state, osterfane::SheetFormat format, const QString& name,
                int count) {
    QTemporaryDir dir;
    const QString words = dir.filePath(QStringLiteral("words.txt"));
    core::writeFileAtomically(words,
                              core::joinCrLfUtf8(randomWords(fittingLengthsFor15().mid(0, 20))));
    osterfane::WorksheetRequest request;
    request.wordsPath = words;
    request.size = 15;
    request.includeInverted = true;
    request.count = count;
    request.seed = 1;
    request.output = dir.filePath(name);
    request.format = format;
    int messages = 0;
    for (auto _ : state) {
        if (osterfane::writeWorksheets(request, [&messages](const QString&) { ++messages; }) != 0)
            state.SkipWithError("the puzzles were not written");
    }
    state.counters["messages"] = messages;
}

// Target: at most 3 s for 100 puzzles into one PDF with their keys (200 pages).
void BM_WorksheetsPdf100(benchmark::State& state) {
    worksheets(state, osterfane::SheetFormat::Pdf, QStringLiteral("sheets.pdf"), 100);
}
BENCHMARK(BM_WorksheetsPdf100)->Unit(benchmark::kMillisecond)->Iterations(3);

// Target: at most 2 s for 1000 scripts.
void BM_WorksheetsScripts1000(benchmark::State& state) {
    worksheets(state, osterfane::SheetFormat::Script, QStringLiteral("sheet.tam"), 1000);
}
BENCHMARK(BM_WorksheetsScripts1000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    return runWidgetBenchmarks(argc, argv, QStringLiteral("Osterfane"));
}
