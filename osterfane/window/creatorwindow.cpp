#include "creatorwindow.h"

#include <algorithm>
#include <memory>

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>

#include "core/letters.h"
#include "core/textfile.h"
#include "engine/puzzledrawing.h"
#include "engine/puzzlescript.h"
#include "engine/wordlist.h"
#include "ui/accessiblegrid.h"
#include "ui/dialogs.h"
#include "ui/export.h"
#include "ui/geometry.h"
#include "ui/picturebox.h"
#include "ui/services.h"

namespace osterfane {

namespace {

// The designed window, in twips, each control named by its role.
constexpr int kClientWidth = 9465;
constexpr int kClientHeight = 6810;
constexpr ui::DesignedControl kPuzzleBox{"picfield", {0, 0, 6750, 6750}};
constexpr ui::DesignedControl kWordList{"lstitems", {6840, 120, 2535, 2985}};
constexpr ui::DesignedControl kWordField{"txtfield", {6840, 3240, 2535, 285}};
constexpr ui::DesignedControl kAddButton{"cmdAdd", {6840, 3600, 1455, 255}, "Add"};
constexpr ui::DesignedControl kRemoveButton{"cmdRemove", {8280, 3600, 1095, 255}, "Remove"};
constexpr ui::DesignedControl kSizeField{"txtSize", {7440, 4080, 495, 285}, "10"};
constexpr ui::DesignedControl kDrawButton{"cmdDraw", {8520, 3960, 855, 495}, "Draw"};
constexpr ui::DesignedControl kSizeLabel{"Label1", {6840, 4080, 495, 255}, "Size:"};
constexpr ui::DesignedControl kShowSolutionsBox{
    "chkSolutions", {6840, 4560, 2055, 255}, "Show solutions"};
constexpr ui::DesignedControl kIncludeInvertedBox{
    "chkIncludeInverted", {6840, 5040, 2295, 255}, "Include inverted"};

constexpr int kStartSize = 10;

}  // namespace

// Cells count from 0, rows from the top. A cell reads "Row 2, column 3, E", and ", solution"
// while the solution lines are shown and a placed word covers it. Before the first picture and
// during a build the puzzle has no cells.
class CreatorWindow::Description final : public ui::GridDescription {
  public:
    explicit Description(const CreatorWindow& window) : window_(window) {}

    QString gridName() const override {
        if (!window_.drawn_) return QStringLiteral("Puzzle, not drawn yet");
        const int n = window_.puzzle_.size();
        const qsizetype words = window_.placedWords_.size();
        return QStringLiteral("Puzzle, %1 by %1, %2 %3")
            .arg(n)
            .arg(words)
            .arg(words == 1 ? QStringLiteral("word") : QStringLiteral("words"));
    }
    int rowCount() const override { return window_.drawn_ ? window_.puzzle_.size() : 0; }
    int columnCount() const override { return rowCount(); }
    QString cellName(int row, int column) const override {
        QString name = QStringLiteral("Row %1, column %2, %3")
                           .arg(row + 1)
                           .arg(column + 1)
                           .arg(QChar(window_.puzzle_.letterAt(column, row)));
        if (cellFound(row, column)) name += QStringLiteral(", solution");
        return name;
    }
    QRect cellRect(int row, int column) const override {
        const int pitch = window_.puzzleBox_->width() / std::max(1, columnCount());
        const QPoint inside = window_.puzzleBox_->contentsRect().topLeft();
        return QRect(inside.x() + column * pitch, inside.y() + row * pitch, pitch, pitch);
    }
    bool cellFound(int row, int column) const override {
        return window_.showSolutionsBox_->isChecked() && window_.puzzle_.dirAt(column, row) != 0;
    }
    bool cellSelected(int, int) const override { return false; }

  private:
    const CreatorWindow& window_;
};

CreatorWindow::CreatorWindow(CreatorHooks hooks, QWidget* parent)
    : QWidget(parent), pump_(hooks.pump), puzzle_(kStartSize, std::move(hooks.nextRandom)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Osterfane"));
    const QFont tahoma = ui::designFont(kSurfaceFontPoints);
    setFont(tahoma);
    ui::setFixedClientSize(this, kClientWidth, kClientHeight);

    puzzleBox_ = ui::createControl<ui::PictureBox>(this, kPuzzleBox);
    // The border lies inside the 450 pixels and closes the grid at the left and top.
    puzzleBox_->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    puzzleBox_->setBackColour(core::kWhite);
    puzzleBox_->ui::Surface::setFont(tahoma);
    puzzleBox_->clear();
    description_ = std::make_unique<Description>(*this);
    ui::describeGridForScreenReaders(puzzleBox_, description_.get());
    wordList_ = ui::createControl<QListWidget>(this, kWordList);
    wordField_ = ui::createControl<QLineEdit>(this, kWordField);
    addButton_ = ui::createControl<QPushButton>(this, kAddButton);
    removeButton_ = ui::createControl<QPushButton>(this, kRemoveButton);
    sizeField_ = ui::createControl<QLineEdit>(this, kSizeField);
    drawButton_ = ui::createControl<QPushButton>(this, kDrawButton);
    sizeLabel_ = ui::createControl<QLabel>(this, kSizeLabel);
    showSolutionsBox_ = ui::createControl<QCheckBox>(this, kShowSolutionsBox);
    includeInvertedBox_ = ui::createControl<QCheckBox>(this, kIncludeInvertedBox);
    // Controls without a caption of their own.
    wordList_->setAccessibleName(QStringLiteral("Words"));
    wordField_->setAccessibleName(QStringLiteral("Word to add"));
    sizeField_->setAccessibleName(QStringLiteral("Size"));
    sizeLabel_->setBuddy(sizeField_);
    ui::setTabOrder({puzzleBox_, wordList_, wordField_, addButton_, removeButton_, sizeField_,
                     drawButton_, sizeLabel_, showSolutionsBox_, includeInvertedBox_});
    // Typing starts in the entry field. The surface's menu lets it take the focus by Tab
    // (never by a click), for the context-menu key.
    wordField_->setFocus();

    puzzleMenu_ = new ui::PictureMenu(puzzleBox_, ui::PictureMenu::Trigger::Platform);
    puzzleMenu_->addEntry(QStringLiteral("Copy Picture"), "mnuCopyPicture",
                          [this] { ui::copyPicture(*puzzleBox_); });
    puzzleMenu_->addEntry(QStringLiteral("Save Picture As..."), "mnuSavePicture",
                          [this] { savePicture(false); });
    puzzleMenu_->addEntry(QStringLiteral("Save Answer Key As..."), "mnuSaveAnswerKey",
                          [this] { savePicture(true); });
    puzzleMenu_->addEntry(QStringLiteral("Save Puzzle As Script..."), "mnuSaveScript",
                          [this] { saveScript(); });
    puzzleMenu_->addEntry(QStringLiteral("Print..."), "mnuPrint", [this] { printPuzzle(); });

    wordField_->installEventFilter(this);
    connect(wordField_, &QLineEdit::textChanged, this, &CreatorWindow::wordFieldChanged);
    connect(addButton_, &QPushButton::clicked, this, &CreatorWindow::addWord);
    connect(removeButton_, &QPushButton::clicked, this, &CreatorWindow::removeWord);
    // A selection made with the mouse or the keys counts as a click; the current row that the
    // list sets itself when it gets the focus does not.
    connect(wordList_, &QListWidget::itemSelectionChanged, this, &CreatorWindow::wordListClicked);
    connect(wordList_, &QListWidget::itemClicked, this, &CreatorWindow::wordListClicked);
    connect(drawButton_, &QPushButton::clicked, this, &CreatorWindow::buildPuzzle);
    connect(showSolutionsBox_, &QCheckBox::clicked, this, &CreatorWindow::showSolutionsClicked);
}

CreatorWindow::~CreatorWindow() = default;

QStringList CreatorWindow::entries() const {
    QStringList texts;
    for (int i = 0; i < wordList_->count(); ++i)
        texts << wordList_->item(i)->text();
    return texts;
}

int CreatorWindow::indexInList(const QString& word) const {
    const QString wanted = word.toLower();
    for (int i = 0; i < wordList_->count(); ++i) {
        if (wordList_->item(i)->text().toLower() == wanted) return i;
    }
    return -1;
}

void CreatorWindow::openWordFile(const QString& path) {
    const core::TextFileResult file = core::readTextFile(path);
    if (!file.ok) {
        ui::reportFileProblem(this, QStringLiteral("The word list could not be read"), path,
                              file.error, ui::programTitle());
        return;
    }
    wordList_->addItems(entriesFromLines(core::splitLines(file.text), entries()).entries);
}

bool CreatorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == wordField_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        // The key goes on to the field: a space lands there and the change rule removes it.
        if (enter || key->text() == QStringLiteral(" ")) addButton_->click();
    }
    return QWidget::eventFilter(watched, event);
}

// The text is composed first, so a letter followed by its combining mark is one letter. Only
// the last character is tested; the entry keeps its text up to its last letter.
void CreatorWindow::wordFieldChanged() {
    const QString text = wordField_->text();
    const QString composed = core::composedWord(text);
    const qsizetype keep = keptLength(composed);
    if (keep == text.size() && composed == text) return;
    // Taking characters off the end puts the caret at the end; composing keeps it where it was.
    const qsizetype caret =
        keep < composed.size()
            ? keep
            : std::min(keep, core::composedWord(text.left(wordField_->cursorPosition())).size());
    wordField_->setText(composed.left(keep));
    wordField_->setCursorPosition(int(caret));
}

// A word of one character, or one with a character no square can hold (an emoji, a mark that
// has no composed form), stays in the field like a word of one letter.
void CreatorWindow::addWord() {
    const QString text = wordField_->text();
    if (!isListable(text)) return;
    if (indexInList(text) == -1) wordList_->addItem(text);
    wordField_->clear();
}

int CreatorWindow::selectedIndex() const {
    const QList<QListWidgetItem*> selected = wordList_->selectedItems();
    return selected.isEmpty() ? -1 : wordList_->row(selected.first());
}

void CreatorWindow::removeWord() {
    const int index = selectedIndex();
    if (index < 0 || index >= wordList_->count()) return;
    // Removing is no click on the entry that becomes current: the field stays as it is.
    const QSignalBlocker blocker(wordList_);
    delete wordList_->takeItem(index);
    wordList_->clearSelection();
    wordList_->setCurrentRow(-1);
}

void CreatorWindow::wordListClicked() {
    const int index = selectedIndex();
    if (index >= 0) wordField_->setText(wordList_->item(index)->text());
}

void CreatorWindow::selectEntry(int index) {
    {
        const QSignalBlocker blocker(wordList_);
        wordList_->setCurrentRow(index);
    }
    wordListClicked();
}

void CreatorWindow::setBuilding(bool building) {
    building_ = building;
    for (QWidget* w :
         {static_cast<QWidget*>(drawButton_), static_cast<QWidget*>(addButton_),
          static_cast<QWidget*>(removeButton_), static_cast<QWidget*>(showSolutionsBox_),
          static_cast<QWidget*>(includeInvertedBox_)}) {
        w->setEnabled(!building);
    }
    puzzleMenu_->setEntriesEnabled(drawn_ && !building);
}

bool CreatorWindow::pumpEvents() {
    ui::pumpEvents();
    return !closing_;
}

void CreatorWindow::buildPuzzle() {
    if (building_) return;
    const std::optional<int> n = sizeFromText(sizeField_->text(), puzzleBox_->width());
    if (!n) {
        ui::dialogs().information(this,
                                  QStringLiteral("The size must be a whole number from 1 to %1.")
                                      .arg(puzzleBox_->width()),
                                  ui::programTitle());
        return;
    }
    const QStringList words = entries();
    const bool includeInverted = includeInvertedBox_->isChecked();

    const QPointer<QWidget> focused = focusWidget();
    closing_ = false;
    drawn_ = false;
    setBuilding(true);
    puzzle_.clearPuzzle(*n);
    const PuzzleOutcome outcome =
        puzzle_.createPuzzle(words, *n, includeInverted, pump_ ? *pump_ : *this);
    placedWords_ = placedWords(words, puzzle_);
    builtInverted_ = includeInverted;
    if (closing_) {  // the window was closed during the search: nothing left to show
        setBuilding(false);
        return;
    }
    const QString message = outcomeMessage(outcome);
    if (!message.isEmpty()) {
        ui::dialogs().information(this, message, ui::programTitle());
        if (outcome.kind == PuzzleOutcome::Kind::TooLong) selectEntry(outcome.index);
    }
    puzzle_.fillRemainingWithRandom();
    showPuzzle();
    if (showSolutionsBox_->isChecked()) drawSolution(*puzzleBox_, puzzle_);
    drawn_ = true;
    describePicture();
    setBuilding(false);
    if (focused && focused->isEnabled()) focused->setFocus();
}

void CreatorWindow::showPuzzle() {
    // The grid, shown at once, then the letters: two drawings of the box, not one a letter (a
    // puzzle of size 450 has 202,500). The letters' drawing keeps its own copy of the puzzle,
    // as the box may draw it anew on a screen of another ratio after the next Draw.
    puzzleBox_->clear();
    puzzleBox_->draw([n = puzzle_.size()](ui::Surface& s) { drawGrid(s, n); });
    puzzleBox_->refresh();
    puzzleBox_->draw([shown = std::make_shared<const Puzzle>(puzzle_)](ui::Surface& s) {
        drawContents(s, *shown);
    });
}

ui::Picture CreatorWindow::picture(bool withSolutions) const {
    return puzzlePicture(ui::pictureOf(*puzzleBox_, {}), puzzle_, withSolutions);
}

void CreatorWindow::savePicture(bool answerKey) {
    if (!drawn_ || building_) return;
    if (answerKey) {
        ui::savePictureAs(this, QStringLiteral("Save Answer Key As"),
                          QStringLiteral("Answer key.png"), {picture(true), placedWords_});
    } else {
        ui::savePictureAs(this, QStringLiteral("Save Picture As"), QStringLiteral("Puzzle.png"),
                          {picture(showSolutionsBox_->isChecked()), placedWords_});
    }
}

// A script is a file of its own kind: the name gets ".tam" when it lacks it, as the solver's
// own save does.
void CreatorWindow::saveScript() {
    if (!drawn_ || building_) return;
    const int n = puzzle_.size();
    if (!fitsAScript(n)) {
        ui::dialogs().information(
            this,
            QStringLiteral("A script holds puzzles from %1 x %1 to %2 x %2 cells; this one is "
                           "%3 x %3.")
                .arg(kMinScriptSize)
                .arg(kMaxScriptSize)
                .arg(n),
            ui::programTitle());
        return;
    }
    ui::FileRequest request;
    request.title = QStringLiteral("Save Puzzle As Script");
    request.fileName = QStringLiteral("Puzzle.tam");
    request.filter = QStringLiteral("Puzzle script (*.tam)");
    QString path = ui::dialogs().saveFile(this, request).value_or(QString());
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".tam"), Qt::CaseInsensitive)) path += QStringLiteral(".tam");
    if (!ui::confirmReplace(this, path, ui::programTitle())) return;
    const QString error = core::writeFileAtomically(
        path, core::joinCrLfUtf8(puzzleScript(puzzle_, placedWords_, builtInverted_)));
    if (error.isEmpty()) return;
    ui::reportFileProblem(this, QStringLiteral("The puzzle could not be saved"), path, error,
                          ui::programTitle());
}

// The puzzle with its words on the first page, the answer key on the second.
void CreatorWindow::printPuzzle() {
    if (!drawn_ || building_) return;
    ui::printDocument(this, {{picture(false), placedWords_}, {picture(true), {}}}, windowTitle());
}

void CreatorWindow::showSolutionsClicked() {
    if (showSolutionsBox_->isChecked()) {
        drawSolution(*puzzleBox_, puzzle_);
    } else {
        showPuzzle();
    }
    if (drawn_) ui::gridCellsChanged(puzzleBox_);
}

void CreatorWindow::describePicture() {
    QStringList lines;
    for (int y = 0; y < puzzle_.size(); ++y) {
        QStringList letters;
        for (int x = 0; x < puzzle_.size(); ++x)
            letters << QChar(puzzle_.letterAt(x, y));
        lines << QStringLiteral("Row %1: %2").arg(y + 1).arg(letters.join(u' '));
    }
    lines << QStringLiteral("Words: %1").arg(placedWords_.join(QStringLiteral(", ")));
    puzzleBox_->setAccessibleDescription(lines.join(u'\n'));
    ui::gridCellsChanged(puzzleBox_);
}

void CreatorWindow::closeEvent(QCloseEvent* event) {
    if (building_) closing_ = true;
    QWidget::closeEvent(event);
}

}  // namespace osterfane
