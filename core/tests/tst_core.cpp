// The engine-side helpers: text decoding, line splitting, safe file writes, numbers, random.

#include <random>

#include <QTemporaryDir>
#include <QTest>

#include "core/letters.h"
#include "core/numbers.h"
#include "core/random.h"
#include "core/textfile.h"

using namespace core;

class TestCore : public QObject {
    Q_OBJECT
  private slots:
    void decodeText_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << QByteArray("CAT") << QStringLiteral("CAT");
        QTest::newRow("utf-8 cyrillic")
            << QByteArray("\xd0\x9a\xd0\x9e\xd0\xa2") << QStringLiteral(u"КОТ");
        QTest::newRow("utf-8 bom dropped") << QByteArray(
                                                  "\xef\xbb\xbf"
                                                  "A")
                                           << u"A"_qs;
        QTest::newRow("latin-1 e acute") << QByteArray("caf\xe9") << QStringLiteral(u"café");
        QTest::newRow("cp1252 euro and quotes")
            << QByteArray("\x80\x93\x94") << QStringLiteral(u"€“”");
        QTest::newRow("cp1252 unassigned byte falls back to latin-1")
            << QByteArray("\x81\x9d") << QStringLiteral(u"\u0081\u009d");
        QTest::newRow("nul byte kept") << QByteArray("a\0b", 3) << QString(u"a\0b"_qs);
    }
    void decodeText() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(core::decodeText(bytes), text);
    }

    void splitLines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QString() << QStringList{};
        QTest::newRow("crlf") << u"a\r\nb\r\n"_qs << QStringList{"a", "b"};
        QTest::newRow("lone cr") << u"a\rb"_qs << QStringList{"a", "b"};
        QTest::newRow("lone lf") << u"a\nb\n"_qs << QStringList{"a", "b"};
        QTest::newRow("mixed with empty lines")
            << u"a\r\n\rb\n\nc"_qs << QStringList{"a", "", "b", "", "c"};
        QTest::newRow("lf cr is two ends") << u"a\n\rb"_qs << QStringList{"a", "", "b"};
        QTest::newRow("only a line end") << u"\r\n"_qs << QStringList{""};
    }
    void splitLines() {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(core::splitLines(text), lines);
    }

    void singleSquareWords_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("fits");
        QTest::newRow("plain") << u"CAT"_qs << u"CAT"_qs << true;
        QTest::newRow("combining diaeresis composes")
            << u"NAI\u0308VE"_qs << u"NA\u00CFVE"_qs << true;
        QTest::newRow("mark with no composed form") << u"Q\u0308"_qs << u"Q\u0308"_qs << false;
        QTest::newRow("emoji") << u"CAT\U0001F431"_qs << u"CAT\U0001F431"_qs << false;
        QTest::newRow("cyrillic") << u"КОТ"_qs << u"КОТ"_qs << true;
    }
    void singleSquareWords() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(bool, fits);
        QCOMPARE(composedWord(typed), stored);
        QCOMPARE(fitsOneCharPerSquare(composedWord(typed)), fits);
    }

    void readAndWriteFiles() {
        QTemporaryDir dir;
        const QString path = dir.filePath("a.txt");
        QCOMPARE(writeFileAtomically(path, joinCrLfUtf8({"x", u"й"_qs})), QString());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("x\r\n\xd0\xb9\r\n"));
        f.close();
        const auto read = readTextFile(path);
        QVERIFY(read.ok);
        QCOMPARE(read.text, u"x\r\nй\r\n"_qs);

        QVERIFY(!readTextFile(dir.filePath("missing")).ok);
        QVERIFY(!readTextFile(dir.path()).ok);
        QVERIFY(!readTextFile(path, 3).ok);  // larger than the limit
        QVERIFY(!writeFileAtomically(dir.path(), "x").isEmpty());
        QVERIFY(!writeFileAtomically(dir.filePath("no/such/folder/x"), "x").isEmpty());
    }

    void readOnlyFileIsNeverTruncated() {
        QTemporaryDir dir;
        const QString path = dir.filePath("ro.txt");
        QCOMPARE(writeFileAtomically(path, "old"), QString());
        QFile::setPermissions(path, QFile::ReadOwner);
        QVERIFY(!writeFileAtomically(path, "new").isEmpty());
        QCOMPARE(readTextFile(path).text, u"old"_qs);
        // Pieces: a file longer than one read still reads whole.
        const QByteArray big(300000, 'k');
        QCOMPARE(writeFileAtomically(dir.filePath("big.txt"), big), QString());
        QCOMPARE(readTextFile(dir.filePath("big.txt")).text.size(), big.size());
        QVERIFY(!readTextFile(dir.filePath("big.txt"), big.size() - 1).ok);
    }

    void parseNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("integer") << "10" << true << 10.0;
        QTest::newRow("spaces and sign") << " -3 " << true << -3.0;
        QTest::newRow("fraction") << "2.9" << true << 2.9;
        QTest::newRow("exponent") << "1e3" << true << 1000.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("letters") << "abc" << false << 0.0;
        QTest::newRow("trailing letters") << "12abc" << false << 0.0;
        QTest::newRow("infinite") << "1e999" << false << 0.0;
    }
    void parseNumber() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        const auto parsed = core::parseNumber(text);
        QCOMPARE(parsed.has_value(), ok);
        if (ok) QCOMPARE(*parsed, value);
    }

    void leadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("digits then letters") << "12abc" << 12.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("sign, fraction, exponent") << " -3.5e2x" << -350.0;
        QTest::newRow("dangling exponent") << "7e" << 7.0;
    }
    void leadingNumber() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(core::leadingNumber(text), value);
    }

    void roundsHalfToEven() {
        QCOMPARE(roundHalfEven(2.5), 2.0);
        QCOMPARE(roundHalfEven(3.5), 4.0);
        QCOMPARE(roundHalfEven(-2.5), -2.0);
        QCOMPARE(roundHalfEven(2.6), 3.0);
    }

    void randomSourceRestartsTheSame() {
        RandomSource a, b;
        for (int i = 0; i < 100; ++i) {
            const double r = a.nextRandom();
            QVERIFY(r >= 0.0 && r < 1.0);
            QCOMPARE(r, b.nextRandom());
        }
        a.reseedFromClock(100.0);
        b.reseedFromClock(200.0);
        QVERIFY(a.nextRandom() != b.nextRandom());
    }

    // Boards and puzzles come from this stream: it must stay the standard engine's, across
    // many blocks and after reseeding.
    void twisterMatchesTheStandardEngine() {
        for (const std::uint64_t seed : std::initializer_list<std::uint64_t>{
                 5489, 0, RandomSource::kStartSeed, ~std::uint64_t(0)}) {
            MersenneTwister64 ours(7);
            ours.seed(seed);
            std::mt19937_64 standard(seed);
            for (int i = 0; i < 100000; ++i)
                if (ours() != standard())
                    QFAIL(qPrintable(QString("seed %1, draw %2").arg(seed).arg(i)));
        }
    }
};

QTEST_GUILESS_MAIN(TestCore)
#include "tst_core.moc"
