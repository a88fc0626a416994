#include "sheetwindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTextEdit>

#include "ui/geometry.h"

namespace brevoni {

namespace {

using sheetsolver::kColumns;

// The designed window, in twips.
constexpr int kClientWidth = 12600;
constexpr int kClientHeight = 5355;
constexpr int kCellLeft = 120;
constexpr int kCellTop = 120;
constexpr int kCellPitch = 240;
constexpr int kCellWidth = 255;
constexpr int kCellHeight = 285;
constexpr ui::TwipsRect kRtbText{5040, 120, 4575, 1815};
constexpr ui::TwipsRect kCommand2{9720, 120, 2655, 255};
constexpr ui::TwipsRect kCommand3{9720, 360, 2655, 255};
constexpr ui::TwipsRect kCommand4{9720, 720, 2655, 255};
constexpr ui::TwipsRect kCommand5{9720, 960, 2655, 255};
constexpr ui::TwipsRect kLabel2{5160, 2280, 1455, 255};
constexpr ui::TwipsRect kLstStrings{5160, 2520, 2775, 1230};
constexpr ui::TwipsRect kText2{8040, 2520, 1575, 285};
constexpr ui::TwipsRect kCommand6{9720, 2520, 2655, 255};
constexpr ui::TwipsRect kCmdRemoveListiem{9720, 2760, 2655, 255};
constexpr ui::TwipsRect kCommand7{9720, 3240, 2655, 495};
constexpr ui::TwipsRect kLabel1{3960, 3960, 1455, 255};
constexpr ui::TwipsRect kLblword{5160, 3960, 2535, 255};
constexpr ui::TwipsRect kLabel3{240, 4560, 615, 255};
constexpr ui::TwipsRect kSldDelay{120, 4800, 2175, 375};
constexpr ui::TwipsRect kCmdFind{2640, 4560, 7815, 735};

ui::TwipsRect cellRect(int i) {
    const int column = i % kColumns;
    const int row = i / kColumns;
    return {kCellLeft + kCellPitch * column, kCellTop + kCellPitch * row, kCellWidth, kCellHeight};
}

}  // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent),
      runner_([this] { return sldDelay_->value(); },
              [this](bool enabled) { setEditingEnabled(enabled); }) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral(" Marlinex"));
    sheetsolver::setSheetWindowFont(this);
    ui::setFixedClientSize(this, kClientWidth, kClientHeight);

    for (int i = 0; i < sheetsolver::kCellCount; ++i)
        cells_.createCell(i, this, cellRect(i));
    rtbText_ = ui::createControl<QTextEdit>(this, "rtbText", kRtbText);
    rtbText_->setAcceptRichText(false);
    Command2_ = ui::createControl<QPushButton>(this, "Command2", kCommand2,
                                               QStringLiteral("Load into table"));
    Command3_ = ui::createControl<QPushButton>(this, "Command3", kCommand3,
                                               QStringLiteral("Save from table"));
    Command4_ = ui::createControl<QPushButton>(this, "Command4", kCommand4,
                                               QStringLiteral("Load from File"));
    Command5_ =
        ui::createControl<QPushButton>(this, "Command5", kCommand5, QStringLiteral("Save to File"));
    Label2_ = ui::createControl<QLabel>(this, "Label2", kLabel2, QStringLiteral("Search for:"));
    lstStrings_ = ui::createControl<QListWidget>(this, "lstStrings", kLstStrings);
    lstStrings_->setSelectionMode(QAbstractItemView::SingleSelection);
    Text2_ = ui::createControl<QLineEdit>(this, "Text2", kText2);
    Command6_ = ui::createControl<QPushButton>(this, "Command6", kCommand6, QStringLiteral("Add"));
    cmdRemoveListiem_ = ui::createControl<QPushButton>(this, "cmdRemoveListiem", kCmdRemoveListiem,
                                                       QStringLiteral("Remove"));
    Command7_ =
        ui::createControl<QPushButton>(this, "Command7", kCommand7, QStringLiteral("Reset"));
    Label1_ = ui::createControl<QLabel>(this, "Label1", kLabel1, QStringLiteral("The keyword is:"));
    lblword_ = ui::createControl<sheetsolver::ResultLabel>(this, "lblword", kLblword);
    Label3_ = ui::createControl<QLabel>(this, "Label3", kLabel3, QStringLiteral("Delay:"));
    sldDelay_ = sheetsolver::createDelaySlider(this, kSldDelay);
    cmdFind_ = ui::createControl<QPushButton>(this, "cmdFind", kCmdFind, QStringLiteral("Find!"));
    lblword_->setControlsBelow({Label3_, sldDelay_, cmdFind_});

    // The designed order: the cells row by row, then the controls on the right.
    ui::setTabOrder({cells_.cell(sheetsolver::kCellCount - 1), rtbText_, Command2_, Command3_,
                     Command4_, Command5_, lstStrings_, Text2_, Command6_, cmdRemoveListiem_,
                     Command7_, sldDelay_, cmdFind_});

    connect(Command2_, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3_, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4_, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Command5_, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(Command6_, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(cmdRemoveListiem_, &QPushButton::clicked, this, &Form1::cmdRemoveListiem_Click);
    connect(Command7_, &QPushButton::clicked, this, &Form1::Command7_Click);
    connect(cmdFind_, &QPushButton::clicked, this, &Form1::cmdFind_Click);

    sheetsolver::showDemoPuzzle(rtbText_, lstStrings_);
    Command2_Click();
}

Form1::~Form1() = default;

void Form1::Command2_Click() {
    cells_.fillFrom(sheetsolver::sheetText(rtbText_));
}

void Form1::Command3_Click() {
    sheetsolver::setSheetText(rtbText_, cells_.joinedText());
}

void Form1::Command4_Click() {
    sheetsolver::loadSheetFile(this, rtbText_);
}

void Form1::Command5_Click() {
    sheetsolver::saveSheetFile(this, rtbText_);
}

void Form1::Command6_Click() {
    sheetsolver::addFromBox(lstStrings_, Text2_);
}

void Form1::cmdRemoveListiem_Click() {
    sheetsolver::removeSelected(lstStrings_);
}

void Form1::Command7_Click() {
    sheetsolver::setSheetText(rtbText_, QString());
    lblword_->showResult(QString());
    for (int i = 0; i < sheetsolver::kCellCount; ++i) {
        cells_.setCellText(i, QString());
        cells_.setCellColour(i, sheetsolver::kClearColour);
    }
    lstStrings_->clear();
}

void Form1::cmdFind_Click() {
    const std::optional<QString> keyword =
        runner_.run(cells_, sheetsolver::listEntries(lstStrings_),
                    sheetsolver::SearchMode::AllOccurrences, false);
    if (!keyword) return;
    lblword_->showResult(*keyword);
}

void Form1::setEditingEnabled(bool enabled) {
    cells_.setCellsEnabled(enabled);
    for (QWidget* w : std::initializer_list<QWidget*>{Command2_, Command4_, Command5_, Command6_,
                                                      cmdRemoveListiem_, Command7_, cmdFind_})
        w->setEnabled(enabled);
}

void Form1::closeEvent(QCloseEvent* event) {
    runner_.requestStop();
    QWidget::closeEvent(event);
}

}  // namespace brevoni
