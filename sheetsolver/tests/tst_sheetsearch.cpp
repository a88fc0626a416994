// The sheet search on an in-memory sheet: the edges of every direction, both modes, the
// delay step, the keyword with its timing, and the demonstration puzzle.
#include <functional>

#include <QSet>
#include <QTest>

#include "engine/demopuzzle.h"
#include "engine/sheetsearch.h"

using namespace sheetsolver;

namespace {

// A sheet whose first rows are given as pictures; '.' stands for a dot, '_' for an empty
// cell, rows not given are dots.
MemorySheet sheetFrom(const QStringList& rows) {
    QString text;
    for (int r = 0; r < kRows; ++r) {
        const QString row = r < rows.size() ? rows[r] : QString();
        text += row.leftJustified(kColumns, u'.', true);
    }
    MemorySheet sheet(text);
    for (int i = 0; i < kCellCount; ++i) {
        if (sheet.cellText(i) == u"_") sheet.setCellText(i, QString());
    }
    return sheet;
}

// The red cells as pictures, '#' red and '.' not; a red cell below the rows shown adds a row
// "more", so a stray mark cannot hide.
QStringList marked(const Sheet& sheet, int rowsShown) {
    QStringList rows;
    for (int r = 0; r < rowsShown; ++r) {
        QString row;
        for (int c = 0; c < kColumns; ++c)
            row += sheet.cellColour(r * kColumns + c) == kFoundColour ? u'#' : u'.';
        rows << row;
    }
    for (int i = rowsShown * kColumns; i < kCellCount; ++i) {
        if (sheet.cellColour(i) == kFoundColour) return rows << QStringLiteral("more");
    }
    return rows;
}

const QString kNone = QString(kColumns, u'.');

// A pump that counts its passes, calls onPass after each and asks to stop from pass stopAt on.
class CountingPump final : public core::EventPump {
  public:
    bool pumpEvents() override {
        ++passes;
        if (onPass) onPass();
        return stopAt == 0 || passes < stopAt;
    }
    int passes = 0;
    int stopAt = 0;  // 0: never
    std::function<void()> onPass;
};

// The keyword of a run, or nothing when the run was stopped.
std::optional<QString> keywordOf(const std::optional<FindOutcome>& outcome) {
    return outcome ? std::optional(outcome->keyword) : std::nullopt;
}

// A sheet that fails the test when asked for a cell outside 0..299.
class StrictSheet final : public Sheet {
  public:
    explicit StrictSheet(QStringView text) : inner_(text) {}
    QString cellText(int i) const override {
        check(i);
        return inner_.cellText(i);
    }
    Colour cellColour(int i) const override {
        check(i);
        return inner_.cellColour(i);
    }
    void setCellColour(int i, Colour colour) override {
        check(i);
        inner_.setCellColour(i, colour);
    }
    mutable int outside = 0;

  private:
    void check(int i) const {
        if (i < 0 || i >= kCellCount) ++outside;
    }
    MemorySheet inner_;
};

// How a found run lies: its step between consecutive letters (1, 19, 20 or 21) and whether
// the word reads from the lower index to the higher.
QString readingOf(const Sheet& sheet, const QString& word) {
    QList<int> red;
    for (int i = 0; i < kCellCount; ++i) {
        if (sheet.cellColour(i) == kFoundColour) red << i;
    }
    if (red.size() != word.size() || red.size() < 2) return QStringLiteral("not one run");
    const int step = red[1] - red[0];
    const bool forwards = sheet.cellText(red[0]) == word.left(1);
    return QString::number(step) + (forwards ? u'+' : u'-');
}

}  // namespace

class TestSheetSearch : public QObject {
    Q_OBJECT
  private slots:
    void rowsByBandsOfTwenty_data() {
        QTest::addColumn<int>("cell");
        QTest::addColumn<int>("row");
        QTest::newRow("before the sheet") << -1 << 0;
        QTest::newRow("first cell") << 0 << 1;
        QTest::newRow("end of row 1") << 19 << 1;
        QTest::newRow("start of row 2") << 20 << 2;
        QTest::newRow("cell 39") << 39 << 2;
        QTest::newRow("row 14") << 279 << 14;
        QTest::newRow("last cell") << 299 << 15;
        QTest::newRow("after the sheet") << 300 << 0;
    }
    void rowsByBandsOfTwenty() {
        QFETCH(int, cell);
        QFETCH(int, row);
        QCOMPARE(getRow(cell), row);
    }

    void markingStaysOnTheSheet() {
        MemorySheet sheet;
        markRow(sheet, 295, 10);
        markColumn(sheet, 259, 5);
        markRow(sheet, -3, 3);
        QCOMPARE(marked(sheet, 15).mid(13),
                 (QStringList{"...................#", "...............#####"}));
        QCOMPARE(marked(sheet, 1)[0], QStringLiteral("#..................."));
    }

    // Each row: a sheet, a word, and the cells each mode colours.
    void directions_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("allOccurrences");
        QTest::addColumn<QStringList>("firstOccurrence");

        const QStringList rightEdge{"................CATS"};
        const QStringList rightEdgeMarks{"................####", kNone};
        QTest::newRow("rightward ends in column 19")
            << rightEdge << "CATS" << rightEdgeMarks << rightEdgeMarks;
        QTest::newRow("rightward never continues into the next row")
            << QStringList{"..................CA", "TS.................."} << "CATS"
            << QStringList{kNone, kNone} << QStringList{kNone, kNone};
        const QStringList leftMarks{"####................"};
        QTest::newRow("leftward ends in column 0")
            << QStringList{"STAC................"} << "CATS" << leftMarks << leftMarks;
        QTest::newRow("leftward never continues into the row above")
            << QStringList{"...................S", "TAC................."} << "CATS"
            << QStringList{kNone, kNone} << QStringList{kNone, kNone};
        const QStringList column{"....C", "....A", "....T", "....S"};
        const QStringList columnMarks{"....#...............", "....#...............",
                                      "....#...............", "....#..............."};
        QTest::newRow("downward") << column << "CATS" << columnMarks << columnMarks;
        QTest::newRow("upward") << column << "STAC" << columnMarks << columnMarks;
        const QStringList diagonal{"C...", ".A..", "..T.", "...S"};
        const QStringList diagonalMarks{"#...................", ".#..................",
                                        "..#.................", "...#................"};
        QTest::newRow("down-right") << diagonal << "CATS" << diagonalMarks << diagonalMarks;
        QTest::newRow("up-left") << diagonal << "STAC" << diagonalMarks << diagonalMarks;
        const QStringList antiDiagonal{"...S", "..T.", ".A..", "C..."};
        const QStringList antiMarks{"...#................", "..#.................",
                                    ".#..................", "#..................."};
        QTest::newRow("up-right") << antiDiagonal << "CATS" << antiMarks << antiMarks;
        QTest::newRow("down-left") << antiDiagonal << "STAC" << antiMarks << antiMarks;
        QTest::newRow("down-right never wraps from column 19 to column 0")
            << QStringList{"...................C", "....................", "AT"} << "CAT"
            << QStringList{kNone, kNone, kNone} << QStringList{kNone, kNone, kNone};
        QTest::newRow("down-left never wraps from column 0 to column 19")
            << QStringList{"C...................", "...................A"} << "CA"
            << QStringList{kNone, kNone} << QStringList{kNone, kNone};

        // Cell 39 is row 2, column 19.
        QTest::newRow("cell 39: rightward of two is rejected")
            << QStringList{"", "...................X", "Y"} << "XY"
            << QStringList{kNone, kNone, kNone} << QStringList{kNone, kNone, kNone};
        QTest::newRow("cell 39: down-right of two is rejected")
            << QStringList{"", "...................X", "", "Y"} << "XY"
            << QStringList{kNone, kNone, kNone, kNone} << QStringList{kNone, kNone, kNone, kNone};
        const QStringList row2{"", "TSRQPONMLKJIHGFEDCBA"};
        const QStringList row2Marks{kNone, QString(kColumns, u'#')};
        QTest::newRow("cell 39: leftward of twenty is accepted")
            << row2 << "ABCDEFGHIJKLMNOPQRST" << row2Marks << row2Marks;
        QTest::newRow("cell 39: leftward of twenty-one is rejected")
            << QStringList{"...................U", "TSRQPONMLKJIHGFEDCBA"}
            << "ABCDEFGHIJKLMNOPQRSTU" << QStringList{kNone, kNone} << QStringList{kNone, kNone};

        const QStringList twice{"CAT....TAC"};
        QTest::newRow("two occurrences: all, or the lowest start cell")
            << twice << "CAT" << QStringList{"###....###.........."}
            << QStringList{"###................."};
        QTest::newRow("same start cell: direction order decides")
            << QStringList{"CAT", "A", "T"} << "CAT"
            << QStringList{"###.................", "#...................", "#..................."}
            << QStringList{"###.................", kNone, kNone};
        QTest::newRow("lower start cell wins over direction order")
            << QStringList{"....C....TAC", "....A", "....T"} << "CAT"
            << QStringList{"....#....###........", "....#...............", "....#..............."}
            << QStringList{"....#...............", "....#...............", "....#..............."};
        QTest::newRow("a palindrome reads both ways on the same cells")
            << QStringList{"..ABA"} << "ABA" << QStringList{"..###..............."}
            << QStringList{"..###..............."};
        QTest::newRow("one letter: every cell, or the first")
            << QStringList{"..Q..Q", "Q"} << "Q"
            << QStringList{"..#..#..............", "#..................."}
            << QStringList{"..#.................", kNone};
        QTest::newRow("an empty string colours nothing")
            << QStringList{"__AB_"} << "" << QStringList{kNone} << QStringList{kNone};
        QTest::newRow("case matters")
            << QStringList{"cats"} << "CATS" << QStringList{kNone} << QStringList{kNone};
        QTest::newRow("a string not in the sheet colours nothing")
            << QStringList{"CATS"} << "DOGS" << QStringList{kNone} << QStringList{kNone};
        QTest::newRow("longer than a row is never found")
            << QStringList{"ABCDEFGHIJKLMNOPQRST", "U"} << "ABCDEFGHIJKLMNOPQRSTU"
            << QStringList{kNone, kNone} << QStringList{kNone, kNone};
    }
    void directions() {
        QFETCH(QStringList, rows);
        QFETCH(QString, word);
        QFETCH(QStringList, allOccurrences);
        QFETCH(QStringList, firstOccurrence);

        MemorySheet all = sheetFrom(rows);
        searchString(all, word, SearchMode::AllOccurrences);
        QCOMPARE(marked(all, int(allOccurrences.size())), allOccurrences);

        MemorySheet first = sheetFrom(rows);
        searchString(first, word, SearchMode::FirstOccurrence);
        QCOMPARE(marked(first, int(firstOccurrence.size())), firstOccurrence);
    }

    void longerThanAColumnIsNeverFoundDownwards() {
        QString text(kCellCount, u'.');
        for (int r = 0; r < kRows; ++r)
            text[r * kColumns] = QChar(u'A' + r);
        MemorySheet sheet(text);
        searchString(sheet, QStringLiteral("ABCDEFGHIJKLMNO"), SearchMode::AllOccurrences);
        QCOMPARE(sheet.cellColour(280), kFoundColour);
        MemorySheet longer(text);
        searchString(longer, QStringLiteral("ABCDEFGHIJKLMNOP"), SearchMode::AllOccurrences);
        QCOMPARE(keywordText(longer), text);
    }

    void aCellOfTwoCharactersNeverMatches() {
        MemorySheet sheet(u"CAT");
        sheet.setCellText(1, QStringLiteral("AA"));
        searchString(sheet, QStringLiteral("CAT"), SearchMode::AllOccurrences);
        searchString(sheet, QStringLiteral("A"), SearchMode::AllOccurrences);
        QCOMPARE(marked(sheet, 1), QStringList{kNone});
    }

    void neverAsksForCellsOutsideTheSheet() {
        for (const SearchMode mode : {SearchMode::AllOccurrences, SearchMode::FirstOccurrence}) {
            StrictSheet sheet(QString(kCellCount, u'A'));
            for (int length = 0; length <= 22; ++length)
                searchString(sheet, QString(length, u'A'), mode);
            QCOMPARE(sheet.outside, 0);
        }
    }

    void delayStepYieldsTwicePerStartCell() {
        int reads = 0;
        CountingPump pump;
        SearchHooks hooks;
        hooks.delayValue = [&] {
            ++reads;
            return 3;
        };
        MemorySheet sheet = sheetFrom({"....CAT"});
        searchString(sheet, QStringLiteral("CAT"), SearchMode::AllOccurrences, hooks, pump);
        QCOMPARE(reads, kCellCount);
        QCOMPARE(pump.passes, 2 * 3 * kCellCount);

        // The first version stops at the matching start cell, with no delay step for it.
        reads = pump.passes = 0;
        MemorySheet again = sheetFrom({"....CAT"});
        searchString(again, QStringLiteral("CAT"), SearchMode::FirstOccurrence, hooks, pump);
        QCOMPARE(reads, 4);
        QCOMPARE(pump.passes, 2 * 3 * 4);
    }

    void delayIsReadAtEveryStartCell() {
        int delay = 1;
        CountingPump pump;
        pump.onPass = [&] {
            if (pump.passes == 20) delay = 0;  // the user drags the slider to 0 mid-run
        };
        SearchHooks hooks;
        hooks.delayValue = [&] { return delay; };
        MemorySheet sheet;
        searchString(sheet, QStringLiteral("X"), SearchMode::AllOccurrences, hooks, pump);
        QCOMPARE(pump.passes, 20);
    }

    void stopRequestEndsTheRun() {
        CountingPump pump;
        pump.stopAt = 4;
        SearchHooks hooks;
        hooks.delayValue = [] { return 5; };
        MemorySheet sheet = sheetFrom({"....................", "CAT"});
        QVERIFY(!findRun(sheet, {QStringLiteral("CAT")}, SearchMode::AllOccurrences, hooks, pump));
        QCOMPARE(pump.passes, 4);
        QCOMPARE(marked(sheet, 2), (QStringList{kNone, kNone}));
    }

    void keywordWithoutFinds() {
        QString text;
        for (int i = 0; i < kCellCount; ++i)
            text += QChar(u'A' + i % 26);
        MemorySheet sheet(text);
        sheet.setCellText(5, QString());
        const std::optional<QString> keyword =
            keywordOf(findRun(sheet, {QStringLiteral("ZZZ")}, SearchMode::AllOccurrences));
        QCOMPARE(keyword, std::optional<QString>(text.left(5) + text.mid(6)));
    }

    // The first version's run is given no clock and reports no time.
    void onlyAClockMakesARunTimed() {
        MemorySheet sheet(u"ABCD");
        const std::optional<FindOutcome> untimed =
            findRun(sheet, {QStringLiteral("BC")}, SearchMode::FirstOccurrence);
        QVERIFY(untimed && !untimed->seconds);
        QCOMPARE(untimed->keyword, QStringLiteral("AD"));
        QList<double> times{1.0, 3.5};
        SearchHooks hooks;
        hooks.clock = [&] { return times.takeFirst(); };
        const std::optional<FindOutcome> timed =
            findRun(sheet, {}, SearchMode::FirstOccurrence, hooks);
        QVERIFY(timed);
        QCOMPARE(timed->seconds, std::optional(2.5));
        QVERIFY(times.isEmpty());
    }

    void demonstrationPuzzle() {
        const QString text = demoSheet();
        QCOMPARE(text.size(), kCellCount);
        for (const QChar c : text)
            QVERIFY2(c >= u'A' && c <= u'Z', "only capitals");
        const QStringList words = demoStrings();
        QCOMPARE(words.size(), 51);
        QStringList sorted = words;
        sorted.sort();
        QCOMPARE(words, sorted);

        // Every string lies exactly once on the sheet, and together they use every direction.
        QSet<QString> readings;
        for (const QString& word : words) {
            MemorySheet sheet(text);
            searchString(sheet, word, SearchMode::AllOccurrences);
            const QString reading = readingOf(sheet, word);
            QVERIFY2(reading != u"not one run", qPrintable(word));
            readings << reading;
        }
        QCOMPARE(readings.size(), 8);

        for (const SearchMode mode : {SearchMode::AllOccurrences, SearchMode::FirstOccurrence}) {
            MemorySheet sheet(text);
            QCOMPARE(keywordOf(findRun(sheet, words, mode)), std::optional<QString>(demoKeyword()));
            // A second run colours nothing new and gives the same keyword.
            QCOMPARE(keywordOf(findRun(sheet, words, mode)), std::optional<QString>(demoKeyword()));
        }
        QCOMPARE(demoKeyword(), QStringLiteral("WEAREALLMADEOFSTARDUST"));
    }
};

QTEST_GUILESS_MAIN(TestSheetSearch)
#include "tst_sheetsearch.moc"
