#include "loadwindow.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QTextEdit>

#include "sheetwindow.h"
#include "ui/geometry.h"
#include "ui/services.h"

namespace kallowit {

namespace {

// The designed window, in twips: its size, the sheet editor's controls and the window's own.
constexpr int kClientWidth = 7410;
constexpr int kClientHeight = 5220;
constexpr sheetsolver::SheetTextLayout kSheetText{
    .sheetText = {0, 0, 4575, 1695},
    .loadFromFile = {0, 1800, 2295, 255},
    .saveToFile = {2280, 1800, 2295, 255},
    .strings = {0, 2400, 2775, 2205},
    .newString = {3000, 2400, 2655, 285},
    .add = {3000, 2760, 2655, 255},
    .remove = {3000, 3000, 2655, 255},
};
constexpr ui::TwipsRect kTextCaption{4680, 0, 2655, 615};         // "Label1"
constexpr ui::TwipsRect kStringsCaption{3000, 3360, 4335, 1215};  // "Label2"
// An etched line across the window between the text half and the list half.
constexpr ui::TwipsRect kLine1{0, 2190, kClientWidth, 15};  // "Line1"
constexpr ui::TwipsRect kLine2{0, 2205, kClientWidth, 15};  // "Line2"
constexpr ui::TwipsRect kNext{5280, 4800, 2055, 375};       // "Command1"

void createLine(QWidget* parent, const char* name, const ui::TwipsRect& rect, core::Colour colour) {
    auto* line = ui::createControl<QFrame>(parent, name, rect);
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, ui::toQColor(colour));
    line->setPalette(palette);
}

}  // namespace

LoadWindow::LoadWindow(std::function<double()> clock, QWidget* parent)
    : QWidget(parent), editor_(this), clock_(std::move(clock)) {
    setObjectName(QStringLiteral("frmLoad"));
    setWindowTitle(QStringLiteral("Load Data into sheet"));
    setFont(ui::designFont(sheetsolver::kWindowFontPoints));
    ui::setFixedClientSize(this, kClientWidth, kClientHeight);

    const QLabel* textCaption = sheetsolver::createCaption(
        this, "Label1", kTextCaption,
        QStringLiteral("Enter here the Text you want to load into the Sheet"));
    const QLabel* stringsCaption = sheetsolver::createCaption(
        this, "Label2", kStringsCaption,
        QStringLiteral("Enter the Strings you want to search for to the List"));
    createLine(this, "Line1", kLine1, core::rgbColour(0x80, 0x80, 0x80));
    createLine(this, "Line2", kLine2, core::kWhite);
    const sheetsolver::SheetTextControls text = editor_.createSheetText(kSheetText);
    // The text box keeps its short name; its instruction is what a screen reader adds to it.
    text.sheetText->setAccessibleDescription(textCaption->text());
    text.strings->setAccessibleName(stringsCaption->text());
    nextButton_ =
        ui::createControl<QPushButton>(this, "Command1", kNext, QStringLiteral("Next >>"));
    ui::setTabOrder({text.sheetText, text.loadFromFile, text.saveToFile, text.strings,
                     text.newString, text.add, text.remove, nextButton_});

    connect(nextButton_, &QPushButton::clicked, this, &LoadWindow::next);
}

LoadWindow::~LoadWindow() = default;

void LoadWindow::loadSheetFile(const QString& path) {
    editor_.loadSheetFile(path);
}

QString LoadWindow::sheetText() const {
    return editor_.sheetText();
}

QStringList LoadWindow::strings() const {
    return editor_.strings();
}

void LoadWindow::next() {
    // The sheet window's start-up lets events through; a second click must not build another.
    if (sheetWindow_ || buildingSheetWindow_) return;
    buildingSheetWindow_ = true;
    setEnabled(false);
    sheetWindow_ = std::make_unique<SheetWindow>(*this, clock_);
    sheetWindow_->startUp();
    sheetWindow_->show();
    buildingSheetWindow_ = false;
    close();
}

void LoadWindow::closeEvent(QCloseEvent* event) {
    // While the sheet window is being built, the program has no other window to go on with.
    if (buildingSheetWindow_) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

}  // namespace kallowit
