#include "sheetwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "loadwindow.h"
#include "ui/geometry.h"
#include "ui/services.h"

namespace kallowit {

namespace {

// The designed window, in twips: its size, the sheet editor's controls and the window's own.
constexpr int kClientWidth = 7365;
constexpr int kClientHeight = 6045;
constexpr sheetsolver::TableLayout kTable{
    .left = 0,
    .top = 0,
    .pitchX = 260,
    .pitchY = 290,
    .width = 255,
    .height = 285,
    .delayCaption = {5280, 0, 615, 255},
    .delay = {5160, 240, 2175, 375},
    .keyword = {1200, 4440, 5415, 255},
    .find = {0, 4920, 3855, 495},
};
constexpr ui::TwipsRect kTitle{5280, 3000, 1815, 2895};       // "Label2"
constexpr ui::TwipsRect kKeywordCaption{0, 4440, 1455, 255};  // "Label1"

}  // namespace

SheetWindow::SheetWindow(const LoadWindow& load, std::function<double()> clock, QWidget* parent)
    : QWidget(parent), load_(load), editor_(this) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral(" Marlinex"));
    setFont(ui::designFont(sheetsolver::kWindowFontPoints));
    ui::setFixedClientSize(this, kClientWidth, kClientHeight);

    // The captions first, so that the keyword label, which starts inside both, lies above them.
    sheetsolver::createCaption(
        this, "Label2", kTitle,
        QStringLiteral("Sheet Solver\n\nEvery string of the list is looked for in all eight "
                       "directions. The letters that stay white spell the keyword."));
    auto* keywordCaption =
        ui::createControl<QLabel>(this, "Label1", kKeywordCaption, QStringLiteral("The keyword "));
    table_ = editor_.createTable(kTable, 1,
                                 {sheetsolver::SearchMode::FirstOccurrence,
                                  [this] { return load_.strings(); }, std::move(clock)},
                                 keywordCaption);
    // The designed cell 0, which startUp() fills with the sheet's first letter.
    editor_.cells().setCellText(0, QStringLiteral("X"));
}

SheetWindow::~SheetWindow() = default;

void SheetWindow::startUp() {
    if (started_) return;
    started_ = true;
    editor_.createRemainingCells();
    ui::setTabOrder({editor_.cells().cell(sheetsolver::kCellCount - 1), table_.delay, table_.find});
    editor_.cells().fillFrom(sheetsolver::upperCased(load_.sheetText()));
}

void SheetWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    // The whole program ends with this window, whatever else is still loaded.
    QCoreApplication::quit();
}

}  // namespace kallowit
