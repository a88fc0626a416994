// Pindral's costly steps: a new game from a word list, from the chosen file to the drawn
// board, and on a board of 200 squares across with the longest time no event was handled;
// the containment pass alone, fast and pair by pair; one drag step with its redraw; and the
// whole board redrawn at the screen's ratio (run once more with QT_SCALE_FACTOR=2 for ratio 2).
// The dictionary benchmarks read /usr/share/dict/words (Debian's wamerican) and are skipped
// without it.
#include <benchmark/benchmark.h>

#include "benchmain.h"

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>

#include "core/random.h"
#include "core/textfile.h"
#include "pindral/engine/containment.h"
#include "pindral/window/gamewindow.h"
#include "straightforward.h"
#include "testing/scripteddialogs.h"
#include "ui/picturebox.h"

using namespace pindral;

namespace {

const QString kDictionary = QStringLiteral("/usr/share/dict/words");

QStringList dictionaryLines() {
    const core::TextFileResult file = core::readTextFile(kDictionary);
    return file.ok ? core::splitLines(file.text) : QStringList();
}

// A scratch folder whose settings file holds settings (empty: the defaults).
struct Folder {
    QTemporaryDir dir;
    explicit Folder(const QByteArray& settings) {
        QFile file(dir.filePath("Settings.ini"));
        if (!settings.isEmpty() && file.open(QIODevice::WriteOnly)) file.write(settings);
    }
};

// A game window over a scratch folder, answering its open dialog with path at every new game.
struct Session : Folder {
    testing::ScriptedDialogs dialogs;
    GameWindow window;

    explicit Session(const QByteArray& settings = QByteArray())
        : Folder(settings), window(dir.filePath("Settings.ini"), dir.path()) {}

    void newGame(const QString& path) {
        dialogs.answerNextOpen(path);
        window.newGame();
    }
};

void newGameFrom(benchmark::State& state, const QString& path) {
    Session session;
    for (auto _ : state)
        session.newGame(path);
    state.counters["placed"] = double(session.window.game().puzzle().placed.size());
    state.counters["lines"] = double(session.window.game().words().size());
}

void BM_NewGameFromDictionary(benchmark::State& state) {
    if (!QFile::exists(kDictionary)) {
        state.SkipWithError("no /usr/share/dict/words (install wamerican)");
        return;
    }
    newGameFrom(state, kDictionary);
}
BENCHMARK(BM_NewGameFromDictionary)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The longest time in which the event loop handled no event: a zero timer fires at every pass
// of the loop, so at every pump of a long run as well.
class GapWatch : public QObject {
  public:
    void start() {
        longestMs_ = 0;
        clock_.start();
        last_ = 0;
        timer_ = startTimer(0);
    }
    // The longest gap, counting the one up to now.
    double stop() {
        record();
        killTimer(timer_);
        return longestMs_;
    }

  protected:
    void timerEvent(QTimerEvent*) override { record(); }

  private:
    void record() {
        const qint64 now = clock_.nsecsElapsed();
        longestMs_ = std::max(longestMs_, double(now - last_) / 1e6);
        last_ = now;
    }

    QElapsedTimer clock_;
    qint64 last_ = 0;
    double longestMs_ = 0;
    int timer_ = 0;
};

// "Open New Puzzle" with the dictionary on a board of 200 squares across, shown, from the click
// until the drawn board is on the screen; squares of range(0) pixels (2 fits the offscreen
// platform's 800 x 600 screen, 5 the 1600 x 1200 one of scripts/bench's X server).
void BM_NewGame200Squares(benchmark::State& state) {
    if (!QFile::exists(kDictionary)) return state.SkipWithError("no /usr/share/dict/words");
    Session session(QStringLiteral("[Settings]\nSquareSize=%1\nSquareCount=200\n")
                        .arg(state.range(0))
                        .toLatin1());
    if (session.window.settingsFile().settings().squareCount != 200)
        return state.SkipWithError("the board does not fit on this screen");
    session.window.show();
    QCoreApplication::processEvents();
    auto* play = session.window.findChild<QAbstractButton*>(QStringLiteral("cmdPlay"));
    GapWatch watch;
    double longestGapMs = 0;
    for (auto _ : state) {
        session.dialogs.answerNextOpen(kDictionary);
        watch.start();
        play->click();
        QCoreApplication::processEvents();
        longestGapMs = std::max(longestGapMs, watch.stop());
    }
    state.counters["longest_gap_ms"] = longestGapMs;
    state.counters["placed"] = double(session.window.game().puzzle().placed.size());
}
BENCHMARK(BM_NewGame200Squares)->Arg(2)->Arg(5)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_NewGameFrom30Entries(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("thirty.txt");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return state.SkipWithError("cannot write a list");
    file.write(
        "Kangaroo\nSquirrel\nHedgehog\nElephant\nGiraffe\nPenguin\nDolphin\nGorilla\n"
        "Leopard\nMonkey\nRabbit\nBadger\nBeaver\nDonkey\nFalcon\nJaguar\nWalrus\n"
        "Camel\nOtter\nTiger\nZebra\nKoala\nMoose\nPanda\nHippo\nLlama\nBison\nHorse\n"
        "Sheep\nMouse\n");
    file.close();
    newGameFrom(state, path);
}
BENCHMARK(BM_NewGameFrom30Entries)->Unit(benchmark::kMillisecond);

void BM_ContainmentFast(benchmark::State& state) {
    const QStringList lines = dictionaryLines();
    if (lines.isEmpty()) return state.SkipWithError("no /usr/share/dict/words");
    for (auto _ : state) {
        QStringList words = lines;
        removeContainedWords(words);
        benchmark::DoNotOptimize(words);
    }
    state.counters["lines"] = double(lines.size());
}
BENCHMARK(BM_ContainmentFast)->Unit(benchmark::kMillisecond);

// Comparing every pair on the dictionary's first N lines; the cost grows with N squared, so
// the whole file takes about (lines / N)^2 times as long.
void BM_ContainmentEveryPair(benchmark::State& state) {
    const QStringList lines = dictionaryLines().mid(0, state.range(0));
    if (lines.isEmpty()) return state.SkipWithError("no /usr/share/dict/words");
    for (auto _ : state) {
        QStringList words = lines;
        straightforward::removeContainedWords(words);
        benchmark::DoNotOptimize(words);
    }
    const double whole = double(dictionaryLines().size()) / double(lines.size());
    state.counters["wholeFileFactor"] = whole * whole;
}
BENCHMARK(BM_ContainmentEveryPair)->Arg(2000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);

// Placement alone on a 15 x 15 board from the dictionary's kept entries, fast and with every
// try drawn (on the first N kept entries).
void BM_PlacementDictionary(benchmark::State& state) {
    QStringList words = dictionaryLines();
    if (words.isEmpty()) return state.SkipWithError("no /usr/share/dict/words");
    removeContainedWords(words);
    words.removeAll(removalMarker());
    const bool everyTry = state.range(1) != 0;
    words = words.mid(0, state.range(0));
    core::RandomSource random;
    // The kept entries contain one another nowhere, so loading them keeps them all.
    Game game([&] { return random.nextRandom(); });
    game.loadWordText(words.join(u'\n'));
    qsizetype placed = 0;
    for (auto _ : state) {
        if (everyTry) {
            Puzzle puzzle(15);
            straightforward::placeWords(puzzle, game.words(), 15, 1,
                                        [&] { return random.nextRandom(); });
            placed = puzzle.placed.size();
        } else {
            game.createBoard(15);
            game.placeWords(15, 1);
            placed = game.puzzle().placed.size();
        }
    }
    state.counters["entries"] = double(words.size());
    state.counters["placed"] = double(placed);
}
BENCHMARK(BM_PlacementDictionary)
    ->Args({1000000, 0})
    ->Args({2000, 0})
    ->Args({2000, 1})
    ->Unit(benchmark::kMillisecond);

// One move of a drag across a 15 x 15 board of 50-pixel squares, from the pointer's move:
// the old highlight erased, the new one drawn, and the board repainted.
void BM_DragStep(benchmark::State& state) {
    Session session;
    session.newGame(QStringLiteral(WORDSEARCH_PINDRAL_LISTS "/animals.txt"));
    auto* board = session.window.findChild<ui::PictureBox*>(QStringLiteral("pBoard"));
    session.window.show();
    auto send = [board](QEvent::Type type, QPoint at) {
        QMouseEvent event(type, at, board->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(board, &event);
    };
    send(QEvent::MouseButtonPress, {25, 25});
    bool across = false;
    for (auto _ : state) {
        across = !across;
        send(QEvent::MouseMove, {725, across ? 25 : 725});
        board->repaint();
    }
    state.counters["pathLength"] = double(session.window.game().selection().path.size());
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);

// The whole 15 x 15 board of range(0)-pixel squares redrawn and shown, as after a release that
// found nothing, at the screen's device pixel ratio (the "ratio" counter): compare a run with
// QT_SCALE_FACTOR=2 against one without. Squares of 14 pixels fit the offscreen platform's
// screen at ratio 2, squares of 30 the X server's of scripts/bench.
void BM_BoardRedraw(benchmark::State& state) {
    Session session(QStringLiteral("[Settings]\nSquareSize=%1\n").arg(state.range(0)).toLatin1());
    if (session.window.settingsFile().settings().squareSize != state.range(0))
        return state.SkipWithError("the board does not fit on this screen");
    session.newGame(QStringLiteral(WORDSEARCH_PINDRAL_LISTS "/animals.txt"));
    auto* board = session.window.findChild<ui::PictureBox*>(QStringLiteral("pBoard"));
    session.window.show();
    QCoreApplication::processEvents();
    auto send = [board](QEvent::Type type) {
        const QPoint at(15, 15);
        QMouseEvent event(type, at, board->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(board, &event);
    };
    for (auto _ : state) {
        send(QEvent::MouseButtonPress);
        send(QEvent::MouseButtonRelease);
        QCoreApplication::processEvents();
    }
    state.counters["ratio"] = board->devicePixelRatioF();
    state.counters["backing_px"] = double(board->image().width());
}
BENCHMARK(BM_BoardRedraw)->Arg(14)->Arg(30)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runWidgetBenchmarks(argc, argv, QStringLiteral("Pindral"));
}
