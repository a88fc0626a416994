#include "pindral/window/gamewindow.h"

#include <algorithm>
#include <cmath>

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include "core/numbers.h"
#include "pindral/window/messages.h"
#include "pindral/window/settingswindow.h"
#include "ui/accessiblegrid.h"
#include "ui/dialogs.h"
#include "ui/export.h"
#include "ui/geometry.h"
#include "ui/picturebox.h"
#include "ui/services.h"

namespace pindral {

namespace {

// The designed layout. The board and the tree take their height, and the board its width,
// from the settings.
constexpr int kDesignWidth = 6135;
constexpr int kDesignHeight = 4335;
constexpr ui::DesignedControl kPlayButton{"cmdPlay", {120, 120, 2295, 495}, "Open &New Puzzle"};
constexpr ui::DesignedControl kSettingsButton{"cmdSettings", {2520, 120, 2295, 495}, "&Settings"};
constexpr ui::DesignedControl kWordTree{"tvWords", {120, 720, 2295, 3495}};
constexpr ui::DesignedControl kBoard{"pBoard", {2520, 720, 3495, 3495}};

// The space kept right of and below the board, in pixels, as in the design.
constexpr int kMargin = 8;

// The time between two passes of the window's events while a new game is made: a third of a
// 60 Hz display's frame, so that repaints keep pace even when a busy machine holds the program
// up for a while. A pass with nothing to do costs some microseconds.
constexpr qint64 kPumpIntervalMs = 5;

// The height of a tree row whose text line, centred in it, keeps all the ink of the text and
// of tall and deep letters. Some fonts (the Tahoma shipped for Wine among them) draw accents
// over capitals and the tails of g, j, p, q and y beyond the ascent and descent they report.
int rowHeightFor(const QFont& font, const QString& text) {
    static const QString kTallAndDeep = QStringLiteral("\u00C2\u00C5\u00C9\u00D6\u00D1gjpqy");
    const QFontMetrics metrics(font);
    const QRect ink = metrics.tightBoundingRect(kTallAndDeep + text);  // y from the baseline
    const int above = std::max(0, -ink.top() - metrics.ascent());
    const int below = std::max(0, ink.bottom() + 1 - metrics.descent());
    return metrics.height() + 2 * std::max(above, below);
}

// The word tree's rows, each at least rowHeightFor its font and text.
class TallRows : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), rowHeightFor(item.font, item.text)));
        return size;
    }
};

double relativeLuminance(const QColor& colour) {
    auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

// The text of found entries: the palette's greyed text, darkened towards the normal text until
// it reads at 4.5:1 or more against the tree's background.
QColor foundTextColour(const QPalette& palette) {
    const QColor grey = palette.color(QPalette::Disabled, QPalette::Text);
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    const QColor background = palette.color(QPalette::Active, QPalette::Base);
    constexpr int kSteps = 20;
    for (int step = 0; step < kSteps; ++step) {
        auto mix = [step](int from, int to) { return from + (to - from) * step / kSteps; };
        const QColor colour(mix(grey.red(), text.red()), mix(grey.green(), text.green()),
                            mix(grey.blue(), text.blue()));
        if (contrastRatio(colour, background) >= 4.5) return colour;
    }
    return text;
}

QString defaultSettingsPath() {
    return SettingsFile::location(ui::programFolder(), QStandardPaths::writableLocation(
                                                           QStandardPaths::GenericConfigLocation) +
                                                           QStringLiteral("/pindral"));
}

// What a screen reader reads of the board: "Board, 15 by 15", then each square by its row,
// column and letter as shown, and whether it is found or selected.
class BoardDescription final : public ui::GridDescription {
  public:
    BoardDescription(const GameWindow& window, const QWidget& board)
        : window_(window), board_(board) {}

    QString gridName() const override {
        const int n = count();
        return n > 0 ? QStringLiteral("Board, %1 by %1").arg(n) : QStringLiteral("Board, empty");
    }
    int rowCount() const override { return count(); }
    int columnCount() const override { return count(); }
    QString cellName(int row, int column) const override {
        const Square& square = window_.game().puzzle().square(column, row);
        const QString letter = !square.hasLetter              ? QStringLiteral("empty")
                               : square.letter == QChar(u' ') ? QStringLiteral("space")
                                                              : QString(square.letter.toUpper());
        QString name =
            QStringLiteral("Row %1, column %2, %3").arg(row + 1).arg(column + 1).arg(letter);
        if (cellFound(row, column)) name += QStringLiteral(", found");
        if (cellSelected(row, column)) name += QStringLiteral(", selected");
        return name;
    }
    QRect cellRect(int row, int column) const override {
        const int s = window_.settingsFile().settings().squareSize;
        return QRect(column * s, row * s, s, s).translated(board_.contentsRect().topLeft());
    }
    bool cellFound(int row, int column) const override {
        return window_.game().puzzle().square(column, row).solved;
    }
    bool cellSelected(int row, int column) const override {
        return window_.game().squareSelected({qint16(column), qint16(row)});
    }
    int focusRow() const override { return hasCursor() ? window_.cursor().y : -1; }
    int focusColumn() const override { return hasCursor() ? window_.cursor().x : -1; }

  private:
    int count() const { return window_.game().puzzle().count; }
    bool hasCursor() const {
        return board_.hasFocus() &&
               window_.game().puzzle().onBoard(window_.cursor().x, window_.cursor().y);
    }

    const GameWindow& window_;
    const QWidget& board_;
};

}  // namespace

// The frame of the cursor square, a child of the board drawn above its picture and never part
// of it, so copies, saved pictures and prints do not show it. The pointer's events pass
// through to the board.
class CursorFrame final : public QWidget {
  public:
    explicit CursorFrame(QWidget* board) : QWidget(board) {
        setObjectName(QStringLiteral("pBoardCursor"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

    // Frames square (x, y) of squares side pixels wide: over the square's outline and one
    // pixel beyond it, the band twice as wide while a selection is in progress.
    void frame(CellPos cell, int side, bool selecting) {
        const int band = std::clamp(side / 12, 1, 4) * (selecting ? 2 : 1);
        if (band != band_) {
            band_ = band;
            update();
        }
        setGeometry(cell.x * side - 1, cell.y * side - 1, side + 3, side + 3);
        show();
        raise();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        auto ring = [&painter](const QRect& outer, int width, const QColor& colour) {
            painter.fillRect(outer.left(), outer.top(), outer.width(), width, colour);
            painter.fillRect(outer.left(), outer.bottom() - width + 1, outer.width(), width,
                             colour);
            painter.fillRect(outer.left(), outer.top(), width, outer.height(), colour);
            painter.fillRect(outer.right() - width + 1, outer.top(), width, outer.height(), colour);
        };
        ring(rect(), 1, Qt::white);
        ring(rect().adjusted(1, 1, -1, -1), band_, cursorColour());
        ring(rect().adjusted(1 + band_, 1 + band_, -1 - band_, -1 - band_), 1, Qt::white);
    }

  private:
    int band_ = 1;
};

QColor cursorColour() {
    return QColor(0, 0, 160);
}

double contrastRatio(const QColor& a, const QColor& b) {
    // The list form returns values: the pair form would refer to the two temporaries.
    const auto [dark, light] = std::minmax({relativeLuminance(a), relativeLuminance(b)});
    return (light + 0.05) / (dark + 0.05);
}

QString shippedListFolder(const QString& programFolder) {
    const QString candidates[] = {
        programFolder + QStringLiteral("/wordlists"),
        ui::installedDataFolder(programFolder) + QStringLiteral("/pindral/wordlists"),
    };
    for (const QString& folder : candidates)
        if (QFileInfo(folder).isDir()) return QDir::cleanPath(folder);
    return programFolder;
}

GameWindow::GameWindow()
    : GameWindow(defaultSettingsPath(), shippedListFolder(ui::programFolder())) {}

GameWindow::GameWindow(const QString& settingsPath, const QString& listFolder, QWidget* parent)
    : QWidget(parent), settingsFile_(settingsPath), game_(random_), listFolder_(listFolder) {
    setObjectName(QStringLiteral("fGame"));
    setWindowTitle(QStringLiteral("Zorbeck!"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(ui::designFont(9));
    ui::setFixedClientSize(this, kDesignWidth, kDesignHeight);

    playButton_ = ui::createControl<QPushButton>(this, kPlayButton);
    settingsButton_ = ui::createControl<QPushButton>(this, kSettingsButton);
    wordTree_ = ui::createControl<QTreeWidget>(this, kWordTree);
    wordTree_->setHeaderHidden(true);
    wordTree_->setRootIsDecorated(false);
    wordTree_->setColumnCount(1);
    wordTree_->setItemDelegate(new TallRows(wordTree_));
    wordTree_->setAccessibleName(QStringLiteral("Words to find"));
    board_ = ui::createControl<ui::PictureBox>(this, kBoard);
    board_->setBackColour(ui::fromQColor(palette().color(QPalette::Base)));
    board_->ui::Surface::setFont(ui::designFont(9));
    ui::setTabOrder({playButton_, settingsButton_, wordTree_, board_});
    cursorFrame_ = new CursorFrame(board_);
    board_->installEventFilter(this);
    boardDescription_ = std::make_unique<BoardDescription>(*this, *board_);
    ui::describeGridForScreenReaders(board_, boardDescription_.get());
    // A right press starts a selection like any press, so the menu waits for a right click
    // that did not drag.
    boardMenu_ = new ui::PictureMenu(board_, ui::PictureMenu::Trigger::ReleaseWithoutDrag);
    boardMenu_->addEntry(QStringLiteral("Copy Picture"), "mnuCopyPicture",
                         [this] { ui::copyPicture(*board_); });
    boardMenu_->addEntry(QStringLiteral("Save Picture As..."), "mnuSavePicture", [this] {
        ui::savePictureAs(this, QStringLiteral("Save Picture As"), QStringLiteral("Board.png"),
                          boardPage());
    });
    boardMenu_->addEntry(QStringLiteral("Print..."), "mnuPrint",
                         [this] { ui::printDocument(this, {boardPage()}, windowTitle()); });

    connect(playButton_, &QPushButton::clicked, this, &GameWindow::newGame);
    connect(settingsButton_, &QPushButton::clicked, this, &GameWindow::openSettings);
    connect(board_, &ui::PictureBox::mousePressed, this,
            [this](Qt::MouseButtons, double x, double y) {
                game_.beginSelection(squareUnder(boardPixel(x), boardPixel(y)));
            });
    connect(board_, &ui::PictureBox::mouseMoved, this,
            [this](Qt::MouseButtons, double x, double y) {
                const qint16 px = boardPixel(x), py = boardPixel(y);
                if (px > -1 && px < board_->width() && py > -1 && py < board_->height())
                    showChanges(game_.extendSelection(squareUnder(px, py)));
            });
    connect(board_, &ui::PictureBox::mouseReleased, this,
            [this](Qt::MouseButtons, double, double) { endSelection(); });

    // Window load: the settings, then the size for the next game's board, empty.
    settingsFile_.loadSettings(boardArea());
    sizeFor(settingsFile_.settings().squareCount);
    board_->clear();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

GameWindow::~GameWindow() {
    // The board's screen-reader view reads the game and its description: the board goes first.
    delete board_;
}

qint16 GameWindow::boardPixel(double value) {
    return qint16(std::clamp(core::roundHalfEven(value), -32768.0, 32767.0));
}

void GameWindow::sizeFor(int m) {
    const int board = std::min(m * int(settingsFile_.settings().squareSize), kMaxBoardPixels);
    const QRect boardRect = ui::toPixels(kBoard.rect);
    const QRect treeRect = ui::toPixels(kWordTree.rect);
    board_->setGeometry(boardRect.left(), boardRect.top(), board, board);
    wordTree_->setGeometry(treeRect.left(), treeRect.top(), treeRect.width(), board);
    setFixedSize(boardRect.left() + board + kMargin, treeRect.top() + board + kMargin);
}

QSize GameWindow::boardArea() const {
    const QScreen* shownOn = screen();
    if (!shownOn) return kNoScreenLimit;
    const QRect boardRect = ui::toPixels(kBoard.rect);
    const QSize frame = frameGeometry().size() - size();
    return shownOn->availableGeometry().size() - frame -
           QSize(boardRect.left() + kMargin, boardRect.top() + kMargin);
}

CellPos GameWindow::squareUnder(qint16 x, qint16 y) const {
    return squareAt(x, y, settingsFile_.settings().squareSize);
}

void GameWindow::showChanges(const QList<SquareChange>& changes) {
    if (changes.isEmpty()) return;
    // One drawing of the box for the whole list, not two painters a square.
    board_->draw([this, changes](ui::Surface& surface) {
        for (const SquareChange& change : changes)
            drawSquare(surface, change.cell.x, change.cell.y, change.selected);
    });
    ui::gridCellsChanged(board_);
}

void GameWindow::endSelection() {
    const SelectionEnd end = game_.endSelection();
    if (!end.ended) return;
    if (end.found >= 0) {
        markEntryFound(end.found);
        if (!end.foundBefore) {
            const QList<PlacedWord>& placed = game_.puzzle().placed;
            const QString word = placed[end.found].word;
            ui::announce(board_, end.won ? QStringLiteral("Found %1: all %2 words found, you win.")
                                               .arg(word)
                                               .arg(placed.size())
                                         : QStringLiteral("Found %1: %2 of %3 words found.")
                                               .arg(word)
                                               .arg(end.foundCount)
                                               .arg(placed.size()));
        }
    }
    // The message shows over the board as it was at the release, as designed.
    if (end.won) ui::dialogs().information(this, kClosingMessage, kProgramTitle);
    drawBoard();
    showCursor();
}

bool GameWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == board_) {
        switch (event->type()) {
            case QEvent::KeyPress:
                if (boardKey(*static_cast<QKeyEvent*>(event))) return true;
                break;
            case QEvent::FocusIn:
                showCursor();
                announceCursor();
                break;
            case QEvent::FocusOut:
                showCursor();
                break;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool GameWindow::boardKey(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    if (const std::optional<QPoint> step = ui::arrowStep(key.key())) {
        moveCursor(step->x(), step->y());
        return true;
    }
    switch (key.key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // The release, or a press on the cursor square.
            if (game_.selection().selecting)
                endSelection();
            else
                game_.beginSelection(cursor_);
            showCursor();
            return true;
        case Qt::Key_Escape:
            if (!game_.selection().selecting) return false;
            showChanges(game_.dropSelection());
            showCursor();
            return true;
        default:
            return false;
    }
}

void GameWindow::moveCursor(int dx, int dy) {
    const int last = game_.puzzle().count - 1;
    if (last < 0) return;
    cursor_ = {qint16(std::clamp(cursor_.x + dx, 0, last)),
               qint16(std::clamp(cursor_.y + dy, 0, last))};
    if (game_.selection().selecting) showChanges(game_.extendSelection(cursor_));
    showCursor();
    announceCursor();
}

void GameWindow::showCursor() {
    if (!board_->hasFocus() || !game_.puzzle().onBoard(cursor_.x, cursor_.y)) {
        cursorFrame_->hide();
        return;
    }
    cursorFrame_->frame(cursor_, settingsFile_.settings().squareSize, game_.selection().selecting);
}

void GameWindow::announceCursor() {
    if (!board_->hasFocus() || !game_.puzzle().onBoard(cursor_.x, cursor_.y)) return;
    QAccessibleEvent focus(board_, QAccessible::Focus);
    focus.setChild(cursor_.y * game_.puzzle().count + cursor_.x);
    QAccessible::updateAccessibility(&focus);
}

void GameWindow::resizeBoard() {
    sizeFor(game_.puzzle().count);
    // A smaller board keeps the cursor on it.
    const qint16 last = qint16(std::max(0, int(game_.puzzle().count) - 1));
    cursor_ = {std::min(cursor_.x, last), std::min(cursor_.y, last)};
    showCursor();
    // Two thirds of the square side as the letters' em: s * 15 twips / 30 points.
    board_->setFontSize(float(settingsFile_.settings().squareSize) * float(ui::kTwipsPerPixel) /
                        30.0f);
}

void GameWindow::drawSquare(ui::Surface& surface, qint16 x, qint16 y, bool selected) const {
    const Puzzle& puzzle = game_.puzzle();
    if (!puzzle.onBoard(x, y)) return;
    const Square& square = puzzle.square(x, y);
    const Settings& settings = settingsFile_.settings();
    const int s = settings.squareSize;
    surface.setFillColour(selected        ? settings.selectColor
                          : square.solved ? settings.solutionColor
                                          : core::kWhite);
    surface.setForeColour(core::kBlack);
    surface.box(x * s, y * s, x * s + s, y * s + s);

    // Centred by the measures of the stored letter, printed as a capital.
    const QString stored = square.hasLetter ? QString(square.letter) : QString();
    const int width = int(core::roundHalfEven(surface.textWidth(stored)));
    const int height = int(core::roundHalfEven(surface.textHeight(stored)));
    surface.setCurrentX(x * s + s / 2 - width / 2);
    surface.setCurrentY(y * s + s / 2 - height / 2);
    surface.setForeColour(ui::fromQColor(palette().color(QPalette::Text)));
    if (square.hasLetter) surface.print(QString(square.letter.toUpper()));
}

void GameWindow::paintRow(ui::Surface& surface, qint16 y) const {
    for (qint16 x = 0; x < game_.puzzle().count; ++x)
        drawSquare(surface, x, y, false);
}

void GameWindow::paintBoard(ui::Surface& surface) const {
    surface.clear();
    for (qint16 y = 0; y < game_.puzzle().count; ++y)
        paintRow(surface, y);
}

bool GameWindow::drawBoard(core::EventPump& pump) {
    // A row at a time as one drawing of the box: one painter for its squares, not two a square.
    board_->clear();
    for (qint16 y = 0; y < game_.puzzle().count; ++y) {
        board_->draw([this, y](ui::Surface& surface) { paintRow(surface, y); });
        if (!pump.pumpEvents()) return false;
    }
    board_->refresh();
    ui::gridCellsChanged(board_);
    return true;
}

ui::DocumentPage GameWindow::boardPage() const {
    QStringList words;
    for (const PlacedWord& placed : game_.puzzle().placed)
        words << placed.word;
    return {ui::pictureOf(*board_, [this](ui::Surface& surface) { paintBoard(surface); }), words};
}

void GameWindow::newGame() {
    if (making_) return;
    random_.reseedFromClock(ui::secondsSinceMidnight());
    ui::FileRequest request;
    request.initDir = listFolder_;
    request.mustExist = true;
    const std::optional<QString> path = ui::dialogs().openFile(this, request);
    if (path) startGame(*path);
}

void GameWindow::newGameFrom(const QString& path) {
    if (making_) return;
    random_.reseedFromClock(ui::secondsSinceMidnight());
    startGame(path);
}

void GameWindow::startGame(const QString& path) {
    // The focus goes back where it was: disabling the buttons moves it on.
    const QPointer<QWidget> focused = QApplication::focusWidget();
    setMaking(true);
    struct Done {
        GameWindow* window;
        QPointer<QWidget> focused;
        ~Done() {
            window->setMaking(false);
            if (focused && focused->isEnabled()) focused->setFocus();
        }
    } done{this, focused};

    // The file is read whole first, so a file that cannot be read leaves the game as it was.
    const QString error = game_.loadWordList(path, *this);
    if (closing_) return;
    if (!error.isEmpty()) {
        ui::reportFileProblem(this, QStringLiteral("The file could not be read"), path, error,
                              kProgramTitle);
        return;
    }
    game_.createBoard(settingsFile_.settings().squareCount);
    resizeBoard();
    wordTree_->clear();
    if (!game_.placeWords(game_.puzzle().count, settingsFile_.settings().backwards, *this)) return;
    QList<QTreeWidgetItem*> nodes;
    QFont bold = wordTree_->font();
    bold.setBold(true);
    for (const PlacedWord& placed : game_.puzzle().placed) {
        auto* node = new QTreeWidgetItem(QStringList{placed.word});
        node->setFont(0, bold);
        nodes << node;
    }
    wordTree_->addTopLevelItems(nodes);
    if (!drawBoard(*this)) return;
    shown_ = true;
    setMaking(false);
    if (!game_.startPlay()) {
        ui::dialogs().information(
            this, QStringLiteral("None of the words in this file fit on the board."),
            kProgramTitle);
    }
}

bool GameWindow::pumpEvents() {
    if (!pumpClock_.isValid() || pumpClock_.hasExpired(kPumpIntervalMs)) {
        ui::pumpEvents();
        pumpClock_.start();
    }
    return !closing_;
}

void GameWindow::setMaking(bool making) {
    making_ = making;
    closing_ = false;
    pumpClock_.invalidate();
    playButton_->setEnabled(!making);
    settingsButton_->setEnabled(!making);
    if (settingsWindow_) settingsWindow_->setEnabled(!making);
    boardMenu_->setEntriesEnabled(!making && shown_);
}

void GameWindow::markEntryFound(qsizetype entry) {
    QTreeWidgetItem* item = wordTree_->topLevelItem(int(entry));
    if (!item) return;
    QFont plain = item->font(0);
    plain.setBold(false);
    item->setFont(0, plain);
    // Greyed as well: the bold face of some Tahoma versions hardly differs from the regular.
    item->setForeground(0, foundTextColour(wordTree_->palette()));
    wordTree_->scrollToItem(item);
}

void GameWindow::openSettings() {
    // A window that was closed is discarded, even before its deletion has run.
    if (!settingsWindow_ || !settingsWindow_->isVisible()) {
        settingsWindow_ = new SettingsWindow(settingsFile_, this);
        settingsWindow_->setAttribute(Qt::WA_DeleteOnClose);
    }
    settingsWindow_->show();
    settingsWindow_->raise();
    settingsWindow_->activateWindow();
}

void GameWindow::settingsApplied() {
    if (!game_.gameActive()) return;
    resizeBoard();
    drawBoard();
}

void GameWindow::closeEvent(QCloseEvent* event) {
    // The settings window goes with the game window, as if cancelled.
    if (settingsWindow_) settingsWindow_->close();
    if (making_) closing_ = true;
    event->accept();
}

}  // namespace pindral
