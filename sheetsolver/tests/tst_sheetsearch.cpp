// The sheet search on an in-memory sheet: the edges of every direction, both modes, the
// delay step, the keyword with its timing text, and the demonstration puzzle.
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
            row += sheet.cellColour(r * kColumns + c) == FoundColour ? u'#' : u'.';
        rows << row;
    }
    for (int i = rowsShown * kColumns; i < kCellCount; ++i) {
        if (sheet.cellColour(i) == FoundColour) return rows << QStringLiteral("more");
    }
    return rows;
}

const QString kNone = QString(kColumns, u'.');

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
        if (sheet.cellColour(i) == FoundColour) red << i;
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
        QCOMPARE(GetRow(cell), row);
    }

    void markingStaysOnTheSheet() {
        MemorySheet sheet;
        MarkRow(sheet, 295, 10);
        MarkColumn(sheet, 259, 5);
        MarkRow(sheet, -3, 3);
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
        SearchString(all, word, SearchMode::AllOccurrences);
        QCOMPARE(marked(all, int(allOccurrences.size())), allOccurrences);

        MemorySheet first = sheetFrom(rows);
        SearchString(first, word, SearchMode::FirstOccurrence);
        QCOMPARE(marked(first, int(firstOccurrence.size())), firstOccurrence);
    }

    void longerThanAColumnIsNeverFoundDownwards() {
        QString text(kCellCount, u'.');
        for (int r = 0; r < kRows; ++r)
            text[r * kColumns] = QChar(u'A' + r);
        MemorySheet sheet(text);
        SearchString(sheet, QStringLiteral("ABCDEFGHIJKLMNO"), SearchMode::AllOccurrences);
        QCOMPARE(sheet.cellColour(280), FoundColour);
        MemorySheet longer(text);
        SearchString(longer, QStringLiteral("ABCDEFGHIJKLMNOP"), SearchMode::AllOccurrences);
        QCOMPARE(KeywordText(longer), text);
    }

    void aCellOfTwoCharactersNeverMatches() {
        MemorySheet sheet(u"CAT");
        sheet.setCellText(1, QStringLiteral("AA"));
        SearchString(sheet, QStringLiteral("CAT"), SearchMode::AllOccurrences);
        SearchString(sheet, QStringLiteral("A"), SearchMode::AllOccurrences);
        QCOMPARE(marked(sheet, 1), QStringList{kNone});
    }

    void neverAsksForCellsOutsideTheSheet() {
        for (const SearchMode mode : {SearchMode::AllOccurrences, SearchMode::FirstOccurrence}) {
            StrictSheet sheet(QString(kCellCount, u'A'));
            for (int length = 0; length <= 22; ++length)
                SearchString(sheet, QString(length, u'A'), mode);
            QCOMPARE(sheet.outside, 0);
        }
    }

    void delayStepYieldsTwicePerStartCell() {
        int reads = 0;
        int pumps = 0;
        SearchHooks hooks;
        hooks.delayValue = [&] {
            ++reads;
            return 3;
        };
        hooks.pumpEvents = [&] { ++pumps; };
        MemorySheet sheet = sheetFrom({"....CAT"});
        SearchString(sheet, QStringLiteral("CAT"), SearchMode::AllOccurrences, hooks);
        QCOMPARE(reads, kCellCount);
        QCOMPARE(pumps, 2 * 3 * kCellCount);

        // The first version stops at the matching start cell, with no delay step for it.
        reads = pumps = 0;
        MemorySheet again = sheetFrom({"....CAT"});
        SearchString(again, QStringLiteral("CAT"), SearchMode::FirstOccurrence, hooks);
        QCOMPARE(reads, 4);
        QCOMPARE(pumps, 2 * 3 * 4);
    }

    void delayIsReadAtEveryStartCell() {
        int pumps = 0;
        int delay = 1;
        SearchHooks hooks;
        hooks.delayValue = [&] { return delay; };
        hooks.pumpEvents = [&] {
            if (++pumps == 20) delay = 0;  // the user drags the slider to 0 mid-run
        };
        MemorySheet sheet;
        SearchString(sheet, QStringLiteral("X"), SearchMode::AllOccurrences, hooks);
        QCOMPARE(pumps, 20);
    }

    void stopRequestEndsTheRun() {
        int pumps = 0;
        SearchHooks hooks;
        hooks.delayValue = [] { return 5; };
        hooks.pumpEvents = [&] { ++pumps; };
        hooks.stopRequested = [&] { return pumps >= 4; };
        MemorySheet sheet = sheetFrom({"....................", "CAT"});
        QVERIFY(!FindRun(sheet, {QStringLiteral("CAT")}, SearchMode::AllOccurrences, false, hooks));
        QCOMPARE(pumps, 4);
        QCOMPARE(marked(sheet, 2), (QStringList{kNone, kNone}));
    }

    void timingText_data() {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("half a second") << 0.5 << "00.50";
        QTest::newRow("three digits, rounded") << 123.456 << "123.46";
        QTest::newRow("nothing") << 0.0 << "00.00";
        QTest::newRow("rounds up into the next second") << 9.996 << "10.00";
        QTest::newRow("below half a hundredth") << 0.004 << "00.00";
        QTest::newRow("a clock that went back") << -2.5 << "00.00";
        QTest::newRow("not a number") << std::nan("") << "00.00";
    }
    void timingText() {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(TimingText(seconds), text);
    }

    void keywordWithoutFinds() {
        QString text;
        for (int i = 0; i < kCellCount; ++i)
            text += QChar(u'A' + i % 26);
        MemorySheet sheet(text);
        sheet.setCellText(5, QString());
        const std::optional<QString> keyword =
            FindRun(sheet, {QStringLiteral("ZZZ")}, SearchMode::AllOccurrences, false);
        QCOMPARE(keyword, std::optional<QString>(text.left(5) + text.mid(6)));
    }

    void timedRunReportsTheElapsedTime() {
        QList<double> times{86399.8, 86400.3};
        SearchHooks hooks;
        hooks.clock = [&] { return times.takeFirst(); };
        MemorySheet sheet(u"ABCD");
        // A run across midnight on a seconds-since-midnight clock would go negative; the
        // clock here only goes forwards, past the 86400 of a day.
        QCOMPARE(FindRun(sheet, {QStringLiteral("BC")}, SearchMode::FirstOccurrence, true, hooks),
                 std::optional<QString>(QStringLiteral("AD was found within 00.50 s")));
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
            SearchString(sheet, word, SearchMode::AllOccurrences);
            const QString reading = readingOf(sheet, word);
            QVERIFY2(reading != u"not one run", qPrintable(word));
            readings << reading;
        }
        QCOMPARE(readings.size(), 8);

        for (const SearchMode mode : {SearchMode::AllOccurrences, SearchMode::FirstOccurrence}) {
            MemorySheet sheet(text);
            QCOMPARE(FindRun(sheet, words, mode, false), std::optional<QString>(demoKeyword()));
            // A second run colours nothing new and gives the same keyword.
            QCOMPARE(FindRun(sheet, words, mode, false), std::optional<QString>(demoKeyword()));
        }
        QCOMPARE(demoKeyword(), QStringLiteral("WEAREALLMADEOFSTARDUST"));
    }
};

QTEST_GUILESS_MAIN(TestSheetSearch)
#include "tst_sheetsearch.moc"
