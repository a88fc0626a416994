#include "creatorwindow.h"

#include <algorithm>

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
#include "engine/puzzledrawing.h"
#include "ui/dialogs.h"
#include "ui/export.h"
#include "ui/geometry.h"
#include "ui/picturebox.h"
#include "ui/services.h"

namespace osterfane {

namespace {

// The designed window, in twips.
constexpr int kClientWidth = 9465;
constexpr int kClientHeight = 6810;
constexpr ui::TwipsRect kPicfield{0, 0, 6750, 6750};
constexpr ui::TwipsRect kLstitems{6840, 120, 2535, 2985};
constexpr ui::TwipsRect kTxtfield{6840, 3240, 2535, 285};
constexpr ui::TwipsRect kCmdAdd{6840, 3600, 1455, 255};
constexpr ui::TwipsRect kCmdRemove{8280, 3600, 1095, 255};
constexpr ui::TwipsRect kTxtSize{7440, 4080, 495, 285};
constexpr ui::TwipsRect kCmdDraw{8520, 3960, 855, 495};
constexpr ui::TwipsRect kLabel1{6840, 4080, 495, 255};
constexpr ui::TwipsRect kChkSolutions{6840, 4560, 2055, 255};
constexpr ui::TwipsRect kChkIncludeInverted{6840, 5040, 2295, 255};

constexpr int kStartSize = 10;
constexpr double kFontPoints = 8.25;

// A letter of any alphabet ends an entry, so words in Cyrillic, Greek or with accents can be
// typed; digits, signs and spaces are taken off the end.
bool endsAnEntry(QChar c) {
    return c.isLetter();
}

}  // namespace

Form1::Form1(PuzzleHooks hooks, QWidget* parent) : QWidget(parent), puzzle_(kStartSize) {
    if (!hooks.nextRandom) hooks.nextRandom = [this] { return random_.nextRandom(); };
    if (!hooks.pumpEvents) hooks.pumpEvents = ui::pumpEvents;
    puzzle_.setHooks(std::move(hooks));

    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Osterfane"));
    QFont tahoma = font();
    tahoma.setFamily(QStringLiteral("Tahoma"));
    tahoma.setPointSizeF(kFontPoints);
    setFont(tahoma);
    ui::setFixedClientSize(this, kClientWidth, kClientHeight);

    picfield_ = ui::createControl<ui::PictureBox>(this, "picfield", kPicfield);
    // The border lies inside the 450 pixels and closes the grid at the left and top.
    picfield_->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    picfield_->setBackColour(core::kWhite);
    picfield_->ui::Surface::setFont(tahoma);
    picfield_->clear();
    lstitems_ = ui::createControl<QListWidget>(this, "lstitems", kLstitems);
    txtfield_ = ui::createControl<QLineEdit>(this, "txtfield", kTxtfield);
    cmdAdd_ = ui::createControl<QPushButton>(this, "cmdAdd", kCmdAdd, QStringLiteral("Add"));
    cmdRemove_ =
        ui::createControl<QPushButton>(this, "cmdRemove", kCmdRemove, QStringLiteral("Remove"));
    txtSize_ = ui::createControl<QLineEdit>(this, "txtSize", kTxtSize, QStringLiteral("10"));
    cmdDraw_ = ui::createControl<QPushButton>(this, "cmdDraw", kCmdDraw, QStringLiteral("Draw"));
    Label1_ = ui::createControl<QLabel>(this, "Label1", kLabel1, QStringLiteral("Size:"));
    chkSolutions_ = ui::createControl<QCheckBox>(this, "chkSolutions", kChkSolutions,
                                                 QStringLiteral("Show solutions"));
    chkIncludeInverted_ = ui::createControl<QCheckBox>(
        this, "chkIncludeInverted", kChkIncludeInverted, QStringLiteral("Include inverted"));
    ui::setTabOrder({picfield_, lstitems_, txtfield_, cmdAdd_, cmdRemove_, txtSize_, cmdDraw_,
                     Label1_, chkSolutions_, chkIncludeInverted_});
    // Typing starts in the entry field. The surface's menu lets it take the focus by Tab
    // (never by a click), for the context-menu key.
    txtfield_->setFocus();

    picfieldMenu_ = new ui::PictureMenu(picfield_, ui::PictureMenu::Trigger::Platform);
    picfieldMenu_->addEntry(QStringLiteral("Copy Picture"), "mnuCopyPicture",
                            [this] { ui::copyPicture(*picfield_); });
    picfieldMenu_->addEntry(QStringLiteral("Save Picture As..."), "mnuSavePicture",
                            [this] { savePicture(false); });
    picfieldMenu_->addEntry(QStringLiteral("Save Answer Key As..."), "mnuSaveAnswerKey",
                            [this] { savePicture(true); });
    picfieldMenu_->addEntry(QStringLiteral("Print..."), "mnuPrint", [this] { printPuzzle(); });

    txtfield_->installEventFilter(this);
    connect(txtfield_, &QLineEdit::textChanged, this, &Form1::txtfield_Change);
    connect(cmdAdd_, &QPushButton::clicked, this, &Form1::cmdAdd_Click);
    connect(cmdRemove_, &QPushButton::clicked, this, &Form1::cmdRemove_Click);
    // A selection made with the mouse or the keys counts as a click; the current row that the
    // list sets itself when it gets the focus does not.
    connect(lstitems_, &QListWidget::itemSelectionChanged, this, &Form1::lstitems_Click);
    connect(lstitems_, &QListWidget::itemClicked, this, &Form1::lstitems_Click);
    connect(cmdDraw_, &QPushButton::clicked, this, &Form1::cmdDraw_Click);
    connect(chkSolutions_, &QCheckBox::clicked, this, &Form1::chkSolutions_Click);
}

Form1::~Form1() = default;

int Form1::IsInList(const QString& str) const {
    const QString wanted = str.toLower();
    for (int i = 0; i < lstitems_->count(); ++i) {
        if (lstitems_->item(i)->text().toLower() == wanted) return i;
    }
    return -1;
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtfield_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        // The key goes on to the field: a space lands there and the change rule removes it.
        if (enter || key->text() == QStringLiteral(" ")) cmdAdd_->click();
    }
    return QWidget::eventFilter(watched, event);
}

// The text is composed first, so a letter followed by its combining mark is one letter. Only
// the last character is tested; the entry keeps its text up to its last letter.
void Form1::txtfield_Change() {
    const QString text = txtfield_->text();
    const QString composed = core::composedWord(text);
    qsizetype keep = composed.size();
    while (keep > 0 && !endsAnEntry(composed[keep - 1]))
        --keep;
    if (keep == text.size() && composed == text) return;
    // Taking characters off the end puts the caret at the end; composing keeps it where it was.
    const qsizetype caret =
        keep < composed.size()
            ? keep
            : std::min(keep, core::composedWord(text.left(txtfield_->cursorPosition())).size());
    txtfield_->setText(composed.left(keep));
    txtfield_->setCursorPosition(int(caret));
}

// A word of one character, or one with a character no square can hold (an emoji, a mark that
// has no composed form), stays in the field like a word of one letter.
void Form1::cmdAdd_Click() {
    const QString text = txtfield_->text();
    if (text.size() <= 1 || !core::fitsOneCharPerSquare(text)) return;
    if (IsInList(text) == -1) lstitems_->addItem(text);
    txtfield_->clear();
}

int Form1::selectedIndex() const {
    const QList<QListWidgetItem*> selected = lstitems_->selectedItems();
    return selected.isEmpty() ? -1 : lstitems_->row(selected.first());
}

void Form1::cmdRemove_Click() {
    const int index = selectedIndex();
    if (index < 0 || index >= lstitems_->count()) return;
    // Removing is no click on the entry that becomes current: the field stays as it is.
    const QSignalBlocker blocker(lstitems_);
    delete lstitems_->takeItem(index);
    lstitems_->clearSelection();
    lstitems_->setCurrentRow(-1);
}

void Form1::lstitems_Click() {
    const int index = selectedIndex();
    if (index >= 0) txtfield_->setText(lstitems_->item(index)->text());
}

void Form1::selectEntry(int index) {
    {
        const QSignalBlocker blocker(lstitems_);
        lstitems_->setCurrentRow(index);
    }
    lstitems_Click();
}

void Form1::setBuilding(bool building) {
    building_ = building;
    for (QWidget* w : {static_cast<QWidget*>(cmdDraw_), static_cast<QWidget*>(cmdAdd_),
                       static_cast<QWidget*>(cmdRemove_), static_cast<QWidget*>(chkSolutions_),
                       static_cast<QWidget*>(chkIncludeInverted_)}) {
        w->setEnabled(!building);
    }
    picfieldMenu_->setEntriesEnabled(drawn_ && !building);
}

void Form1::cmdDraw_Click() {
    if (building_) return;
    const std::optional<int> n = sizeFromText(txtSize_->text(), picfield_->width());
    if (!n) {
        ui::dialogs().information(
            this,
            QStringLiteral("The size must be a whole number from 1 to %1.").arg(picfield_->width()),
            ui::programTitle());
        return;
    }
    QStringList words;
    for (int i = 0; i < lstitems_->count(); ++i)
        words << lstitems_->item(i)->text();
    const bool includeInverted = chkIncludeInverted_->isChecked();

    const QPointer<QWidget> focused = focusWidget();
    closing_ = false;
    drawn_ = false;
    setBuilding(true);
    puzzle_.ClearPuzzle(*n);
    const PuzzleOutcome outcome = puzzle_.CreatePuzzle(words, *n, includeInverted);
    placedWords_.clear();
    for (qsizetype i = 0; i < puzzle_.solutions().size() && i < words.size(); ++i)
        placedWords_ << words[i].toUpper();
    if (closing_) {  // the window was closed during the search: nothing left to show
        setBuilding(false);
        return;
    }
    if (outcome.kind != PuzzleOutcome::Kind::AllPlaced) {
        ui::dialogs().information(this, outcome.message(), ui::programTitle());
        if (outcome.kind == PuzzleOutcome::Kind::TooLong) selectEntry(outcome.index);
    }
    puzzle_.FillRemWithRandom();
    drawPuzzle();
    if (chkSolutions_->isChecked()) DrawSolution(*picfield_, puzzle_);
    drawn_ = true;
    setBuilding(false);
    if (focused && focused->isEnabled()) focused->setFocus();
}

void Form1::drawPuzzle() {
    picfield_->clear();
    DrawGrid(*picfield_, puzzle_.size());
    picfield_->refresh();
    DrawContents(*picfield_, puzzle_);
}

ui::Picture Form1::picture(bool withSolutions) const {
    ui::Picture picture = ui::pictureOf(*picfield_, [this, withSolutions](ui::Surface& surface) {
        DrawPuzzle(surface, puzzle_, withSolutions);
    });
    const int side = gridExtent(picture.size.width(), puzzle_.size());
    picture.extent = QSize(side, side);
    return picture;
}

void Form1::savePicture(bool answerKey) {
    if (!drawn_ || building_) return;
    if (answerKey) {
        ui::savePictureAs(this, QStringLiteral("Save Answer Key As"),
                          QStringLiteral("Answer key.png"), {picture(true), placedWords_});
    } else {
        ui::savePictureAs(this, QStringLiteral("Save Picture As"), QStringLiteral("Puzzle.png"),
                          {picture(chkSolutions_->isChecked()), placedWords_});
    }
}

// The puzzle with its words on the first page, the answer key on the second.
void Form1::printPuzzle() {
    if (!drawn_ || building_) return;
    ui::printDocument(this, {{picture(false), placedWords_}, {picture(true), {}}}, windowTitle());
}

void Form1::chkSolutions_Click() {
    if (chkSolutions_->isChecked()) {
        DrawSolution(*picfield_, puzzle_);
    } else {
        drawPuzzle();
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    if (building_) closing_ = true;
    QWidget::closeEvent(event);
}

}  // namespace osterfane
