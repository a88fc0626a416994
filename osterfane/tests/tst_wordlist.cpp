// The rules by which the list takes words: a line typed into the entry field, and a word file
// read line by line into the list.
#include <QTest>

#include "engine/wordlist.h"

using namespace osterfane;

class TestWordList : public QObject {
    Q_OBJECT
  private slots:
    void typedEntry_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("entry");
        QTest::newRow("a plain word") << "Dog"
                                      << "Dog";
        QTest::newRow("a digit typed inside goes") << "x1y"
                                                   << "xy";
        QTest::newRow("spaces and signs go") << "  ice cream!\t"
                                             << "icecream";
        QTest::newRow("a letter and its mark compose") << u"NAI\u0308VE"_qs << u"NA\u00CFVE"_qs;
        QTest::newRow("a mark with no composed form goes") << u"q\u0301r"_qs << "qr";
        QTest::newRow("a mark first goes") << u"\u0301ab"_qs << "ab";
        QTest::newRow("Hangul jamo compose into a syllable")
            << u"\u1100\u1161\u11A8"_qs << u"\uAC01"_qs;
        QTest::newRow("Cyrillic and Greek stay") << u"жук-κάστρο"_qs << u"жукκάστρο"_qs;
        QTest::newRow("letters outside one square go") << u"c\U0001F600t\U00010330"_qs << "ct";
        QTest::newRow("no letter at all") << "12 34"
                                          << "";
    }
    void typedEntry() {
        QFETCH(QString, typed);
        QFETCH(QString, entry);
        QCOMPARE(osterfane::typedEntry(typed), entry);
        QCOMPARE(keptLength(entry), entry.size());
    }

    void aFileGoesIntoTheListLineByLine() {
        const QStringList lines{
            "Dog",           "", "cat", "DOG", "a", " emu ", "12 34", "x1y", u"nai\u0308ve"_qs,
            u"NA\u00CFVE"_qs};
        const WordFileLines read = entriesFromLines(lines, {"Emu"});
        QCOMPARE(read.entries, (QStringList{"Dog", "cat", "xy", u"na\u00EFve"_qs}));
        using R = WordFileLines::Reason;
        QList<std::tuple<int, QString, R>> leftOut;
        for (const WordFileLines::LeftOut& l : read.leftOut)
            leftOut.append({l.line, l.text, l.reason});
        QCOMPARE(leftOut,
                 (QList<std::tuple<int, QString, R>>{{4, "DOG", R::Duplicate},
                                                     {5, "a", R::TooShort},
                                                     {6, "emu", R::Duplicate},
                                                     {10, u"NA\u00CFVE"_qs, R::Duplicate}}));
    }

    void longLinesAreTypedInLinearTime() {
        const QString line = u"ab1\u0301"_qs.repeated(200000);
        QCOMPARE(osterfane::typedEntry(line), QStringLiteral("ab").repeated(200000));
    }
};

QTEST_GUILESS_MAIN(TestWordList)
#include "tst_wordlist.moc"
