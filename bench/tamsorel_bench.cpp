// Grid solver timings at the largest square grid (181 x 181 = 32761 cells).
// Run offscreen: QT_QPA_PLATFORM=offscreen build-bench/bench/bench_tamsorel
#include <sys/resource.h>

#include <benchmark/benchmark.h>

#include "benchmain.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <random>

#include "engine/gridsearch.h"
#include "engine/solvecommand.h"
#include "engine/solver.h"
#include "testing/scripteddialogs.h"
#include "testing/windowdriver.h"
#include "window/solverwindow.h"

using namespace tamsorel;

namespace {

constexpr int kSide = 181;

// 300 words of 3 to 12 capitals; every third one is copied out of the grid so that searches
// find and mark something.
QStringList benchWords(const LetterGrid& grid) {
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
                w += QChar(u'A' + int(rng() % 26));
        }
        words << w;
    }
    return words;
}

// Gives every cell of the grid a random capital through setCell(n, letter).
template <typename SetCell>
void fillRandom(const LetterGrid& grid, SetCell setCell) {
    std::mt19937 rng(7);
    for (int n = 1; n <= grid.cellCount(); ++n)
        setCell(n, QString(QChar(u'A' + int(rng() % 26))));
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

struct ShownWindow {
    SolverWindow w;
    testing::WindowDriver driver{w};
    ShownWindow() {
        w.show();
        QCoreApplication::processEvents();
    }
    void loadDimensions() {
        driver.get<QLineEdit>("txtHorizontal")->setText(QString::number(kSide));
        driver.get<QLineEdit>("txtVertical")->setText(QString::number(kSide));
        driver.get<QPushButton>("cmdDimensions")->click();
    }
    // A random letter in every cell, and the bench words in the word box.
    void fill() {
        fillRandom(w.grid(), [this](int n, const QString& letter) { w.setCellText(n, letter); });
        driver.get<QPlainTextEdit>("txtWords")->setPlainText(benchWords(w.grid()).join(u'\n'));
    }
};

void BM_LoadDimensionsClick(benchmark::State& state) {
    ShownWindow win;
    for (auto _ : state) {
        win.loadDimensions();
        QCoreApplication::processEvents();
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_LoadDimensionsClick)->Unit(benchmark::kMillisecond);

void BM_SearchEngine(benchmark::State& state) {
    LetterGrid grid;
    grid.create(kSide, kSide);
    fillRandom(grid, [&](int n, const QString& letter) { grid.setCellText(n, letter); });
    const QString words = benchWords(grid).join(QStringLiteral("\r\n"));
    DirectionFlags all;
    all.fill(true);
    for (auto _ : state) {
        Log log;
        searchWords(grid, words, all, log, core::noEventPump());
    }
}
BENCHMARK(BM_SearchEngine)->Unit(benchmark::kMillisecond);

// A 181 x 181 script of random capitals with the 300 bench words, as "Save" writes it.
QString writeBenchScript(const QString& path) {
    Solver solver;
    solver.setDimensionText(Axis::Horizontal, QString::number(kSide));
    solver.setDimensionText(Axis::Vertical, QString::number(kSide));
    solver.loadDimensions();
    fillRandom(solver.grid(),
               [&](int n, const QString& letter) { solver.grid().setCellText(n, letter); });
    solver.setWordsText(benchWords(solver.grid()).join(QStringLiteral("\r\n")));
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

void BM_SearchClick(benchmark::State& state) {
    ShownWindow win;
    win.loadDimensions();
    win.fill();
    auto* search = win.driver.get<QPushButton>("cmdSearch");
    for (auto _ : state) {
        search->click();
        QCoreApplication::processEvents();
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_SearchClick)->Unit(benchmark::kMillisecond);

void BM_SaveAndLoadScript(benchmark::State& state, bool load) {
    QTemporaryDir dir;
    const QString path = dir.filePath("big.tam");
    ShownWindow win;
    win.loadDimensions();
    win.fill();
    testing::ScriptedDialogs dialogs;
    dialogs.answerNextSave(path);
    win.driver.click("cmdSave");
    auto* button = win.driver.get<QPushButton>(load ? "cmdLoad" : "cmdSave");
    for (auto _ : state) {
        if (load) {
            dialogs.answerNextOpen(path);
        } else {
            dialogs.answerNextSave(path);
            dialogs.answerNextQuestion(ui::Answer::Yes);
        }
        button->click();
        QCoreApplication::processEvents();
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK_CAPTURE(BM_SaveAndLoadScript, save_click, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveAndLoadScript, load_click, true)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runWidgetBenchmarks(argc, argv, QStringLiteral("Tamsorel"));
}
