// Dimensions, script files and the solver's operations, driven without a window.
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "engine/solvecommand.h"
#include "engine/solver.h"
#include "gridpicture.h"
#include "testing/filebytes.h"

using namespace tamsorel;
using testing::fileBytes;
using testing::writeBytes;

namespace {

// A solver without a window.
struct Rig {
    Solver solver;
    // Where log() starts: the log's clear count and its length at startLog().
    quint64 logClears = 0;
    qsizetype logStart = 0;

    // The log since startLog(), or all of it when it was cleared since.
    QStringList log() const {
        const Log& log = solver.log();
        return log.clearCount() == logClears ? log.lines().mid(logStart) : log.lines();
    }
    void startLog() {
        logClears = solver.log().clearCount();
        logStart = solver.log().lines().size();
    }
    QString horizontal() const { return solver.dimensionText(Axis::Horizontal); }
    QString vertical() const { return solver.dimensionText(Axis::Vertical); }
    bool ticked(Direction d) const { return solver.isTicked(d); }
    void untickAll() {
        for (Direction d : kAllDirections)
            solver.setTicked(d, false);
    }

    void load(const QString& cols, const QString& rows) {
        solver.setDimensionText(Axis::Horizontal, cols);
        solver.setDimensionText(Axis::Vertical, rows);
        solver.resetSolver();
        solver.loadDimensions();
    }
    void fill(const QStringList& rows) {
        load(QString::number(rows[0].size()), QString::number(rows.size()));
        const int cols = int(rows[0].size());
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < cols; ++c)
                solver.grid().setCellText(cellIndex(cols, c + 1, r + 1),
                                          rows[r][c] == u'.' ? QString() : QString(rows[r][c]));
    }
    void run(const QStringList& lines) {
        for (const QString& line : lines)
            solver.executeScriptLine(line);
    }
    QStringList letters() const {
        QStringList rows;
        const LetterGrid& g = solver.grid();
        for (int r = 1; r <= g.gridRows(); ++r) {
            QString row;
            for (int c = 1; c <= g.gridCols(); ++c) {
                const QString t = g.cellText(cellIndex(g.gridCols(), c, r));
                row += t.isEmpty() ? QStringLiteral(".") : t;
            }
            rows << row;
        }
        return rows;
    }
};

}  // namespace

class TestScript : public QObject {
    Q_OBJECT
  private slots:
    void dimensions_data() {
        QTest::addColumn<QString>("horizontal");
        QTest::addColumn<QString>("vertical");
        QTest::addColumn<int>("cols");  // 0: refused
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("shownHorizontal");
        QTest::addColumn<QString>("shownVertical");
        QTest::newRow("initial 10 x 10") << "10"
                                         << "10" << 10 << 10 << "10"
                                         << "10";
        QTest::newRow("negative counts as positive") << "-3"
                                                     << "4" << 3 << 4 << "3"
                                                     << "4";
        QTest::newRow("fractions round down") << "2.9"
                                              << "2.1" << 2 << 2 << "2"
                                              << "2";
        QTest::newRow("-2.5 becomes 3") << "-2.5"
                                        << "5" << 3 << 5 << "3"
                                        << "5";
        QTest::newRow("spaces and exponent") << " 1e1 "
                                             << "3" << 10 << 3 << "10"
                                             << "3";
        QTest::newRow("one is too small") << "1"
                                          << "10" << 0 << 0 << "1"
                                          << "10";
        QTest::newRow("zero") << "10"
                              << "0" << 0 << 0 << "10"
                              << "0";
        QTest::newRow("empty box") << ""
                                   << "10" << 0 << 0 << ""
                                   << "10";
        QTest::newRow("letters") << "abc"
                                 << "10" << 0 << 0 << "abc"
                                 << "10";
        QTest::newRow("above 32767") << "32768"
                                     << "2" << 0 << 0 << "32768"
                                     << "2";
        QTest::newRow("widest grid") << "16383"
                                     << "2" << 16383 << 2 << "16383"
                                     << "2";
        QTest::newRow("largest square") << "181"
                                        << "181" << 181 << 181 << "181"
                                        << "181";
        QTest::newRow("product above the cell limit") << "200"
                                                      << "200" << 0 << 0 << "200"
                                                      << "200";
        QTest::newRow("product just above the limit") << "182"
                                                      << "181" << 0 << 0 << "182"
                                                      << "181";
        QTest::newRow("huge number") << "1e300"
                                     << "2" << 0 << 0 << "1e+300"
                                     << "2";
    }
    void dimensions() {
        QFETCH(QString, horizontal);
        QFETCH(QString, vertical);
        QFETCH(int, cols);
        QFETCH(int, rows);
        QFETCH(QString, shownHorizontal);
        QFETCH(QString, shownVertical);
        Rig rig;
        rig.load(horizontal, vertical);
        QCOMPARE(rig.solver.grid().gridCols(), qint16(cols));
        QCOMPARE(rig.solver.grid().gridRows(), qint16(rows));
        QCOMPARE(rig.solver.grid().cellCount(), cols * rows);
        QCOMPARE(rig.horizontal(), shownHorizontal);
        QCOMPARE(rig.vertical(), shownVertical);
        QCOMPARE(rig.log().mid(0, 2),
                 (QStringList{"Log and word list cleared.. resetting dimensions..",
                              "Dimensions reset."}));
        if (cols > 0) {
            QCOMPARE(rig.log().mid(2),
                     (QStringList{msg::loading(cols, rows), "Load successfull."}));
        } else if (horizontal.toDouble() * vertical.toDouble() > kMaxCells &&
                   horizontal.toDouble() <= kMaxCells) {
            QCOMPARE(rig.log().mid(2),
                     QStringList{msg::tooManyCells(cols == 0 ? horizontal.toInt() : cols,
                                                   vertical.toInt())});
            QVERIFY(rig.log().last().contains(u"32767"));
        } else {
            QCOMPARE(rig.log().mid(2), QStringList{msg::kInvalidDimensions});
        }
    }

    void resetEmptiesLogWordsAndGrid() {
        Rig rig;
        rig.fill({"AB", "CD"});
        rig.solver.setWordsText("CAT");
        rig.untickAll();
        rig.solver.setTicked(Direction::HorFront, true);
        rig.solver.resetSolver();
        QCOMPARE(rig.log(), (QStringList{"Log and word list cleared.. resetting dimensions..",
                                         "Dimensions reset."}));
        QCOMPARE(rig.solver.wordsText(), QString());
        QVERIFY(!rig.solver.grid().exists());
        QVERIFY(rig.ticked(Direction::HorFront) &&
                !rig.ticked(Direction::HorBack));  // boxes untouched
    }

    void writesTheTenLineExample() {
        Rig rig;
        rig.fill({"AB", "CD"});
        rig.untickAll();
        rig.solver.setTicked(Direction::HorFront, true);
        rig.solver.setTicked(Direction::HorBack, true);
        rig.solver.setWordsText("CAT\r\nDOG");
        QTemporaryDir dir;
        const QString path = dir.filePath("example.tam");
        rig.startLog();
        QVERIFY(rig.solver.saveScript(path));
        QCOMPARE(fileBytes(path), QByteArray("reset\r\ndim 2 2\r\nhorfront\r\nhorback\r\n"
                                             "con 1 A\r\ncon 2 B\r\ncon 3 C\r\ncon 4 D\r\n"
                                             "word CAT\r\nword DOG\r\n"));
        QCOMPARE(rig.log(), (QStringList{"Saving to '" + path + "'..", "Save successfull!"}));
    }

    void roundTripsWithoutGrowing_data() {
        QTest::addColumn<QString>("words");
        QTest::newRow("no final line end") << "CAT\r\nDOG";
        QTest::newRow("final line end") << "CAT\r\nDOG\r\n";
        QTest::newRow("empty lines in the middle") << "CAT\r\n\r\n\r\nDOG\r\n";
        QTest::newRow("only a line end") << "\r\n";
        QTest::newRow("spaces kept") << "  two words \r\nx";
        QTest::newRow("empty word box") << "";
        QTest::newRow("cyrillic and greek") << u"КОТ\r\nΓΑΤΑ"_qs;
    }
    void roundTripsWithoutGrowing() {
        QFETCH(QString, words);
        Rig rig;
        rig.fill({u"AЖ.C"_qs, "D.EF"});
        rig.untickAll();
        rig.solver.setTicked(Direction::DiagBack, true);
        rig.solver.setWordsText(words);
        QTemporaryDir dir;
        const QString first = dir.filePath("1.tam");
        const QString second = dir.filePath("2.tam");
        QVERIFY(rig.solver.saveScript(first));

        Rig copy;
        copy.untickAll();
        QVERIFY(copy.solver.loadScript(first));
        QCOMPARE(copy.letters(), (QStringList{u"AЖ.C"_qs, "D.EF"}));
        QVERIFY(copy.ticked(Direction::DiagBack));
        QVERIFY(!copy.ticked(Direction::HorFront));
        QVERIFY(copy.solver.saveScript(second));
        QCOMPARE(fileBytes(second), fileBytes(first));
        Rig third;
        QVERIFY(third.solver.loadScript(second));
        QCOMPARE(third.solver.wordsText(), copy.solver.wordsText());
    }

    void spaceCellReadsBackEmpty() {
        // A typed space and an empty cell both read as a space in every search.
        Rig rig;
        rig.fill({"A B", "..."});
        QCOMPARE(rig.solver.scriptLines().mid(8, 3),
                 (QStringList{"con 1 A", "con 2  ", "con 3 B"}));
        rig.run({"con 3 "});
        QCOMPARE(rig.letters(), (QStringList{"A .", "..."}));
        rig.run({"con 2  "});
        QCOMPARE(rig.letters(), (QStringList{"A..", "..."}));
    }

    void loadingLogs() {
        Rig rig;
        QTemporaryDir dir;
        const QString path = dir.filePath("a.tam");
        writeBytes(path, "reset\r\ndim 3 2\r\ncon 1 X\r\n");
        rig.solver.searchWords();  // an earlier line: no grid to search yet
        QVERIFY(rig.solver.loadScript(path));
        // The reset line cleared the log, the "Loading" line with it.
        QCOMPARE(rig.log(),
                 (QStringList{"Log and word list cleared.. resetting dimensions..",
                              "Dimensions reset.", msg::loading(3, 2), "Load successfull."}));

        writeBytes(path, "horfront\r\n");
        rig.startLog();
        QVERIFY(rig.solver.loadScript(path));
        QCOMPARE(rig.log(), QStringList{"Loading '" + path + "'.."});
    }

    void scriptLines_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("letters");
        QTest::addColumn<QString>("words");
        const QStringList base = {"reset", "dim 3 2"};
        QTest::newRow("keywords in any case")
            << QStringList{"RESET", "Dim 3 2", "CoN 1 A"} << QStringList{"A..", "..."} << "";
        QTest::newRow("dim with one number is ignored")
            << QStringList{"reset", "dim 3"} << QStringList{} << "";
        QTest::newRow("con without text is ignored")
            << base + QStringList{"con 1 A", "con 1"} << QStringList{"A..", "..."} << "";
        QTest::newRow("con ending in a space empties the cell")
            << base + QStringList{"con 1 A", "con 1 "} << QStringList{"...", "..."} << "";
        QTest::newRow("con text ends at the next space")
            << base + QStringList{"con 2 B C"} << QStringList{".B.", "..."} << "";
        QTest::newRow("con longer text gives its first character")
            << base + QStringList{"con 6 XYZ"} << QStringList{"...", "..X"} << "";
        QTest::newRow("con number that is not a number")
            << base + QStringList{"con x A", "con  A", "con 1x A"} << QStringList{"...", "..."}
            << "";
        QTest::newRow("con number outside the grid")
            << base + QStringList{"con 0 A", "con 7 A", "con -1 A", "con 99999999999999 A",
                                  "con 1e300 A"}
            << QStringList{"...", "..."} << "";
        QTest::newRow("con number 2.0 is cell 2")
            << base + QStringList{"con 2.0 A"} << QStringList{".A.", "..."} << "";
        QTest::newRow("con before any grid")
            << QStringList{"reset", "con 1 A"} << QStringList{} << "";
        QTest::newRow("dim while cells exist replaces the grid")
            << base + QStringList{"con 1 A", "dim 2 3", "con 6 B"} << QStringList{"..", "..", ".B"}
            << "";
        QTest::newRow("rejected dim leaves no grid")
            << base + QStringList{"dim 200 200", "con 1 A"} << QStringList{} << "";
        QTest::newRow("word keeps its spaces")
            << QStringList{"word two words", "word  lead", "word "} << QStringList{}
            << "two words\r\n lead\r\n\r\n";
        QTest::newRow("word alone and other lines ignored")
            << QStringList{"word", "", " reset", "hello 1 2", "wordy x", "dimension 3 3"}
            << QStringList{} << "";
        QTest::newRow("huge numbers in dim")
            << QStringList{"reset", "dim 99999999999999999999 2", "dim 1e309 3"} << QStringList{}
            << "";
    }
    void scriptLines() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, letters);
        QFETCH(QString, words);
        Rig rig;
        rig.run(lines);
        QCOMPARE(rig.letters(), letters);
        QCOMPARE(rig.solver.wordsText(), words);
    }

    void directionLinesOnlyTick() {
        Rig rig;
        rig.untickAll();
        rig.solver.setTicked(Direction::VertBack, true);
        rig.run({"reset", "horfront", "DIAGBACK"});
        QVERIFY(rig.ticked(Direction::HorFront));
        QVERIFY(rig.ticked(Direction::DiagBack));
        QVERIFY(rig.ticked(Direction::VertBack));  // no line unticks a box
        QVERIFY(!rig.ticked(Direction::HorBack));
    }

    void everyLogLineIsFollowedByAPump() {
        // The pump sees each line as the one just added, so a window shows them one by one.
        struct Recorder : core::EventPump {
            const Solver* solver = nullptr;
            QStringList shown;
            bool pumpEvents() override {
                shown << solver->log().lines().last();
                return true;
            }
        } pump;
        Solver solver(pump);
        pump.solver = &solver;
        solver.setDimensionText(Axis::Horizontal, "3");
        solver.setDimensionText(Axis::Vertical, "2");
        solver.resetSolver();
        solver.loadDimensions();
        solver.setWordsText("CAT");
        solver.searchWords();
        QCOMPARE(pump.shown,
                 (QStringList{"Log and word list cleared.. resetting dimensions..",
                              "Dimensions reset.", msg::loading(3, 2), "Load successfull.",
                              "Searching 'CAT'..", "Search complete."}));
        QCOMPARE(pump.shown, solver.log().lines());
    }

    void operationsNameTheStateTheyChanged() {
        // What the window must show anew after an operation; its own hand-overs count for none.
        Rig rig;
        rig.solver.setDimensionText(Axis::Horizontal, "-3");
        rig.solver.setTicked(Direction::HorBack, false);
        rig.solver.setWordsText("CAT");
        StateChanges changes = rig.solver.takeStateChanges();
        QVERIFY(!changes.dimensions && !changes.ticks && !changes.words);
        rig.solver.loadDimensions();  // the boxes get "3" and "10"
        changes = rig.solver.takeStateChanges();
        QVERIFY(changes.dimensions && !changes.ticks && !changes.words);
        rig.run({"horback", "word DOG"});
        changes = rig.solver.takeStateChanges();
        QVERIFY(!changes.dimensions && changes.ticks && changes.words);
        rig.run({"reset", "con 1 A", "hello"});
        changes = rig.solver.takeStateChanges();
        QVERIFY(!changes.dimensions && !changes.ticks && changes.words);
        rig.solver.searchWords();
        changes = rig.solver.takeStateChanges();
        QVERIFY(!changes.dimensions && !changes.ticks && !changes.words);
    }

    void scriptWithoutGridSavesZeros() {
        Rig rig;
        rig.untickAll();
        QTemporaryDir dir;
        const QString path = dir.filePath("empty.tam");
        QVERIFY(rig.solver.saveScript(path));
        QCOMPARE(fileBytes(path), QByteArray("reset\r\ndim 0 0\r\n"));
        QVERIFY(rig.solver.loadScript(path));
        QCOMPARE(rig.log().last(), msg::kInvalidDimensions);
    }

    void lineEndsOfEveryKind_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("CR LF") << QByteArray(
            "reset\r\ndim 2 2\r\ncon 1 A\r\ncon 4 D\r\nword X\r\n");
        QTest::newRow("CR only") << QByteArray("reset\rdim 2 2\rcon 1 A\rcon 4 D\rword X");
        QTest::newRow("LF only") << QByteArray("reset\ndim 2 2\ncon 1 A\ncon 4 D\nword X\n");
        QTest::newRow("mixed") << QByteArray("reset\r\ndim 2 2\rcon 1 A\ncon 4 D\r\nword X");
    }
    void lineEndsOfEveryKind() {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath("ends.tam");
        writeBytes(path, bytes);
        Rig rig;
        QVERIFY(rig.solver.loadScript(path));
        QCOMPARE(rig.letters(), (QStringList{"A.", ".D"}));
        QCOMPARE(rig.solver.wordsText(), QStringLiteral("X\r\n"));
    }

    void badFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("letters");
        QByteArray binary;
        for (int i = 0; i < 4096; ++i)
            binary += char((i * 7919) & 0xFF);
        QTest::newRow("binary bytes") << binary << QStringList{};
        QTest::newRow("binary after good lines")
            << QByteArray("reset\r\ndim 2 2\r\ncon 1 A\r\n") + binary << QStringList{"A.", ".."};
        QTest::newRow("one line of 1 MB") << QByteArray(1 << 20, 'x') << QStringList{};
        QTest::newRow("a con of 1 MB")
            << QByteArray("reset\r\ndim 2 2\r\ncon 2 ") + QByteArray(1 << 20, 'Q')
            << QStringList{".Q", ".."};
        QTest::newRow("invalid UTF-8 reads as Windows-1252")
            << QByteArray("reset\r\ndim 2 2\r\ncon 1 \xe9\r\ncon 2 \x80")
            << QStringList{u"é€"_qs, ".."};
        QTest::newRow("NUL bytes") << QByteArray("reset\0\r\ndim 2 2\r\ncon 1 \0", 24)
                                   << QStringList{QString(QChar(0)) + ".", ".."};
    }
    void badFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, letters);
        QTemporaryDir dir;
        const QString path = dir.filePath("bad.tam");
        writeBytes(path, bytes);
        Rig rig;
        QVERIFY(rig.solver.loadScript(path));
        QCOMPARE(rig.letters(), letters);
    }

    void unreadableFilesChangeNothing() {
        QTemporaryDir dir;
        Rig rig;
        rig.fill({"AB", "CD"});
        rig.solver.setWordsText("KEEP");
        rig.startLog();

        QVERIFY(!rig.solver.loadScript(dir.path()));  // a folder
        QVERIFY(rig.log().last().startsWith("Load failed: could not read '"));
        QVERIFY(!rig.solver.loadScript(dir.filePath("missing.tam")));
        if (geteuid() != 0) {
            const QString locked = dir.filePath("locked.tam");
            writeBytes(locked, "reset\r\n");
            QFile::setPermissions(locked, QFileDevice::Permissions{});
            QVERIFY(!rig.solver.loadScript(locked));
        }
        QCOMPARE(rig.letters(), (QStringList{"AB", "CD"}));
        QCOMPARE(rig.solver.wordsText(), QStringLiteral("KEEP"));
    }

    void failedSaveIsReported() {
        QTemporaryDir dir;
        Rig rig;
        rig.fill({"AB", "CD"});
        rig.startLog();
        QVERIFY(!rig.solver.saveScript(dir.filePath("no/such/folder/x.tam")));
        QCOMPARE(rig.log().size(), 2);
        QVERIFY(rig.log().last().startsWith("Save failed: could not write '"));
        QVERIFY(!rig.log().contains("Save successfull!"));
        QVERIFY(!rig.solver.saveScript(dir.path()));
        QVERIFY(rig.log().last().startsWith("Save failed"));
    }

    void solveFromTheCommandLine_data() {
        QTest::addColumn<QByteArray>("script");  // a null array: no file at all
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("error");  // a part of the message; empty: no message
        const QByteArray catDog =
            "reset\r\ndim 3 2\r\nhorfront\r\ncon 1 C\r\ncon 2 A\r\n"
            "con 3 T\r\ncon 4 D\r\ncon 5 O\r\ncon 6 G\r\n";
        QTest::newRow("every word found") << catDog + "word CAT\r\nword OG\r\n"
                                          << 0 << "C A T\nd O G\n\n      1 CAT\n      1 OG\n"
                                          << "";
        // A fresh window ticks every search: the script's one direction line adds nothing.
        QTest::newRow("every search runs, a word missing")
            << catDog + "word TG\r\nword DAT\r\nword A\r\n"
            << 1 << "c A T\nd o G\n\n      1 TG\n      0 DAT\n      1 A\n"
            << "";
        QTest::newRow("cases and empty cells")
            << QByteArray(
                   "dim 3 2\r\ncon 1 c\r\ncon 2 a\r\ncon 3 t\r\ncon 4 X\r\ncon 6 Y\r\n"
                   "word cat\r\nword X Y\r\n")
            << 0 << "C A T\nX # Y\n\n      1 cat\n      1 X Y\n"
            << "";
        QTest::newRow("no words") << catDog << 0 << "c a t\nd o g\n\n"
                                  << "";
        QTest::newRow("no grid") << QByteArray("dim 1 5\r\nword A\r\nword B\r\n") << 1
                                 << "      0 A\n      0 B\n"
                                 << "builds no grid to search. " + msg::kInvalidDimensions;
        QTest::newRow("empty file") << QByteArray("") << 2 << ""
                                    << "is empty";
        QTest::newRow("no such file") << QByteArray() << 2 << ""
                                      << "does not exist";
    }
    void solveFromTheCommandLine() {
        QFETCH(QByteArray, script);
        QFETCH(int, status);
        QFETCH(QString, output);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString path = dir.filePath("puzzle.tam");
        if (!script.isNull()) writeBytes(path, script);
        const SolveReport report = solveScript(path);
        QCOMPARE(report.output, output);
        QCOMPARE(report.status, status);
        QVERIFY2(error.isEmpty() ? report.error.isEmpty() : report.error.contains(error),
                 qPrintable(report.error));
    }

    void fileStatus() {
        QTemporaryDir dir;
        const QString full = dir.filePath("full.tam");
        const QString empty = dir.filePath("empty.tam");
        writeBytes(full, "reset\r\n");
        writeBytes(empty, "");
        QCOMPARE(tamsorel::fileStatus(full), qint16(1));
        QCOMPARE(tamsorel::fileStatus(empty), qint16(0));
        QCOMPARE(tamsorel::fileStatus(dir.filePath("missing.tam")), qint16(-1));
        QCOMPARE(tamsorel::fileStatus(dir.path()), qint16(-1));
        QCOMPARE(tamsorel::fileStatus(dir.filePath("*.tam")), qint16(-1));
        QCOMPARE(tamsorel::fileStatus(QString()), qint16(-1));
    }
};

QTEST_GUILESS_MAIN(TestScript)
#include "tst_script.moc"
