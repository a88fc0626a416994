#include "pindral/window/gamewindow.h"

#include <algorithm>
#include <cmath>

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include "core/numbers.h"
#include "pindral/window/messages.h"
#include "pindral/window/settingswindow.h"
#include "ui/dialogs.h"
#include "ui/export.h"
#include "ui/geometry.h"
#include "ui/picturebox.h"
#include "ui/services.h"

namespace pindral {

namespace {

// The designed layout, in twips.
constexpr ui::TwipsRect kPlayRect{120, 120, 2295, 495};
constexpr ui::TwipsRect kSettingsRect{2520, 120, 2295, 495};
constexpr ui::TwipsRect kTreeRect{120, 720, 2295, 3495};
constexpr ui::TwipsRect kBoardRect{2520, 720, 3495, 3495};
constexpr int kDesignWidth = 6135;
constexpr int kDesignHeight = 4335;

// The space kept right of and below the board, in pixels, as in the design.
constexpr int kMargin = 8;

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

QString defaultSettingsFile() {
    return SettingsFile::location(ui::programFolder(), QStandardPaths::writableLocation(
                                                           QStandardPaths::GenericConfigLocation) +
                                                           QStringLiteral("/pindral"));
}

}  // namespace

QFont tahoma(double points, bool bold) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

double contrastRatio(const QColor& a, const QColor& b) {
    const auto [dark, light] = std::minmax(relativeLuminance(a), relativeLuminance(b));
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

fGame::fGame() : fGame(defaultSettingsFile(), shippedListFolder(ui::programFolder())) {}

fGame::fGame(const QString& settingsFile, const QString& listFolder, QWidget* parent)
    : QWidget(parent),
      ini_(settingsFile),
      game_([this] { return random_.nextRandom(); }),
      listFolder_(listFolder) {
    setObjectName(QStringLiteral("fGame"));
    setWindowTitle(QStringLiteral("Zorbeck!"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(tahoma(9));
    ui::setFixedClientSize(this, kDesignWidth, kDesignHeight);

    cmdPlay_ = ui::createControl<QPushButton>(this, "cmdPlay", kPlayRect,
                                              QStringLiteral("Open &New Puzzle"));
    cmdSettings_ = ui::createControl<QPushButton>(this, "cmdSettings", kSettingsRect,
                                                  QStringLiteral("&Settings"));
    tvWords_ = ui::createControl<QTreeWidget>(this, "tvWords", kTreeRect);
    tvWords_->setHeaderHidden(true);
    tvWords_->setRootIsDecorated(false);
    tvWords_->setColumnCount(1);
    tvWords_->setItemDelegate(new TallRows(tvWords_));
    pBoard_ = ui::createControl<ui::PictureBox>(this, "pBoard", kBoardRect);
    pBoard_->setBackColour(ui::fromQColor(palette().color(QPalette::Base)));
    pBoard_->ui::Surface::setFont(tahoma(9));
    ui::setTabOrder({cmdPlay_, cmdSettings_, tvWords_, pBoard_});
    // A right press starts a selection like any press, so the menu waits for a right click
    // that did not drag.
    boardMenu_ = new ui::PictureMenu(pBoard_, ui::PictureMenu::Trigger::ReleaseWithoutDrag);
    boardMenu_->addEntry(QStringLiteral("Copy Picture"), "mnuCopyPicture",
                         [this] { ui::copyPicture(*pBoard_); });
    boardMenu_->addEntry(QStringLiteral("Save Picture As..."), "mnuSavePicture", [this] {
        ui::savePictureAs(this, QStringLiteral("Save Picture As"), QStringLiteral("Board.png"),
                          boardPage());
    });
    boardMenu_->addEntry(QStringLiteral("Print..."), "mnuPrint",
                         [this] { ui::printDocument(this, {boardPage()}, windowTitle()); });

    connect(cmdPlay_, &QPushButton::clicked, this, &fGame::NewGame);
    connect(cmdSettings_, &QPushButton::clicked, this, &fGame::openSettings);
    connect(pBoard_, &ui::PictureBox::mousePressed, this,
            [this](Qt::MouseButtons, double x, double y) {
                game_.beginSelection(squareUnder(boardPixel(x), boardPixel(y)));
            });
    connect(pBoard_, &ui::PictureBox::mouseMoved, this,
            [this](Qt::MouseButtons, double x, double y) {
                const qint16 px = boardPixel(x), py = boardPixel(y);
                if (px > -1 && px < pBoard_->width() && py > -1 && py < pBoard_->height())
                    showChanges(game_.extendSelection(squareUnder(px, py)));
            });
    connect(pBoard_, &ui::PictureBox::mouseReleased, this,
            [this](Qt::MouseButtons, double, double) { endSelection(); });

    // Window load: the settings, then the size for the next game's board, empty.
    ini_.loadSettings(boardArea());
    sizeFor(ini_.settings().squareCount);
    pBoard_->clear();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

fGame::~fGame() = default;

qint16 fGame::boardPixel(double value) {
    return qint16(std::clamp(core::roundHalfEven(value), -32768.0, 32767.0));
}

void fGame::sizeFor(int m) {
    const int board = std::min(m * int(ini_.settings().squareSize), kMaxBoardPixels);
    const QRect boardRect = ui::toPixels(kBoardRect);
    const QRect treeRect = ui::toPixels(kTreeRect);
    pBoard_->setGeometry(boardRect.left(), boardRect.top(), board, board);
    tvWords_->setGeometry(treeRect.left(), treeRect.top(), treeRect.width(), board);
    setFixedSize(boardRect.left() + board + kMargin, treeRect.top() + board + kMargin);
}

QSize fGame::boardArea() const {
    const QScreen* shownOn = screen();
    if (!shownOn) return kNoScreenLimit;
    const QRect boardRect = ui::toPixels(kBoardRect);
    const QSize frame = frameGeometry().size() - size();
    return shownOn->availableGeometry().size() - frame -
           QSize(boardRect.left() + kMargin, boardRect.top() + kMargin);
}

CellPos fGame::squareUnder(qint16 x, qint16 y) const {
    return squareAt(x, y, ini_.settings().squareSize);
}

void fGame::showChanges(const QList<SquareChange>& changes) {
    for (const SquareChange& change : changes)
        DrawSquare(change.cell.x, change.cell.y, change.selected);
}

void fGame::endSelection() {
    const SelectionEnd end = game_.endSelection();
    if (!end.ended) return;
    if (end.found >= 0) markNodeFound(int(end.found));
    // The message shows over the board as it was at the release, as designed.
    if (end.won) ui::dialogs().information(this, kClosingMessage, kProgramTitle);
    DrawBoard();
}

void fGame::ResizeBoard() {
    sizeFor(game_.puzzle().count);
    // Two thirds of the square side as the letters' em: s * 15 twips / 30 points.
    pBoard_->setFontSize(float(ini_.settings().squareSize) * float(ui::kTwipsPerPixel) / 30.0f);
}

void fGame::DrawSquare(qint16 x, qint16 y, bool selected) {
    drawSquare(*pBoard_, x, y, selected);
}

void fGame::drawSquare(ui::Surface& surface, qint16 x, qint16 y, bool selected) const {
    const Puzzle& puzzle = game_.puzzle();
    if (!puzzle.onBoard(x, y)) return;
    const Square& square = puzzle.square(x, y);
    const Settings& settings = ini_.settings();
    const int s = settings.squareSize;
    surface.setFillColour(selected        ? settings.selectColor
                          : square.solved ? settings.solutionColor
                                          : core::kWhite);
    surface.setForeColour(core::kBlack);
    surface.box(x * s, y * s, x * s + s, y * s + s);

    // Centred by the measures of the stored letter, printed as a capital.
    const QString letter = square.hasLetter ? QString(square.letter) : QString();
    const int w = int(core::roundHalfEven(surface.textWidth(letter)));
    const int h = int(core::roundHalfEven(surface.textHeight(letter)));
    surface.setCurrentX(x * s + s / 2 - w / 2);
    surface.setCurrentY(y * s + s / 2 - h / 2);
    surface.setForeColour(ui::fromQColor(palette().color(QPalette::Text)));
    if (square.hasLetter) surface.print(QString(square.letter.toUpper()));
}

void fGame::paintBoard(ui::Surface& surface) const {
    surface.clear();
    for (qint16 y = 0; y < game_.puzzle().count; ++y)
        for (qint16 x = 0; x < game_.puzzle().count; ++x)
            drawSquare(surface, x, y, false);
}

void fGame::DrawBoard() {
    paintBoard(*pBoard_);
    pBoard_->refresh();
}

ui::DocumentPage fGame::boardPage() const {
    QStringList words;
    for (const PlacedWord& placed : game_.puzzle().placed)
        words << placed.word;
    return {ui::pictureOf(*pBoard_, [this](ui::Surface& surface) { paintBoard(surface); }), words};
}

void fGame::NewGame() {
    random_.reseedFromClock(ui::secondsSinceMidnight());
    ui::FileRequest request;
    request.initDir = listFolder_;
    request.mustExist = true;
    const std::optional<QString> path = ui::dialogs().openFile(this, request);
    if (!path) return;

    // The file is read whole first, so a file that cannot be read leaves the game as it was.
    const QString error = game_.loadWordList(*path);
    if (!error.isEmpty()) {
        ui::dialogs().information(this,
                                  QStringLiteral("The file could not be read:\n%1\n\n%2")
                                      .arg(QDir::toNativeSeparators(*path), error),
                                  kProgramTitle);
        return;
    }
    game_.createBoard(ini_.settings().squareCount);
    ResizeBoard();
    tvWords_->clear();
    game_.placeWords(game_.puzzle().count, ini_.settings().backwards);
    QList<QTreeWidgetItem*> nodes;
    QFont bold = tvWords_->font();
    bold.setBold(true);
    for (const PlacedWord& placed : game_.puzzle().placed) {
        auto* node = new QTreeWidgetItem(QStringList{placed.word});
        node->setFont(0, bold);
        nodes << node;
    }
    tvWords_->addTopLevelItems(nodes);
    DrawBoard();
    boardMenu_->setEntriesEnabled(true);
    if (!game_.startPlay()) {
        ui::dialogs().information(
            this, QStringLiteral("None of the words in this file fit on the board."),
            kProgramTitle);
    }
}

void fGame::markNodeFound(int entry) {
    QTreeWidgetItem* item = tvWords_->topLevelItem(entry);
    if (!item) return;
    QFont plain = item->font(0);
    plain.setBold(false);
    item->setFont(0, plain);
    // Greyed as well: the bold face of some Tahoma versions hardly differs from the regular.
    item->setForeground(0, foundTextColour(tvWords_->palette()));
    tvWords_->scrollToItem(item);
}

void fGame::openSettings() {
    // A window that was closed is discarded, even before its deletion has run.
    if (!settingsWindow_ || !settingsWindow_->isVisible()) {
        settingsWindow_ = new fSettings(ini_, this);
        settingsWindow_->setAttribute(Qt::WA_DeleteOnClose);
    }
    settingsWindow_->show();
    settingsWindow_->raise();
    settingsWindow_->activateWindow();
}

fSettings* fGame::settingsWindow() const {
    return settingsWindow_.data();
}

void fGame::settingsApplied() {
    if (!game_.gameActive()) return;
    ResizeBoard();
    DrawBoard();
}

void fGame::closeEvent(QCloseEvent* event) {
    // The settings window goes with the game window, as if cancelled.
    if (settingsWindow_) settingsWindow_->close();
    event->accept();
}

}  // namespace pindral
