// The game window and the settings window, driven by clicks and mouse drags on the board.
#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "pindral/window/gamewindow.h"
#include "pindral/window/settingswindow.h"
#include "settingswindowof.h"
#include "testing/scripteddialogs.h"
#include "testing/windowdriver.h"
#include "ui/geometry.h"
#include "ui/picturebox.h"
#include "ui/services.h"
#include "ui/tests/exportcheck.h"

using namespace pindral;

namespace {

const QString kWin = "You win.\r\n\r\nThat's all.\r\n\r\nThank you, come again.";

// The controls of a window, found by their designed names.
testing::WindowDriver in(const QWidget* window) {
    return testing::WindowDriver(*window);
}

// A game window over its own folder, with the dialogs answered by the test.
struct Fixture {
    QTemporaryDir dir;
    testing::ScriptedDialogs dialogs;
    std::unique_ptr<GameWindow> window;

    explicit Fixture(const QByteArray& settings = QByteArray()) {
        if (!settings.isEmpty()) write("Settings.ini", settings);
        window = std::make_unique<GameWindow>(dir.filePath("Settings.ini"), dir.path());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    QString write(const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::WriteOnly)) f.write(bytes);
        return f.fileName();
    }

    testing::WindowDriver driver() const { return in(window.get()); }
    ui::PictureBox* board() const { return driver().get<ui::PictureBox>("pBoard"); }
    QTreeWidget* tree() const { return driver().get<QTreeWidget>("tvWords"); }
    const Game& game() const { return window->game(); }
    SettingsWindow* settings() const { return settingsWindowOf(*window); }

    void newGame(const QString& path) {
        dialogs.answerNextOpen(path);
        driver().click("cmdPlay");
    }

    QPoint centre(int x, int y) const {
        const int s = window->settingsFile().settings().squareSize;
        return {x * s + s / 2, y * s + s / 2};
    }
    // The colour near the top-left corner of a square, clear of its letter.
    QColor fillOf(int x, int y) const {
        const int s = window->settingsFile().settings().squareSize;
        return board()->image().pixelColor(x * s + 2, y * s + 2);
    }

    // Presses on one square, drags to another and releases there.
    void drag(CellPos from, CellPos to) {
        QTest::mousePress(board(), Qt::LeftButton, {}, centre(from.x, from.y));
        QTest::mouseMove(board(), centre(to.x, to.y));
        QTest::mouseRelease(board(), Qt::LeftButton, {}, centre(to.x, to.y));
    }

    bool bold(int node) const { return tree()->topLevelItem(node)->font(0).bold(); }

    // Brings the keyboard focus to the board as a user does: Tab from the word tree.
    void tabToBoard() {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        tree()->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(tree(), Qt::Key_Tab);
        QVERIFY(board()->hasFocus());
    }
    void key(Qt::Key k) { QTest::keyClick(board(), k); }
    // Moves the cursor to a square with the arrow keys, across and down in turn.
    void arrowsTo(CellPos to) {
        for (CellPos at = window->cursor(); !(at == to); at = window->cursor()) {
            if (at.x != to.x) key(at.x < to.x ? Qt::Key_Right : Qt::Key_Left);
            at = window->cursor();
            if (at.y != to.y) key(at.y < to.y ? Qt::Key_Down : Qt::Key_Up);
        }
    }
    // The board as shown, with what is drawn over its picture.
    QColor shownAt(QPoint at) const { return board()->grab().toImage().pixelColor(at); }
};

// The colour a swatch of the settings window shows, 0 for the selecting colour, 1 for the
// solution one.
core::Colour swatchColour(const SettingsWindow* settings, int index) {
    const auto* swatch = in(settings).get<QLabel>(index == 0 ? "lblColor_0" : "lblColor_1");
    return ui::fromQColor(swatch->palette().color(QPalette::Window));
}

CellPos lastSquare(const PlacedWord& p) {
    const int steps = int(p.word.size()) - 1;
    return {qint16(p.x + steps * stepX(p.dir)), qint16(p.y + steps * stepY(p.dir))};
}

const QByteArray kAnimals = "Lion\r\nZebra\r\nOtter\r\nPanda\r\nMoose\r\n";

// How many pixel rows of an area of the image hold a pixel unlike the background.
int inkRows(const QImage& image, const QRect& area, const QColor& background) {
    int rows = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        bool ink = false;
        for (int x = area.left(); x <= area.right() && !ink; ++x)
            ink = image.pixelColor(x, y) != background;
        rows += ink ? 1 : 0;
    }
    return rows;
}

}  // namespace

class TestWindows : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { ui::registerFonts(); }

    void theGameWindowStartsAsDesigned() {
        Fixture f;
        QCOMPARE(f.window->windowTitle(), "Zorbeck!");
        QCOMPARE(f.driver().get<QPushButton>("cmdPlay")->text(), "Open &New Puzzle");
        QCOMPARE(f.driver().get<QPushButton>("cmdPlay")->geometry(), QRect(8, 8, 153, 33));
        QCOMPARE(f.driver().get<QPushButton>("cmdSettings")->text(), "&Settings");
        QCOMPARE(f.driver().get<QPushButton>("cmdSettings")->geometry(), QRect(168, 8, 153, 33));
        // Default settings: 15 squares of 50 pixels, the tree as high as the board.
        QCOMPARE(f.board()->geometry(), QRect(168, 48, 750, 750));
        QCOMPARE(f.tree()->geometry(), QRect(8, 48, 153, 750));
        QCOMPARE(f.window->size(), QSize(168 + 750 + 8, 48 + 750 + 8));
        QCOMPARE(f.tree()->topLevelItemCount(), 0);
        QVERIFY(!f.game().gameActive());
        QVERIFY(!QFileInfo::exists(f.dir.filePath("Settings.ini")));  // nothing written
    }

    void theOpenDialogStartsInTheShippedWordLists() {
        QTemporaryDir root;
        const QString bin = root.filePath("bin");
        QVERIFY(QDir().mkpath(bin));
        QCOMPARE(shippedListFolder(bin), bin);  // no lists anywhere: the program's folder

        const QString installed = ui::installedDataFolder(bin) + "/pindral/wordlists";
        QVERIFY(QDir().mkpath(installed));
        QCOMPARE(shippedListFolder(bin), root.filePath("share/pindral/wordlists"));

        QVERIFY(QDir().mkpath(bin + "/wordlists"));  // a build folder's copy comes first
        QCOMPARE(shippedListFolder(bin), bin + "/wordlists");

        testing::ScriptedDialogs dialogs;
        GameWindow window(root.filePath("Settings.ini"), installed);
        dialogs.cancelNextOpen();
        in(&window).click("cmdPlay");
        QCOMPARE(dialogs.shown().value(0).request.initDir, installed);
    }

    void theBoardIsSizedFromTheSettings_data() {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<int>("board");
        QTest::addColumn<double>("points");
        QTest::newRow("defaults") << QByteArray() << 750 << 25.0;
        QTest::newRow("squares of 30") << QByteArray("[Settings]\nSquareSize=30\n") << 450 << 15.0;
        QTest::newRow("only SquareCount=20")
            << QByteArray("[Settings]\nSquareCount=20\n") << 1000 << 25.0;
        QTest::newRow("squares of 7")
            << QByteArray("[Settings]\nSquareSize=7\nSquareCount=9\n") << 63 << 3.5;
    }
    void theBoardIsSizedFromTheSettings() {
        QFETCH(QByteArray, settings);
        QFETCH(int, board);
        QFETCH(double, points);
        Fixture f(settings);
        f.newGame(f.write("list.txt", kAnimals));
        QCOMPARE(f.board()->size(), QSize(board, board));
        QCOMPARE(f.tree()->height(), board);
        QCOMPARE(f.window->width(), 168 + board + 8);
        QCOMPARE(f.board()->fontSize(), points);
    }

    void pointerPositionsRoundHalfToEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("a half rounds down to even") << 14.5 << 14;
        QTest::newRow("a half rounds up to even") << 15.5 << 16;
        QTest::newRow("just below a half") << 15.49 << 15;
        QTest::newRow("minus a half") << -0.5 << 0;
        QTest::newRow("beyond 16 bits") << 40000.0 << 32767;
    }
    void pointerPositionsRoundHalfToEven() {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(int(GameWindow::boardPixel(value)), expected);
    }

    void aNewGameListsItsEntriesInBold() {
        Fixture f;
        f.newGame(f.write("list.txt", kAnimals));
        QCOMPARE(f.dialogs.shown().first().request.initDir, f.dir.path());
        QVERIFY(f.game().gameActive());
        QCOMPARE(f.tree()->topLevelItemCount(), f.game().puzzle().placed.size());
        for (int k = 0; k < f.tree()->topLevelItemCount(); ++k) {
            QCOMPARE(f.tree()->topLevelItem(k)->text(0), f.game().puzzle().placed[k].word);
            QVERIFY(f.bold(k));
        }
        QCOMPARE(f.fillOf(0, 0), QColor(Qt::white));
    }

    void aGameIsPlayedWithTheMouseToTheEnd() {
        Fixture f;
        f.newGame(f.write("list.txt", kAnimals));
        const QList<PlacedWord> placed = f.game().puzzle().placed;
        QCOMPARE(placed.size(), 5);
        for (int k = 0; k < placed.size(); ++k) {
            // Backwards, from the last letter to the first, finds nothing.
            f.drag(lastSquare(placed[k]), {placed[k].x, placed[k].y});
            QVERIFY(f.bold(k));
            f.drag({placed[k].x, placed[k].y}, lastSquare(placed[k]));
            QVERIFY2(!f.bold(k), qPrintable(placed[k].word));
            QCOMPARE(f.fillOf(placed[k].x, placed[k].y), QColor(0xEE, 0xEE, 0xEE));
            QCOMPARE(f.dialogs.informationTexts().size(), k + 1 < placed.size() ? 0 : 1);
        }
        QCOMPARE(f.dialogs.informationTexts(), QStringList{kWin});
        QCOMPARE(f.dialogs.shown().last().title, "pZorbeck!");
        QVERIFY(!f.game().gameActive());
        // The finished board keeps its colours, and presses do nothing.
        f.drag({placed[0].x, placed[0].y}, lastSquare(placed[0]));
        QCOMPARE(f.dialogs.informationTexts().size(), 1);
        QCOMPARE(f.fillOf(placed[0].x, placed[0].y), QColor(0xEE, 0xEE, 0xEE));
    }

    void theDraggedLineIsShownInTheSelectingColour() {
        Fixture f;
        f.newGame(f.write("list.txt", kAnimals));
        QTest::mousePress(f.board(), Qt::LeftButton, {}, f.centre(2, 2));
        QTest::mouseMove(f.board(), f.centre(5, 5));
        for (int i = 2; i <= 5; ++i)
            QCOMPARE(f.fillOf(i, i), QColor(Qt::red));
        QCOMPARE(f.fillOf(6, 6), QColor(Qt::white));
        QTest::mouseMove(f.board(), f.centre(5, 4));  // off the lines: the highlight stays
        QCOMPARE(f.fillOf(5, 5), QColor(Qt::red));
        QTest::mouseMove(f.board(), QPoint(750, 750));  // off the board: ignored
        QCOMPARE(f.game().selection().path.size(), 4);
        QTest::mouseRelease(f.board(), Qt::LeftButton, {}, f.centre(5, 5));
        QCOMPARE(f.fillOf(5, 5), QColor(Qt::white));  // no match: the highlight goes
    }

    // The same game as with the mouse: Space presses, arrows move, Space releases.
    void aGameIsPlayedWithTheKeyboardToTheEnd() {
        Fixture f;
        f.newGame(f.write("list.txt", kAnimals));
        f.tabToBoard();
        const QList<PlacedWord> placed = f.game().puzzle().placed;
        for (int k = 0; k < placed.size(); ++k) {
            f.arrowsTo({placed[k].x, placed[k].y});
            f.key(Qt::Key_Space);
            f.arrowsTo(lastSquare(placed[k]));
            QCOMPARE(f.fillOf(placed[k].x, placed[k].y), QColor(Qt::red));
            QVERIFY(f.bold(k));
            f.key(k % 2 ? Qt::Key_Return : Qt::Key_Space);
            QVERIFY2(!f.bold(k), qPrintable(placed[k].word));
            QCOMPARE(f.fillOf(placed[k].x, placed[k].y), QColor(0xEE, 0xEE, 0xEE));
            QCOMPARE(f.dialogs.informationTexts().size(), k + 1 < placed.size() ? 0 : 1);
        }
        QCOMPARE(f.dialogs.informationTexts(), QStringList{kWin});
        QVERIFY(!f.game().gameActive());
        QVERIFY(f.board()->hasFocus());
        QTest::keyClick(f.board(), Qt::Key_Tab);  // Tab leaves the board for the first button
        QVERIFY(f.driver().get<QPushButton>("cmdPlay")->hasFocus());
    }

    void escapeDropsASelectionWithoutARelease() {
        Fixture f;
        f.newGame(f.write("list.txt", kAnimals));
        f.tabToBoard();
        const PlacedWord first = f.game().puzzle().placed[0];
        f.arrowsTo({first.x, first.y});
        f.key(Qt::Key_Enter);
        f.arrowsTo(lastSquare(first));
        QCOMPARE(f.fillOf(first.x, first.y), QColor(Qt::red));
        f.key(Qt::Key_Escape);
        QCOMPARE(f.fillOf(first.x, first.y), QColor(Qt::white));
        QVERIFY(!f.game().selection().selecting);
        // A press and release without a move compares nothing of the dropped selection.
        f.key(Qt::Key_Space);
        f.key(Qt::Key_Space);
        QVERIFY(f.bold(0));
        QVERIFY(f.dialogs.informationTexts().isEmpty());
        QVERIFY(f.game().gameActive());
    }

    // The cursor is a dark band between white lines over the square, shown only while the board
    // has the focus and never part of the board's picture; a wider band while selecting.
    void theCursorIsAFrameOverThePicture() {
        Fixture f;
        f.newGame(f.write("list.txt", kAnimals));
        const QPoint band(2 * 50 + 1, 3 * 50 + 25);  // the left edge of square (2, 3)
        f.tabToBoard();
        f.arrowsTo({2, 3});
        QCOMPARE(f.shownAt(band), cursorColour());
        QCOMPARE(f.board()->image().pixelColor(band), QColor(Qt::white));
        for (const QColor fill : {QColor(Qt::red), QColor(0xEE, 0xEE, 0xEE), QColor(Qt::white)})
            QVERIFY(cursorColour() != fill);
        f.key(Qt::Key_Space);
        QCOMPARE(f.shownAt(band + QPoint(6, 0)), cursorColour());
        f.arrowsTo({14, 14});
        f.key(Qt::Key_Right);  // the cursor stays on the board
        QCOMPARE(f.window->cursor(), (CellPos{14, 14}));
        QVERIFY(f.shownAt(band) != cursorColour());
        QTest::keyClick(f.board(), Qt::Key_Tab);
        const QPoint corner(14 * 50 + 1, 14 * 50 + 25);  // no frame without the focus
        QCOMPARE(f.shownAt(corner), f.board()->image().pixelColor(corner));
    }

    // A screen reader reads the board as a table of squares that follows play, hears a find,
    // and names every control.
    void aScreenReaderFollowsTheGame() {
        Fixture f;
        QAccessibleInterface* board = QAccessible::queryAccessibleInterface(f.board());
        QCOMPARE(board->role(), QAccessible::Table);
        QCOMPARE(board->text(QAccessible::Name), "Board, empty");
        QCOMPARE(board->childCount(), 0);
        f.newGame(f.write("list.txt", kAnimals));
        QCOMPARE(board->text(QAccessible::Name), "Board, 15 by 15");
        QCOMPARE(board->childCount(), 225);
        QCOMPARE(board->tableInterface()->rowCount(), 15);
        QCOMPARE(board->tableInterface()->columnCount(), 15);

        const PlacedWord first = f.game().puzzle().placed[0];
        const CellPos last = lastSquare(first);
        QAccessibleInterface* cell = board->tableInterface()->cellAt(first.y, first.x);
        QCOMPARE(cell->role(), QAccessible::Cell);
        const QString name = QString("Row %1, column %2, %3")
                                 .arg(first.y + 1)
                                 .arg(first.x + 1)
                                 .arg(first.word[0].toUpper());
        QCOMPARE(cell->text(QAccessible::Name), name);
        QVERIFY(!cell->state().checked && !cell->state().selected);
        QTest::mousePress(f.board(), Qt::LeftButton, {}, f.centre(first.x, first.y));
        QTest::mouseMove(f.board(), f.centre(last.x, last.y));
        QVERIFY(cell->state().selected);
        QCOMPARE(cell->text(QAccessible::Name), name + ", selected");
        QCOMPARE(board->tableInterface()->selectedCellCount(), int(first.word.size()));
        QTest::mouseRelease(f.board(), Qt::LeftButton, {}, f.centre(last.x, last.y));
        QVERIFY(cell->state().checked && !cell->state().selected);
        QCOMPARE(cell->text(QAccessible::Name), name + ", found");
        QCOMPARE(f.board()->accessibleDescription(),
                 QString("Found %1: 1 of 5 words found.").arg(first.word));
        f.drag({first.x, first.y}, last);  // found again: no new announcement
        QCOMPARE(f.board()->accessibleDescription(),
                 QString("Found %1: 1 of 5 words found.").arg(first.word));

        f.tabToBoard();
        f.arrowsTo({3, 4});
        QCOMPARE(board->focusChild(), board->tableInterface()->cellAt(4, 3));
        QVERIFY(board->focusChild()->state().focused);

        auto nameOf = [](QWidget* w) {
            return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
        };
        QCOMPARE(nameOf(f.tree()), "Words to find");
        QCOMPARE(nameOf(f.driver().get("cmdPlay")), "Open New Puzzle");
        f.window->openSettings();
        QCOMPARE(nameOf(in(f.settings()).get("txtCount")), "Number of Squares Across");
        QCOMPARE(nameOf(in(f.settings()).get("lblColor_1")), "Solution Color");
    }

    // Run at ratio 1 and, as pindral_window_test_ratio2, with QT_SCALE_FACTOR=2: the board is
    // backed at the screen's ratio with its geometry and pointer in logical pixels.
    void theBoardIsSharpAtTheScreenRatio() {
        Fixture f("[Settings]\nSquareSize=30\n");
        f.newGame(f.write("list.txt", kAnimals));
        const qreal ratio = f.board()->devicePixelRatioF();
        QCOMPARE(f.board()->size(), QSize(450, 450));
        QCOMPARE(f.board()->image().size(), QSize(450, 450) * ratio);
        QCOMPARE(f.board()->renderedAt(1).size(), QSize(450, 450));
        const PlacedWord first = f.game().puzzle().placed[0];
        f.drag({first.x, first.y}, lastSquare(first));
        QVERIFY(!f.bold(0));
        const QPoint corner(first.x * 30 + 2, first.y * 30 + 2);
        QCOMPARE(f.board()->image().pixelColor(corner * ratio), QColor(0xEE, 0xEE, 0xEE));
        if (ratio == 1) QCOMPARE(f.board()->renderedAt(1), f.board()->image());
        if (ratio < 2) return;
        // Letters drawn anew at the ratio, not the ratio-1 picture enlarged: their edges differ.
        const QImage two = f.board()->image().convertToFormat(QImage::Format_RGB32);
        const QImage enlarged =
            f.board()->renderedAt(1).scaled(two.size()).convertToFormat(QImage::Format_RGB32);
        int detailed = 0;
        for (int y = 0; y < two.height(); ++y)
            for (int x = 0; x < two.width(); ++x)
                detailed += two.pixel(x, y) != enlarged.pixel(x, y) ? 1 : 0;
        QVERIFY2(detailed > 15 * 15 * 4, qPrintable(QString::number(detailed)));
    }

    void aCancelledOrUnreadableFileKeepsTheGame() {
        Fixture f;
        f.newGame(f.write("list.txt", kAnimals));
        const QStringList board = f.game().puzzle().rows();
        // The next game's number of squares changes; the running game stays as it is.
        f.driver().click("cmdSettings");
        in(f.settings()).get<QLineEdit>("txtCount")->setText("9");
        in(f.settings()).click("cmdOK");
        QCOMPARE(f.window->settingsFile().settings().squareCount, 9);
        f.dialogs.cancelNextOpen();
        f.driver().click("cmdPlay");
        f.newGame(f.dir.filePath("missing.txt"));
        QCOMPARE(f.dialogs.informationTexts().size(), 1);
        QVERIFY(f.dialogs.informationTexts().first().startsWith("The file could not be read"));
        QCOMPARE(f.game().puzzle().rows(), board);
        QCOMPARE(f.board()->width(), 750);
        QCOMPARE(f.tree()->topLevelItemCount(), 5);
        QVERIFY(f.game().gameActive());
    }

    // The program's file argument ends where choosing the same file in the open dialog does:
    // the same entries, tree, board size, menu and messages.
    void aFileArgumentStartsTheGameAsTheDialogDoes_data() {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("list");
        QTest::newRow("a word list") << QByteArray() << "list.txt" << kAnimals;
        QTest::newRow("a file that cannot be read")
            << QByteArray() << "missing.txt" << QByteArray();
        QTest::newRow("nothing fits") << QByteArray("[Settings]\nSquareCount=3\n") << "long.txt"
                                      << QByteArray("Elephant\r\nGiraffe\r\n");
    }
    void aFileArgumentStartsTheGameAsTheDialogDoes() {
        QFETCH(QByteArray, settings);
        QFETCH(QString, name);
        QFETCH(QByteArray, list);
        // One window at a time: the dialog double in use is the last one made.
        auto play = [&](bool byArgument) {
            Fixture f(settings);
            const QString path = list.isEmpty() ? f.dir.filePath(name) : f.write(name, list);
            if (byArgument)
                f.window->newGameFrom(path);
            else
                f.newGame(path);
            QStringList tree;
            for (int k = 0; k < f.tree()->topLevelItemCount(); ++k)
                tree << f.tree()->topLevelItem(k)->text(0) + (f.bold(k) ? "*" : "");
            QStringList dialogs;
            for (const auto& shown : f.dialogs.shown())
                if (shown.kind != "open") dialogs << shown.kind + ": " + shown.text;
            dialogs.replaceInStrings(QDir::toNativeSeparators(path), "PATH");
            return QVariantList{f.game().words(),
                                tree,
                                f.board()->size(),
                                f.game().gameActive(),
                                f.game().puzzle().count,
                                f.driver().get<QAction>("mnuPrint")->isEnabled(),
                                dialogs,
                                f.dialogs.shown().size() - dialogs.size()};
        };
        QVariantList byDialog = play(false);
        QCOMPARE(byDialog.takeLast(), QVariant(qsizetype(1)));  // the open dialog
        QVariantList byArgument = play(true);
        QCOMPARE(byArgument.takeLast(), QVariant(qsizetype(0)));
        QCOMPARE(byArgument, byDialog);
    }

    // While a new game is made the window's events come in, with the commands that would
    // start another disabled; closing the window ends the work with nothing shown.
    void aNewGameLetsEventsInAndEndsWhenTheWindowCloses() {
        Fixture f;
        const QString list = f.write("list.txt", kAnimals);
        auto* play = f.driver().get<QPushButton>("cmdPlay");
        auto* settings = f.driver().get<QPushButton>("cmdSettings");
        bool handled = false;
        QTimer::singleShot(0, f.window.get(), [&] {
            handled = true;
            QVERIFY(!play->isEnabled() && !settings->isEnabled());
        });
        play->setFocus();
        f.newGame(list);
        QVERIFY(handled);
        QVERIFY(play->isEnabled() && settings->isEnabled());
        QVERIFY(play->hasFocus());  // back where it was
        QVERIFY(f.game().gameActive());

        QTimer::singleShot(0, f.window.get(), [&] { f.window->close(); });
        f.newGame(list);
        QVERIFY(!f.game().gameActive());
        QVERIFY(f.game().words().isEmpty());
        QVERIFY(f.dialogs.informationTexts().isEmpty());
    }

    void aListWithNothingThatFitsStartsNoGame() {
        Fixture f("[Settings]\nSquareCount=3\n");
        f.newGame(f.write("long.txt", "Elephant\r\nGiraffe\r\n"));
        QCOMPARE(f.tree()->topLevelItemCount(), 0);
        QVERIFY(!f.game().gameActive());
        QCOMPARE(f.dialogs.informationTexts().size(), 1);
        f.drag({0, 0}, {2, 0});  // a release does nothing harmful
        QCOMPARE(f.dialogs.informationTexts().size(), 1);
    }

    // Accents on capitals and the tails of g keep all their ink, found or not; a found entry
    // is greyed but stays legible.
    void theWordTreeShowsWholeLetters() {
        Fixture f;
        f.newGame(f.write("list.txt", "Hedgehog\r\nCAF\xc3\x89\r\n"));
        const PlacedWord first = f.game().puzzle().placed[0];
        f.drag({first.x, first.y}, lastSquare(first));
        const QImage shown = f.tree()->viewport()->grab().toImage();
        const QColor background = f.tree()->palette().color(QPalette::Base);
        for (QTreeWidgetItem* item : {f.tree()->topLevelItem(0), f.tree()->topLevelItem(1)}) {
            QImage alone(200, 60, QImage::Format_RGB32);
            alone.fill(background);
            QPainter painter(&alone);
            painter.setFont(item->font(0));
            painter.drawText(10, 40, item->text(0));
            painter.end();
            QCOMPARE(inkRows(shown, f.tree()->visualItemRect(item), background),
                     inkRows(alone, alone.rect(), background));
        }
        const QColor found = f.tree()->topLevelItem(0)->foreground(0).color();
        QVERIFY(found != f.tree()->palette().color(QPalette::Text));
        QVERIFY2(contrastRatio(found, background) >= 4.5, qPrintable(found.name()));
        QCOMPARE(qRound(contrastRatio(QColor(0x76, 0x76, 0x76), Qt::white) * 100), 454);
    }

    void theSettingsWindowOpensOnceAndStartsFromTheSettings() {
        Fixture f("[Settings]\nSquareSize=44\nBackwards=0\nSelectColor=65280\n");
        f.driver().click("cmdSettings");
        QPointer<SettingsWindow> s = f.settings();
        QVERIFY(s && s->isVisible());
        QCOMPARE(s->windowTitle(), "Zorbeck! Settings");
        QCOMPARE(in(s).get<QLineEdit>("txtSize")->text(), "44");
        QCOMPARE(in(s).get<QLineEdit>("txtCount")->text(), "15");
        QVERIFY(!in(s).get<QCheckBox>("chkBack")->isChecked());
        QCOMPARE(swatchColour(s, 0), 65280);
        QCOMPARE(s->size(), QSize(241, 306));
        f.driver().click("cmdSettings");
        QCOMPARE(f.settings(), s.data());  // brought forward, not made again
        in(s).click("cmdCancel");
        QTRY_VERIFY(!s);  // discarded on closing
        f.driver().click("cmdSettings");
        QVERIFY(f.settings());
    }

    void cancelWritesNothingEvenAfterAColourWasPicked() {
        Fixture f;
        f.window->openSettings();
        SettingsWindow* s = f.settings();
        f.dialogs.answerNextColour(0x00FF00);
        QTest::mouseClick(in(s).get<QLabel>("lblColor_0"), Qt::LeftButton);
        QCOMPARE(swatchColour(s, 0), 0x00FF00);
        in(s).get<QLineEdit>("txtSize")->setText("30");
        in(s).click("cmdCancel");
        QCOMPARE(f.window->settingsFile().settings(), Settings{});
        QVERIFY(!QFileInfo::exists(f.dir.filePath("Settings.ini")));

        // Escape cancels too.
        f.window->openSettings();
        QPointer<SettingsWindow> again = f.settings();
        QCOMPARE(in(again).get<QLineEdit>("txtSize")->text(), "50");  // made anew
        in(again).get<QLineEdit>("txtSize")->setText("30");
        QTest::keyClick(again, Qt::Key_Escape);
        QTRY_VERIFY(!again);
        QCOMPARE(f.window->settingsFile().settings(), Settings{});
    }

    void okDuringAGameResizesAndRedrawsAtOnce() {
        Fixture f;
        f.newGame(f.write("list.txt", kAnimals));
        const PlacedWord first = f.game().puzzle().placed[0];
        f.drag({first.x, first.y}, lastSquare(first));
        f.window->openSettings();
        SettingsWindow* s = f.settings();
        in(s).get<QLineEdit>("txtSize")->setText("40");
        in(s).get<QLineEdit>("txtCount")->setText("10");
        in(s).get<QCheckBox>("chkBack")->setChecked(false);
        f.dialogs.answerNextColour(0x123456);
        QTest::mouseClick(in(s).get<QLabel>("lblColor_1"), Qt::LeftButton);
        in(s).click("cmdOK");
        QTRY_VERIFY(!f.settings());

        // Square size and colours at once; the number of squares waits for the next game.
        QCOMPARE(f.board()->size(), QSize(600, 600));
        QCOMPARE(f.window->width(), 168 + 600 + 8);
        QCOMPARE(f.board()->fontSize(), 20.0);
        QCOMPARE(f.game().puzzle().count, 15);
        QCOMPARE(f.fillOf(first.x, first.y), ui::toQColor(0x123456));
        QFile file(f.dir.filePath("Settings.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("[Settings]\r\nSquareSize=40\r\nSquareCount=10\r\n"
                                            "SelectColor=255\r\nSolutionColor=1193046\r\n"
                                            "Backwards=0\r\n"));
        f.newGame(f.write("list.txt", kAnimals));
        QCOMPARE(f.board()->size(), QSize(400, 400));
        for (const PlacedWord& p : std::as_const(f.game().puzzle().placed))
            QVERIFY(p.dir <= 3);
    }

    void okAfterAWinSavesWithoutRedrawing() {
        Fixture f;
        f.newGame(f.write("one.txt", "Lion\r\n"));
        const PlacedWord lion = f.game().puzzle().placed[0];
        f.drag({lion.x, lion.y}, lastSquare(lion));
        QVERIFY(!f.game().gameActive());
        f.window->openSettings();
        SettingsWindow* s = f.settings();
        in(s).get<QLineEdit>("txtSize")->setText("20");
        QVERIFY(s->accept());
        QCOMPARE(f.window->settingsFile().settings().squareSize, 20);
        QCOMPARE(f.board()->size(), QSize(750, 750));
        QVERIFY(QFileInfo::exists(f.dir.filePath("Settings.ini")));
    }

    void badNumbersAreRefusedAndTheWindowStaysOpen_data() {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("playing");
        QTest::newRow("size not a number") << "abc"
                                           << "15"
                                           << "The square size must" << false;
        QTest::newRow("size empty") << ""
                                    << "15"
                                    << "The square size must" << false;
        QTest::newRow("size rounding to zero") << "0.5"
                                               << "15"
                                               << "The square size must" << false;
        QTest::newRow("size zero") << "0"
                                   << "15"
                                   << "The square size must" << false;
        QTest::newRow("count negative") << "50"
                                        << "-3"
                                        << "The number of squares across must" << false;
        QTest::newRow("count beyond 16 bits") << "1"
                                              << "99999"
                                              << "99999 squares of 1" << false;
        QTest::newRow("board too wide") << "300"
                                        << "200"
                                        << "200 squares of 300" << false;
        QTest::newRow("the running game's board too wide") << "2200"
                                                           << "14"
                                                           << "15 squares of 2200" << true;
    }
    void badNumbersAreRefusedAndTheWindowStaysOpen() {
        QFETCH(bool, playing);
        QFETCH(QString, size);
        QFETCH(QString, count);
        QFETCH(QString, message);
        Fixture f;
        if (playing) f.newGame(f.write("list.txt", kAnimals));
        const int shownBefore = int(f.dialogs.informationTexts().size());
        f.window->openSettings();
        SettingsWindow* s = f.settings();
        in(s).get<QLineEdit>("txtSize")->setText(size);
        in(s).get<QLineEdit>("txtCount")->setText(count);
        in(s).click("cmdOK");
        QCOMPARE(f.dialogs.informationTexts().size(), shownBefore + 1);
        QVERIFY2(f.dialogs.informationTexts().last().startsWith(message),
                 qPrintable(f.dialogs.informationTexts().last()));
        QVERIFY(s->isVisible());
        QCOMPARE(f.window->settingsFile().settings(), Settings{});
        QVERIFY(!QFileInfo::exists(f.dir.filePath("Settings.ini")));
    }

    // The texts that the file reads as 40 and 14 (see the settings store's tests).
    void theWindowRoundsNumbersAsTheFileDoes() {
        Fixture f;
        f.window->openSettings();
        SettingsWindow* s = f.settings();
        in(s).get<QLineEdit>("txtSize")->setText(" 40.5 ");
        in(s).get<QLineEdit>("txtCount")->setText("13.5");
        QVERIFY(s->accept());
        QCOMPARE(f.window->settingsFile().settings().squareSize, 40);
        QCOMPARE(f.window->settingsFile().settings().squareCount, 14);
    }

    // A board larger than the screen is refused, naming the largest square size that fits,
    // and read from the file as the defaults.
    void aBoardLargerThanTheScreenIsRefused() {
        Fixture f("[Settings]\nSquareSize=2000\n");
        QCOMPARE(f.window->settingsFile().settings(), Settings{});
        f.window->openSettings();
        SettingsWindow* s = f.settings();
        auto* size = in(s).get<QLineEdit>("txtSize");
        size->setText("2000");
        QVERIFY(!s->accept());
        static const QRegularExpression named("the largest square size that fits is (\\d+)\\.$");
        const int fits = named.match(f.dialogs.informationTexts().last()).captured(1).toInt();
        size->setText(QString::number(fits + 1));
        QVERIFY(!s->accept());
        size->setText(QString::number(fits));
        QVERIFY(s->accept());
        f.newGame(f.write("list.txt", kAnimals));
        const QSize room = f.window->screen()->availableGeometry().size();
        QCOMPARE(room.expandedTo(f.window->frameGeometry().size()), room);
    }

    void theBoardMenuWaitsForAGame() {
        Fixture f;
        auto* menu = f.driver().get<QMenu>("pBoardMenu");
        QStringList texts;
        for (QAction* a : menu->actions()) {
            texts << a->text();
            QVERIFY(!a->isEnabled());
        }
        QCOMPARE(texts, (QStringList{"Copy Picture", "Save Picture As...", "Print..."}));
        f.dialogs.cancelNextOpen();
        f.driver().click("cmdPlay");
        QVERIFY(!menu->actions().first()->isEnabled());
        f.newGame(f.write("list.txt", kAnimals));
        for (QAction* a : menu->actions())
            QVERIFY(a->isEnabled());
    }

    // A right drag still finds an entry; a right click that does not drag opens the menu.
    void aRightDragSelectsAndARightClickOpensTheMenu() {
        Fixture f;
        f.newGame(f.write("list.txt", kAnimals));
        auto* menu = f.driver().get<QMenu>("pBoardMenu");
        const PlacedWord first = f.game().puzzle().placed[0];
        const CellPos last = lastSquare(first);
        QTest::mousePress(f.board(), Qt::RightButton, {}, f.centre(first.x, first.y));
        QTest::mouseMove(f.board(), f.centre(last.x, last.y));
        QTest::mouseRelease(f.board(), Qt::RightButton, {}, f.centre(last.x, last.y));
        QVERIFY(!f.bold(0));
        QTest::qWait(20);
        QVERIFY(!menu->isVisible());
        QTest::mouseClick(f.board(), Qt::RightButton, {}, f.centre(7, 7));
        QTRY_VERIFY(menu->isVisible());
        menu->close();
        QVERIFY(f.game().gameActive());
    }

    void theSavedAndPrintedBoardIsTheCurrentOne() {
        Fixture f;
        f.newGame(f.write("list.txt", kAnimals));
        const PlacedWord first = f.game().puzzle().placed[0];
        f.drag({first.x, first.y}, lastSquare(first));
        QVERIFY(!f.bold(0));

        f.dialogs.answerNextSave(f.dir.filePath("board.png"), QString());
        f.driver().get<QAction>("mnuSavePicture")->trigger();
        const QImage png(f.dir.filePath("board.png"));
        QCOMPARE(png.size(), QSize(3000, 3000));
        const QPoint solved = (f.centre(first.x, first.y) - QPoint(20, 20)) * 4;
        QCOMPARE(png.pixelColor(solved), QColor(0xEE, 0xEE, 0xEE));
        const QPoint free = (f.centre(14, 14) - QPoint(20, 20)) * 4;
        QCOMPARE(png.pixelColor(free), f.fillOf(14, 14));

        if (!exportcheck::havePoppler()) QSKIP("poppler-utils is not installed");
        f.dialogs.answerNextPrint(f.dir.filePath("board.pdf"));
        f.driver().get<QAction>("mnuPrint")->trigger();
        QCOMPARE(exportcheck::pdfPages(f.dir.filePath("board.pdf")), 1);
        const QString text = exportcheck::pdfText(f.dir.filePath("board.pdf"));
        for (const PlacedWord& placed : f.game().puzzle().placed)
            QVERIFY2(text.contains(placed.word), qPrintable(text));
        QVERIFY(f.dialogs.unexpected().isEmpty());
        QVERIFY(f.dialogs.informationTexts().isEmpty());
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
