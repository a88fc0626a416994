#include "solverwindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextCursor>
#include <QValidator>

#include "lettergridview.h"
#include "ui/dialogs.h"
#include "ui/geometry.h"
#include "ui/services.h"

using namespace tamsorel;

namespace {

// The designed layout, in twips relative to each control's container.
namespace layout {
constexpr int kClientWidth = 9720;
// Designed heights count the title bar and borders: 480 twips above the client area's
// 4185 at design time (4665 in all).
constexpr int kNonClientHeight = 480;
constexpr ui::TwipsRect fraDimensions{120, 120, 1935, 1575};
constexpr ui::TwipsRect lblHorizontaly{120, 360, 825, 195};
constexpr ui::TwipsRect txtHorizontal{1080, 360, 735, 285};
constexpr ui::TwipsRect lblVert{120, 720, 645, 195};
constexpr ui::TwipsRect txtVertical{1080, 720, 735, 285};
constexpr ui::TwipsRect cmdDimensions{120, 1080, 1695, 375};
constexpr ui::TwipsRect fraLog{2160, 120, 7455, 1575};
constexpr ui::TwipsRect lstLog{120, 240, 7215, 1185};
constexpr ui::TwipsRect fraSearch{120, 1800, 8295, 2295};
constexpr ui::TwipsRect chkDirection[kDirectionCount] = {
    {120, 240, 1935, 255}, {120, 480, 1935, 255},  {120, 720, 1935, 255},
    {120, 960, 1935, 255}, {120, 1200, 1935, 255}, {120, 1440, 1935, 255}};
constexpr ui::TwipsRect txtWords{2160, 240, 6015, 1455};
constexpr ui::TwipsRect cmdSearch{120, 1800, 8055, 375};
constexpr ui::TwipsRect fraSaveLoad{8520, 1800, 1095, 1335};
constexpr ui::TwipsRect cmdSave{120, 360, 855, 375};
constexpr ui::TwipsRect cmdLoad{120, 840, 855, 375};
constexpr ui::TwipsRect fraClear{8520, 3240, 1095, 855};
constexpr ui::TwipsRect cmdClear{120, 360, 855, 375};
constexpr ui::TwipsRect line1{120, 4200, 9480, 30};
// Cell 1 stands below the search frame: Left = its Left, Top = its Top + Height + 200.
constexpr int kGridLeft = 120;
static_assert(kFirstCellTop == 1800 + 2295 + 200);
}  // namespace layout

const char* const kDirectionNames[kDirectionCount] = {"chkHorFront", "chkHorBack",   "chkVertFront",
                                                      "chkVertBack", "chkDiagFront", "chkDiagBack"};
const char* const kDirectionCaptions[kDirectionCount] = {
    "Horizontal (Frontwards)", "Horizontal (Backwards)", "Vertical (Frontwards)",
    "Vertical (Backwards)",    "Diagonaly (Frontwards)", "Diagonaly (Backwards)"};

const QString kCrLf = QStringLiteral("\r\n");
constexpr qsizetype kMaxShownLogLength = 1000;
const QString kScriptPattern = QStringLiteral("*.tam");

// Accepts typing of at most five characters; text set by the program is not limited.
class MaxTypedLength : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return input.size() <= 5 ? Acceptable : Invalid;
    }
};

}  // namespace

SolverWindow::SolverWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), solver_(*this) {
    timeText = [] { return ui::timeOfDayText(); };
    setObjectName(QStringLiteral("frmTamsorel"));
    setWindowTitle(QStringLiteral("Tamsorel"));
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSizeF(8.25);
    setFont(f);
    buildControls();
    solver_.grid().onTextChanged = [this](int n) { onCellTextChanged(n); };
    solver_.grid().onColourChanged = [this](int n) { gridView_->cellChanged(n); };
    applyHeight();
}

SolverWindow::~SolverWindow() {
    solver_.grid().onTextChanged = nullptr;
    solver_.grid().onColourChanged = nullptr;
}

void SolverWindow::buildControls() {
    using ui::createControl;
    fraDimensions_ = createControl<QGroupBox>(this, "fraDimensions", layout::fraDimensions,
                                              QStringLiteral("Dimensions to use"));
    lblHorizontaly_ = createControl<QLabel>(fraDimensions_, "lblHorizontaly",
                                            layout::lblHorizontaly, QStringLiteral("Horizontaly:"));
    txtHorizontal_ = createControl<QLineEdit>(fraDimensions_, "txtHorizontal",
                                              layout::txtHorizontal, QStringLiteral("10"));
    lblVert_ = createControl<QLabel>(fraDimensions_, "lblVert", layout::lblVert,
                                     QStringLiteral("Verticaly:"));
    txtVertical_ = createControl<QLineEdit>(fraDimensions_, "txtVertical", layout::txtVertical,
                                            QStringLiteral("10"));
    for (QLabel* label : {lblHorizontaly_, lblVert_})
        ui::widenToFit(label, txtHorizontal_->x() - 2);
    for (QLineEdit* box : {txtHorizontal_, txtVertical_})
        box->setValidator(new MaxTypedLength(box));
    cmdDimensions_ = createControl<QPushButton>(
        fraDimensions_, "cmdDimensions", layout::cmdDimensions, QStringLiteral("Load Dimensions"));

    fraLog_ = createControl<QGroupBox>(this, "fraLog", layout::fraLog, QStringLiteral("Log"));
    lstLog_ = createControl<QListWidget>(fraLog_, "lstLog", layout::lstLog);
    QFont logFont(QStringLiteral("Comic Sans MS"));
    logFont.setPointSizeF(8.25);
    lstLog_->setFont(logFont);
    // Every log line is one line of text: the list need not measure each one anew.
    lstLog_->setUniformItemSizes(true);

    fraSearch_ =
        createControl<QGroupBox>(this, "fraSearch", layout::fraSearch, QStringLiteral("Search"));
    for (int i = 0; i < kDirectionCount; ++i) {
        chkDirection_[i] =
            createControl<QCheckBox>(fraSearch_, kDirectionNames[i], layout::chkDirection[i],
                                     QString::fromLatin1(kDirectionCaptions[i]));
        chkDirection_[i]->setChecked(true);
    }
    txtWords_ = createControl<QPlainTextEdit>(fraSearch_, "txtWords", layout::txtWords);
    for (QCheckBox* box : chkDirection_)
        ui::widenToFit(box, txtWords_->x());
    txtWords_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtWords_->setTabChangesFocus(true);
    // Lines are words: breaking them anywhere keeps a very long line quick to lay out
    // (breaking at word boundaries takes minutes for a line of a megabyte).
    txtWords_->setWordWrapMode(QTextOption::WrapAnywhere);
    cmdSearch_ = createControl<QPushButton>(fraSearch_, "cmdSearch", layout::cmdSearch,
                                            QStringLiteral("Search"));

    fraSaveLoad_ = createControl<QGroupBox>(this, "fraSaveLoad", layout::fraSaveLoad,
                                            QStringLiteral("Save/Load"));
    cmdSave_ = createControl<QPushButton>(fraSaveLoad_, "cmdSave", layout::cmdSave,
                                          QStringLiteral("Save"));
    cmdLoad_ = createControl<QPushButton>(fraSaveLoad_, "cmdLoad", layout::cmdLoad,
                                          QStringLiteral("Load"));
    fraClear_ =
        createControl<QGroupBox>(this, "fraClear", layout::fraClear, QStringLiteral("Reset"));
    cmdClear_ = createControl<QPushButton>(fraClear_, "cmdClear", layout::cmdClear,
                                           QStringLiteral("Reset"));

    line1_ = createControl<QFrame>(this, "Line1", layout::line1);
    line1_->setFrameShape(QFrame::HLine);
    line1_->setFrameShadow(QFrame::Sunken);

    gridArea_ = new QScrollArea(this);
    gridArea_->setObjectName(QStringLiteral("gridArea"));
    gridArea_->setFrameShape(QFrame::NoFrame);
    gridArea_->setWidgetResizable(false);
    gridView_ = new LetterGridView(solver_.grid());
    gridView_->setObjectName(QStringLiteral("txtText"));
    gridArea_->setWidget(gridView_);
    gridArea_->setFocusPolicy(Qt::NoFocus);

    connect(gridView_, &LetterGridView::cellEdited, this, [this](int n, const QString& text) {
        const QString before = solver_.grid().cellText(n);
        setCellText(n, text);
        // Typing the letter a cell already holds changes nothing, yet moves on all the same.
        if (solver_.grid().cellText(n) == before) passFocusOn(n);
    });
    connect(gridView_, &LetterGridView::currentCellMoved, this, [this](const QRect& r) {
        gridArea_->ensureVisible(r.center().x(), r.center().y(), r.width(), r.height());
    });

    connect(cmdDimensions_, &QPushButton::clicked, this, [this] {
        runFlow([this] {
            solver_.resetSolver();
            solver_.loadDimensions();
        });
    });
    connect(cmdClear_, &QPushButton::clicked, this,
            [this] { runFlow([this] { solver_.resetSolver(); }); });
    connect(cmdSearch_, &QPushButton::clicked, this,
            [this] { runFlow([this] { solver_.searchWords(); }); });
    connect(cmdSave_, &QPushButton::clicked, this, [this] { runFlow([this] { saveFlow(); }); });
    connect(cmdLoad_, &QPushButton::clicked, this, [this] { runFlow([this] { loadFlow(); }); });

    ui::setTabOrder({gridView_, txtHorizontal_, txtVertical_, cmdDimensions_, lstLog_,
                     chkDirection_[0], chkDirection_[1], chkDirection_[2], chkDirection_[3],
                     chkDirection_[4], chkDirection_[5], txtWords_, cmdSearch_, cmdSave_, cmdLoad_,
                     cmdClear_});
}

void SolverWindow::runFlow(const std::function<void()>& flow) {
    if (busy_) return;
    busy_ = true;
    enableControls(false);
    flow();
    enableControls(true);
    busy_ = false;
    if (closePending_) close();
}

void SolverWindow::enableControls(bool enabled) {
    cmdDimensions_->setEnabled(enabled);
    cmdSearch_->setEnabled(enabled);
    cmdClear_->setEnabled(enabled);
    cmdSave_->setEnabled(enabled);
    cmdLoad_->setEnabled(enabled);
    fraSearch_->setEnabled(enabled);
}

void SolverWindow::closeEvent(QCloseEvent* event) {
    // A flow that is processing events must finish first; the window closes right after it.
    if (busy_) {
        closePending_ = true;
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void SolverWindow::saveFlow() {
    ui::FileRequest request;
    request.fileName = kScriptPattern;
    request.filter = kScriptPattern;
    QString name = ui::dialogs().saveFile(this, request).value_or(kScriptPattern);
    if (name.isEmpty() || name == kScriptPattern) {
        addLog(msg::kInvalidFilename);
        return;
    }
    if (name.right(4).toLower() != u".tam") name += QStringLiteral(".tam");
    if (Solver::fileStatus(name) != -1) {
        const ui::Answer answer = ui::dialogs().question(
            this, QStringLiteral("Overwrite existing file?"), QStringLiteral("Overwrite"));
        if (answer != ui::Answer::Yes) return;
    }
    solver_.saveScript(name);
}

void SolverWindow::loadFlow() {
    ui::FileRequest request;
    request.fileName = kScriptPattern;
    request.filter = kScriptPattern;
    const QString name = ui::dialogs().openFile(this, request).value_or(kScriptPattern);
    if (name.isEmpty() || name == kScriptPattern || Solver::fileStatus(name) != 1) {
        addLog(msg::kInvalidFilename);
        return;
    }
    solver_.loadScript(name);
}

void SolverWindow::setCellText(int n, const QString& text) {
    solver_.grid().setCellText(n, text);
}

void SolverWindow::onCellTextChanged(int n) {
    gridView_->cellChanged(n);
    passFocusOn(n);
}

void SolverWindow::passFocusOn(int n) {
    if (solver_.grid().cellText(n).size() == 1 && n < solver_.grid().cellCount()) {
        gridView_->setCurrentCell(n + 1);
        gridView_->setFocus(Qt::OtherFocusReason);
    }
}

void SolverWindow::addLog(const QString& message) {
    const QString line = QStringLiteral("[") + timeText() + QStringLiteral("] ") + message;
    // A line of a megabyte (a huge word) cannot be read in a list anyway and takes seconds to
    // draw: the list shows its start, and keeps the whole line as the item's data.
    auto* item = new QListWidgetItem(
        line.size() > kMaxShownLogLength ? line.left(kMaxShownLogLength) + QChar(0x2026) : line);
    item->setData(Qt::UserRole, line);
    lstLog_->addItem(item);
    lstLog_->setCurrentItem(item);
    lstLog_->scrollToItem(item);
    lstLog_->setCurrentRow(-1);
    lstLog_->clearSelection();
    ui::pumpEvents();
}

void SolverWindow::clearLog() {
    lstLog_->clear();
}

QString SolverWindow::dimensionText(Axis axis) const {
    return (axis == Axis::Horizontal ? txtHorizontal_ : txtVertical_)->text();
}

void SolverWindow::setDimensionText(Axis axis, const QString& text) {
    (axis == Axis::Horizontal ? txtHorizontal_ : txtVertical_)->setText(text);
}

bool SolverWindow::isTicked(Direction d) const {
    return chkDirection_[int(d)]->isChecked();
}

void SolverWindow::tick(Direction d) {
    chkDirection_[int(d)]->setChecked(true);
}

QString SolverWindow::wordsText() const {
    return txtWords_->toPlainText().replace(u'\n', kCrLf);
}

void SolverWindow::clearWords() {
    txtWords_->clear();
}

void SolverWindow::appendWords(const QString& text) {
    QTextCursor cursor(txtWords_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QString(text).replace(kCrLf, QStringLiteral("\n")));
}

void SolverWindow::gridChanged() {
    gridView_->gridReset();
    designHeight_ = designedWindowHeight(solver_.grid().gridRows());
    applyHeight();
}

void SolverWindow::applyHeight() {
    const int width = ui::twipsToPixels(layout::kClientWidth);
    const int left = ui::twipsToPixels(layout::kGridLeft);
    int clientHeight = ui::twipsToPixels(designHeight_ - layout::kNonClientHeight);
    // A grid wider than the window gets a horizontal scroll bar: the window grows by its
    // height, so that the bar covers no row.
    if (solver_.grid().exists() && gridView_->width() > width - left)
        clientHeight += gridArea_->horizontalScrollBar()->sizeHint().height();
    // Never taller than the screen: the grid area scrolls instead.
    if (QScreen* s = screen()) {
        const int frame = isVisible() ? frameGeometry().height() - geometry().height()
                                      : ui::twipsToPixels(layout::kNonClientHeight);
        clientHeight = std::min(clientHeight, s->availableGeometry().height() - frame);
    }
    setFixedSize(width, clientHeight);
    const int top = ui::twipsToPixels(kFirstCellTop);
    gridArea_->setGeometry(left, top, width - left, std::max(0, clientHeight - top));
    gridArea_->setVisible(solver_.grid().exists());
}
