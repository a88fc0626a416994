// Grid solver timings at the largest square grid (181 x 181 = 32761 cells), as a user meets
// them: a click on a shown window until its result is painted and on the display, and the
// command line. scripts/bench runs them offscreen and on xcb under xvfb-run.
#include <sys/resource.h>

#include <benchmark/benchmark.h>

#include "benchmain.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <random>

#include "engine/gridsearch.h"
#include "engine/solvecommand.h"
#include "engine/solver.h"
#include "testing/scripteddialogs.h"
#include "testing/windowdriver.h"
#include "window/lettergridview.h"
#include "window/solverwindow.h"

using namespace tamsorel;

namespace {

constexpr int kSide = 181;

// 300 words of 3 to 12 letters of the first `letters` capitals; every third one is copied out
// of the grid so that searches find and mark something.
QStringList benchWords(const LetterGrid& grid, int letters) {
    std::mt19937 rng(42);
    QStringList words;
    for (int i = 0; i < 300; ++i) {
        const int length = 3 + int(rng() % 10);
        QString w;
        if (i % 3 == 0) {
            const int row = 1 + int(rng() % kSide);
            const int col = 1 + int(rng() % (kSide - length));
            for (int k = 0; k < length; ++k)
                w += grid.cellText(cellIndex(kSide, col + k, row));
        } else {
            for (int k = 0; k < length; ++k)
                w += QChar(u'A' + int(rng() % letters));
        }
        words << w;
    }
    return words;
}

// Gives every cell of the grid a random one of the first `letters` capitals through
// setCell(n, letter).
template <typename SetCell>
void fillRandom(const LetterGrid& grid, int letters, SetCell setCell) {
    std::mt19937 rng(7);
    for (int n = 1; n <= grid.cellCount(); ++n)
        setCell(n, QString(QChar(u'A' + int(rng() % letters))));
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// Lets the window finish what a click started, as a user waits for it: every pending event
// handled (repaints included), then a round trip to the display server, which answers only
// after it has drawn everything sent before, and whatever came back handled too.
void settle() {
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(QCursor::pos());
    QCoreApplication::processEvents();
}

struct ShownWindow {
    SolverWindow w;
    testing::WindowDriver driver{w};
    ShownWindow() {
        w.show();
        if (!QTest::qWaitForWindowExposed(&w)) qFatal("the window was never shown");
        settle();
    }
    void loadDimensions() {
        driver.get<QLineEdit>("txtHorizontal")->setText(QString::number(kSide));
        driver.get<QLineEdit>("txtVertical")->setText(QString::number(kSide));
        driver.click("cmdDimensions");
        settle();
    }
    // A random letter in every cell, and the bench words in the word box.
    void fill(int letters) {
        fillRandom(w.grid(), letters,
                   [this](int n, const QString& letter) { w.setCellText(n, letter); });
        driver.get<QPlainTextEdit>("txtWords")
            ->setPlainText(benchWords(w.grid(), letters).join(u'\n'));
        settle();
    }
    // A click on a button until its result is painted and the buttons are enabled again.
    void clickAndWait(const char* button) {
        driver.click(button);
        settle();
        if (!driver.get<QPushButton>(button)->isEnabled()) qFatal("%s stayed disabled", button);
    }
};

void BM_LoadDimensionsClick(benchmark::State& state) {
    ShownWindow win;
    win.driver.get<QLineEdit>("txtHorizontal")->setText(QString::number(kSide));
    win.driver.get<QLineEdit>("txtVertical")->setText(QString::number(kSide));
    for (auto _ : state)
        win.clickAndWait("cmdDimensions");
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_LoadDimensionsClick)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SearchEngine(benchmark::State& state) {
    LetterGrid grid;
    grid.create(kSide, kSide);
    fillRandom(grid, 26, [&](int n, const QString& letter) { grid.setCellText(n, letter); });
    const QString words = benchWords(grid, 26).join(QStringLiteral("\r\n"));
    DirectionFlags all;
    all.fill(true);
    for (auto _ : state) {
        Log log;
        searchWords(grid, words, all, log, core::noEventPump());
    }
}
BENCHMARK(BM_SearchEngine)->Unit(benchmark::kMillisecond);

// "Search" on the filled grid, from the click until the marked cells and the last log line
// are on the display. With the letters A to D every cell is found.
void BM_SearchClick(benchmark::State& state, int letters) {
    ShownWindow win;
    win.loadDimensions();
    win.fill(letters);
    for (auto _ : state)
        win.clickAndWait("cmdSearch");
    int found = 0;
    for (int n = 1; n <= win.w.grid().cellCount(); ++n)
        found += win.w.grid().isFound(n);
    state.counters["found_cells"] = found;
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK_CAPTURE(BM_SearchClick, letters_A_to_Z, 26)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_SearchClick, every_cell_found_A_to_D, 4)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// "Save" and "Load" of the filled grid's script (418 KB), each from the click until the
// window shows the result.
void BM_SaveAndLoadScript(benchmark::State& state, bool load) {
    QTemporaryDir dir;
    const QString path = dir.filePath("big.tam");
    ShownWindow win;
    win.loadDimensions();
    win.fill(26);
    testing::ScriptedDialogs dialogs;
    dialogs.answerNextSave(path);
    win.clickAndWait("cmdSave");
    for (auto _ : state) {
        if (load) {
            dialogs.answerNextOpen(path);
        } else {
            dialogs.answerNextSave(path);
            dialogs.answerNextQuestion(ui::Answer::Yes);
        }
        win.clickAndWait(load ? "cmdLoad" : "cmdSave");
    }
    state.counters["script_KB"] = double(QFileInfo(path).size()) / 1024.0;
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK_CAPTURE(BM_SaveAndLoadScript, save_click, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_SaveAndLoadScript, load_click, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A 181 x 181 script of random capitals with the 300 bench words, as "Save" writes it.
QString writeBenchScript(const QString& path) {
    Solver solver;
    solver.setDimensionText(Axis::Horizontal, QString::number(kSide));
    solver.setDimensionText(Axis::Vertical, QString::number(kSide));
    solver.loadDimensions();
    fillRandom(solver.grid(), 26,
               [&](int n, const QString& letter) { solver.grid().setCellText(n, letter); });
    solver.setWordsText(benchWords(solver.grid(), 26).join(QStringLiteral("\r\n")));
    solver.saveScript(path);
    return path;
}

// `tamsorel --solve` on the bench script, in this process: reading, search and output text.
void BM_SolveScript(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = writeBenchScript(dir.filePath("big.tam"));
    for (auto _ : state)
        benchmark::DoNotOptimize(solveScript(path));
}
BENCHMARK(BM_SolveScript)->Unit(benchmark::kMillisecond);

// A repaint of the whole 181 x 181 grid, found cells and all, into an image at a device pixel
// ratio of 1 and of 2 (a 200 % screen): the higher ratio may cost at most 2.5 times the lower.
void BM_GridRepaint(benchmark::State& state) {
    const qreal ratio = qreal(state.range(0));
    ShownWindow win;
    win.loadDimensions();
    win.fill(4);
    win.clickAndWait("cmdSearch");
    auto* view = win.w.findChild<LetterGridView*>();
    if (!view) qFatal("no grid view");
    QImage image(view->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    for (auto _ : state) {
        view->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["pixels"] = double(image.width()) * image.height();
}
BENCHMARK(BM_GridRepaint)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The same from the command line: the whole `tamsorel --solve` process, start to exit.
void BM_SolveCommand(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = writeBenchScript(dir.filePath("big.tam"));
    for (auto _ : state) {
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(TAMSOREL_PROGRAM), {QStringLiteral("--solve"), path});
        process.waitForFinished(-1);
        benchmark::DoNotOptimize(process.readAllStandardOutput());
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() > 1)
            state.SkipWithError("tamsorel --solve failed");
    }
}
BENCHMARK(BM_SolveCommand)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    return runWidgetBenchmarks(argc, argv, QStringLiteral("Tamsorel"));
}
