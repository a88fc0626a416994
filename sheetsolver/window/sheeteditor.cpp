#include "sheeteditor.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSlider>
#include <QTextDocument>
#include <QTextEdit>

#include "core/rtf.h"
#include "core/textfile.h"
#include "engine/demopuzzle.h"
#include "ui/dialogs.h"
#include "ui/services.h"
#include "window/celltable.h"
#include "window/resultlabel.h"

namespace sheetsolver {

namespace {

constexpr int kMaxDelay = 5000;
constexpr int kDelayLargeChange = 5;
constexpr double kFontPoints = 8.25;

// Sorted list boxes order entries without regard to case; case breaks ties only.
bool entryBefore(const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}

ui::FileRequest rtfRequest(bool mustExist) {
    ui::FileRequest request;
    request.filter = rtfFileFilter();
    request.mustExist = mustExist;
    return request;
}

}  // namespace

void setSheetWindowFont(QWidget* window) {
    QFont tahoma = window->font();
    tahoma.setFamily(QStringLiteral("Tahoma"));
    tahoma.setPointSizeF(kFontPoints);
    window->setFont(tahoma);
}

QSlider* createDelaySlider(QWidget* parent, const ui::TwipsRect& rect) {
    auto* slider = ui::createControl<QSlider>(parent, "sldDelay", rect, Qt::Horizontal);
    slider->setRange(0, kMaxDelay);
    slider->setSingleStep(1);
    slider->setPageStep(kDelayLargeChange);
    slider->setValue(0);
    return slider;
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

void setSheetText(QTextEdit* box, const QString& text) {
    box->setPlainText(text);
}

QString rtfFileFilter() {
    return QStringLiteral("All RTF Files (*.rtf)");
}

void loadSheetFile(QWidget* parent, QTextEdit* box) {
    const std::optional<QString> path = ui::dialogs().openFile(parent, rtfRequest(true));
    if (!path || path->isEmpty()) return;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxSheetFileBytes) return;
    const QByteArray bytes = file.read(kMaxSheetFileBytes + 1);
    if (bytes.size() > kMaxSheetFileBytes) return;
    const std::optional<QString> text = core::rtf::readPlainText(bytes);
    if (text) setSheetText(box, *text);
}

void saveSheetFile(QWidget* parent, QTextEdit* box) {
    const std::optional<QString> path = ui::dialogs().saveFile(parent, rtfRequest(false));
    if (!path || path->isEmpty()) return;
    // A failed save ends silently; the old file, if any, is left as it was.
    core::writeFileAtomically(*path, core::rtf::writePlainText(sheetText(box)));
}

int addSorted(QListWidget* list, const QString& entry) {
    int row = list->count();
    while (row > 0 && entryBefore(entry, list->item(row - 1)->text()))
        --row;
    list->insertItem(row, entry);
    return row;
}

void removeSelected(QListWidget* list) {
    // Taken as a set first: removing an entry moves the selection on to its neighbour.
    const QList<QListWidgetItem*> selected = list->selectedItems();
    if (selected.isEmpty()) return;
    for (QListWidgetItem* item : selected)
        delete list->takeItem(list->row(item));
    list->setCurrentItem(nullptr);
    list->clearSelection();
}

QStringList listEntries(const QListWidget* list) {
    QStringList entries;
    entries.reserve(list->count());
    for (int row = 0; row < list->count(); ++row)
        entries << list->item(row)->text();
    return entries;
}

void addFromBox(QListWidget* list, QLineEdit* box) {
    addSorted(list, upperCased(box->text()));
    box->clear();
}

void showDemoPuzzle(QTextEdit* box, QListWidget* list) {
    setSheetText(box, demoSheet());
    for (const QString& entry : demoStrings())
        addSorted(list, entry);
}

FindRunner::FindRunner(std::function<int()> delay, std::function<void(bool)> setControlsEnabled)
    : delay_(std::move(delay)), setControlsEnabled_(std::move(setControlsEnabled)) {
    monotonic_.start();
}

std::optional<QString> FindRunner::run(CellTable& cells, const QStringList& words, SearchMode mode,
                                       bool timed) {
    if (running_) return std::nullopt;
    running_ = true;
    stopRequested_ = false;
    locked_ = false;
    const QPointer<QWidget> focused = QApplication::focusWidget();

    MemorySheet sheet = cells.snapshot();
    cells_ = &cells;
    sheet_ = &sheet;
    SearchHooks hooks;
    hooks.delayValue = delay_;
    if (timed) hooks.clock = clock_ ? clock_ : [this] { return monotonic_.nsecsElapsed() / 1e9; };
    const std::optional<FindOutcome> outcome = findRun(sheet, words, mode, hooks, *this);
    cells.showColours(sheet);
    sheet_ = nullptr;

    if (locked_) {
        setControlsEnabled_(true);
        if (focused && focused->isEnabled() && !stopRequested_) focused->setFocus();
    }
    running_ = false;
    if (!outcome) return std::nullopt;
    return resultText(*outcome);
}

bool FindRunner::pumpEvents() {
    cells_->showColours(*sheet_);
    if (!locked_) {
        locked_ = true;
        setControlsEnabled_(false);
    }
    ui::pumpEvents();
    return !stopRequested_;
}

}  // namespace sheetsolver
