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
#include "window/sheeteditor.h"

namespace kallowit {

namespace {

// The designed window, in twips.
constexpr int kClientWidth = 7410;
constexpr int kClientHeight = 5220;
constexpr ui::TwipsRect kRtbText{0, 0, 4575, 1695};
constexpr ui::TwipsRect kLabel1{4680, 0, 2655, 615};
constexpr ui::TwipsRect kCommand4{0, 1800, 2295, 255};
constexpr ui::TwipsRect kCommand5{2280, 1800, 2295, 255};
// An etched line across the window between the text half and the list half.
constexpr ui::TwipsRect kLine1{0, 2190, kClientWidth, 15};
constexpr ui::TwipsRect kLine2{0, 2205, kClientWidth, 15};
constexpr ui::TwipsRect kLstStrings{0, 2400, 2775, 2205};
constexpr ui::TwipsRect kText2{3000, 2400, 2655, 285};
constexpr ui::TwipsRect kCommand6{3000, 2760, 2655, 255};
constexpr ui::TwipsRect kCmdRemoveListiem{3000, 3000, 2655, 255};
constexpr ui::TwipsRect kLabel2{3000, 3360, 4335, 1215};
constexpr ui::TwipsRect kCommand1{5280, 4800, 2055, 375};

QFrame* createLine(QWidget* parent, const char* name, const ui::TwipsRect& rect,
                   core::Colour colour) {
    auto* line = ui::createControl<QFrame>(parent, name, rect);
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, ui::toQColor(colour));
    line->setPalette(palette);
    return line;
}

}  // namespace

frmLoad::frmLoad(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmLoad"));
    setWindowTitle(QStringLiteral("Load Data into sheet"));
    sheetsolver::setSheetWindowFont(this);
    ui::setFixedClientSize(this, kClientWidth, kClientHeight);

    rtbText_ = ui::createControl<QTextEdit>(this, "rtbText", kRtbText);
    rtbText_->setAcceptRichText(false);
    Label1_ = ui::createControl<QLabel>(
        this, "Label1", kLabel1,
        QStringLiteral("Enter here the Text you want to load into the Sheet"));
    Label1_->setWordWrap(true);
    Label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Command4_ = ui::createControl<QPushButton>(this, "Command4", kCommand4,
                                               QStringLiteral("Load from File"));
    Command5_ =
        ui::createControl<QPushButton>(this, "Command5", kCommand5, QStringLiteral("Save to File"));
    Line1_ = createLine(this, "Line1", kLine1, core::rgbColour(0x80, 0x80, 0x80));
    Line2_ = createLine(this, "Line2", kLine2, core::kWhite);
    lstStrings_ = ui::createControl<QListWidget>(this, "lstStrings", kLstStrings);
    lstStrings_->setSelectionMode(QAbstractItemView::SingleSelection);
    Text2_ = ui::createControl<QLineEdit>(this, "Text2", kText2);
    Command6_ = ui::createControl<QPushButton>(this, "Command6", kCommand6, QStringLiteral("Add"));
    cmdRemoveListiem_ = ui::createControl<QPushButton>(this, "cmdRemoveListiem", kCmdRemoveListiem,
                                                       QStringLiteral("Remove"));
    Label2_ = ui::createControl<QLabel>(
        this, "Label2", kLabel2,
        QStringLiteral("Enter the Strings you want to search for to the List"));
    Label2_->setWordWrap(true);
    Label2_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Command1_ =
        ui::createControl<QPushButton>(this, "Command1", kCommand1, QStringLiteral("Next >>"));
    ui::setTabOrder({rtbText_, Command4_, Command5_, lstStrings_, Text2_, Command6_,
                     cmdRemoveListiem_, Command1_});

    connect(Command4_, &QPushButton::clicked, this, &frmLoad::Command4_Click);
    connect(Command5_, &QPushButton::clicked, this, &frmLoad::Command5_Click);
    connect(Command6_, &QPushButton::clicked, this, &frmLoad::Command6_Click);
    connect(cmdRemoveListiem_, &QPushButton::clicked, this, &frmLoad::cmdRemoveListiem_Click);
    connect(Command1_, &QPushButton::clicked, this, &frmLoad::Command1_Click);

    sheetsolver::showDemoPuzzle(rtbText_, lstStrings_);
}

frmLoad::~frmLoad() = default;

QString frmLoad::sheetText() const {
    return sheetsolver::sheetText(rtbText_);
}

QStringList frmLoad::strings() const {
    return sheetsolver::listEntries(lstStrings_);
}

void frmLoad::Command4_Click() {
    sheetsolver::loadSheetFile(this, rtbText_);
}

void frmLoad::Command5_Click() {
    sheetsolver::saveSheetFile(this, rtbText_);
}

void frmLoad::Command6_Click() {
    sheetsolver::addFromBox(lstStrings_, Text2_);
}

void frmLoad::cmdRemoveListiem_Click() {
    sheetsolver::removeSelected(lstStrings_);
}

void frmLoad::Command1_Click() {
    // The main window's start-up lets events through; a second click must not build another.
    if (form1_ || buildingMain_) return;
    buildingMain_ = true;
    setEnabled(false);
    form1_ = std::make_unique<Form1>(*this);
    form1_->startUp();
    form1_->show();
    buildingMain_ = false;
    close();
}

void frmLoad::closeEvent(QCloseEvent* event) {
    // While the main window is being built, the program has no other window to go on with.
    if (buildingMain_) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

}  // namespace kallowit
