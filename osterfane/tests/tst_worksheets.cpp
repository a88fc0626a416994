// Puzzles from the command line: the options and their refusals, numbered files, the same files
// from the same seed, the printed document with its keys, and the messages and exit statuses.
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "testing/badinput.h"
#include "testing/filebytes.h"
#include "ui/commandline.h"
#include "ui/tests/exportcheck.h"
#include "window/worksheets.h"

using namespace osterfane;

namespace {

const QStringList kWords{"apple", "banana", "cherry", "damson", "elder", "fig",
                         "grape", "kiwi",   "lemon",  "mango",  "olive", "peach"};

// The request that `arguments` (after the command) give, or the sentence refusing them.
std::variant<WorksheetRequest, QString> requestFrom(const QStringList& arguments) {
    ui::CommandLine commandLine(QStringLiteral("osterfane"), QString(), QString());
    addWorksheetOptions(commandLine);
    if (commandLine.parse(QStringList{"osterfane"} + arguments))
        return QStringLiteral("not parsed");
    if (!asksForWorksheets(commandLine)) return QStringLiteral("no worksheets");
    return worksheetRequest(commandLine);
}

// A scratch folder with a word file, and runs of writeWorksheets that collect their messages.
struct Run {
    QTemporaryDir dir;
    QString words = dir.filePath(QStringLiteral("words.txt"));
    QStringList messages;

    explicit Run(const QStringList& lines = kWords) {
        testing::writeBytes(words, lines.join(QStringLiteral("\r\n")).toUtf8());
    }
    int write(WorksheetRequest request) {
        if (request.wordsPath.isEmpty()) request.wordsPath = words;
        return writeWorksheets(request, [this](const QString& line) { messages << line; });
    }
    QString path(const QString& name) const { return dir.filePath(name); }
};

WorksheetRequest request(const QString& output, SheetFormat format, int count,
                         std::optional<quint64> seed, int size = 15) {
    WorksheetRequest r;
    r.size = size;
    r.count = count;
    r.seed = seed;
    r.output = output;
    r.format = format;
    r.includeInverted = true;
    return r;
}

}  // namespace

class TestWorksheets : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Osterfane")); }

    void refusedOptions_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        const QStringList base{"--words", "w.txt", "--size", "12", "--output", "p.pdf"};
        QTest::newRow("no words") << QStringList{"--size", "5", "--output", "p.pdf"}
                                  << "--words FILE is missing";
        QTest::newRow("no size") << QStringList{"--words", "w.txt", "--output", "p.pdf"}
                                 << "--size N is missing";
        QTest::newRow("no output")
            << QStringList{"--words", "w.txt", "--size", "5"} << "--output FILE is missing";
        QTest::newRow("a file as well") << base + QStringList{"w.txt"} << "FILE opens the window";
        QTest::newRow("an unknown kind of output")
            << QStringList{"--words", "w", "--size", "5", "--output", "p.doc"}
            << "--output must name a file ending in .pdf, .png, .svg or .tam";
        QTest::newRow("no extension")
            << QStringList{"--words", "w", "--size", "5", "--output", "puzzles"} << "--output must";
        for (const char* size : {"0", "451", "-3", "7.5", "12abc", ""}) {
            QTest::addRow("size '%s'", size)
                << QStringList{"--words", "w", "--size", size, "--output", "p.png"}
                << "--size must be a whole number from 1 to 450";
        }
        for (const char* size : {"1", "182"}) {
            QTest::addRow("script size %s", size)
                << QStringList{"--words", "w", "--size", size, "--output", "p.tam"}
                << "--size must be a whole number from 2 to 181 for a .tam script";
        }
        for (const char* count : {"0", "1001", "two"})
            QTest::addRow("count '%s'", count) << base + QStringList{"--count", count}
                                               << "--count must be a whole number from 1 to 1000";
        for (const char* seed : {"-1", "18446744073709551616", "0x10", "+4"})
            QTest::addRow("seed '%s'", seed)
                << base + QStringList{"--seed", seed} << "--seed must be a whole number from 0 to";
    }
    void refusedOptions() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        const auto result = requestFrom(arguments);
        QVERIFY(std::holds_alternative<QString>(result));
        QVERIFY2(std::get<QString>(result).contains(error), qPrintable(std::get<QString>(result)));
    }

    void acceptedOptions() {
        QCOMPARE(std::get<QString>(requestFrom({})), QStringLiteral("no worksheets"));
        auto result =
            requestFrom({"--words", "w.txt", "--size", "181", "--inverted", "--count", "1000",
                         "--seed", "18446744073709551615", "--output", "a/P.TAM"});
        QVERIFY(std::holds_alternative<WorksheetRequest>(result));
        WorksheetRequest r = std::get<WorksheetRequest>(result);
        QCOMPARE(r.wordsPath, QStringLiteral("w.txt"));
        QCOMPARE(r.size, 181);
        QVERIFY(r.includeInverted && !r.showSolutions);
        QCOMPARE(r.count, 1000);
        QCOMPARE(r.seed, std::optional<quint64>(18446744073709551615ull));
        QCOMPARE(r.format, SheetFormat::Script);

        result = requestFrom({"--solutions", "--words", "w", "--size", "1", "--output", "x.Svg"});
        r = std::get<WorksheetRequest>(result);
        QVERIFY(r.showSolutions && !r.includeInverted && !r.seed);
        QCOMPARE(r.count, 1);
        QCOMPARE(r.format, SheetFormat::Svg);
    }

    void numberedFiles_data() {
        QTest::addColumn<QString>("output");
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("paths");  // of puzzles 1, 2 and count
        QTest::newRow("one puzzle keeps the name")
            << "a/p.png" << int(SheetFormat::Png) << 1 << QStringList{"a/p.png"};
        QTest::newRow("two digits")
            << "a.b/p.x.tam" << int(SheetFormat::Script) << 30
            << QStringList{"a.b/p.x-01.tam", "a.b/p.x-02.tam", "a.b/p.x-30.tam"};
        QTest::newRow("as many digits as the count")
            << "p.svg" << int(SheetFormat::Svg) << 1000
            << QStringList{"p-0001.svg", "p-0002.svg", "p-1000.svg"};
        QTest::newRow("one PDF for all")
            << "p.pdf" << int(SheetFormat::Pdf) << 5 << QStringList{"p.pdf", "p.pdf", "p.pdf"};
    }
    void numberedFiles() {
        QFETCH(QString, output);
        QFETCH(int, format);
        QFETCH(int, count);
        QFETCH(QStringList, paths);
        const WorksheetRequest r = request(output, SheetFormat(format), count, 1);
        QStringList got;
        for (int i : {1, 2, count})
            if (i <= count) got << numberedPath(r, i);
        got.removeDuplicates();
        paths.removeDuplicates();
        QCOMPARE(got, paths);
    }

    // The same seed gives byte-identical files in every format, the PDF included; another
    // seed, or none, gives other puzzles.
    void theSameSeedGivesTheSameFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("format");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("pdf") << "p.pdf" << int(SheetFormat::Pdf) << QStringList{"p.pdf"};
        QTest::newRow("png") << "p.png" << int(SheetFormat::Png)
                             << QStringList{"p-01.png", "p-02.png"};
        QTest::newRow("svg") << "p.svg" << int(SheetFormat::Svg)
                             << QStringList{"p-01.svg", "p-02.svg"};
        QTest::newRow("tam") << "p.tam" << int(SheetFormat::Script)
                             << QStringList{"p-01.tam", "p-02.tam"};
    }
    void theSameSeedGivesTheSameFiles() {
        QFETCH(QString, name);
        QFETCH(int, format);
        QFETCH(QStringList, files);
        const auto bytesOf = [&](std::optional<quint64> seed) {
            Run run;
            const int status = run.write(request(run.path(name), SheetFormat(format), 2, seed));
            QList<QByteArray> bytes;
            for (const QString& file : files)
                bytes << testing::fileBytes(run.path(file));
            QDir folder(run.dir.path());
            return std::tuple{status, folder.entryList(QDir::Files).size(), bytes};
        };
        const auto first = bytesOf(42);
        QCOMPARE(std::get<0>(first), 0);
        QCOMPARE(std::get<1>(first), files.size() + 1);  // and the word file
        for (const QByteArray& bytes : std::get<2>(first))
            QVERIFY(!bytes.isEmpty());
        QCOMPARE(bytesOf(42), first);
        QVERIFY(std::get<2>(bytesOf(43)) != std::get<2>(first));
        QVERIFY(std::get<2>(bytesOf(std::nullopt)) != std::get<2>(bytesOf(std::nullopt)));
        if (format == int(SheetFormat::Pdf))
            QVERIFY(!std::get<2>(first)[0].contains("/CreationDate"));
    }

    void aPdfHoldsThePuzzlesThenTheirKeys() {
        if (!exportcheck::havePoppler()) QSKIP("poppler-utils is not installed");
        Run run;
        QCOMPARE(run.write(request(run.path("sheets.pdf"), SheetFormat::Pdf, 3, 7)), 0);
        QCOMPARE(exportcheck::pdfPages(run.path("sheets.pdf")), 6);
        const QStringList pages = exportcheck::pdfText(run.path("sheets.pdf")).split(u'\f');
        for (int page = 0; page < 6; ++page) {
            for (const QString& word : kWords)
                QCOMPARE(pages[page].contains(word.toUpper() + u'\n'), page < 3);
        }
        QVERIFY(run.messages.isEmpty());
    }

    // Words the list would not take, and the messages of a build, go to the report; the
    // puzzles are still written.
    void messagesOfTheWordsAndTheBuilds() {
        Run run({"ab", "cd", "AB", "x", "", "ef", "gh", "ij", "kl", "mn"});
        QCOMPARE(run.write(request(run.path("p.tam"), SheetFormat::Script, 2, 5, 2)), 0);
        QCOMPARE(run.messages.mid(0, 2),
                 (QStringList{"words.txt, line 3: 'AB' is in the list already; left out",
                              "words.txt, line 4: 'x' has fewer than two letters; left out"}));
        QVERIFY(run.messages.size() > 2);
        for (const QString& line : run.messages.mid(2))
            QVERIFY2(
                line.contains(QRegularExpression(
                    "^puzzle [12]: After 30000 retries still no possible move on [a-n]{2} :s$")),
                qPrintable(line));
        QVERIFY(QFile::exists(run.path("p-01.tam")) && QFile::exists(run.path("p-02.tam")));

        Run tooLong({"cat", "giraffe"});
        QCOMPARE(tooLong.write(request(tooLong.path("p.png"), SheetFormat::Png, 3, 5, 5)), 0);
        QCOMPARE(tooLong.messages,
                 QStringList{"Word: 'giraffe' is too long, increase size or remove word"});
        QVERIFY(QFile::exists(tooLong.path("p-03.png")));
    }

    void filesThatCannotBeReadOrWritten() {
        Run run;
        WorksheetRequest r = request(run.path("p.tam"), SheetFormat::Script, 1, 1);
        r.wordsPath = run.path("missing.txt");
        QCOMPARE(run.write(r), 2);
        QCOMPARE(run.messages.size(), 1);
        QVERIFY(run.messages[0].startsWith("cannot read the words from "));

        run.messages.clear();
        QCOMPARE(run.write(request(run.path("no/such/folder/p.pdf"), SheetFormat::Pdf, 1, 1)), 2);
        QVERIFY(run.messages[0].contains("does not exist"));

        run.messages.clear();
        const QString locked = testing::unwritableFolder(run.dir.path());
        QCOMPARE(run.write(request(QDir(locked).filePath("p.png"), SheetFormat::Png, 2, 1)), 2);
        QCOMPARE(run.messages.size(), 1);
        QVERIFY(run.messages[0].startsWith("cannot write "));

        run.messages.clear();
        QDir(run.dir.path()).mkdir("taken.svg");
        QCOMPARE(run.write(request(run.path("taken.svg"), SheetFormat::Svg, 1, 1)), 2);
        QVERIFY(run.messages[0].contains("folder"));
    }
};

QTEST_MAIN(TestWorksheets)
#include "tst_worksheets.moc"
