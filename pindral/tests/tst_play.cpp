// Play: classifying drags, the selected path and its text, matching entries and the win.
#include <QRegularExpression>
#include <QTest>

#include "pindral/engine/game.h"
#include "pindral/window/messages.h"

using namespace pindral;

Q_DECLARE_METATYPE(pindral::CellPos)

namespace {

constexpr int kSize = 10;  // pixels per square in these tests

// The pixel in the middle of a square.
qint16 mid(int cell) {
    return qint16(cell * kSize + kSize / 2);
}

// What a window makes of the game's results, in order.
struct Window {
    QStringList calls;
    QStringList messages;
};

// The puzzle drawn as rows of letters, with its placed entries given as "WORD@x,y>dir".
Puzzle puzzleOf(const QStringList& rows, const QStringList& placed) {
    Puzzle puzzle(qint16(rows.size()));
    for (int y = 0; y < rows.size(); ++y) {
        for (int x = 0; x < rows[y].size(); ++x) {
            puzzle.square(x, y).letter = rows[y][x];
            puzzle.square(x, y).hasLetter = true;
        }
    }
    for (const QString& p : placed) {
        const QStringList parts = p.split(QRegularExpression("[@,>]"));
        puzzle.placed.append({qint16(parts[1].toInt()), qint16(parts[2].toInt()), parts[3].toInt(),
                              parts[0], false});
    }
    return puzzle;
}

// A running game on a puzzle (see puzzleOf), played with the pointer in board pixels as the
// game window plays it: each square drawn as the game reports it changed, then on a release
// the found entry's tree node (counted from 1), the closing message and the whole board.
struct Play {
    Game game;
    Window window;

    Play(const QStringList& rows, const QStringList& placed) {
        game.setPuzzle(puzzleOf(rows, placed));
        game.startPlay();
    }

    void press(qint16 x, qint16 y) { game.beginSelection(squareAt(x, y, kSize)); }
    void move(qint16 x, qint16 y) {
        for (const SquareChange& c : game.extendSelection(squareAt(x, y, kSize)))
            window.calls << QStringLiteral("%1%2,%3")
                                .arg(c.selected ? "+" : "-")
                                .arg(c.cell.x)
                                .arg(c.cell.y);
    }
    void release() {
        const SelectionEnd end = game.endSelection();
        if (!end.ended) return;
        if (end.foundBefore) window.calls << QStringLiteral("again");
        if (end.found >= 0) window.calls << QStringLiteral("node %1").arg(end.found + 1);
        if (end.won) window.messages << kProgramTitle + u':' + kClosingMessage;
        window.calls << QStringLiteral("board");
    }

    // Presses on one square, moves over the others and releases.
    void drag(const QList<CellPos>& cells) {
        press(mid(cells[0].x), mid(cells[0].y));
        for (qsizetype i = 1; i < cells.size(); ++i)
            move(mid(cells[i].x), mid(cells[i].y));
        release();
    }

    QStringList solved() const {
        QStringList out;
        const Puzzle& puzzle = game.puzzle();
        for (int y = 0; y < puzzle.count; ++y) {
            QString row;
            for (int x = 0; x < puzzle.count; ++x)
                row += puzzle.square(x, y).solved ? u'#' : u'.';
            out << row;
        }
        return out;
    }
};

const QStringList kBoard = {"CATQQQ", "QOQQQQ", "QQWQQQ", "DOGQQQ", "QQQQPQ", "QQQQQE"};

QString pathText(const QList<CellPos>& path) {
    QStringList out;
    for (const CellPos& c : path)
        out << QStringLiteral("%1,%2").arg(c.x).arg(c.y);
    return out.join(u' ');
}

}  // namespace

class TestPlay : public QObject {
    Q_OBJECT
  private slots:
    void dragsAreClassified_data() {
        QTest::addColumn<int>("ax");
        QTest::addColumn<int>("ay");
        QTest::addColumn<int>("expected");
        // From the pressed square (5, 5) to the pointer's square (ax, ay).
        QTest::newRow("east") << 8 << 5 << int(DirEast);
        QTest::newRow("west") << 0 << 5 << int(DirWest);
        QTest::newRow("south") << 5 << 6 << int(DirSouth);
        QTest::newRow("north") << 5 << 1 << int(DirNorth);
        QTest::newRow("north-east") << 7 << 3 << int(DirNorthEast);
        QTest::newRow("south-east") << 9 << 9 << int(DirSouthEast);
        QTest::newRow("south-west") << 4 << 6 << int(DirSouthWest);
        QTest::newRow("north-west") << 2 << 2 << int(DirNorthWest);
        QTest::newRow("the same square") << 5 << 5 << int(DirNone);
        QTest::newRow("off the lines, right") << 7 << 6 << int(DirInvalid);
        QTest::newRow("off the lines, left") << 2 << 4 << int(DirInvalid);
        QTest::newRow("off the lines, steep") << 6 << 8 << int(DirInvalid);
    }
    void dragsAreClassified() {
        QFETCH(int, ax);
        QFETCH(int, ay);
        QFETCH(int, expected);
        QCOMPARE(Game::getDirection({qint16(ax), qint16(ay)}, {5, 5}), expected);
    }

    void aDragSelectsAStraightPath_data() {
        QTest::addColumn<QList<CellPos>>("drag");  // press, then moves
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("dir");
        QTest::newRow("east: pressed square, pointer square, then back towards the press")
            << QList<CellPos>{{0, 0}, {2, 0}} << "0,0 2,0 1,0"
            << "CAT" << int(DirEast);
        QTest::newRow("north-west from (5, 5) to (2, 2)")
            << QList<CellPos>{{5, 5}, {2, 2}} << "5,5 2,2 3,3 4,4"
            << "EPQW" << int(DirNorthWest);
        QTest::newRow("a move within the pressed square") << QList<CellPos>{{4, 4}, {4, 4}} << "4,4"
                                                          << "P" << int(DirNone);
        QTest::newRow("a move off the lines keeps the last valid selection")
            << QList<CellPos>{{0, 3}, {2, 3}, {2, 4}} << "0,3 2,3 1,3"
            << "DOG" << int(DirEast);
        QTest::newRow("every valid move replaces the selection")
            << QList<CellPos>{{0, 0}, {2, 0}, {0, 3}} << "0,0 0,3 0,2 0,1"
            << "CQQD" << int(DirSouth);
        QTest::newRow("a move off the board is ignored")
            << QList<CellPos>{{0, 0}, {1, 1}, {9, 9}} << "0,0 1,1"
            << "CO" << int(DirSouthEast);
    }
    void aDragSelectsAStraightPath() {
        QFETCH(QList<CellPos>, drag);
        QFETCH(QString, path);
        QFETCH(QString, word);
        QFETCH(int, dir);
        Play g(kBoard, {"CAT@0,0>0"});
        g.press(mid(drag[0].x), mid(drag[0].y));
        for (qsizetype i = 1; i < drag.size(); ++i)
            g.move(mid(drag[i].x), mid(drag[i].y));
        QCOMPARE(pathText(g.game.selection().path), path);
        QCOMPARE(g.game.selection().word, word);
        QCOMPARE(g.game.selection().dir, dir);
        QCOMPARE(g.game.selection().origin, drag[0]);
        // What shows selected is the path, square by square.
        for (qint16 y = 0; y < 6; ++y)
            for (qint16 x = 0; x < 6; ++x)
                QCOMPARE(g.game.squareSelected({x, y}), g.game.selection().path.contains({x, y}));
        g.release();
        QVERIFY(!g.game.squareSelected(drag[0]));
    }

    void pointerPixelsBecomeSquares_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("size");
        QTest::addColumn<CellPos>("expected");
        QTest::newRow("the last pixel of a square") << 9 << 19 << 10 << CellPos{0, 1};
        QTest::newRow("the first pixel of the next") << 10 << 20 << 10 << CellPos{1, 2};
        QTest::newRow("just left of and above the board: square 0")
            << -9 << -1 << 10 << CellPos{0, 0};
        QTest::newRow("a whole square left of the board") << -10 << 0 << 10 << CellPos{-1, 0};
        QTest::newRow("squares under 1 pixel count as 1") << 7 << -3 << 0 << CellPos{7, -3};
        QTest::newRow("the farthest pixel") << 32767 << -32768 << 1 << CellPos{32767, -32768};
    }
    void pointerPixelsBecomeSquares() {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, size);
        QFETCH(CellPos, expected);
        const CellPos cell = squareAt(qint16(x), qint16(y), size);
        QCOMPARE(QStringLiteral("%1,%2").arg(cell.x).arg(cell.y),
                 QStringLiteral("%1,%2").arg(expected.x).arg(expected.y));
    }

    void pixelsBecomeSquaresByTruncation() {
        Play g(kBoard, {"CAT@0,0>0"});
        g.press(9, 19);  // square (0, 1)
        QCOMPARE(g.game.selection().press, (CellPos{0, 1}));
        g.move(10, 19);  // square (1, 1)
        QCOMPARE(pathText(g.game.selection().path), "0,1 1,1");
        g.move(60, 10);  // one pixel past the board: ignored
        QCOMPARE(pathText(g.game.selection().path), "0,1 1,1");
    }

    void theHighlightIsErasedAndRedrawnAtEveryValidMove() {
        Play g(kBoard, {"CAT@0,0>0"});
        g.press(mid(1), mid(1));
        QVERIFY(g.window.calls.isEmpty());  // a press draws nothing
        g.move(mid(3), mid(1));
        QCOMPARE(g.window.calls, (QStringList{"+1,1", "+3,1", "+2,1"}));
        g.window.calls.clear();
        g.move(mid(3), mid(1));  // the same square again
        QCOMPARE(g.window.calls, (QStringList{"-1,1", "-3,1", "-2,1", "+1,1", "+3,1", "+2,1"}));
        g.window.calls.clear();
        g.move(mid(3), mid(2));  // off the lines: the highlight stays
        QVERIFY(g.window.calls.isEmpty());
    }

    void releasesMatchTheFirstEntryWithThatStartAndText_data() {
        QTest::addColumn<QStringList>("placed");
        QTest::addColumn<QList<CellPos>>("drag");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QStringList>("solved");
        const QStringList none = {"......", "......", "......", "......", "......", "......"};
        QTest::newRow("first to last letter")
            << QStringList{"CAT@0,0>0", "DOG@0,3>0"} << QList<CellPos>{{0, 3}, {2, 3}}
            << QStringList{"node 2", "board"}
            << QStringList{"......", "......", "......", "###...", "......", "......"};
        QTest::newRow("last to first letter finds nothing")
            << QStringList{"CAT@0,0>0"} << QList<CellPos>{{2, 0}, {0, 0}} << QStringList{"board"}
            << none;
        QTest::newRow("any straight path spelling the entry from its first square")
            << QStringList{"COW@0,0>1", "CAT@5,5>0"} << QList<CellPos>{{0, 0}, {2, 2}}
            << QStringList{"node 1", "board"}
            << QStringList{"#.....", ".#....", "..#...", "......", "......", "......"};
        QTest::newRow("the first of two entries with the same start and text")
            << QStringList{"CAT@0,0>0", "CAT@0,0>1"} << QList<CellPos>{{0, 0}, {2, 0}}
            << QStringList{"node 1", "board"}
            << QStringList{"###...", "......", "......", "......", "......", "......"};
        QTest::newRow("letter case counts")
            << QStringList{"Cat@0,0>0"} << QList<CellPos>{{0, 0}, {2, 0}} << QStringList{"board"}
            << none;
        QTest::newRow("a one-letter entry from a move within its square")
            << QStringList{"P@4,4>0"} << QList<CellPos>{{4, 4}, {4, 4}}
            << QStringList{"node 1", "board"}
            << QStringList{"......", "......", "......", "......", "....#.", "......"};
        QTest::newRow("press and release alone: the empty first selection matches nothing")
            << QStringList{"C@0,0>0"} << QList<CellPos>{{0, 0}} << QStringList{"board"} << none;
    }
    void releasesMatchTheFirstEntryWithThatStartAndText() {
        QFETCH(QStringList, placed);
        QFETCH(QList<CellPos>, drag);
        QFETCH(QStringList, calls);
        QFETCH(QStringList, solved);
        Play g(kBoard, placed << "ZZZ@5,0>1");  // one more entry keeps the game running
        g.drag(drag);
        QStringList seen = g.window.calls;
        seen.removeIf([](const QString& c) { return c.startsWith(u'+') || c.startsWith(u'-'); });
        QCOMPARE(seen, calls);
        QCOMPARE(g.solved(), solved);
        QVERIFY(g.window.messages.isEmpty());
        QVERIFY(g.game.gameActive());
        QVERIFY(!g.game.selection().selecting);
    }

    void aReleaseWithoutMovingComparesThePreviousSelection() {
        Play g(kBoard, {"CAT@0,0>0", "DOG@0,3>0"});
        g.press(mid(0), mid(3));
        g.move(mid(1), mid(3));  // "DO": no entry
        g.release();
        QVERIFY(!g.game.puzzle().placed[1].found);
        g.press(mid(5), mid(5));  // a press alone keeps "DO"
        g.release();
        QCOMPARE(g.game.selection().word, "DO");
        QCOMPARE(g.game.selection().origin, (CellPos{0, 3}));
    }

    void findingEveryEntryWinsOnce() {
        Play g(kBoard, {"CAT@0,0>0", "DOG@0,3>0"});
        g.drag({{0, 0}, {2, 0}});
        QCOMPARE(g.window.messages, QStringList{});
        QVERIFY(!g.window.calls.contains("again"));
        g.drag({{0, 0}, {2, 0}});  // found again: scrolled to, nothing else
        QCOMPARE(g.window.calls.mid(g.window.calls.size() - 3),
                 (QStringList{"again", "node 1", "board"}));
        QCOMPARE(g.window.messages, QStringList{});
        g.window.calls.clear();
        g.drag({{0, 3}, {2, 3}});
        QCOMPARE(
            g.window.messages,
            QStringList{"pZorbeck!:You win.\r\n\r\nThat's all.\r\n\r\nThank you, come again."});
        QCOMPARE(g.window.calls.mid(g.window.calls.size() - 2), (QStringList{"node 2", "board"}));
        QVERIFY(!g.game.gameActive());

        // After the win presses and releases are ignored.
        g.window.calls.clear();
        g.drag({{0, 3}, {2, 3}});
        QVERIFY(g.window.calls.isEmpty());
        QCOMPARE(g.window.messages.size(), 1);
        QCOMPARE(g.solved(),
                 (QStringList{"###...", "......", "......", "###...", "......", "......"}));
    }

    void aGameWithNothingToFindIsHarmless() {
        Play g(kBoard, {});
        QVERIFY(!g.game.gameActive());
        g.drag({{0, 0}, {2, 0}});
        QVERIFY(g.window.calls.isEmpty());
        // Even in a running game whose puzzle was replaced by one with nothing to find, a
        // release neither wins nor fails.
        Play running(kBoard, {"CAT@0,0>0"});
        running.game.setPuzzle(puzzleOf(kBoard, {}));
        QVERIFY(running.game.gameActive());
        running.drag({{0, 0}, {2, 0}});
        QCOMPARE(running.window.calls.last(), "board");
        QVERIFY(running.window.messages.isEmpty());
        QVERIFY(running.game.gameActive());
    }

    void aNewBoardForgetsTheOldSelection() {
        Play g(kBoard, {"QE@4,4>3", "CAT@0,0>0"});
        g.press(mid(5), mid(5));
        g.move(mid(2), mid(2));
        QCOMPARE(g.game.selection().path.size(), 4);
        g.game.loadWordText("AB\nCD");
        g.game.createBoard(2);
        g.game.placeWords(2, 0);
        QVERIFY(g.game.selection().path.isEmpty());
        QVERIFY(!g.game.selection().selecting);
        QCOMPARE(g.game.selection().word, QString());
        g.game.startPlay();
        g.window.calls.clear();
        g.release();  // a release with no drag on the new board
        QCOMPARE(g.window.calls, QStringList{"board"});
        for (const Square& s : g.game.puzzle().squares)
            QVERIFY(!s.solved);
    }
};

QTEST_GUILESS_MAIN(TestPlay)
#include "tst_play.moc"
