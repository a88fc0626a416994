#include "sheetwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "loadwindow.h"
#include "ui/services.h"

namespace kallowit {

namespace {

using sheetsolver::kColumns;

// The designed window, in twips.
constexpr int kClientWidth = 7365;
constexpr int kClientHeight = 6045;
constexpr int kCellPitchX = 260;
constexpr int kCellPitchY = 290;
constexpr int kCellWidth = 255;
constexpr int kCellHeight = 285;
constexpr ui::TwipsRect kLabel3{5280, 0, 615, 255};
constexpr ui::TwipsRect kSldDelay{5160, 240, 2175, 375};
constexpr ui::TwipsRect kLabel2{5280, 3000, 1815, 2895};
constexpr ui::TwipsRect kLabel1{0, 4440, 1455, 255};
constexpr ui::TwipsRect kLblword{1200, 4440, 5415, 255};
constexpr ui::TwipsRect kCmdFind{0, 4920, 3855, 495};

ui::TwipsRect cellRect(int i) {
    return {kCellPitchX * (i % kColumns), kCellPitchY * (i / kColumns), kCellWidth, kCellHeight};
}

}  // namespace

Form1::Form1(const frmLoad& load, QWidget* parent)
    : QWidget(parent),
      load_(load),
      runner_([this] { return sldDelay_->value(); },
              [this](bool enabled) { setEditingEnabled(enabled); }) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral(" Marlinex"));
    sheetsolver::setSheetWindowFont(this);
    ui::setFixedClientSize(this, kClientWidth, kClientHeight);

    cells_.createCell(0, this, cellRect(0))->setText(QStringLiteral("X"));
    Label3_ = ui::createControl<QLabel>(this, "Label3", kLabel3, QStringLiteral("Delay:"));
    sldDelay_ = sheetsolver::createDelaySlider(this, kSldDelay);
    Label2_ = ui::createControl<QLabel>(
        this, "Label2", kLabel2,
        QStringLiteral("Sheet Solver\n\nEvery string of the list is looked for in all eight "
                       "directions. The letters that stay white spell the keyword."));
    Label2_->setWordWrap(true);
    Label2_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1_ = ui::createControl<QLabel>(this, "Label1", kLabel1, QStringLiteral("The keyword "));
    lblword_ = ui::createControl<sheetsolver::ResultLabel>(this, "lblword", kLblword);
    cmdFind_ = ui::createControl<QPushButton>(this, "cmdFind", kCmdFind, QStringLiteral("Find!"));
    lblword_->raise();  // the designed label starts inside the caption's box
    lblword_->setControlsBelow({cmdFind_});

    connect(cmdFind_, &QPushButton::clicked, this, &Form1::cmdFind_Click);
}

Form1::~Form1() = default;

void Form1::startUp() {
    if (started_) return;
    started_ = true;
    for (int i = 1; i < sheetsolver::kCellCount; ++i) {
        cells_.createCell(i, this, cellRect(i));
        ui::pumpEvents();
    }
    QWidget* previous = cells_.cell(sheetsolver::kCellCount - 1);
    for (QWidget* w : std::initializer_list<QWidget*>{sldDelay_, cmdFind_}) {
        QWidget::setTabOrder(previous, w);
        previous = w;
    }
    cells_.fillFrom(sheetsolver::upperCased(load_.sheetText()));
}

void Form1::cmdFind_Click() {
    const std::optional<QString> caption =
        runner_.run(cells_, load_.strings(), sheetsolver::SearchMode::FirstOccurrence, true);
    if (caption) lblword_->showResult(*caption);
}

void Form1::setEditingEnabled(bool enabled) {
    cells_.setCellsEnabled(enabled);
    cmdFind_->setEnabled(enabled);
}

void Form1::closeEvent(QCloseEvent* event) {
    runner_.requestStop();
    QWidget::closeEvent(event);
    // The whole program ends with this window, whatever else is still loaded.
    QCoreApplication::quit();
}

}  // namespace kallowit
