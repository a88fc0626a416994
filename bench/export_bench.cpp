// Timings of a puzzle leaving the screen: each format for a 12 x 12 puzzle with twelve words and
// for the largest, 450 x 450 (one pixel a cell); then the same exports from the creator's menu
// to the finished file in the real window, as a user waits for them.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include "benchmain.h"

#include "engine/puzzle.h"
#include "engine/puzzledrawing.h"
#include "testing/scripteddialogs.h"
#include "testing/windowdriver.h"
#include "ui/export.h"
#include "ui/services.h"
#include "window/creatorwindow.h"

namespace {

const QStringList kWords{"apple", "banana", "cherry", "damson", "elder", "fig",
                         "grape", "kiwi",   "lemon",  "mango",  "olive", "peach"};

// A built puzzle of size n and its picture with solutions on the creator's surface, as the
// window exports it.
struct Built {
    explicit Built(int n) : puzzle(n) {
        puzzle.clearPuzzle(n);
        puzzle.createPuzzle(n >= 7 ? kWords : QStringList(), n, true);
        puzzle.fillRemainingWithRandom();
        picture = osterfane::puzzlePicture(osterfane::creatorSurface(), puzzle, true);
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

// The creator's window, shown, with a puzzle of size 450 drawn from the twelve words.
struct Creator450 {
    Creator450() {
        form.show();
        if (!QTest::qWaitForWindowExposed(&form)) qFatal("the window was not shown");
        driver.get<QListWidget>("lstitems")->addItems(kWords);
        driver.get<QLineEdit>("txtSize")->setText(QStringLiteral("450"));
        driver.click("cmdDraw");
        ui::pumpEvents();
    }
    // Triggers the menu entry and lets the window finish, as from the click on the entry to
    // the file on the disk and the window idle again; the file is removed unmeasured, so no
    // overwrite question comes. Counts the file's size in bytes.
    void exportBy(benchmark::State& state, const char* entry, const QString& name) {
        const QString path = dir.filePath(name);
        QAction* action = driver.get<QAction>(entry);
        for (auto _ : state) {
            state.PauseTiming();
            QFile::remove(path);
            if (QString::fromLatin1(entry) == u"mnuPrint")
                dialogs.answerNextPrint(path);
            else
                dialogs.answerNextSave(path, QString());
            state.ResumeTiming();
            action->trigger();
            ui::pumpEvents();
        }
        state.counters["bytes"] = double(QFileInfo(path).size());
        if (!dialogs.informationTexts().isEmpty() || !dialogs.unexpected().isEmpty())
            state.SkipWithError("the export asked or said something");
    }

    QTemporaryDir dir;
    testing::ScriptedDialogs dialogs;
    osterfane::CreatorWindow form;
    testing::WindowDriver driver{form};
};

// Targets (xcb under Xvfb, Release): PNG and SVG at most 300 ms, the SVG at most 10 MB; the
// printed PDF at most 500 ms.
void BM_WindowSavePng450(benchmark::State& state) {
    Creator450().exportBy(state, "mnuSavePicture", QStringLiteral("puzzle.png"));
}
BENCHMARK(BM_WindowSavePng450)->Unit(benchmark::kMillisecond);

void BM_WindowSaveSvg450(benchmark::State& state) {
    Creator450().exportBy(state, "mnuSavePicture", QStringLiteral("puzzle.svg"));
}
BENCHMARK(BM_WindowSaveSvg450)->Unit(benchmark::kMillisecond);

void BM_WindowPrintPdf450(benchmark::State& state) {
    Creator450().exportBy(state, "mnuPrint", QStringLiteral("printed.pdf"));
}
BENCHMARK(BM_WindowPrintPdf450)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runWidgetBenchmarks(argc, argv, QStringLiteral("Osterfane"));
}
