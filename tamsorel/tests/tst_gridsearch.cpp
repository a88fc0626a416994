// The grid model and the six searches.
#include <random>
#include <set>

#include <QTest>

#include "core/letters.h"
#include "engine/gridsearch.h"
#include "gridpicture.h"

using namespace tamsorel;

Q_DECLARE_METATYPE(tamsorel::Lines)

namespace {

// Flags from a list of direction names such as "HorFront DiagBack"; "all" ticks every one.
DirectionFlags flagsFrom(const QString& names) {
    static const QStringList all = {"HorFront", "HorBack",   "VertFront",
                                    "VertBack", "DiagFront", "DiagBack"};
    DirectionFlags flags{};
    for (int i = 0; i < kDirectionCount; ++i)
        flags[size_t(i)] = names == u"all" || names.split(u' ').contains(all[i]);
    return flags;
}

// One search run without a window: the lines it logged.
QStringList runSearch(LetterGrid& grid, const QString& words, const QString& directions,
                      std::vector<WordCount>* counts = nullptr) {
    Log log;
    searchWords(grid, words, flagsFrom(directions), log, core::noEventPump(), counts);
    return log.lines();
}

// A pump that hands each call to a function, which says whether the run goes on.
struct CallbackPump : core::EventPump {
    std::function<bool()> call;
    bool pumpEvents() override { return call(); }
};

}  // namespace

class TestGridSearch : public QObject {
    Q_OBJECT
  private slots:
    void cellNumbering() {
        QCOMPARE(cellIndex(3, 1, 1), 1);
        QCOMPARE(cellIndex(3, 3, 1), 3);
        QCOMPARE(cellIndex(3, 1, 2), 4);
        QCOMPARE(cellIndex(181, 181, 181), 32761);
        QCOMPARE(core::reversed(u"CAT"), QStringLiteral("TAC"));
        QCOMPARE(core::reversed(u""), QString());
    }

    void lineOrders_data() {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<Lines>("expected");
        QTest::newRow("diagonals of 3 columns x 2 rows")
            << diagonalLines(3, 2) << Lines{{3}, {2, 6}, {1, 5}, {4}, {2, 4}, {1}, {3, 5}, {6}};
        QTest::newRow("diagonals of 2 columns x 3 rows")
            << diagonalLines(2, 3) << Lines{{2}, {1, 4}, {3, 6}, {5}, {1}, {2, 3}, {4, 5}, {6}};
        QTest::newRow("rows of 3 x 2") << rowLines(3, 2) << Lines{{1, 2, 3}, {4, 5, 6}};
        QTest::newRow("columns of 3 x 2") << columnLines(3, 2) << Lines{{1, 4}, {2, 5}, {3, 6}};
    }
    void lineOrders() {
        QFETCH(Lines, lines);
        QFETCH(Lines, expected);
        QCOMPARE(lines, expected);
    }

    void everyDiagonalOnce() {
        // Each cell lies on exactly one diagonal of each orientation, for odd shapes too.
        for (auto [cols, rows] : {std::pair{2, 2}, {5, 3}, {3, 7}, {181, 181}, {2, 16383}}) {
            std::vector<int> seen(size_t(cols * rows + 1), 0);
            for (const auto& line : diagonalLines(cols, rows))
                for (int n : line)
                    ++seen[size_t(n)];
            for (int n = 1; n <= cols * rows; ++n)
                QCOMPARE(seen[size_t(n)], 2);
        }
    }

    void searches_data() {
        QTest::addColumn<QStringList>("grid");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("directions");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("occurrences");

        const QStringList abcd = {"AB", "CD"};
        QTest::newRow("2x2: AD down-right") << abcd << "AD"
                                            << "DiagFront" << QStringList{"#.", ".#"} << 1;
        QTest::newRow("2x2: BC down-left") << abcd << "BC"
                                           << "DiagFront" << QStringList{".#", "#."} << 1;
        QTest::newRow("2x2: DA upwards") << abcd << "DA"
                                         << "DiagBack" << QStringList{"#.", ".#"} << 1;
        QTest::newRow("2x2: CB upwards") << abcd << "CB"
                                         << "DiagBack" << QStringList{".#", "#."} << 1;
        QTest::newRow("2x2: CA bottom to top") << abcd << "CA"
                                               << "VertBack" << QStringList{"#.", "#."} << 1;
        QTest::newRow("2x2: AD is not in a row") << abcd << "AD"
                                                 << "HorFront" << QStringList{"..", ".."} << 0;
        QTest::newRow("2x2: BC is not in a row") << abcd << "BC"
                                                 << "HorFront" << QStringList{"..", ".."} << 0;
        QTest::newRow("2x2: DA needs the backwards search")
            << abcd << "DA"
            << "DiagFront" << QStringList{"..", ".."} << 0;

        const QStringList g = {"CATX", "XTAC", "CXXT", "AXXA"};
        QTest::newRow("row forwards")
            << g << "CAT"
            << "HorFront" << QStringList{"###.", "....", "....", "...."} << 1;
        QTest::newRow("row backwards")
            << g << "CAT"
            << "HorBack" << QStringList{"....", ".###", "....", "...."} << 1;
        QTest::newRow("two places, two searches")
            << g << "CAT"
            << "all" << QStringList{"###.", ".###", "....", "...."} << 2;
        QTest::newRow("column forwards")
            << g << "CXCA"
            << "VertFront" << QStringList{"#...", "#...", "#...", "#..."} << 1;
        QTest::newRow("column backwards")
            << g << "AT"
            << "VertBack" << QStringList{"..#.", "..#.", "...#", "...#"} << 2;
        QTest::newRow("one letter, every direction")
            << g << "A"
            << "all" << QStringList{".#..", "..#.", "....", "#..#"} << 4;
        QTest::newRow("lower case is not upper case")
            << g << "cat"
            << "all" << QStringList{"....", "....", "....", "...."} << 0;
        QTest::newRow("no direction ticked")
            << g << "CAT"
            << "" << QStringList{"....", "....", "....", "...."} << 0;
        QTest::newRow("rows never wrap")
            << g << "XXT"
            << "HorFront" << QStringList{"....", "....", ".###", "...."} << 1;
        QTest::newRow("TX then XT does not wrap into the next row")
            << g << "TXX"
            << "HorFront" << QStringList{"....", "....", "....", "...."} << 0;
        // "X" ends one diagonal and "T" starts the next: no occurrence.
        QTest::newRow("diagonals never run into the next one")
            << g << "XT"
            << "DiagFront" << QStringList{"....", "....", "....", "...."} << 0;
        QTest::newRow("down-left diagonal")
            << g << "XAXA"
            << "DiagFront" << QStringList{"...#", "..#.", ".#..", "#..."} << 1;
        QTest::newRow("longer than every line")
            << g << "CATXC"
            << "all" << QStringList{"....", "....", "....", "...."} << 0;

        const QStringList pal = {"ABA", "XXX"};
        QTest::newRow("palindrome forwards") << pal << "ABA"
                                             << "HorFront" << QStringList{"###", "..."} << 1;
        QTest::newRow("palindrome backwards") << pal << "ABA"
                                              << "HorBack" << QStringList{"###", "..."} << 1;
        QTest::newRow("a palindrome read both ways is one occurrence")
            << pal << "ABA"
            << "HorFront HorBack" << QStringList{"###", "..."} << 1;
        QTest::newRow("overlapping occurrences") << QStringList{"AAAA", "BBBB"} << "AAA"
                                                 << "HorFront" << QStringList{"####", "...."} << 2;

        const QStringList gaps = {"A.B", "..."};
        QTest::newRow("an empty cell reads as a space")
            << gaps << "A B"
            << "HorFront" << QStringList{"###", "..."} << 1;
        QTest::newRow("a space marks every empty cell")
            << gaps << " "
            << "HorFront" << QStringList{".#.", "###"} << 4;
        QTest::newRow("a trailing space needs an empty cell after")
            << QStringList{"AB.", "..B"} << "B "
            << "HorFront" << QStringList{".##", "..."} << 1;
    }
    void searches() {
        QFETCH(QStringList, grid);
        QFETCH(QString, word);
        QFETCH(QString, directions);
        QFETCH(QStringList, expected);
        QFETCH(int, occurrences);
        LetterGrid g;
        fillGrid(g, grid);
        std::vector<WordCount> counts;
        runSearch(g, word, directions, &counts);
        QCOMPARE(marked(g), expected);
        QCOMPARE(counts, (std::vector<WordCount>{{word, occurrences}}));
    }

    void agreesWithAPlainReadingOfEveryLine() {
        // Random grids over a small alphabet with empty cells, so that words have many partial
        // matches, cross line ends and exceed the searches' key length; every search against
        // reading each line's text start by start.
        std::mt19937 rng(5);
        const QString alphabet = QStringLiteral("AB .");
        for (int round = 0; round < 200; ++round) {
            const int cols = 2 + int(rng() % 7), rows = 2 + int(rng() % 7);
            QStringList picture;
            for (int r = 0; r < rows; ++r) {
                QString row;
                for (int c = 0; c < cols; ++c)
                    row += alphabet[int(rng() % 4)];
                picture << row;
            }
            QString word;
            for (int k = 1 + int(rng() % 7); k > 0; --k)
                word += alphabet[int(rng() % 3)];
            const Direction d = kAllDirections[rng() % kDirectionCount];
            const bool back =
                d == Direction::HorBack || d == Direction::VertBack || d == Direction::DiagBack;
            const Lines lines = d <= Direction::HorBack    ? rowLines(cols, rows)
                                : d <= Direction::VertBack ? columnLines(cols, rows)
                                                           : diagonalLines(cols, rows);
            const QString sought = back ? core::reversed(word) : word;
            QStringList expected(rows, QString(cols, u'.'));
            std::set<std::pair<int, int>> places;
            for (const auto& line : lines) {
                QString text;
                for (int n : line)
                    text += picture[(n - 1) / cols][(n - 1) % cols].unicode() == u'.'
                                ? QChar(u' ')
                                : picture[(n - 1) / cols][(n - 1) % cols];
                for (qsizetype j = 0; j + sought.size() <= text.size(); ++j) {
                    if (text.mid(j, sought.size()) != sought) continue;
                    for (qsizetype k = j; k < j + sought.size(); ++k)
                        expected[(line[k] - 1) / cols][(line[k] - 1) % cols] = u'#';
                    const int a = line[j], b = line[j + sought.size() - 1];
                    places.insert({std::min(a, b), std::max(a, b)});
                }
            }
            LetterGrid g;
            fillGrid(g, picture);
            DirectionFlags flags{};
            flags[size_t(d)] = true;
            Log log;
            std::vector<WordCount> counts;
            searchWords(g, word, flags, log, core::noEventPump(), &counts);
            const QString what = picture.join(u'/') + " '" + word + "' " + QString::number(int(d));
            QVERIFY2(marked(g) == expected, qPrintable(what));
            QVERIFY2(counts.front().occurrences == int(places.size()), qPrintable(what));
        }
    }

    void runSplitsWordsAndLogs() {
        LetterGrid g;
        fillGrid(g, {"CAT", "DOG"});
        QCOMPARE(runSearch(g, "CAT\r\n\r\nDOG\r\n", "all"),
                 (QStringList{"Searching 'CAT'..", "Searching 'DOG'..", "Search complete."}));
        QCOMPARE(marked(g), (QStringList{"###", "###"}));

        // A line feed alone does not separate words.
        QCOMPARE(runSearch(g, "CAT\nDOG", "all"),
                 (QStringList{"Searching 'CAT\nDOG'..", "Search complete."}));
        // The run cleared the previous highlights even though it found nothing.
        QCOMPARE(marked(g), (QStringList{"...", "..."}));

        QCOMPARE(runSearch(g, "", ""), QStringList{"Search complete."});

        LetterGrid none;
        QCOMPARE(runSearch(none, "CAT", "all"), QStringList{"Please load your dimensions first.."});
    }

    void highlightsAccumulateOverWords() {
        LetterGrid g;
        fillGrid(g, {"CAT", "DOG"});
        runSearch(g, "CA\r\nOG", "HorFront");
        QCOMPARE(marked(g), (QStringList{"##.", ".##"}));
    }

    void cellsSeeTextChangedBetweenWords() {
        // The pump lets the user type while a run goes on; later words see the new letters.
        LetterGrid g;
        fillGrid(g, {"CAT", "..."});
        Log log;
        CallbackPump pump;
        pump.call = [&] {
            if (log.lines().last() == u"Searching 'DOG'..") {
                g.setCellText(4, u"D");
                g.setCellText(5, u"O");
                g.setCellText(6, u"G");
            }
            return true;
        };
        searchWords(g, "CAT\r\nDOG", flagsFrom("HorFront"), log, pump);
        QCOMPARE(marked(g), (QStringList{"###", "###"}));
    }

    void aPumpShowsEveryLineAndMayEndTheRun() {
        LetterGrid g;
        fillGrid(g, {"CAT", "DOG"});
        Log log;
        QStringList shown;
        CallbackPump pump;
        pump.call = [&] {
            shown << log.lines().last();
            return !log.lines().last().contains(u"DOG");
        };
        QVERIFY(!searchWords(g, "CAT\r\nDOG\r\nEMU", flagsFrom("all"), log, pump));
        QCOMPARE(shown, (QStringList{"Searching 'CAT'..", "Searching 'DOG'.."}));
        QCOMPARE(log.lines(), shown);
        QCOMPARE(marked(g), (QStringList{"###", "..."}));  // DOG was not searched

        shown.clear();
        pump.call = [&] {
            shown << log.lines().last();
            return true;
        };
        LetterGrid none;
        QVERIFY(searchWords(none, "CAT", flagsFrom("all"), log, pump));
        QCOMPARE(shown, QStringList{"Please load your dimensions first.."});
    }

    void cellTextKeepsOneCharacter() {
        LetterGrid g;
        g.create(2, 2);
        g.takeChanges();
        g.setCellText(1, u"XYZ");
        QCOMPARE(g.cellText(1), QStringLiteral("X"));
        g.setCellText(1, u"X");  // no change, no report
        g.setCellText(2, u"");
        g.setCellText(0, u"A");  // outside the grid: ignored
        g.setCellText(5, u"A");
        g.setCellText(3, QString(QChar(0xD83D)));  // a lone surrogate half is not a letter
        QCOMPARE(g.cellText(3), QString());
        g.setCellText(4, u"Ж");
        QList<int> changed;
        for (const TextChange& change : g.takeChanges().texts)
            changed << change.cell;
        QCOMPARE(changed, (QList<int>{1, 4}));
        QCOMPARE(g.cellText(4), QStringLiteral("Ж"));
        QCOMPARE(g.cellText(99), QString());
    }

    void changesAreListedUntilTaken() {
        LetterGrid g;
        g.create(3, 1);
        GridChanges changes = g.takeChanges();
        QVERIFY(changes.reshaped && changes.cells.empty() && changes.texts.empty());
        // Text changes in order, each with whether a letter stayed; every changed cell once.
        g.setCellText(1, u"A");
        g.setBackColor(3, kFoundBack);
        g.setCellText(1, u"");
        g.setForeColor(1, kFoundFore);
        g.setCellText(2, u"B");
        g.setBackColor(2, kPlainBack);  // no change
        changes = g.takeChanges();
        QVERIFY(!changes.reshaped);
        QCOMPARE(changes.cells, (std::vector<int>{1, 3, 2}));
        QCOMPARE(changes.texts, (std::vector<TextChange>{{1, true}, {1, false}, {2, true}}));
        changes = g.takeChanges();
        QVERIFY(!changes.reshaped && changes.cells.empty() && changes.texts.empty());
        g.setCellText(1, u"C");
        QCOMPARE(g.takeChanges().cells, std::vector<int>{1});  // listed again once taken
        // A new grid forgets the changes of the old one.
        g.setCellText(3, u"D");
        g.destroy();
        g.create(2, 2);
        g.setCellText(4, u"E");
        changes = g.takeChanges();
        QVERIFY(changes.reshaped);
        QCOMPARE(changes.cells, std::vector<int>{4});
        QCOMPARE(changes.texts, (std::vector<TextChange>{{4, true}}));
    }

    void largestGrids() {
        for (auto [cols, rows] : {std::pair{181, 181}, {2, 16383}, {16383, 2}}) {
            LetterGrid g;
            g.create(cols, rows);
            QCOMPARE(g.cellCount(), cols * rows);
            g.setCellText(g.cellCount(), u"Z");
            g.setCellText(g.cellCount() - 1, u"Y");
            runSearch(g, "YZ\r\nZ", "all");
            QCOMPARE(g.backColor(g.cellCount()), kFoundBack);
            QCOMPARE(g.backColor(1), kPlainBack);
        }
    }
};

QTEST_GUILESS_MAIN(TestGridSearch)
#include "tst_gridsearch.moc"
