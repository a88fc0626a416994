// The solver window: its designed controls, the button flows through the dialog double, the
// typing rule of the cells and the largest grids.
#include <QAccessible>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <random>

#include "windowrig.h"

#include "testing/filebytes.h"
#include "testing/scripteddialogs.h"
#include "ui/services.h"
#include "window/lettergridview.h"
#include "window/solverwindow.h"

using namespace tamsorel;
using testing::fileBytes;
using testing::writeBytes;

namespace {

// Whether a check box shows its whole caption.
bool captionFits(QCheckBox* box) {
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    const QRect contents = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
    return box->fontMetrics().horizontalAdvance(box->text()) <= contents.width();
}

}  // namespace

class TestWindow : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { ui::registerFonts(); }

    void controlsAsDesigned_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("rect");      // pixels in the container
        QTest::addColumn<QString>("spoken");  // the accessible name a screen reader reads
        QTest::newRow("fraDimensions")
            << "fraDimensions"
            << "Dimensions to use" << QRect(8, 8, 129, 105) << "Dimensions to use";
        QTest::newRow("txtHorizontal") << "txtHorizontal"
                                       << "10" << QRect(72, 24, 49, 19) << "Horizontaly:";
        QTest::newRow("txtVertical") << "txtVertical"
                                     << "10" << QRect(72, 48, 49, 19) << "Verticaly:";
        QTest::newRow("cmdDimensions")
            << "cmdDimensions"
            << "Load Dimensions" << QRect(8, 72, 113, 25) << "Load Dimensions";
        QTest::newRow("fraLog") << "fraLog"
                                << "Log" << QRect(144, 8, 497, 105) << "Log";
        QTest::newRow("lstLog") << "lstLog"
                                << "" << QRect(8, 16, 481, 79) << "Log";
        QTest::newRow("fraSearch") << "fraSearch"
                                   << "Search" << QRect(8, 120, 553, 153) << "Search";
        QTest::newRow("txtWords") << "txtWords"
                                  << "" << QRect(144, 16, 401, 97) << "Words to find";
        QTest::newRow("cmdSearch") << "cmdSearch"
                                   << "Search" << QRect(8, 120, 537, 25) << "Search";
        QTest::newRow("fraSaveLoad") << "fraSaveLoad"
                                     << "Save/Load" << QRect(568, 120, 73, 89) << "Save/Load";
        QTest::newRow("cmdSave") << "cmdSave"
                                 << "Save" << QRect(8, 24, 57, 25) << "Save";
        QTest::newRow("cmdLoad") << "cmdLoad"
                                 << "Load" << QRect(8, 56, 57, 25) << "Load";
        QTest::newRow("fraClear") << "fraClear"
                                  << "Reset" << QRect(568, 216, 73, 57) << "Reset";
        QTest::newRow("cmdClear") << "cmdClear"
                                  << "Reset" << QRect(8, 24, 57, 25) << "Reset";
    }
    void controlsAsDesigned() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRect, rect);
        QFETCH(QString, spoken);
        WindowRig win;
        QWidget* c = win.driver.get<QWidget>(name);
        QVERIFY(c);
        QCOMPARE(c->geometry(), rect);
        QCOMPARE(QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name), spoken);
        if (auto* b = qobject_cast<QPushButton*>(c)) QCOMPARE(b->text(), caption);
        if (auto* g = qobject_cast<QGroupBox*>(c)) QCOMPARE(g->title(), caption);
        if (auto* e = qobject_cast<QLineEdit*>(c)) QCOMPARE(e->text(), caption);
    }

    void startState() {
        WindowRig win;
        QCOMPARE(win.w.windowTitle(), QStringLiteral("Tamsorel"));
        QCOMPARE(win.w.width(), 648);
        QCOMPARE(win.w.height(), 279);  // 4665 twips less the title bar and borders
        QCOMPARE(win.w.designHeightTwips(), 4665);
        const char* boxes[] = {"chkHorFront", "chkHorBack",   "chkVertFront",
                               "chkVertBack", "chkDiagFront", "chkDiagBack"};
        const char* captions[] = {"Horizontal (Frontwards)", "Horizontal (Backwards)",
                                  "Vertical (Frontwards)",   "Vertical (Backwards)",
                                  "Diagonaly (Frontwards)",  "Diagonaly (Backwards)"};
        for (int i = 0; i < 6; ++i) {
            auto* box = win.get<QCheckBox>(boxes[i]);
            QVERIFY(box->isChecked());
            QCOMPARE(box->text(), QString::fromLatin1(captions[i]));
            QCOMPARE(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name),
                     box->text());
            QCOMPARE(box->pos(), QPoint(8, 16 + 16 * i));
            if (QFontInfo(box->font()).family() == u"Tahoma")
                QVERIFY2(captionFits(box), "caption cut off");
        }
        QCOMPARE(win.get<QLabel>("lblHorizontaly")->text(), QStringLiteral("Horizontaly:"));
        QCOMPARE(win.get<QLabel>("lblVert")->text(), QStringLiteral("Verticaly:"));
        QCOMPARE(win.get<QListWidget>("lstLog")->font().family(), QStringLiteral("Comic Sans MS"));
        QVERIFY(win.log().isEmpty());
        QVERIFY(!win.grid().exists());
    }

    void windowHeights() {
        QCOMPARE(designedWindowHeight(0), 4665);
        QCOMPARE(designedWindowHeight(10), 6995);
        QCOMPARE(designedWindowHeight(2), 4895 + 420);
    }

    void tabOrder() {
        WindowRig win;
        const QList<QWidget*> order = {win.editor(),           win.get("txtHorizontal"),
                                       win.get("txtVertical"), win.get("cmdDimensions"),
                                       win.get("lstLog"),      win.get("chkHorFront"),
                                       win.get("chkHorBack"),  win.get("chkVertFront"),
                                       win.get("chkVertBack"), win.get("chkDiagFront"),
                                       win.get("chkDiagBack"), win.get("txtWords"),
                                       win.get("cmdSearch"),   win.get("cmdSave"),
                                       win.get("cmdLoad"),     win.get("cmdClear")};
        QWidget* w = order.first();
        for (int i = 1; i < order.size(); ++i) {
            do {
                w = w->nextInFocusChain();
            } while (!order.contains(w));
            QCOMPARE(w->objectName(), order[i]->objectName());
        }
    }

    void keysMoveThroughTheCellsAndOn() {
        WindowRig win;
        win.loadDimensions("3", "2");
        win.w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&win.w));
        win.editor()->setFocus();
        QTest::keyClick(win.editor(), Qt::Key_Right);
        QTest::keyClick(win.editor(), Qt::Key_Down);
        QTest::keyClick(win.editor(), Qt::Key_Right);
        QTest::keyClick(win.editor(), Qt::Key_Right);  // stops at the edge
        QCoreApplication::processEvents();
        QCOMPARE(win.cells()->currentCell(), 6);
        // Tab leaves the grid for each control in the designed order and comes back to the
        // cell it left; Shift+Tab goes back.
        const QStringList order = {
            "txtHorizontal", "txtVertical", "cmdDimensions", "lstLog",
            "chkHorFront",   "chkHorBack",  "chkVertFront",  "chkVertBack",
            "chkDiagFront",  "chkDiagBack", "txtWords",      "cmdSearch",
            "cmdSave",       "cmdLoad",     "cmdClear",      "txtTextEditor"};
        QStringList reached;
        for (int i = 0; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(reached, order);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdClear"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(win.cells()->currentCell(), 6);
        QTest::keyClicks(win.editor(), "Z");
        QCOMPARE(win.grid().cellText(6), QStringLiteral("Z"));
    }

    void screenReaderReadsTheCells() {
        WindowRig win;
        win.loadDimensions("3", "2");
        for (int n = 1; n <= 6; ++n)
            win.w.setCellText(n, QString("CATDOG"[n - 1]));
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(win.cells());
        QCOMPARE(table->role(), QAccessible::Table);
        QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Letter grid, 3 by 2"));
        QCOMPARE(table->childCount(), 6);
        QAccessibleInterface* g = table->tableInterface()->cellAt(1, 2);
        QCOMPARE(g->role(), QAccessible::Cell);
        QCOMPARE(g->text(QAccessible::Name), QStringLiteral("Cell 6, row 2, column 3, G"));
        QVERIFY(!g->state().checked);

        // A search changes the cells' states and is announced.
        win.get<QPlainTextEdit>("txtWords")->setPlainText("DOG\nEMU");
        win.click("cmdSearch");
        QVERIFY(g->state().checked);
        QVERIFY(!table->tableInterface()->cellAt(0, 2)->state().checked);
        QCOMPARE(g->text(QAccessible::Name), QStringLiteral("Cell 6, row 2, column 3, G, found"));
        QCOMPARE(win.cells()->accessibleDescription(),
                 QStringLiteral("1 of 2 words found, 3 cells marked."));

        // The editor reads as the cell it stands on; the table knows which cell has the focus.
        win.w.setCellText(2, "");
        win.cells()->setCurrentCell(2);
        win.editor()->setFocus();
        QCoreApplication::processEvents();
        QCOMPARE(win.editor()->accessibleName(), QStringLiteral("Cell 2, row 1, column 2, empty"));
        QCOMPARE(table->focusChild(), table->tableInterface()->cellAt(0, 1));

        // A new grid of the largest size reads with all its cells.
        win.loadDimensions("181", "181");
        QCOMPARE(table->childCount(), 32761);
        QCOMPARE(table->tableInterface()->cellAt(180, 180)->text(QAccessible::Name),
                 QStringLiteral("Cell 32761, row 181, column 181, empty"));
    }

    void loadDimensionsTenByTen() {
        WindowRig win;
        win.get<QPlainTextEdit>("txtWords")->setPlainText("OLD");
        win.click("cmdDimensions");
        QCOMPARE(win.log(),
                 (QStringList{"Log and word list cleared.. resetting dimensions..",
                              "Dimensions reset.", "Loading 10x10 cases..", "Load successfull."}));
        QCOMPARE(win.grid().cellCount(), 100);
        QCOMPARE(win.get<QPlainTextEdit>("txtWords")->toPlainText(), QString());
        QCOMPARE(win.w.designHeightTwips(), 6995);
        QCOMPARE(win.w.height(), 434);
        // Cell (col, row) stands at 120 + 255 (col - 1), 4295 + 210 (row - 1) twips.
        LetterGridView* cells = win.cells();
        for (int n : {1, 2, 10, 11, 100}) {
            const int col = (n - 1) % 10, row = (n - 1) / 10;
            const QRect r = cells->cellRect(n);
            QCOMPARE(QRect(cells->mapTo(&win.w, r.topLeft()), r.size()),
                     QRect(8 + 17 * col, 286 + 14 * row, 17, 14));
        }
        // Rejected dimensions leave no grid, and the window shrinks again.
        win.loadDimensions("1", "10");
        QCOMPARE(win.log().last(), msg::kInvalidDimensions);
        QVERIFY(!win.grid().exists());
        QCOMPARE(win.w.designHeightTwips(), 4665);
    }

    void tooManyCellsAreRefused() {
        WindowRig win;
        win.loadDimensions("200", "200");
        QCOMPARE(win.log().last(), msg::tooManyCells(200, 200));
        QVERIFY(!win.grid().exists());
        QVERIFY(!win.get<QScrollArea>("gridArea")->isVisible());
    }

    void typingMovesTheFocusOn() {
        WindowRig win;
        win.loadDimensions("2", "2");
        QTest::mouseClick(win.cells(), Qt::LeftButton, {}, win.cells()->cellRect(1).center());
        QTest::keyClicks(win.editor(), "AB");
        QCoreApplication::processEvents();
        QCOMPARE(win.grid().cellText(1), QStringLiteral("A"));
        QCOMPARE(win.grid().cellText(2), QStringLiteral("B"));
        QCOMPARE(win.cells()->currentCell(), 3);
        QTest::sendKeyEvent(QTest::Click, win.editor(), Qt::Key_unknown, u"Ж"_qs, Qt::NoModifier);
        QTest::keyClicks(win.editor(), "D");
        QCoreApplication::processEvents();
        QCOMPARE(win.grid().cellText(3), QStringLiteral("Ж"));
        // The last cell keeps the focus; erasing does not move it.
        QCOMPARE(win.cells()->currentCell(), 4);
        QCOMPARE(win.grid().cellText(4), QStringLiteral("D"));
        QTest::keyClick(win.editor(), Qt::Key_Backspace);
        QCoreApplication::processEvents();
        QCOMPARE(win.grid().cellText(4), QString());
        QCOMPARE(win.cells()->currentCell(), 4);
        // Arrows move between cells; typing over a letter replaces it.
        QTest::keyClick(win.editor(), Qt::Key_Up);
        QTest::keyClick(win.editor(), Qt::Key_Left);
        QCoreApplication::processEvents();
        QCOMPARE(win.cells()->currentCell(), 1);
        QTest::keyClicks(win.editor(), "Z");
        QCOMPARE(win.grid().cellText(1), QStringLiteral("Z"));
        // Typing the letter a cell already holds moves on all the same.
        QTest::keyClicks(win.editor(), "BQ");
        QCOMPARE(win.grid().cellText(3), QStringLiteral("Q"));
    }

    void currentFoundCellKeepsItsColours() {
        WindowRig win;
        win.loadDimensions("2", "2");
        for (int n = 1; n <= 4; ++n)
            win.w.setCellText(n, QString(QChar(u'A' + n - 1)));
        win.get<QPlainTextEdit>("txtWords")->setPlainText("AD");
        win.click("cmdSearch");
        win.editor()->setFocus();
        QCoreApplication::processEvents();
        LetterGridView* cells = win.cells();
        const QImage cell = cells->grab(cells->cellRect(4)).toImage();
        // Red with a white letter, framed in white while it has the focus.
        int red = 0, light = 0;
        for (int y = 2; y < cell.height() - 2; ++y)
            for (int x = 2; x < cell.width() - 2; ++x) {
                const QColor c = cell.pixelColor(x, y);
                red += c == Qt::red;
                light += std::min({c.red(), c.green(), c.blue()}) >= 160;
            }
        QVERIFY2(red > 2 * light && light > 0,
                 qPrintable(QString("%1 red, %2 light").arg(red).arg(light)));
        QCOMPARE(cell.pixelColor(1, cell.height() / 2), QColor(Qt::white));
    }

    void searchMarksCellsWithTheButtonsDisabled() {
        WindowRig win;
        win.loadDimensions("3", "2");
        const QStringList letters = {"C", "A", "T", "D", "O", "G"};
        for (int n = 1; n <= 6; ++n)
            win.w.setCellText(n, letters[n - 1]);
        win.get<QPlainTextEdit>("txtWords")->setPlainText("TAC\nGOD\nXYZ\n");
        QStringList states;
        win.w.setTimeText([&] {
            states << QString("%1%2")
                          .arg(win.get("cmdSearch")->isEnabled())
                          .arg(win.get("fraSearch")->isEnabled());
            return QStringLiteral("T");
        });
        win.click("cmdSearch");
        QCOMPARE(win.log().mid(4), (QStringList{"Searching 'TAC'..", "Searching 'GOD'..",
                                                "Searching 'XYZ'..", "Search complete."}));
        QCOMPARE(states, QStringList(4, "00"));
        QVERIFY(win.get("cmdSearch")->isEnabled() && win.get("fraSearch")->isEnabled());
        for (int n = 1; n <= 6; ++n)
            QCOMPARE(win.grid().backColor(n), kFoundBack);
    }

    void saveFlows() {
        QTemporaryDir dir;
        WindowRig win;
        win.loadDimensions("2", "2");
        testing::ScriptedDialogs dialogs;

        dialogs.cancelNextSave();
        win.click("cmdSave");
        QCOMPARE(win.log().last(), msg::kInvalidFilename);
        QCOMPARE(dialogs.shown().last().request.fileName, QStringLiteral("*.tam"));
        QCOMPARE(dialogs.shown().last().request.filter, QStringLiteral("*.tam"));
        dialogs.answerNextSave("*.tam");
        win.click("cmdSave");
        QCOMPARE(win.log().last(), msg::kInvalidFilename);

        // The extension is added; an upper-case one is kept.
        dialogs.answerNextSave(dir.filePath("puzzle"));
        win.click("cmdSave");
        QVERIFY(QFile::exists(dir.filePath("puzzle.tam")));
        QCOMPARE(win.log().last(), msg::kSaveDone);
        dialogs.answerNextSave(dir.filePath("UPPER.TAM"));
        win.click("cmdSave");
        QVERIFY(QFile::exists(dir.filePath("UPPER.TAM")));
        QVERIFY(!QFile::exists(dir.filePath("UPPER.TAM.tam")));

        // An existing file: No keeps it and logs nothing, Yes replaces it.
        writeBytes(dir.filePath("old.tam"), "keep me");
        const int logged = win.log().size();
        dialogs.answerNextSave(dir.filePath("old.tam"));
        dialogs.answerNextQuestion(ui::Answer::No);
        win.click("cmdSave");
        QCOMPARE(fileBytes(dir.filePath("old.tam")), QByteArray("keep me"));
        QCOMPARE(win.log().size(), logged);
        QCOMPARE(dialogs.shown().last().text, QStringLiteral("Overwrite existing file?"));
        QCOMPARE(dialogs.shown().last().title, QStringLiteral("Overwrite"));
        dialogs.answerNextSave(dir.filePath("old.tam"));
        dialogs.answerNextQuestion(ui::Answer::Yes);
        win.click("cmdSave");
        QVERIFY(fileBytes(dir.filePath("old.tam")).startsWith("reset\r\ndim 2 2\r\n"));

        // A folder that does not exist: a failure line, never success.
        dialogs.answerNextSave(dir.filePath("missing/x.tam"));
        win.click("cmdSave");
        QVERIFY(win.log().last().startsWith("Save failed"));
        QVERIFY(dialogs.unexpected().isEmpty());
        QVERIFY(dialogs.allAnswersUsed());
    }

    void loadFlows() {
        QTemporaryDir dir;
        WindowRig win;
        testing::ScriptedDialogs dialogs;
        writeBytes(dir.filePath("empty.tam"), "");
        writeBytes(dir.filePath("good.tam"),
                   "reset\r\ndim 3 2\r\nhorfront\r\ncon 1 C\r\ncon 2 A\r\ncon 3 T\r\ncon 4 \r\n"
                   "con 5 \r\ncon 6 \r\nword CAT\r\n");

        dialogs.cancelNextOpen();
        dialogs.answerNextOpen(dir.filePath("empty.tam"));
        dialogs.answerNextOpen(dir.filePath("missing.tam"));
        dialogs.answerNextOpen(dir.path());
        for (int i = 0; i < 4; ++i) {
            win.click("cmdLoad");
            QCOMPARE(win.log().last(), msg::kInvalidFilename);
        }
        for (QCheckBox* box : win.w.findChildren<QCheckBox*>())
            box->setChecked(false);
        dialogs.answerNextOpen(dir.filePath("good.tam"));
        win.click("cmdLoad");
        QCOMPARE(win.log(),
                 (QStringList{"Log and word list cleared.. resetting dimensions..",
                              "Dimensions reset.", "Loading 3x2 cases..", "Load successfull."}));
        QCOMPARE(win.grid().cellText(3), QStringLiteral("T"));
        QCOMPARE(win.get<QLineEdit>("txtHorizontal")->text(), QStringLiteral("3"));
        QCOMPARE(win.get<QLineEdit>("txtVertical")->text(), QStringLiteral("2"));
        QVERIFY(win.get<QCheckBox>("chkHorFront")->isChecked());
        QCOMPARE(win.get<QPlainTextEdit>("txtWords")->toPlainText(), QStringLiteral("CAT\n"));
        QCoreApplication::processEvents();
        QCOMPARE(win.cells()->currentCell(), 4);  // the focus followed the letters
        QVERIFY(win.get("cmdLoad")->isEnabled());

        // Saving what was loaded writes the same file.
        dialogs.answerNextSave(dir.filePath("again.tam"));
        win.click("cmdSave");
        QCOMPARE(fileBytes(dir.filePath("again.tam")), fileBytes(dir.filePath("good.tam")));
    }

    void fileArgumentLoadsAsTheLoadButton() {
        // A script without a reset line keeps its "Loading" line, which names the file whole
        // even when it was given relative to the current folder.
        QTemporaryDir dir;
        writeBytes(dir.filePath("part.tam"), "dim 2 2\r\ncon 1 Q\r\nword Q\r\n");
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir.path());
        WindowRig byDialog, byArgument;
        testing::ScriptedDialogs dialogs;
        dialogs.answerNextOpen(dir.filePath("part.tam"));
        byDialog.click("cmdLoad");
        byArgument.w.openScript("part.tam");
        QDir::setCurrent(before);
        QCOMPARE(byArgument.log().first(), msg::loadingScript(dir.filePath("part.tam")));
        QCOMPARE(byArgument.state(), byDialog.state());
        QCOMPARE(byArgument.grid().cellText(1), QStringLiteral("Q"));
    }

    void hugeWordLineLoads() {
        // One word line of 1 MB goes into the word box whole and can be searched for.
        QTemporaryDir dir;
        WindowRig win;
        testing::ScriptedDialogs dialogs;
        writeBytes(dir.filePath("long.tam"), "reset\r\ndim 2 2\r\nword " +
                                                 QByteArray(1 << 20, 'W') + "\r\ncon 1 " +
                                                 QByteArray(1 << 20, 'C') + "\r\n");
        writeBytes(dir.filePath("longdim.tam"), "dim " + QByteArray(1 << 20, '9') + " 2\r\n");
        dialogs.answerNextOpen(dir.filePath("long.tam"));
        QElapsedTimer timer;
        timer.start();
        win.click("cmdLoad");
        QCOMPARE(win.get<QPlainTextEdit>("txtWords")->toPlainText().size(), (1 << 20) + 1);
        win.click("cmdSearch");
        QCOMPARE(win.log().last(), QStringLiteral("Search complete."));
        QCOMPARE(win.log().at(win.log().size() - 2).size(), (1 << 20) + 14);  // kept whole
        auto* list = win.get<QListWidget>("lstLog");
        QVERIFY(list->item(list->count() - 2)->text().size() < 2000);  // shown shortened
        QCOMPARE(win.grid().cellText(1), QStringLiteral("C"));
        dialogs.answerNextOpen(dir.filePath("longdim.tam"));
        win.click("cmdLoad");
        QCOMPARE(win.log().last(), msg::kInvalidDimensions);
        qInfo("1 MB lines loaded and searched in %lld ms", timer.elapsed());
    }

    void largestGridScrolls() {
        WindowRig win;
        win.loadDimensions("181", "181");
        QCOMPARE(win.grid().cellCount(), 32761);
        QCOMPARE(win.w.designHeightTwips(), 4895 + 210 * 181);
        QCOMPARE(win.w.width(), 648);
        QVERIFY(win.w.frameGeometry().height() <= win.w.screen()->availableGeometry().height());
        auto* area = win.get<QScrollArea>("gridArea");
        QVERIFY(area->horizontalScrollBar()->maximum() > 0);
        QVERIFY(area->verticalScrollBar()->maximum() > 0);
        // The last cell can be reached and typed into.
        win.cells()->setCurrentCell(32761);
        QCoreApplication::processEvents();
        QVERIFY(area->horizontalScrollBar()->value() > 0);
        QVERIFY(area->verticalScrollBar()->value() > 0);
        win.editor()->setFocus();
        QTest::keyClicks(win.editor(), "Q");
        QCOMPARE(win.grid().cellText(32761), QStringLiteral("Q"));
        QVERIFY(win.editor()->isVisible());
    }

    void wideGridShowsEveryRow() {
        WindowRig win;
        win.loadDimensions("50", "5");
        auto* area = win.get<QScrollArea>("gridArea");
        QVERIFY(area->horizontalScrollBar()->isVisible() &&
                !area->verticalScrollBar()->isVisible());
        for (int n = 1; n <= 250; ++n)  // rows within the viewport's height
            QVERIFY(win.cells()->cellRect(n).bottom() < area->viewport()->height());
    }

    void theScreenShowsEveryFoundCell() {
        // The window paints only cells that changed and can be seen, at most once a frame
        // while a search runs: what reaches the screen must still be every cell's state, after
        // searches that mark many cells or few and after scrolling to cells out of sight.
        WindowRig win;
        win.loadDimensions("45", "40");
        std::mt19937 rng(3);
        for (int n = 1; n <= win.grid().cellCount(); ++n)
            win.w.setCellText(n, rng() % 3 ? "A" : "B");
        auto* area = win.get<QScrollArea>("gridArea");
        auto screenMatchesTheGrid = [&](const char* step) {
            QCoreApplication::processEvents();
            const QImage shown = win.w.screen()->grabWindow(win.w.winId()).toImage();
            const QRect viewport(area->viewport()->mapTo(&win.w, QPoint()),
                                 area->viewport()->size());
            int checked = 0;
            for (int n = 1; n <= win.grid().cellCount(); ++n) {
                const QRect cell =
                    win.cells()->cellRect(n).translated(win.cells()->mapTo(&win.w, QPoint()));
                if (!viewport.contains(cell) || n == win.cells()->currentCell()) continue;
                const bool red = shown.pixelColor(cell.topLeft() + QPoint(3, 3)) == Qt::red;
                QVERIFY2(red == (win.grid().backColor(n) == kFoundBack),
                         qPrintable(QString("%1: cell %2").arg(step).arg(n)));
                ++checked;
            }
            QVERIFY2(checked > 500, step);
        };
        auto search = [&](const char* words) {
            win.get<QPlainTextEdit>("txtWords")->setPlainText(words);
            win.click("cmdSearch");
        };
        search("ABA\nBB");
        screenMatchesTheGrid("many cells found");
        search("BBBB");
        screenMatchesTheGrid("few cells found");
        area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
        area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
        screenMatchesTheGrid("scrolled to the last cells");
        search("AAB");
        screenMatchesTheGrid("found again where scrolled");
    }

    void dimensionsTypedDuringAFlowAreUsed() {
        // The boxes stay usable while "Load Dimensions" runs: a width typed while the reset's
        // lines show is the width loaded; the untouched height keeps its text.
        WindowRig win;
        bool typed = false;
        win.w.setTimeText([&] {
            if (!typed) {
                typed = true;
                QMetaObject::invokeMethod(
                    &win.w, [&] { win.get<QLineEdit>("txtHorizontal")->setText("4"); },
                    Qt::QueuedConnection);
            }
            return QStringLiteral("T");
        });
        win.click("cmdDimensions");
        QCOMPARE(win.grid().gridCols(), 4);
        QCOMPARE(win.grid().gridRows(), 10);
        QCOMPARE(win.get<QLineEdit>("txtHorizontal")->text(), QStringLiteral("4"));
    }

    void closingDuringAFlowWaitsForIt() {
        WindowRig win;
        bool closedEarly = false;
        int calls = 0;
        win.w.setTimeText([&] {
            if (++calls == 1) win.w.close();
            closedEarly = closedEarly || !win.w.isVisible();
            return QStringLiteral("T");
        });
        win.click("cmdDimensions");
        QVERIFY(!closedEarly);
        QVERIFY(!win.w.isVisible());
        QCOMPARE(win.grid().cellCount(), 100);
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
