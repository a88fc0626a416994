#include "sheeteditor.h"

#include <optional>
#include <utility>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTextDocument>
#include <QTextEdit>

#include "core/rtf.h"
#include "core/textfile.h"
#include "engine/demopuzzle.h"
#include "ui/accessiblegrid.h"
#include "ui/dialogs.h"
#include "ui/services.h"
#include "window/resultlabel.h"

namespace sheetsolver {

namespace {

constexpr int kMaxDelay = 5000;
constexpr int kDelayLargeChange = 5;

// Sorted list boxes order entries without regard to case; case breaks ties only.
bool entryBefore(const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}

// Adds an entry at its alphabetical place, as a sorted list box does.
void addSorted(QListWidget* list, const QString& entry) {
    int row = list->count();
    while (row > 0 && entryBefore(entry, list->item(row - 1)->text()))
        --row;
    list->insertItem(row, entry);
}

ui::FileRequest rtfRequest(bool mustExist) {
    ui::FileRequest request;
    request.filter = rtfFileFilter();
    request.mustExist = mustExist;
    return request;
}

}  // namespace

std::function<double()> monotonicSeconds() {
    QElapsedTimer timer;
    timer.start();
    return [timer] { return double(timer.nsecsElapsed()) / 1e9; };
}

QString upperCased(QStringView text) {
    QString upper(text.size(), Qt::Uninitialized);
    for (qsizetype k = 0; k < text.size(); ++k)
        upper[k] = text[k].toUpper();
    return upper;
}

QString sheetText(const QTextEdit* box) {
    QString text = box->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

QLabel* createCaption(QWidget* parent, const char* name, const ui::TwipsRect& rect,
                      const QString& text) {
    auto* label = ui::createControl<QLabel>(parent, name, rect, text);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QString rtfFileFilter() {
    return QStringLiteral("All RTF Files (*.rtf)");
}

QStringList listEntries(const QListWidget* list) {
    QStringList entries;
    entries.reserve(list->count());
    for (int row = 0; row < list->count(); ++row)
        entries << list->item(row)->text();
    return entries;
}

SheetEditor::SheetEditor(QWidget* window) : window_(window) {}

SheetEditor::~SheetEditor() = default;

SheetTextControls SheetEditor::createSheetText(const SheetTextLayout& layout) {
    SheetTextControls c{};
    c.sheetText = ui::createControl<QTextEdit>(window_, "rtbText", layout.sheetText);
    c.sheetText->setAcceptRichText(false);
    c.sheetText->setAccessibleName(QStringLiteral("Sheet text"));
    c.loadFromFile = ui::createControl<QPushButton>(window_, "Command4", layout.loadFromFile,
                                                    QStringLiteral("Load from File"));
    c.saveToFile = ui::createControl<QPushButton>(window_, "Command5", layout.saveToFile,
                                                  QStringLiteral("Save to File"));
    c.strings = ui::createControl<QListWidget>(window_, "lstStrings", layout.strings);
    c.strings->setSelectionMode(QAbstractItemView::SingleSelection);
    c.newString = ui::createControl<QLineEdit>(window_, "Text2", layout.newString);
    c.newString->setAccessibleName(QStringLiteral("String to add"));
    c.add = ui::createControl<QPushButton>(window_, "Command6", layout.add, QStringLiteral("Add"));
    c.remove = ui::createControl<QPushButton>(window_, "cmdRemoveListiem", layout.remove,
                                              QStringLiteral("Remove"));
    sheetText_ = c.sheetText;
    strings_ = c.strings;
    newString_ = c.newString;
    locked_.insert(locked_.end(), {c.loadFromFile, c.saveToFile, c.add, c.remove});

    connect(c.loadFromFile, &QPushButton::clicked, this, &SheetEditor::loadFromFile);
    connect(c.saveToFile, &QPushButton::clicked, this, &SheetEditor::saveToFile);
    connect(c.add, &QPushButton::clicked, this, &SheetEditor::add);
    connect(c.remove, &QPushButton::clicked, this, &SheetEditor::remove);

    setSheetText(demoSheet());
    for (const QString& entry : demoStrings())
        addSorted(strings_, entry);
    return c;
}

QString SheetEditor::sheetText() const {
    return sheetsolver::sheetText(sheetText_);
}

void SheetEditor::setSheetText(const QString& text) {
    sheetText_->setPlainText(text);
}

QStringList SheetEditor::strings() const {
    return listEntries(strings_);
}

void SheetEditor::clearStrings() {
    strings_->clear();
}

void SheetEditor::loadFromFile() {
    const std::optional<QString> path = ui::dialogs().openFile(window_, rtfRequest(true));
    if (!path || path->isEmpty()) return;
    loadSheetFile(*path);
}

void SheetEditor::loadSheetFile(const QString& path) {
    // The RTF reader takes the bytes themselves: their code page is named inside the document.
    // Why a file could not be read is not shown: the action ends silently.
    const core::FileBytesResult file = core::readFileBytes(path, kMaxSheetFileBytes);
    if (!file.ok) return;
    const std::optional<QString> text = core::rtf::readPlainText(file.bytes);
    if (text) setSheetText(*text);
}

void SheetEditor::saveToFile() {
    const std::optional<QString> path = ui::dialogs().saveFile(window_, rtfRequest(false));
    if (!path || path->isEmpty()) return;
    // A failed save ends silently; the old file, if any, is left as it was.
    core::writeFileAtomically(*path, core::rtf::writePlainText(sheetText()));
}

void SheetEditor::add() {
    addSorted(strings_, upperCased(newString_->text()));
    newString_->clear();
}

void SheetEditor::remove() {
    // Taken as a set first: removing an entry moves the selection on to its neighbour.
    const QList<QListWidgetItem*> selected = strings_->selectedItems();
    if (selected.isEmpty()) return;
    for (QListWidgetItem* item : selected)
        delete strings_->takeItem(strings_->row(item));
    strings_->setCurrentItem(nullptr);
    strings_->clearSelection();
}

TableControls SheetEditor::createTable(const TableLayout& layout, int cellCount, FindRules rules,
                                       const QLabel* keywordCaption) {
    table_ = layout;
    keywordCaption_ = keywordCaption;
    rules_ = std::move(rules);
    for (int i = 0; i < cellCount; ++i)
        cells_.createCell(i, window_, cellRect(i));
    auto* caption =
        ui::createControl<QLabel>(window_, "Label3", layout.delayCaption, QStringLiteral("Delay:"));
    delay_ = ui::createControl<QSlider>(window_, "sldDelay", layout.delay, Qt::Horizontal);
    delay_->setAccessibleName(caption->text());
    delay_->setRange(0, kMaxDelay);
    delay_->setSingleStep(1);
    delay_->setPageStep(kDelayLargeChange);
    delay_->setValue(0);
    keyword_ = ui::createControl<ResultLabel>(window_, "lblword", layout.keyword);
    find_ =
        ui::createControl<QPushButton>(window_, "cmdFind", layout.find, QStringLiteral("Find!"));
    connect(find_, &QPushButton::clicked, this, &SheetEditor::find);
    window_->installEventFilter(this);

    const std::pair<QWidget*, ui::TwipsRect> placed[] = {
        {caption, layout.delayCaption}, {delay_, layout.delay}, {find_, layout.find}};
    std::vector<QWidget*> below;
    for (const auto& [control, rect] : placed) {
        if (rect.top >= layout.keyword.top + layout.keyword.height) below.push_back(control);
    }
    keyword_->setControlsBelow(below);
    return {delay_, find_};
}

void SheetEditor::createRemainingCells() {
    for (int i = 0; i < kCellCount; ++i) {
        if (cells_.hasCell(i)) continue;
        cells_.createCell(i, window_, cellRect(i));
        ui::pumpEvents();
    }
}

ui::TwipsRect SheetEditor::cellRect(int i) const {
    return {table_.left + table_.pitchX * (i % kColumns),
            table_.top + table_.pitchY * (i / kColumns), table_.width, table_.height};
}

void SheetEditor::showResult(const QString& text) {
    keyword_->showResult(text);
}

void SheetEditor::lockDuringRuns(std::initializer_list<QWidget*> controls) {
    locked_.insert(locked_.end(), controls);
}

bool SheetEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Close) stopRequested_ = true;
    return QObject::eventFilter(watched, event);
}

void SheetEditor::find() {
    if (runSheet_) return;  // a run is yielding
    const QStringList words = rules_.strings();
    stopRequested_ = false;
    controlsLocked_ = false;
    const QPointer<QWidget> focused = QApplication::focusWidget();

    MemorySheet sheet = cells_.snapshot();
    runSheet_ = &sheet;
    SearchHooks hooks;
    hooks.delayValue = [this] { return delay_->value(); };
    hooks.clock = rules_.clock;
    const std::optional<FindOutcome> outcome = findRun(sheet, words, rules_.mode, hooks, *this);
    runSheet_ = nullptr;
    cells_.showColours(sheet);

    if (controlsLocked_) {
        setLocked(false);
        if (focused && focused->isEnabled() && !stopRequested_) focused->setFocus();
    }
    if (!outcome) return;
    const QString result = resultText(*outcome);
    keyword_->showResult(result);
    QString announcement = keywordCaption_->text().trimmed();
    if (!result.isEmpty()) announcement += u' ' + result;
    ui::announce(keyword_, announcement);
}

bool SheetEditor::pumpEvents() {
    cells_.showColours(*runSheet_);
    if (!controlsLocked_) {
        controlsLocked_ = true;
        setLocked(true);
    }
    ui::pumpEvents();
    return !stopRequested_;
}

void SheetEditor::setLocked(bool locked) {
    cells_.setCellsEnabled(!locked);
    for (QWidget* control : locked_)
        control->setEnabled(!locked);
    // Last: disabling the focused "Find!" moves the focus on, past the controls locked above.
    find_->setEnabled(!locked);
}

}  // namespace sheetsolver
