// Board generation: reading word lists, removing contained entries, placing and filling.
#include <random>

#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include "core/random.h"
#include "pindral/engine/containment.h"
#include "pindral/engine/game.h"
#include "straightforward.h"

using namespace pindral;

namespace {

// Entries as the tests write them: "M" stands for the removal marker.
QStringList shown(const QStringList& words) {
    QStringList out;
    for (const QString& w : words)
        out << (w == removalMarker() ? QStringLiteral("M") : w);
    return out;
}

QString xs(int count) {
    return QString(count, u'x');
}

// A random source that answers the scripted values in order, then `rest` for ever.
struct Script {
    QList<double> values;
    double rest = 0.99;  // a fill of "Z"
    int calls = 0;
    double next() {
        const int i = calls++;
        return i < values.size() ? values[i] : rest;
    }
};

QStringList placedText(const QList<PlacedWord>& placed) {
    QStringList out;
    for (const PlacedWord& p : placed)
        out << QStringLiteral("%1@%2,%3>%4").arg(p.word).arg(p.x).arg(p.y).arg(p.dir);
    return out;
}

// The text a placed entry covers on the board.
QString readOnBoard(const Puzzle& puzzle, const PlacedWord& p) {
    QString text;
    for (int k = 0; k < p.word.size(); ++k)
        text += puzzle.square(p.x + k * stepX(p.dir), p.y + k * stepY(p.dir)).letter;
    return text;
}

}  // namespace

class TestBoard : public QObject {
    Q_OBJECT
  private slots:
    void containedEntriesAreOverwritten_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("the later of two equal entries goes")
            << QStringList{"CAT", "DOG", "CAT"} << QStringList{"CAT", "DOG", "M"};
        QTest::newRow("an entry inside a longer one goes, whichever comes first")
            << QStringList{"CAT", "CATALOG", "CAT"} << QStringList{"M", "CATALOG", "M"};
        QTest::newRow("an entry inside a later one goes")
            << QStringList{"CATALOG", "LOG"} << QStringList{"CATALOG", "M"};
        QTest::newRow("an empty line goes once any line has text")
            << QStringList{"CAT", "", "DOG"} << QStringList{"CAT", "M", "DOG"};
        QTest::newRow("nothing occurs in an empty entry")
            << QStringList{"", ""} << QStringList{"", ""};
        QTest::newRow("entries differing in case both stay")
            << QStringList{"Dog", "dog", "DOG"} << QStringList{"Dog", "dog", "DOG"};
        QTest::newRow("runs of x stay while there is no marker")
            << QStringList{"xx", "fog", "xxx"} << QStringList{"M", "fog", "xxx"};
        QTest::newRow("runs of x fall to a marker written earlier")
            << QStringList{"CAT", "CAT", "xx", "xxxx"} << QStringList{"CAT", "M", "M", "M"};
        QTest::newRow("a run of x before the first marker falls too")
            << QStringList{"xy", "CAT", "CAT"} << QStringList{"xy", "CAT", "M"};
        QTest::newRow("a run of x before the marker")
            << QStringList{"xxq", "CAT", "CAT", "xxxxxxxxx"} << QStringList{"xxq", "CAT", "M", "M"};
        QTest::newRow("1000 x from the file fall to a later marker")
            << QStringList{xs(1000), "CAT", "CAT"} << QStringList{"M", "CAT", "M"};
        QTest::newRow("1001 x are longer than the marker and stay")
            << QStringList{"CAT", "CAT", xs(1001)} << QStringList{"CAT", "M", xs(1001)};
        QTest::newRow("a space and punctuation count")
            << QStringList{"ICE CREAM", "CREAM", "E C", "ice-cream"}
            << QStringList{"ICE CREAM", "M", "M", "ice-cream"};
    }
    void containedEntriesAreOverwritten() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, expected);
        QStringList words = lines;
        removeContainedWords(words);
        QCOMPARE(shown(words), expected);
        QStringList reference = lines;
        straightforward::removeContainedWords(reference);
        QCOMPARE(shown(reference), expected);
    }

    // The fast pass against comparing every pair, on many small lists full of the awkward
    // cases: duplicates, empty lines, case variants and runs of x.
    void fastPassAgreesWithEveryPairCompared() {
        std::mt19937 random(20240607);
        const QStringList pieces = {"a", "b", "x", "x", "A", "ab", "xx", ""};
        int markers = 0;
        for (int round = 0; round < 6000; ++round) {
            QStringList words;
            const int count = int(random() % 9);
            for (int i = 0; i < count; ++i) {
                QString w;
                const int parts = int(random() % 4);
                for (int p = 0; p < parts; ++p)
                    w += pieces[random() % pieces.size()];
                if (random() % 40 == 0) w = xs(998 + int(random() % 5));
                words << w;
            }
            QStringList fast = words, reference = words;
            removeContainedWords(fast);
            straightforward::removeContainedWords(reference);
            markers += int(reference.count(removalMarker()));
            if (fast != reference)
                QFAIL(qPrintable(QStringLiteral("list {%1}: fast {%2}, expected {%3}")
                                     .arg(words.join(u'|'), shown(fast).join(u'|'),
                                          shown(reference).join(u'|'))));
        }
        QVERIFY(markers > 1000);  // the lists really exercised the removal
    }

    void linesAreReadAsWritten_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("CR LF") << QByteArray("CAT\r\nDOG\r\n") << QStringList{"CAT", "DOG"};
        QTest::newRow("lone CR") << QByteArray("CAT\rDOG\r") << QStringList{"CAT", "DOG"};
        QTest::newRow("lone LF") << QByteArray("CAT\nDOG") << QStringList{"CAT", "DOG"};
        QTest::newRow("mixed") << QByteArray("A1\rB2\nC3\r\nD4")
                               << QStringList{"A1", "B2", "C3", "D4"};
        QTest::newRow("a final empty line is read and removed")
            << QByteArray("CAT\r\n\r\n") << QStringList{"CAT", "M"};
        QTest::newRow("spaces and case kept")
            << QByteArray(" Ice cream \n") << QStringList{" Ice cream "};
        QTest::newRow("UTF-8") << QByteArray("Caf\xc3\xa9\n\xc3\x9f") << QStringList{"Café", "ß"};
        QTest::newRow("Windows-1252 when not UTF-8")
            << QByteArray("Caf\xe9\n\x80uro") << QStringList{"Café", "€uro"};
        QTest::newRow("no lines at all") << QByteArray() << QStringList{};
        QTest::newRow("a letter and its mark become one character")
            << QByteArray("NAI\xcc\x88VE\nQ\xcc\x88") << QStringList{"NA\u00cfVE", "Q\u0308"};
    }
    void linesAreReadAsWritten() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        QFile file(dir.filePath("list.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        Game game;
        QCOMPARE(game.loadWordList(file.fileName()), QString());
        QCOMPARE(shown(game.words()), expected);
    }

    void anUnreadableFileKeepsThePuzzle() {
        Game game;
        game.loadWordText("CAT\nDOG");
        game.createBoard(3);
        game.placeWords(3, 0);
        const QStringList board = game.puzzle().rows();
        const QStringList placed = placedText(game.puzzle().placed);
        QTemporaryDir dir;
        QFile large(dir.filePath("large.txt"));
        QVERIFY(large.open(QIODevice::WriteOnly));
        large.write(QByteArray(Game::kMaxWordListBytes - 4, 'a') + "\nCAT\n");
        large.close();
        for (const QString& path : {dir.filePath("missing.txt"), dir.path(), large.fileName()}) {
            QVERIFY(!game.loadWordList(path).isEmpty());
            QCOMPARE(game.words(), (QStringList{"CAT", "DOG"}));
            QCOMPARE(game.puzzle().rows(), board);
            QCOMPARE(placedText(game.puzzle().placed), placed);
        }
    }

    void placementFollowsTheDraws_data() {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("backwards");
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<QStringList>("board");
        QTest::addColumn<QStringList>("placed");
        QTest::newRow("east from the drawn square")
            << QStringList{"CAT"} << 4 << 0 << QList<double>{0.25, 0.5, 0.0}
            << QStringList{"ZZZZ", "ZZZZ", "ZCAT", "ZZZZ"} << QStringList{"CAT@1,2>0"};
        QTest::newRow("a start too near the edge is drawn again")
            << QStringList{"CAT"} << 4 << 0 << QList<double>{0.75, 0.0, 0.0, 0.0, 0.0, 0.25}
            << QStringList{"CZZZ", "AZZZ", "TZZZ", "ZZZZ"} << QStringList{"CAT@0,0>1"};
        QTest::newRow("north-east needs room above")
            << QStringList{"AB"} << 2 << 0 << QList<double>{0.0, 0.0, 0.5, 0.0, 0.5, 0.5}
            << QStringList{"ZB", "AZ"} << QStringList{"AB@0,1>2"};
        QTest::newRow("a clash draws all three values anew")
            << QStringList{"CAT", "DOG"} << 3 << 0
            << QList<double>{0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.34, 0.0}
            << QStringList{"CAT", "DOG", "ZZZ"} << QStringList{"CAT@0,0>0", "DOG@0,1>0"};
        QTest::newRow("an equal letter is shared")
            << QStringList{"CAT", "TOE"} << 3 << 0 << QList<double>{0.0, 0.0, 0.0, 0.67, 0.0, 0.25}
            << QStringList{"CAT", "ZZO", "ZZE"} << QStringList{"CAT@0,0>0", "TOE@2,0>1"};
        QTest::newRow("letters differing in case are not shared")
            << QStringList{"Dog", "dig"} << 3 << 0
            << QList<double>{0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.5, 0.0}
            << QStringList{"Dog", "dig", "ZZZ"} << QStringList{"Dog@0,0>0", "dig@0,1>0"};
        QTest::newRow("backwards on: west")
            << QStringList{"CAT"} << 3 << 1 << QList<double>{0.67, 0.0, 0.5}
            << QStringList{"TAC", "ZZZ", "ZZZ"} << QStringList{"CAT@2,0>4"};
        QTest::newRow("backwards off: the same draw gives south-east")
            << QStringList{"CAT"} << 3 << 0 << QList<double>{0.0, 0.0, 0.8}
            << QStringList{"CZZ", "ZAZ", "ZZT"} << QStringList{"CAT@0,0>3"};
        QTest::newRow("a value of 2 counts as backwards on")
            << QStringList{"CAT"} << 3 << 2 << QList<double>{0.67, 0.67, 0.9}
            << QStringList{"TZZ", "ZAZ", "ZZC"} << QStringList{"CAT@2,2>7"};
        QTest::newRow("an entry longer than the board draws nothing")
            << QStringList{"LONGER", "AB"} << 3 << 0 << QList<double>{0.0, 0.0, 0.0}
            << QStringList{"ABZ", "ZZZ", "ZZZ"} << QStringList{"AB@0,0>0"};
        QTest::newRow("stored as it stands: lowercase and a space")
            << QStringList{"a b"} << 3 << 0 << QList<double>{0.0, 0.5, 0.0}
            << QStringList{"ZZZ", "a b", "ZZZ"} << QStringList{"a b@0,1>0"};
        QTest::newRow("stray draws are kept on the board")
            << QStringList{"CAT"} << 3 << 0 << QList<double>{-0.5, qQNaN(), 1.5}
            << QStringList{"CZZ", "ZAZ", "ZZT"} << QStringList{"CAT@0,0>3"};
        QTest::newRow("an entry with a character no square holds draws nothing")
            << QStringList{"E\U0001F600", "Q\u0308", "AB"} << 3 << 0 << QList<double>{0.0, 0.0, 0.0}
            << QStringList{"ABZ", "ZZZ", "ZZZ"} << QStringList{"AB@0,0>0"};
    }
    void placementFollowsTheDraws() {
        QFETCH(QStringList, words);
        QFETCH(int, n);
        QFETCH(int, backwards);
        QFETCH(QList<double>, draws);
        QFETCH(QStringList, board);
        QFETCH(QStringList, placed);
        Script script{draws};
        Game game([&] { return script.next(); });
        game.loadWordText(words.join(u'\n'));
        game.createBoard(qint16(n));
        game.placeWords(qint16(n), qint16(backwards));
        QCOMPARE(game.puzzle().rows(), board);
        QCOMPARE(placedText(game.puzzle().placed), placed);
        // Placement uses every scripted draw, then one draw per square left free.
        QSet<int> covered;
        for (const PlacedWord& p : game.puzzle().placed)
            for (int k = 0; k < p.word.size(); ++k)
                covered << (p.y + k * stepY(p.dir)) * n + p.x + k * stepX(p.dir);
        QCOMPARE(script.calls, draws.size() + n * n - covered.size());
    }

    void freeSquaresGetCapitalsFromAToZ() {
        Script script{{0.0, 0.5, 0.999, 0.04}};
        Game game([&] { return script.next(); });
        game.loadWordText(QString());
        game.createBoard(2);
        game.placeWords(2, 1);
        QCOMPARE(game.puzzle().rows(), (QStringList{"AN", "ZB"}));
        QCOMPARE(script.calls, 4);
    }

    void anEntryWithNoRoomIsGivenUpWithoutAllItsTries_data() {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<int>("n");
        QTest::addColumn<QStringList>("placed");
        QTest::newRow("a full one-square board")
            << QStringList{"A", "B"} << 1 << QStringList{"A@0,0>0"};
        QTest::newRow("no line holds the entry")
            << QStringList{"ABC", "DEF", "GHI", "XYZ"} << 3
            << QStringList{"ABC@0,0>0", "DEF@0,1>0", "GHI@0,2>0"};
    }
    void anEntryWithNoRoomIsGivenUpWithoutAllItsTries() {
        QFETCH(QStringList, words);
        QFETCH(int, n);
        QFETCH(QStringList, placed);
        // Rows are drawn in order: every entry lands on the next row from the left.
        int calls = 0;
        int row = 0;
        Game game([&] {
            const int which = calls++ % 3;
            if (which == 0) return 0.0;
            if (which == 1) return (row++ % n + 0.5) / n;
            return 0.0;
        });
        game.loadWordText(words.join(u'\n'));
        game.createBoard(qint16(n));
        game.placeWords(qint16(n), 0);
        QCOMPARE(placedText(game.puzzle().placed), placed);
        QVERIFY2(calls < 1000, qPrintable(QString::number(calls)));
    }

    // With the same random source, the fast placement makes the very draws of trying at
    // random, so it lays out the same board, until an entry that finds no room at all.
    void placementAgreesWithTryingEveryTime() {
        std::mt19937 pick(7);
        for (int round = 0; round < 400; ++round) {
            const int n = 2 + int(pick() % 4);
            const qint16 backwards = qint16(pick() % 2);
            QStringList words;
            for (int i = int(pick() % 7); i >= 0; --i) {
                QString w;
                for (int k = int(pick() % 4); k >= 0; --k)
                    w += QChar(u'A' + int(pick() % 3));
                words << w;
            }
            core::RandomSource fastSource, referenceSource;
            fastSource.reseed(round);
            referenceSource.reseed(round);
            Game fast([&] { return fastSource.nextRandom(); });
            fast.loadWordText(words.join(u'\n'));
            fast.createBoard(qint16(n));
            fast.placeWords(qint16(n), backwards);
            Game loaded;
            loaded.loadWordText(words.join(u'\n'));
            Puzzle reference{qint16(n)};
            straightforward::placeWords(reference, loaded.words(), qint16(n), backwards,
                                        [&] { return referenceSource.nextRandom(); });

            // The first entry the reference left out although it is not too long.
            qsizetype placedBefore = 0;
            QString givenUp;
            for (const QString& w : loaded.words()) {
                if (w.isEmpty() || w.size() > n || w == removalMarker()) continue;
                if (placedBefore < reference.placed.size() &&
                    reference.placed[placedBefore].word == w) {
                    ++placedBefore;
                    continue;
                }
                givenUp = w;
                break;
            }
            const QString what =
                QStringLiteral("round %1: n %2, {%3}").arg(round).arg(n).arg(words.join(u'|'));
            if (givenUp.isEmpty()) {
                QVERIFY2(fast.puzzle().rows() == reference.rows(), qPrintable(what));
                QVERIFY2(placedText(fast.puzzle().placed) == placedText(reference.placed),
                         qPrintable(what));
                continue;
            }
            QVERIFY2(fast.puzzle().placed.size() >= placedBefore, qPrintable(what));
            QVERIFY2(placedText(fast.puzzle().placed.mid(0, placedBefore)) ==
                         placedText(reference.placed.mid(0, placedBefore)),
                     qPrintable(what));
            QVERIFY2(fast.puzzle().placed.size() == placedBefore ||
                         fast.puzzle().placed[placedBefore].word != givenUp,
                     qPrintable(what));
        }
    }

    // On boards so crowded that most entries need the search for room, the game lays out the
    // very boards of trying at random with every square checked at the search, boards wider
    // than one row of 64 squares included. The game draws from the suite's source directly.
    void crowdedBoardsAreThoseOfTryingAtRandom_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QString>("letters");
        QTest::addColumn<int>("backwards");
        QTest::newRow("12 across, eight directions") << 12 << 300 << "ABC" << 1;
        QTest::newRow("20 across, four directions") << 20 << 400 << "ABCD" << 0;
        QTest::newRow("70 across") << 70 << 3000 << "ABCDE" << 1;
    }
    void crowdedBoardsAreThoseOfTryingAtRandom() {
        QFETCH(int, n);
        QFETCH(int, entries);
        QFETCH(QString, letters);
        QFETCH(int, backwards);
        std::mt19937 pick{uint32_t(n)};
        QStringList words;
        for (int i = 0; i < entries; ++i) {
            QString w;
            for (int k = 2 + int(pick() % 9); k > 0; --k)
                w += letters[int(pick() % letters.size())];
            words << w;
        }
        core::RandomSource fastSource, referenceSource;
        Game fast(fastSource);
        fast.loadWordText(words.join(u'\n'));
        fast.createBoard(qint16(n));
        fast.placeWords(qint16(n), qint16(backwards));
        Puzzle reference{qint16(n)};
        straightforward::placeWords(
            reference, fast.words(), qint16(n), qint16(backwards),
            [&] { return referenceSource.nextRandom(); }, true);
        QCOMPARE(fast.puzzle().rows(), reference.rows());
        QCOMPARE(placedText(fast.puzzle().placed), placedText(reference.placed));
        QCOMPARE(fastSource.nextRandom(), referenceSource.nextRandom());  // the same draws
        QVERIFY(fast.puzzle().placed.size() < entries / 2);
    }

    void everyBoardIsFullAndHoldsItsEntries_data() {
        QTest::addColumn<int>("backwards");
        QTest::addColumn<int>("highestDir");
        QTest::newRow("four directions") << 0 << 3;
        QTest::newRow("eight directions") << 1 << 7;
    }
    void everyBoardIsFullAndHoldsItsEntries() {
        QFETCH(int, backwards);
        QFETCH(int, highestDir);
        core::RandomSource source;
        Game game([&] { return source.nextRandom(); });
        QFile list(QStringLiteral(WORDSEARCH_SOURCE_DIR "/pindral/wordlists/animals.txt"));
        QVERIFY(list.exists());
        int maxDir = 0;
        for (int round = 0; round < 20; ++round) {
            QCOMPARE(game.loadWordList(list.fileName()), QString());
            game.createBoard(15);
            game.placeWords(15, qint16(backwards));
            for (const Square& s : game.puzzle().squares)
                QVERIFY(s.hasLetter && !s.solved);
            QVERIFY(!game.puzzle().placed.isEmpty());
            for (const PlacedWord& p : game.puzzle().placed) {
                QCOMPARE(readOnBoard(game.puzzle(), p), p.word);
                QVERIFY(!p.found);
                maxDir = std::max(maxDir, int(p.dir));
            }
        }
        QCOMPARE(maxDir, highestDir);
    }

    void theMarkerIsNeverPlaced() {
        Game game;
        game.loadWordText("CAT\nCAT");
        QCOMPARE(shown(game.words()), (QStringList{"CAT", "M"}));
        game.createBoard(1000);
        game.placeWords(1000, 1);
        QCOMPARE(placedText(game.puzzle().placed), QStringList{"CAT@0,0>0"});
    }
};

QTEST_GUILESS_MAIN(TestBoard)
#include "tst_board.moc"
