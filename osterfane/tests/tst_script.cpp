// Built puzzles as scripts of the grid solver: which of the solver's searches finds each of the
// creator's readings, the lines written, and the round trip through a file, the solver's reader
// and its searches.
#include <random>

#include <QTemporaryDir>
#include <QTest>

#include "core/letters.h"
#include "core/random.h"
#include "core/textfile.h"
#include "engine/puzzlescript.h"
#include "tamsorel/engine/solver.h"

using namespace osterfane;
using tamsorel::Direction;

namespace {

// The cells a solution covers, as the solver numbers them (row by row from 1).
QList<int> cellsOf(const Solution& s, int n) {
    const int dx = s.x2 > s.x1 ? 1 : s.x2 < s.x1 ? -1 : 0;
    const int dy = s.y2 > s.y1 ? 1 : s.y2 < s.y1 ? -1 : 0;
    QList<int> cells;
    for (int x = s.x1, y = s.y1;; x += dx, y += dy) {
        cells << tamsorel::cellIndex(n, x + 1, y + 1);
        if (x == s.x2 && y == s.y2) break;
    }
    return cells;
}

// The cells of the solver's grid that a search run marked found.
QList<int> foundCells(const tamsorel::Solver& solver) {
    QList<int> found;
    for (int n = 1; n <= solver.grid().cellCount(); ++n)
        if (solver.grid().backColor(n) == tamsorel::kFoundBack) found << n;
    return found;
}

}  // namespace

class TestScript : public QObject {
    Q_OBJECT
  private slots:
    // Each of the creator's eight readings, laid alone into a grid of dots, is found by the
    // search named for it and by no other.
    void eachReadingHasItsSearch_data() {
        QTest::addColumn<int>("dir");
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<int>("search");
        QTest::newRow("down") << int(kDown) << false << int(Direction::VertFront);
        QTest::newRow("up") << int(kDown) << true << int(Direction::VertBack);
        QTest::newRow("right") << int(kRight) << false << int(Direction::HorFront);
        QTest::newRow("left") << int(kRight) << true << int(Direction::HorBack);
        QTest::newRow("down-right") << int(kDownRight) << false << int(Direction::DiagFront);
        QTest::newRow("up-left") << int(kDownRight) << true << int(Direction::DiagBack);
        QTest::newRow("up-right") << int(kUpRight) << false << int(Direction::DiagBack);
        QTest::newRow("down-left") << int(kUpRight) << true << int(Direction::DiagFront);
    }
    void eachReadingHasItsSearch() {
        QFETCH(int, dir);
        QFETCH(bool, reversed);
        QFETCH(int, search);
        QCOMPARE(int(*searchFinding(qint16(dir), reversed)), search);
        const QString word = QStringLiteral("WORD");
        Puzzle puzzle(6);
        puzzle.clearPuzzle(6);
        const qint16 startRow = dir == kUpRight ? 4 : 1;
        puzzle.putWord(reversed ? core::reversed(word) : word, 1, startRow, qint16(dir));
        QList<int> cells = cellsOf(puzzle.solutions()[0], 6);
        std::sort(cells.begin(), cells.end());
        for (Direction d : tamsorel::kAllDirections) {
            tamsorel::Solver solver;
            for (const QString& line : puzzleScript(puzzle, {word}, true))
                solver.executeScriptLine(line);
            for (Direction other : tamsorel::kAllDirections)
                solver.setTicked(other, other == d);
            solver.searchWords();
            QVERIFY2((foundCells(solver) == cells) == (int(d) == search),
                     qPrintable(tamsorel::directionKeyword(d)));
        }
    }

    // The script claims only the searches a build's readings need.
    void theScriptTicksWhatTheBuildNeeds_data() {
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<QStringList>("ticked");
        QTest::newRow("words as written")
            << false << QStringList{"horfront", "vertfront", "diagfront", "diagback"};
        QTest::newRow("reversed words too")
            << true
            << QStringList{"horfront", "horback", "vertfront", "vertback", "diagfront", "diagback"};
    }
    void theScriptTicksWhatTheBuildNeeds() {
        QFETCH(bool, inverted);
        QFETCH(QStringList, ticked);
        Puzzle puzzle(3);
        puzzle.clearPuzzle(3);
        puzzle.putWord(QStringLiteral("ÉTÉ"), 0, 0, kRight);
        puzzle.putWord(QStringLiteral("ÉZ"), 0, 0, kDown);
        puzzle.fillRemainingWithRandom();
        const QStringList lines = puzzleScript(puzzle, {u"ÉTÉ"_qs, u"ÉZ"_qs}, inverted);
        QCOMPARE(lines.mid(0, 2), (QStringList{"reset", "dim 3 3"}));
        QCOMPARE(lines.mid(2, ticked.size()), ticked);
        QCOMPARE(lines.mid(2 + ticked.size(), 4),
                 (QStringList{u"con 1 É"_qs, "con 2 T", u"con 3 É"_qs, "con 4 Z"}));
        QCOMPARE(lines.size(), 2 + ticked.size() + 9 + 2);
        QCOMPARE(lines.mid(lines.size() - 2), (QStringList{u"word ÉTÉ"_qs, u"word ÉZ"_qs}));
        QVERIFY(fitsAScript(2) && fitsAScript(181) && !fitsAScript(1) && !fitsAScript(182));
    }

    // Random builds of several sizes, with and without reversed words, written to a file and
    // loaded by the solver's reader: its search finds every cell of every placed word.
    void everyPlacedWordIsFoundAfterTheRoundTrip() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("puzzle.tam"));
        std::mt19937 gen(20);
        core::RandomSource random;
        int placed = 0;
        for (int round = 0; round < 60; ++round) {
            const int n = 2 + int(gen() % 24);
            const bool inverted = round % 2 == 1;
            QStringList words;
            for (int w = 0; w < 12; ++w) {
                QString word;
                const int length = 2 + int(gen() % std::min(n - 1, 9));
                for (int k = 0; k < length; ++k)
                    word += QChar(u"abcdeжщéß"[gen() % 9]);
                words << word;
            }
            Puzzle puzzle(n, [&random] { return random.nextRandom(); });
            puzzle.clearPuzzle(n);
            puzzle.createPuzzle(words, n, inverted);
            puzzle.fillRemainingWithRandom();
            const QStringList onGrid = placedWords(words, puzzle);
            QCOMPARE(core::writeFileAtomically(
                         path, core::joinCrLfUtf8(puzzleScript(puzzle, onGrid, inverted))),
                     QString());

            tamsorel::Solver solver;
            QVERIFY(solver.loadScript(path));
            QCOMPARE(int(solver.grid().gridCols()), n);
            QCOMPARE(tamsorel::splitWords(solver.wordsText()).mid(0, onGrid.size()), onGrid);
            solver.searchWords();
            const QList<int> found = foundCells(solver);
            for (const Solution& s : puzzle.solutions()) {
                for (int cell : cellsOf(s, n))
                    QVERIFY2(found.contains(cell),
                             qPrintable(QStringLiteral("round %1").arg(round)));
                ++placed;
            }
        }
        QVERIFY(placed > 300);
    }
};

QTEST_GUILESS_MAIN(TestScript)
#include "tst_script.moc"
