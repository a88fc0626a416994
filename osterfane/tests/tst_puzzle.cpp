// Puzzle construction: fit and crossing rules, the order of the random draws, the two failure
// outcomes, the fill, and a validity check over many random builds.
#include <deque>
#include <random>

#include <QTest>

#include "core/letters.h"
#include "engine/puzzle.h"

using namespace osterfane;

namespace {

// A random source that answers a script, then cycles through a tail so that a search that
// needs more draws still ends. Counts the draws; as the event pump, counts the pumps and
// lets the search go on for as long as stopAfter allows.
struct ScriptedHooks : core::EventPump {
    std::deque<double> script;
    QList<double> tail{0.0, 0.3, 0.6, 0.9};
    int draws = 0;
    int pumps = 0;
    int stopAfter = -1;  // the pump that answers "stop"; -1 for none

    std::function<double()> nextRandom() {
        return [this] {
            ++draws;
            if (script.empty()) return tail[(draws - 1) % tail.size()];
            const double r = script.front();
            script.pop_front();
            return r;
        };
    }
    bool pumpEvents() override { return ++pumps != stopAfter; }
};

// The letter grid as rows of text; an empty cell shows as '.', a never-built cell as '#'.
QStringList letters(const Puzzle& p) {
    QStringList rows;
    for (int y = 0; y < p.size(); ++y) {
        QString row;
        for (int x = 0; x < p.size(); ++x) {
            const char16_t c = p.letterAt(x, y);
            row += c == Puzzle::kEmpty ? u'.' : c == 0 ? u'#' : QChar(char16_t(c));
        }
        rows << row;
    }
    return rows;
}

// The direction grid as rows of digits.
QStringList directions(const Puzzle& p) {
    QStringList rows;
    for (int y = 0; y < p.size(); ++y) {
        QString row;
        for (int x = 0; x < p.size(); ++x)
            row += QChar(u'0' + p.dirAt(x, y));
        rows << row;
    }
    return rows;
}

struct Placed {
    QString word;
    qint16 x = 0;
    qint16 y = 0;
    qint16 dir = 0;
};

Puzzle puzzleWith(int n, const QList<Placed>& placed) {
    Puzzle p(n);
    p.clearPuzzle(n);
    for (const Placed& w : placed)
        p.putWord(w.word, w.x, w.y, w.dir);
    return p;
}

}  // namespace

Q_DECLARE_METATYPE(Placed)
Q_DECLARE_METATYPE(QList<Placed>)
Q_DECLARE_METATYPE(Solution)

class TestPuzzle : public QObject {
    Q_OBJECT
  private slots:
    void wordsTooLong_data() {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("index");
        QTest::newRow("empty list") << QStringList{} << 10 << -1;
        QTest::newRow("a word exactly n long is accepted") << QStringList{"abcdefghij"} << 10 << -1;
        QTest::newRow("second word one too long") << QStringList{"ab", "abcdefghijk"} << 10 << 1;
        QTest::newRow("the first too-long word counts")
            << QStringList{"abc", "abcd", "abcde"} << 3 << 1;
    }
    void wordsTooLong() {
        QFETCH(QStringList, words);
        QFETCH(int, n);
        QFETCH(int, index);
        QCOMPARE(Puzzle::wordsTooLong(words, n), index);
    }

    void letterCodes_data() {
        QTest::addColumn<QChar>("c");
        QTest::addColumn<int>("code");
        QTest::newRow("lower case") << QChar(u'q') << int('Q');
        QTest::newRow("digit stays") << QChar(u'7') << int('7');
        QTest::newRow("Latin-1 letter") << QChar(u'\u00e9') << 0xC9;
        QTest::newRow("y with diaeresis takes its capital outside Latin-1")
            << QChar(u'\u00ff') << 0x178;
        QTest::newRow("Cyrillic") << QChar(u'\u0436') << 0x416;
        QTest::newRow("Greek final sigma becomes sigma") << QChar(u'\u03c2') << 0x3A3;
        QTest::newRow("a sign stays") << QChar(u'\u20ac') << 0x20AC;
    }
    void letterCodes() {
        QFETCH(QChar, c);
        QFETCH(int, code);
        QCOMPARE(int(Puzzle::letterCode(c)), code);
    }

    void isDirPossible_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QList<Placed>>("placed");
        QTest::addColumn<Placed>("query");
        QTest::addColumn<bool>("possible");
        const QList<Placed> none;
        QTest::newRow("whole row from column 0")
            << 10 << none << Placed{"abcdefghij", 0, 0, kRight} << true;
        QTest::newRow("whole row from column 1")
            << 10 << none << Placed{"abcdefghij", 1, 0, kRight} << false;
        QTest::newRow("down to the last row") << 10 << none << Placed{"abc", 4, 7, kDown} << true;
        QTest::newRow("down past the last row")
            << 10 << none << Placed{"abc", 4, 8, kDown} << false;
        QTest::newRow("down-right past the bottom")
            << 10 << none << Placed{"abc", 2, 8, kDownRight} << false;
        QTest::newRow("up-right too near the top")
            << 10 << none << Placed{"abcd", 3, 2, kUpRight} << false;
        QTest::newRow("up-right just fits") << 10 << none << Placed{"abcd", 3, 3, kUpRight} << true;
        QTest::newRow("up-right past the right")
            << 10 << none << Placed{"abcd", 7, 3, kUpRight} << false;
        QTest::newRow("code 0 never fits") << 10 << none << Placed{"ab", 0, 0, 0} << false;
        QTest::newRow("code 5 never fits") << 10 << none << Placed{"ab", 0, 0, 5} << false;
        QTest::newRow("start left of the grid")
            << 10 << none << Placed{"ab", -1, 0, kRight} << false;
        QTest::newRow("start below the grid")
            << 10 << none << Placed{"ab", 0, 10, kUpRight} << false;

        const QList<Placed> abcRight{{"abc", 0, 0, kRight}};
        QTest::newRow("starts right after a word of its direction")
            << 10 << abcRight << Placed{"def", 3, 0, kRight} << false;
        QTest::newRow("one free cell after a word of its direction")
            << 10 << abcRight << Placed{"def", 4, 0, kRight} << true;
        QTest::newRow("ends right before a word of its direction")
            << 10 << QList<Placed>{{"abc", 5, 0, kRight}} << Placed{"de", 3, 0, kRight} << false;
        QTest::newRow("one free cell before a word of its direction")
            << 10 << QList<Placed>{{"abc", 5, 0, kRight}} << Placed{"de", 2, 0, kRight} << true;
        QTest::newRow("part of a word of its direction, equal letters")
            << 10 << QList<Placed>{{"abcd", 0, 0, kRight}} << Placed{"bc", 1, 0, kRight} << false;
        QTest::newRow("one shared cell with its direction, ends crossed over")
            << 10 << QList<Placed>{{"abc", 0, 0, kRight}, {"aq", 0, 0, kDown}, {"cr", 2, 0, kDown}}
            << Placed{"abc", 0, 0, kRight} << false;
        QTest::newRow("touching the end of another direction")
            << 10 << abcRight << Placed{"de", 3, 0, kDown} << true;
        QTest::newRow("down-right right after a down-right word")
            << 10 << QList<Placed>{{"abc", 0, 0, kDownRight}} << Placed{"de", 3, 3, kDownRight}
            << false;
        QTest::newRow("down-right with a gap") << 10 << QList<Placed>{{"abc", 0, 0, kDownRight}}
                                               << Placed{"de", 4, 4, kDownRight} << true;
        QTest::newRow("up-right right after an up-right word")
            << 10 << QList<Placed>{{"abc", 0, 5, kUpRight}} << Placed{"de", 3, 2, kUpRight}
            << false;
        QTest::newRow("down right before a down word")
            << 10 << QList<Placed>{{"abc", 1, 5, kDown}} << Placed{"de", 1, 3, kDown} << false;

        const QList<Placed> abcRow5{{"abc", 0, 5, kRight}};
        QTest::newRow("crossing on an equal letter")
            << 10 << abcRow5 << Placed{"xbz", 1, 4, kDown} << true;
        QTest::newRow("crossing on an equal letter in another case")
            << 10 << abcRow5 << Placed{"XBZ", 1, 4, kDown} << true;
        QTest::newRow("crossing on a different letter")
            << 10 << abcRow5 << Placed{"xyz", 1, 4, kDown} << false;
        QTest::newRow("crossing a crossing's later word")
            << 10 << QList<Placed>{{"abc", 0, 5, kRight}, {"xbz", 1, 4, kDown}}
            << Placed{"qb", 1, 5, kRight} << false;
    }
    void isDirPossible() {
        QFETCH(int, n);
        QFETCH(QList<Placed>, placed);
        QFETCH(Placed, query);
        QFETCH(bool, possible);
        const Puzzle p = puzzleWith(n, placed);
        QCOMPARE(p.isDirPossible(query.dir, query.word, query.x, query.y), possible);
    }

    void putWordRecordsItsSolution_data() {
        QTest::addColumn<Placed>("word");
        QTest::addColumn<QStringList>("picture");
        QTest::addColumn<Solution>("solution");
        QTest::newRow("down") << Placed{"abc", 1, 0, kDown}
                              << QStringList{".A...", ".B...", ".C...", ".....", "....."}
                              << Solution{1, 0, 1, 2};
        QTest::newRow("right") << Placed{"abc", 2, 4, kRight}
                               << QStringList{".....", ".....", ".....", ".....", "..ABC"}
                               << Solution{2, 4, 4, 4};
        QTest::newRow("down-right")
            << Placed{"abc", 0, 1, kDownRight}
            << QStringList{".....", "A....", ".B...", "..C..", "....."} << Solution{0, 1, 2, 3};
        QTest::newRow("up-right") << Placed{"abcd", 1, 4, kUpRight}
                                  << QStringList{".....", "....D", "...C.", "..B..", ".A..."}
                                  << Solution{1, 4, 4, 1};
        QTest::newRow("reversed word starts at its last letter")
            << Placed{core::reversed(u"dog"), 0, 0, kRight}
            << QStringList{"GOD..", ".....", ".....", ".....", "....."} << Solution{0, 0, 2, 0};
    }
    void putWordRecordsItsSolution() {
        QFETCH(Placed, word);
        QFETCH(QStringList, picture);
        QFETCH(Solution, solution);
        const Puzzle p = puzzleWith(5, {word});
        QCOMPARE(letters(p), picture);
        QCOMPARE(p.solutions(), QList<Solution>{solution});
    }

    void crossingKeepsTheLaterCode() {
        const Puzzle p = puzzleWith(5, {{"abc", 0, 2, kRight}, {"xbz", 1, 1, kDown}});
        QCOMPARE(letters(p), (QStringList{".....", ".X...", "ABC..", ".Z...", "....."}));
        QCOMPARE(directions(p), (QStringList{"00000", "01000", "21200", "01000", "00000"}));
    }

    void startUpAndClearedGrids() {
        Puzzle p;
        QCOMPARE(p.size(), 10);
        QCOMPARE(p.letterAt(9, 9), char16_t(0));
        p.putWord("ab", 0, 0, kRight);
        p.clearPuzzle(3);
        QCOMPARE(letters(p), (QStringList{"...", "...", "..."}));
        QVERIFY(p.solutions().isEmpty());
        p.clearPuzzle(-4);
        QCOMPARE(p.size(), 0);
    }

    // The draws come in a fixed order: x, y, inversion when enabled, direction; then for each
    // retry x, y and directions until one fits or all four were tried.
    void drawOrder_data() {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<QList<double>>("script");
        QTest::addColumn<QStringList>("picture");
        QTest::addColumn<QList<Solution>>("solutions");
        QTest::addColumn<int>("draws");
        QTest::addColumn<int>("pumps");
        QTest::newRow("first attempt fits, no inversion draw")
            << QStringList{"cat"} << false << QList<double>{0.2, 0.4, 0.3}
            << QStringList{".....", ".....", ".CAT.", ".....", "....."}
            << QList<Solution>{{1, 2, 3, 2}} << 3 << 0;
        QTest::newRow("inversion draw comes before the direction")
            << QStringList{"cat"} << true << QList<double>{0.2, 0.4, 0.5, 0.3}
            << QStringList{".....", ".....", ".TAC.", ".....", "....."}
            << QList<Solution>{{1, 2, 3, 2}} << 4 << 0;
        QTest::newRow("inversion draw of 0 keeps the word")
            << QStringList{"cat"} << true << QList<double>{0.2, 0.4, 0.49, 0.0}
            << QStringList{".....", ".....", ".C...", ".A...", ".T..."}
            << QList<Solution>{{1, 2, 1, 4}} << 4 << 0;
        QTest::newRow("one retry with a new start")
            << QStringList{"cat"} << false << QList<double>{0.9, 0.9, 0.3, 0.0, 0.0, 0.6}
            << QStringList{"C....", ".A...", "..T..", ".....", "....."}
            << QList<Solution>{{0, 0, 2, 2}} << 6 << 1;
        QTest::newRow("a retry tries all four codes, repeats allowed")
            << QStringList{"cat"} << false
            << QList<double>{0.9, 0.9, 0.3, 0.9, 0.9, 0.0, 0.0, 0.3, 0.6, 0.9, 0.0, 0.8, 0.9}
            << QStringList{".....", ".....", "..T..", ".A...", "C...."}
            << QList<Solution>{{0, 4, 2, 2}} << 13 << 2;
        QTest::newRow("second word crosses the first")
            << QStringList{"cat", "act"} << false << QList<double>{0.0, 0.0, 0.3, 0.2, 0.0, 0.0}
            << QStringList{"CAT..", ".C...", ".T...", ".....", "....."}
            << QList<Solution>{{0, 0, 2, 0}, {1, 0, 1, 2}} << 6 << 0;
    }
    void drawOrder() {
        QFETCH(QStringList, words);
        QFETCH(bool, inverted);
        QFETCH(QList<double>, script);
        QFETCH(QStringList, picture);
        QFETCH(QList<Solution>, solutions);
        QFETCH(int, draws);
        QFETCH(int, pumps);
        ScriptedHooks random;
        random.script.assign(script.begin(), script.end());
        Puzzle p(5, random.nextRandom());
        p.clearPuzzle(5);
        QCOMPARE(p.createPuzzle(words, 5, inverted, random).kind, PuzzleOutcome::Kind::AllPlaced);
        QCOMPARE(letters(p), picture);
        QCOMPARE(p.solutions(), solutions);
        QCOMPARE(random.draws, draws);
        QCOMPARE(random.pumps, pumps);
    }

    void tooLongPlacesNothing() {
        ScriptedHooks random;
        Puzzle p(5, random.nextRandom());
        p.clearPuzzle(5);
        const PuzzleOutcome outcome = p.createPuzzle({"cat", "Giraffe", "dog"}, 5, true, random);
        QCOMPARE(outcome.kind, PuzzleOutcome::Kind::TooLong);
        QCOMPARE(outcome.index, qint16(1));
        QCOMPARE(outcome.word, QStringLiteral("Giraffe"));
        QCOMPARE(random.draws, 0);
        QVERIFY(p.solutions().isEmpty());
    }

    // In a 3 x 3 grid holding ABC across the top and AEF down the left, no line of three
    // cells is free for XYZ. A pump that answers "stop" ends the search at once.
    void noRoomOnTheThirdOfFive_data() {
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<QList<double>>("script");
        QTest::addColumn<int>("stopAfter");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("pumps");
        const QList<double> asListed{0.0, 0.0, 0.3, 0.0, 0.0, 0.0};
        const int noRoom = int(PuzzleOutcome::Kind::NoRoom);
        QTest::newRow("as listed")
            << false << asListed << -1 << noRoom << "Xyz" << Puzzle::kMaxRetries;
        QTest::newRow("inverted word named reversed")
            << true << QList<double>{0.0, 0.0, 0.0, 0.3, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.7} << -1
            << noRoom << "zyX" << Puzzle::kMaxRetries;
        QTest::newRow("stopped after the first retry")
            << false << asListed << 1 << int(PuzzleOutcome::Kind::Stopped) << "" << 1;
        QTest::newRow("stopped on the last retry")
            << false << asListed << Puzzle::kMaxRetries << int(PuzzleOutcome::Kind::Stopped) << ""
            << Puzzle::kMaxRetries;
    }
    void noRoomOnTheThirdOfFive() {
        QFETCH(bool, inverted);
        QFETCH(QList<double>, script);
        QFETCH(int, stopAfter);
        QFETCH(int, kind);
        QFETCH(QString, word);
        QFETCH(int, pumps);
        ScriptedHooks random;
        random.script.assign(script.begin(), script.end());
        random.tail = {0.1, 0.5, 0.9, 0.0, 0.3, 0.6, 0.95};
        random.stopAfter = stopAfter;
        Puzzle p(3, random.nextRandom());
        p.clearPuzzle(3);
        const PuzzleOutcome outcome =
            p.createPuzzle({"abc", "aef", "Xyz", "ghi", "jkl"}, 3, inverted, random);
        QCOMPARE(int(outcome.kind), kind);
        QCOMPARE(outcome.word, word);
        QCOMPARE(random.pumps, pumps);
        QCOMPARE(p.solutions(), (QList<Solution>{{0, 0, 2, 0}, {0, 0, 0, 2}}));
        QCOMPARE(letters(p), (QStringList{"ABC", "E..", "F.."}));
    }

    // Draws for a size larger than the grid can only lead to starts that do not fit.
    void sizeLargerThanTheGridStaysInside() {
        Puzzle p(4);
        p.clearPuzzle(4);
        const PuzzleOutcome outcome = p.createPuzzle({"abcd", "efg", "hi", "jklmnop"}, 40, true);
        for (const Solution& s : p.solutions()) {
            for (const qint16 c : {s.x1, s.y1, s.x2, s.y2})
                QVERIFY(c >= 0 && c < 4);
        }
        QCOMPARE(outcome.kind, PuzzleOutcome::Kind::NoRoom);
        QCOMPARE(outcome.word.size(), 7);
    }

    void fillSkipsWordsInRowOrder() {
        ScriptedHooks random;
        Puzzle p(3, random.nextRandom());
        p.clearPuzzle(3);
        p.putWord("ab", 0, 1, kRight);
        random.script = {0.0, 0.5, 0.9999, 0.25, 0.0, 0.5, 0.9999};
        p.fillRemainingWithRandom();
        QCOMPARE(letters(p), (QStringList{"ANZ", "ABG", "ANZ"}));
        QCOMPARE(directions(p), (QStringList{"000", "220", "000"}));
        QCOMPARE(random.draws, 7);
    }

    void fillMakesAandZHalfAsLikely() {
        Puzzle p(200);
        p.clearPuzzle(200);
        p.fillRemainingWithRandom();
        QList<int> counts(26, 0);
        for (int y = 0; y < p.size(); ++y) {
            for (int x = 0; x < p.size(); ++x) {
                const int c = p.letterAt(x, y);
                QVERIFY2(c >= 'A' && c <= 'Z', qPrintable(QString::number(c)));
                ++counts[c - 'A'];
            }
        }
        const double cells = 200.0 * 200.0;
        for (int i = 0; i < 26; ++i) {
            const double expected = (i == 0 || i == 25) ? 1.0 / 50 : 1.0 / 25;
            QVERIFY2(qAbs(counts[i] / cells - expected) < expected * 0.15,
                     qPrintable(QStringLiteral("%1: %2").arg(QChar(u'A' + i)).arg(counts[i])));
        }
    }

    // Every program start gives the same sequence of puzzles for the same inputs.
    void sameInputsGiveSamePuzzles() {
        const QStringList words{"apple", "pear", "plum", "fig", "cherry", "lime"};
        const auto builds = [&] {
            Puzzle p(10);
            QList<QStringList> pictures;
            for (int i = 0; i < 3; ++i) {
                p.clearPuzzle(10);
                p.createPuzzle(words, 10, true);
                p.fillRemainingWithRandom();
                pictures << letters(p);
            }
            return pictures;
        };
        const QList<QStringList> first = builds();
        QCOMPARE(builds(), first);
        QVERIFY(first[0] != first[1]);
    }

    void manyRandomBuildsAreValid() {
        std::mt19937 gen(20261207);
        const auto below = [&gen](int m) { return int(gen() % unsigned(m)); };
        Puzzle p(10);
        for (int build = 0; build < 400; ++build) {
            const int n = 3 + below(18);
            QStringList words;
            const int count = below(2 * n);
            for (int i = 0; i < count; ++i) {
                QString w;
                const int length = 2 + below(n - 1);
                for (int k = 0; k < length; ++k)
                    w += QChar(u'a' + below(5));  // many crossings
                words << w;
            }
            const bool inverted = build % 2 == 1;
            p.clearPuzzle(n);
            const PuzzleOutcome outcome = p.createPuzzle(words, n, inverted);
            p.fillRemainingWithRandom();
            const QString where =
                QStringLiteral("build %1, n %2, words %3").arg(build).arg(n).arg(words.join(u','));
            QVERIFY2(outcome.kind != PuzzleOutcome::Kind::TooLong, qPrintable(where));
            checkValid(p, words, qPrintable(where));
        }
    }

    void sizeFromText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("size");  // 0: refused
        QTest::newRow("designed") << "10" << 10;
        QTest::newRow("leading number of 12abc") << "12abc" << 12;
        QTest::newRow("leading blanks") << "  7" << 7;
        QTest::newRow("smallest") << "1" << 1;
        QTest::newRow("largest") << "450" << 450;
        QTest::newRow("whole with a point") << "12.0" << 12;
        QTest::newRow("too large") << "451" << 0;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("negative") << "-3" << 0;
        QTest::newRow("fractional") << "2.5" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("letters first") << "abc12" << 0;
    }
    void sizeFromText() {
        QFETCH(QString, text);
        QFETCH(int, size);
        QCOMPARE(osterfane::sizeFromText(text, 450).value_or(0), size);
    }

  private:
    // Each placed word spells its word or its reverse along one of the four directions; no two
    // words of one direction share a cell or touch end to end; every cell holds A to Z.
    static void checkValid(const Puzzle& p, const QStringList& words, const char* where) {
        QVERIFY2(p.solutions().size() <= words.size(), where);
        QList<QList<std::pair<int, int>>> cellsOf;
        QList<std::pair<int, int>> steps;
        for (qsizetype i = 0; i < p.solutions().size(); ++i) {
            const Solution& s = p.solutions()[i];
            const int dx = s.x2 > s.x1 ? 1 : 0;
            const int dy = s.y2 > s.y1 ? 1 : s.y2 < s.y1 ? -1 : 0;
            QVERIFY2(dx != 0 || dy == 1, where);
            QString spelled;
            QList<std::pair<int, int>> cells;
            for (int k = 0; k < words[i].size(); ++k) {
                const int x = s.x1 + k * dx;
                const int y = s.y1 + k * dy;
                QVERIFY2(x >= 0 && y >= 0 && x < p.size() && y < p.size(), where);
                spelled += QChar(char16_t(p.letterAt(x, y)));
                cells.append({x, y});
            }
            QCOMPARE(cells.last(), std::make_pair(int(s.x2), int(s.y2)));
            const QString word = words[i].toUpper();
            QVERIFY2(spelled == word || spelled == core::reversed(word), where);
            cellsOf << cells;
            steps.append({dx, dy});
        }
        for (qsizetype i = 0; i < cellsOf.size(); ++i) {
            for (qsizetype j = 0; j < i; ++j) {
                if (steps[i] != steps[j]) continue;
                const auto [dx, dy] = steps[i];
                QList<std::pair<int, int>> reach = cellsOf[j];
                reach.append({cellsOf[j].first().first - dx, cellsOf[j].first().second - dy});
                reach.append({cellsOf[j].last().first + dx, cellsOf[j].last().second + dy});
                for (const auto& cell : cellsOf[i])
                    QVERIFY2(!reach.contains(cell), where);
            }
        }
        for (int y = 0; y < p.size(); ++y) {
            for (int x = 0; x < p.size(); ++x) {
                QVERIFY2(p.letterAt(x, y) >= 'A' && p.letterAt(x, y) <= 'Z', where);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestPuzzle)
#include "tst_puzzle.moc"
