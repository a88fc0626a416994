// The creator's puzzle on paper and in files: the surface's context menu, the picture and the
// answer key in each format, printing, all through the dialog double.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "tamsorel/engine/solver.h"
#include "testing/filebytes.h"
#include "testing/scripteddialogs.h"
#include "testing/windowdriver.h"
#include "ui/export.h"
#include "ui/picturebox.h"
#include "ui/tests/exportcheck.h"
#include "window/creatorwindow.h"

using namespace osterfane;
using namespace exportcheck;

namespace {

const QStringList kEntries{"Actions", "AllTheWords", "Fixed", "Format", "BackUpS", "Zebra"};

struct Window {
    QTemporaryDir dir;
    testing::ScriptedDialogs dialogs;
    CreatorWindow form;
    testing::WindowDriver driver{form};

    ui::PictureBox* picture() { return driver.get<ui::PictureBox>("picfield"); }
    QAction* entry(const char* name) { return driver.get<QAction>(name); }
    QMenu* menu() { return driver.get<QMenu>("picfieldMenu"); }
    QString path(const QString& name) const { return dir.filePath(name); }

    void draw(const QStringList& words, const QString& size = QStringLiteral("12")) {
        for (const QString& w : words) {
            QTest::keyClicks(driver.get<QLineEdit>("txtfield"), w);
            QTest::keyClick(driver.get<QLineEdit>("txtfield"), Qt::Key_Return);
        }
        driver.get<QLineEdit>("txtSize")->setText(size);
        driver.click("cmdDraw");
    }
    // Saves through an entry of the menu, the dialog answered with name.
    QString save(const char* entryName, const QString& name) {
        dialogs.answerNextSave(path(name), QString());
        entry(entryName)->trigger();
        return path(name);
    }
};

// The pixel in the middle of a solution's line, in a picture scale times the screen's.
QPoint middleOf(const Solution& s, int pitch, int scale) {
    const auto centre = [pitch](int cell) { return cell * pitch + pitch / 2; };
    return QPoint((centre(s.x1) + centre(s.x2)) * scale / 2,
                  (centre(s.y1) + centre(s.y2)) * scale / 2);
}

}  // namespace

class TestExport : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Osterfane")); }

    void theEntriesWaitForTheFirstDraw() {
        Window w;
        QStringList texts;
        for (QAction* a : w.menu()->actions()) {
            texts << a->text();
            QVERIFY(!a->isEnabled());
        }
        QCOMPARE(texts, (QStringList{"Copy Picture", "Save Picture As...", "Save Answer Key As...",
                                     "Save Puzzle As Script...", "Print..."}));
        w.draw({"cat"}, "0");  // a refused size builds nothing
        QVERIFY(!w.entry("mnuPrint")->isEnabled());
        w.entry("mnuPrint")->trigger();  // a disabled entry does nothing
        QVERIFY(w.dialogs.unexpected().isEmpty());
        w.draw({}, "10");
        for (QAction* a : w.menu()->actions())
            QVERIFY(a->isEnabled());
    }

    void aRightClickOnTheSurfaceOpensTheMenu() {
        Window w;
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        // The platform turns a right click into this event.
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(100, 100),
                                w.picture()->mapToGlobal(QPoint(100, 100)));
        QApplication::sendEvent(w.picture(), &click);
        QTRY_VERIFY(w.menu()->isVisible());
        QCOMPARE(w.menu()->pos(), w.picture()->mapToGlobal(QPoint(100, 100)));
        w.menu()->close();
    }

    void theAnswerKeyHasItsLinesWhateverTheBoxSays() {
        Window w;
        w.draw(kEntries);
        const QList<Solution> solutions = w.form.puzzle().solutions();
        QCOMPARE(solutions.size(), kEntries.size());
        QVERIFY(!w.driver.get<QCheckBox>("chkSolutions")->isChecked());
        const int pitch = 450 / 12;

        QImage key(w.save("mnuSaveAnswerKey", "key.png"));
        QCOMPARE(key.size(), QSize(1780, 1780));  // to the last line, at 444
        QImage plain(w.save("mnuSavePicture", "plain.png"));
        QCOMPARE(plain.size(), QSize(1780, 1780));
        for (const Solution& s : solutions) {
            QVERIFY(isRed(key.pixelColor(middleOf(s, pitch, 4))));
            QVERIFY(!isRed(plain.pixelColor(middleOf(s, pitch, 4))));
        }

        QCOMPARE(svgShapes(readAll(w.save("mnuSaveAnswerKey", "key.svg"))).red, solutions.size());
        const SvgShapes shapes = svgShapes(readAll(w.save("mnuSavePicture", "plain.svg")));
        QVERIFY(shapes.wellFormed);
        QCOMPARE(shapes.red, 0);
        QCOMPARE(shapes.texts >= 12 * 12, true);  // every letter as text

        // With the box ticked the picture is saved as shown, lines and all.
        QTest::mouseClick(w.driver.get<QCheckBox>("chkSolutions"), Qt::LeftButton);
        QCOMPARE(svgShapes(readAll(w.save("mnuSavePicture", "shown.svg"))).red, solutions.size());
        QVERIFY(w.dialogs.unexpected().isEmpty());
        QVERIFY(w.dialogs.informationTexts().isEmpty());
    }

    // The saved picture is the screen's, four times over: same letters at the same places.
    void thePngIsTheScreenScaled() {
        Window w;
        w.draw(kEntries);
        const QImage screen = w.picture()->image();
        const QImage large = QImage(w.save("mnuSavePicture", "p.png"))
                                 .scaled(445, 445, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        int differing = 0;
        for (int y = 3; y < 442; ++y)
            for (int x = 3; x < 442; ++x)
                differing += qAbs(qGray(screen.pixel(x, y)) - qGray(large.pixel(x, y))) > 160;
        QVERIFY2(differing < 450 * 450 / 100, qPrintable(QString::number(differing)));
    }

    void aPdfOfThePictureHoldsTheGridAndTheWords() {
        if (!havePoppler()) QSKIP("poppler-utils is not installed");
        Window w;
        w.draw(kEntries);
        const QString pdf = w.save("mnuSavePicture", "puzzle.pdf");
        QVERIFY(readAll(pdf).startsWith("%PDF"));
        QCOMPARE(pdfPages(pdf), 1);
        const QString text = pdfText(pdf);
        for (const QString& word : kEntries)
            QVERIFY2(text.contains(word.toUpper()), qPrintable(text));
    }

    void printingGivesThePuzzleWithItsWordsThenTheKey() {
        if (!havePoppler()) QSKIP("poppler-utils is not installed");
        Window w;
        w.draw(kEntries);
        w.dialogs.answerNextPrint(w.path("printed.pdf"));
        w.entry("mnuPrint")->trigger();
        QCOMPARE(w.dialogs.shown().last().kind, QStringLiteral("print"));
        QCOMPARE(pdfPages(w.path("printed.pdf")), 2);
        const QStringList pages = pdfText(w.path("printed.pdf")).split(u'\f');
        // The words in alphabetical order, on the first page only.
        qsizetype at = -1;
        for (const char* word : {"ACTIONS", "ALLTHEWORDS", "BACKUPS", "FIXED", "FORMAT", "ZEBRA"}) {
            const QRegularExpression whole(QStringLiteral("\\b%1\\b").arg(word));
            const qsizetype next = pages[0].indexOf(whole);
            QVERIFY2(next > at, qPrintable(pages[0]));
            at = next;
            QVERIFY(!pages[1].contains(whole));
        }
    }

    void aPrintCancelledOrASaveCancelledDoesNothing() {
        Window w;
        w.draw(kEntries);
        const QImage before = w.picture()->image();
        w.dialogs.cancelNextPrint();
        w.entry("mnuPrint")->trigger();
        w.dialogs.cancelNextSave();
        w.entry("mnuSaveAnswerKey")->trigger();
        QVERIFY(QDir(w.dir.path()).isEmpty());
        QVERIFY(w.dialogs.informationTexts().isEmpty());
        QCOMPARE(w.picture()->image(), before);  // the screen keeps its picture
    }

    // The built puzzle as a script the solver loads: ".tam" added to a name without it, the
    // searches its build needs, the overwrite question, and a size no script holds refused.
    void savingThePuzzleAsAScript() {
        Window w;
        w.draw(kEntries);
        const QString path = w.save("mnuSaveScript", "puzzle") + ".tam";
        const testing::ScriptedDialogs::Shown asked = w.dialogs.shown().last();
        QCOMPARE(asked.request.title, QStringLiteral("Save Puzzle As Script"));
        QCOMPARE(asked.request.fileName, QStringLiteral("Puzzle.tam"));
        tamsorel::Solver solver;
        for (tamsorel::Direction d : tamsorel::kAllDirections)
            solver.setTicked(d, false);  // a load only ticks
        QVERIFY(solver.loadScript(path));
        QStringList words;
        for (const QString& word : kEntries)
            words << word.toUpper();
        QCOMPARE(tamsorel::splitWords(solver.wordsText()).mid(0, 6), words);
        const Puzzle& puzzle = w.form.puzzle();
        QCOMPARE(int(solver.grid().gridCols()), puzzle.size());
        for (int y = 0; y < puzzle.size(); ++y)
            for (int x = 0; x < puzzle.size(); ++x)
                QCOMPARE(solver.grid().cellText(y * puzzle.size() + x + 1),
                         QString(QChar(puzzle.letterAt(x, y))));
        QList<bool> ticked;
        for (tamsorel::Direction d : tamsorel::kAllDirections)
            ticked << solver.isTicked(d);
        QCOMPARE(ticked, (QList<bool>{true, false, true, false, true, true}));

        // Another build, inverted: kept on No, written on Yes, with all six searches.
        const QByteArray first = testing::fileBytes(path);
        QTest::mouseClick(w.driver.get<QCheckBox>("chkIncludeInverted"), Qt::LeftButton);
        w.driver.click("cmdDraw");
        w.dialogs.answerNextQuestion(ui::Answer::No);
        w.save("mnuSaveScript", "puzzle");
        QCOMPARE(w.dialogs.shown().last().text,
                 QDir::toNativeSeparators(path) + " already exists.\nDo you want to replace it?");
        QCOMPARE(testing::fileBytes(path), first);
        w.dialogs.answerNextQuestion(ui::Answer::Yes);
        w.save("mnuSaveScript", "puzzle.tam");
        QVERIFY(testing::fileBytes(path).contains("horback\r\nvertfront\r\nvertback"));
        QVERIFY(QFile::exists(w.save("mnuSaveScript", "other.TAM")));
        QVERIFY(w.dialogs.allAnswersUsed());

        w.draw({}, "182");
        w.entry("mnuSaveScript")->trigger();
        QCOMPARE(w.dialogs.informationTexts(),
                 QStringList{"A script holds puzzles from 2 x 2 to 181 x 181 cells; this one is "
                             "182 x 182."});
        QVERIFY(w.dialogs.unexpected().isEmpty());
    }

    void copyPutsTheScreenOnTheClipboard() {
        Window w;
        w.draw(kEntries);
        QTest::mouseClick(w.driver.get<QCheckBox>("chkSolutions"), Qt::LeftButton);
        w.entry("mnuCopyPicture")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
                 w.picture()->image().convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
