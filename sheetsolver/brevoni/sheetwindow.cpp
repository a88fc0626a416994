#include "sheetwindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTextEdit>

#include "ui/geometry.h"
#include "ui/services.h"

namespace brevoni {

namespace {

// The designed window, in twips: its size, the sheet editor's controls and the window's own.
constexpr int kClientWidth = 12600;
constexpr int kClientHeight = 5355;
constexpr sheetsolver::TableLayout kTable{
    .left = 120,
    .top = 120,
    .pitchX = 240,
    .pitchY = 240,
    .width = 255,
    .height = 285,
    .delayCaption = {240, 4560, 615, 255},
    .delay = {120, 4800, 2175, 375},
    .keyword = {5160, 3960, 2535, 255},
    .find = {2640, 4560, 7815, 735},
};
constexpr sheetsolver::SheetTextLayout kSheetText{
    .sheetText = {5040, 120, 4575, 1815},
    .loadFromFile = {9720, 720, 2655, 255},
    .saveToFile = {9720, 960, 2655, 255},
    .strings = {5160, 2520, 2775, 1230},
    .newString = {8040, 2520, 1575, 285},
    .add = {9720, 2520, 2655, 255},
    .remove = {9720, 2760, 2655, 255},
};
constexpr ui::TwipsRect kStringsCaption{5160, 2280, 1455, 255};  // "Label2"
constexpr ui::TwipsRect kKeywordCaption{3960, 3960, 1455, 255};  // "Label1"
constexpr ui::TwipsRect kLoadIntoTable{9720, 120, 2655, 255};    // "Command2"
constexpr ui::TwipsRect kSaveFromTable{9720, 360, 2655, 255};    // "Command3"
constexpr ui::TwipsRect kReset{9720, 3240, 2655, 495};           // "Command7"

}  // namespace

SheetWindow::SheetWindow(QWidget* parent) : QWidget(parent), editor_(this) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral(" Marlinex"));
    setFont(ui::designFont(sheetsolver::kWindowFontPoints));
    ui::setFixedClientSize(this, kClientWidth, kClientHeight);

    // The captions first, so that the controls they touch lie above them.
    auto* stringsCaption =
        ui::createControl<QLabel>(this, "Label2", kStringsCaption, QStringLiteral("Search for:"));
    auto* keywordCaption = ui::createControl<QLabel>(this, "Label1", kKeywordCaption,
                                                     QStringLiteral("The keyword is:"));
    const sheetsolver::TableControls table = editor_.createTable(
        kTable, sheetsolver::kCellCount,
        {sheetsolver::SearchMode::AllOccurrences, [this] { return editor_.strings(); }, {}},
        keywordCaption);
    const sheetsolver::SheetTextControls text = editor_.createSheetText(kSheetText);
    text.strings->setAccessibleName(stringsCaption->text());
    loadIntoTableButton_ = ui::createControl<QPushButton>(this, "Command2", kLoadIntoTable,
                                                          QStringLiteral("Load into table"));
    saveFromTableButton_ = ui::createControl<QPushButton>(this, "Command3", kSaveFromTable,
                                                          QStringLiteral("Save from table"));
    resetButton_ =
        ui::createControl<QPushButton>(this, "Command7", kReset, QStringLiteral("Reset"));
    editor_.lockDuringRuns({loadIntoTableButton_, resetButton_});

    // The designed order: the cells row by row, then the controls on the right.
    ui::setTabOrder({editor_.cells().cell(sheetsolver::kCellCount - 1), text.sheetText,
                     loadIntoTableButton_, saveFromTableButton_, text.loadFromFile, text.saveToFile,
                     text.strings, text.newString, text.add, text.remove, resetButton_, table.delay,
                     table.find});

    connect(loadIntoTableButton_, &QPushButton::clicked, this, &SheetWindow::loadIntoTable);
    connect(saveFromTableButton_, &QPushButton::clicked, this, &SheetWindow::saveFromTable);
    connect(resetButton_, &QPushButton::clicked, this, &SheetWindow::reset);

    loadIntoTable();
}

SheetWindow::~SheetWindow() = default;

void SheetWindow::loadSheetFile(const QString& path) {
    editor_.loadSheetFile(path);
}

void SheetWindow::loadIntoTable() {
    editor_.cells().fillFrom(editor_.sheetText());
}

void SheetWindow::saveFromTable() {
    editor_.setSheetText(editor_.cells().joinedText());
}

void SheetWindow::reset() {
    editor_.setSheetText(QString());
    editor_.showResult(QString());
    editor_.cells().fillFrom(QString());
    editor_.cells().showColours(sheetsolver::MemorySheet());
    editor_.clearStrings();
}

}  // namespace brevoni
