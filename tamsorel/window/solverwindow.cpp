#include "solverwindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QValidator>

#include <algorithm>
#include <type_traits>

#include "lettergridview.h"
#include "ui/accessiblegrid.h"
#include "ui/dialogs.h"
#include "ui/geometry.h"
#include "ui/services.h"

namespace tamsorel {

namespace {

// The designed layout of the window, in twips.
namespace layout {
constexpr int kClientWidth = 9720;
// Designed heights count the title bar and borders: 480 twips above the client area's
// 4185 at design time (4665 in all).
constexpr int kNonClientHeight = 480;
constexpr int kHeightWithoutGrid = 4665;

constexpr ui::DesignedControl fraDimensions{
    "fraDimensions", {120, 120, 1935, 1575}, "Dimensions to use"};
constexpr ui::DesignedControl lblHorizontaly{
    "lblHorizontaly", {120, 360, 825, 195}, "Horizontaly:"};
constexpr ui::DesignedControl txtHorizontal{"txtHorizontal", {1080, 360, 735, 285}, "10"};
constexpr ui::DesignedControl lblVert{"lblVert", {120, 720, 645, 195}, "Verticaly:"};
constexpr ui::DesignedControl txtVertical{"txtVertical", {1080, 720, 735, 285}, "10"};
constexpr ui::DesignedControl cmdDimensions{
    "cmdDimensions", {120, 1080, 1695, 375}, "Load Dimensions"};
constexpr ui::DesignedControl fraLog{"fraLog", {2160, 120, 7455, 1575}, "Log"};
constexpr ui::DesignedControl lstLog{"lstLog", {120, 240, 7215, 1185}};
constexpr ui::DesignedControl fraSearch{"fraSearch", {120, 1800, 8295, 2295}, "Search"};
// In the order of Direction.
constexpr ui::DesignedControl chkDirection[kDirectionCount] = {
    {"chkHorFront", {120, 240, 1935, 255}, "Horizontal (Frontwards)"},
    {"chkHorBack", {120, 480, 1935, 255}, "Horizontal (Backwards)"},
    {"chkVertFront", {120, 720, 1935, 255}, "Vertical (Frontwards)"},
    {"chkVertBack", {120, 960, 1935, 255}, "Vertical (Backwards)"},
    {"chkDiagFront", {120, 1200, 1935, 255}, "Diagonaly (Frontwards)"},
    {"chkDiagBack", {120, 1440, 1935, 255}, "Diagonaly (Backwards)"}};
constexpr ui::DesignedControl txtWords{"txtWords", {2160, 240, 6015, 1455}};
constexpr ui::DesignedControl cmdSearch{"cmdSearch", {120, 1800, 8055, 375}, "Search"};
constexpr ui::DesignedControl fraSaveLoad{"fraSaveLoad", {8520, 1800, 1095, 1335}, "Save/Load"};
constexpr ui::DesignedControl cmdSave{"cmdSave", {120, 360, 855, 375}, "Save"};
constexpr ui::DesignedControl cmdLoad{"cmdLoad", {120, 840, 855, 375}, "Load"};
constexpr ui::DesignedControl fraClear{"fraClear", {8520, 3240, 1095, 855}, "Reset"};
constexpr ui::DesignedControl cmdClear{"cmdClear", {120, 360, 855, 375}, "Reset"};
constexpr ui::DesignedControl line1{"Line1", {120, 4200, 9480, 30}};

// The letter cells (the view "txtText"): cell 1 stands below the search frame, and the window
// ends 600 twips below the last row.
constexpr int kGridLeft = fraSearch.rect.left;
constexpr int kFirstCellTop = fraSearch.rect.top + fraSearch.rect.height + 200;
static_assert(kFirstCellTop == 4295);
constexpr int kCellWidth = 255;
constexpr int kCellHeight = 210;
constexpr int kMarginBelowGrid = 600;
}  // namespace layout

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

int designedWindowHeight(int gridRows) {
    if (gridRows <= 0) return layout::kHeightWithoutGrid;
    return layout::kFirstCellTop + gridRows * layout::kCellHeight + layout::kMarginBelowGrid;
}

SolverWindow::SolverWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      solver_(*this),
      timeText_([] { return ui::timeOfDayText(); }),
      designHeight_(designedWindowHeight(0)) {
    setObjectName(QStringLiteral("frmTamsorel"));
    setWindowTitle(QStringLiteral("Tamsorel"));
    setFont(ui::designFont(8.25));
    buildControls();
    applyHeight();
}

void SolverWindow::buildControls() {
    auto* dimensionsFrame = ui::createControl<QGroupBox>(this, layout::fraDimensions);
    auto* horizontalLabel = ui::createControl<QLabel>(dimensionsFrame, layout::lblHorizontaly);
    horizontalBox_ = ui::createControl<QLineEdit>(dimensionsFrame, layout::txtHorizontal);
    auto* verticalLabel = ui::createControl<QLabel>(dimensionsFrame, layout::lblVert);
    verticalBox_ = ui::createControl<QLineEdit>(dimensionsFrame, layout::txtVertical);
    for (QLabel* label : {horizontalLabel, verticalLabel})
        ui::widenToFit(label, horizontalBox_->x() - 2);
    for (QLineEdit* box : {horizontalBox_, verticalBox_})
        box->setValidator(new MaxTypedLength(box));
    // Each box is named by its label for a screen reader.
    horizontalLabel->setBuddy(horizontalBox_);
    verticalLabel->setBuddy(verticalBox_);
    loadDimensionsButton_ = ui::createControl<QPushButton>(dimensionsFrame, layout::cmdDimensions);

    auto* logFrame = ui::createControl<QGroupBox>(this, layout::fraLog);
    logList_ = ui::createControl<QListWidget>(logFrame, layout::lstLog);
    QFont logFont(QStringLiteral("Comic Sans MS"));
    logFont.setPointSizeF(8.25);
    logList_->setFont(logFont);
    // Every log line is one line of text: the list need not measure each one anew.
    logList_->setUniformItemSizes(true);
    logList_->setAccessibleName(QStringLiteral("Log"));

    searchFrame_ = ui::createControl<QGroupBox>(this, layout::fraSearch);
    for (int i = 0; i < kDirectionCount; ++i) {
        directionBoxes_[i] = ui::createControl<QCheckBox>(searchFrame_, layout::chkDirection[i]);
        directionBoxes_[i]->setChecked(true);
    }
    wordsBox_ = ui::createControl<QPlainTextEdit>(searchFrame_, layout::txtWords);
    for (QCheckBox* box : directionBoxes_)
        ui::widenToFit(box, wordsBox_->x());
    wordsBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    wordsBox_->setTabChangesFocus(true);
    wordsBox_->setAccessibleName(QStringLiteral("Words to find"));
    // Lines are words: breaking them anywhere keeps a very long line quick to lay out
    // (breaking at word boundaries takes minutes for a line of a megabyte).
    wordsBox_->setWordWrapMode(QTextOption::WrapAnywhere);
    searchButton_ = ui::createControl<QPushButton>(searchFrame_, layout::cmdSearch);

    auto* saveLoadFrame = ui::createControl<QGroupBox>(this, layout::fraSaveLoad);
    saveButton_ = ui::createControl<QPushButton>(saveLoadFrame, layout::cmdSave);
    loadButton_ = ui::createControl<QPushButton>(saveLoadFrame, layout::cmdLoad);
    auto* resetFrame = ui::createControl<QGroupBox>(this, layout::fraClear);
    resetButton_ = ui::createControl<QPushButton>(resetFrame, layout::cmdClear);

    auto* separator = ui::createControl<QFrame>(this, layout::line1);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);

    gridArea_ = new QScrollArea(this);
    gridArea_->setObjectName(QStringLiteral("gridArea"));
    gridArea_->setFrameShape(QFrame::NoFrame);
    gridArea_->setWidgetResizable(false);
    gridView_ = new LetterGridView(solver_.grid(), QSize(ui::twipsToPixels(layout::kCellWidth),
                                                         ui::twipsToPixels(layout::kCellHeight)));
    gridView_->setObjectName(QStringLiteral("txtText"));
    gridArea_->setWidget(gridView_);
    gridArea_->setFocusPolicy(Qt::NoFocus);

    connect(gridView_, &LetterGridView::cellEdited, this, [this](int n, const QString& text) {
        const QString before = grid().cellText(n);
        setCellText(n, text);
        // Typing the letter a cell already holds changes nothing, yet moves on all the same.
        if (before.size() == 1 && grid().cellText(n) == before) passFocusOn(n);
    });
    connect(gridView_, &LetterGridView::currentCellMoved, this, [this](const QRect& r) {
        gridArea_->ensureVisible(r.center().x(), r.center().y(), r.width(), r.height());
    });

    connect(loadDimensionsButton_, &QPushButton::clicked, this, [this] {
        runFlow([this] {
            solver_.resetSolver();
            solver_.loadDimensions();
        });
    });
    connect(resetButton_, &QPushButton::clicked, this,
            [this] { runFlow([this] { solver_.resetSolver(); }); });
    connect(searchButton_, &QPushButton::clicked, this,
            [this] { runFlow([this] { announceFinds(solver_.searchWords()); }); });
    connect(saveButton_, &QPushButton::clicked, this, [this] { runFlow([this] { saveFlow(); }); });
    connect(loadButton_, &QPushButton::clicked, this, [this] { runFlow([this] { loadFlow(); }); });

    ui::setTabOrder({gridView_, horizontalBox_, verticalBox_, loadDimensionsButton_, logList_,
                     directionBoxes_[0], directionBoxes_[1], directionBoxes_[2], directionBoxes_[3],
                     directionBoxes_[4], directionBoxes_[5], wordsBox_, searchButton_, saveButton_,
                     loadButton_, resetButton_});
}

SolverWindow::~SolverWindow() {
    // The cells show the solver's grid: they go before the window's members.
    delete gridArea_;
}

void SolverWindow::announceFinds(const std::vector<WordCount>& counts) {
    if (!grid().exists()) return;
    const auto found = std::count_if(counts.begin(), counts.end(),
                                     [](const WordCount& c) { return c.occurrences > 0; });
    int cells = 0;
    for (int n = 1; n <= grid().cellCount(); ++n)
        cells += grid().isFound(n);
    ui::announce(gridView_, QStringLiteral("%1 of %2 words found, %3 cells marked.")
                                .arg(found)
                                .arg(counts.size())
                                .arg(cells));
}

void SolverWindow::runFlow(const std::function<void()>& flow) {
    if (busy_) return;
    busy_ = true;
    shownAt_.invalidate();
    enableControls(false);
    handOverControls();
    flow();
    showSolverState();
    enableControls(true);
    busy_ = false;
    if (closePending_) close();
}

void SolverWindow::enableControls(bool enabled) {
    loadDimensionsButton_->setEnabled(enabled);
    searchButton_->setEnabled(enabled);
    resetButton_->setEnabled(enabled);
    saveButton_->setEnabled(enabled);
    loadButton_->setEnabled(enabled);
    searchFrame_->setEnabled(enabled);
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
        solver_.addLog(msg::kInvalidFilename);
        return;
    }
    if (name.right(4).toLower() != u".tam") name += QStringLiteral(".tam");
    if (fileStatus(name) != -1) {
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
    loadFile(ui::dialogs().openFile(this, request).value_or(kScriptPattern));
}

void SolverWindow::loadFile(const QString& name) {
    if (name.isEmpty() || name == kScriptPattern || fileStatus(name) != 1) {
        solver_.addLog(msg::kInvalidFilename);
        return;
    }
    solver_.loadScript(name);
}

void SolverWindow::openScript(const QString& path) {
    const QString name = path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
    runFlow([this, name] { loadFile(name); });
}

void SolverWindow::setCellText(int n, const QString& text) {
    solver_.grid().setCellText(n, text);
    showGridChanges();
}

void SolverWindow::passFocusOn(int n) {
    if (n < grid().cellCount()) {
        gridView_->setCurrentCell(n + 1);
        gridView_->setFocus(Qt::OtherFocusReason);
    }
}

bool SolverWindow::pumpEvents() {
    // Painting is what costs, and no one sees more than a frame: the log and the cells show
    // what the operation produced at most once per display frame, and at its end. A new or
    // removed grid, which resizes the window, shows at once. Events are handled at every pump
    // all the same.
    if (!shownAt_.isValid() || shownAt_.elapsed() >= frameMilliseconds() ||
        grid().reshapedSinceTaken()) {
        showSolverState();
        shownAt_.start();
    }
    // The dimension boxes stay usable while an operation runs; the search frame does not.
    // What the user typed into them meanwhile goes to the solver. A box that was not touched
    // may not show the solver's latest text yet, and is not handed over.
    const QString horizontal = horizontalBox_->text();
    const QString vertical = verticalBox_->text();
    ui::pumpEvents();
    if (horizontalBox_->text() != horizontal)
        solver_.setDimensionText(Axis::Horizontal, horizontalBox_->text());
    if (verticalBox_->text() != vertical)
        solver_.setDimensionText(Axis::Vertical, verticalBox_->text());
    return true;
}

int SolverWindow::frameMilliseconds() const {
    constexpr double kUsualRefreshRate = 60;
    const QScreen* s = screen();
    const double rate = s && s->refreshRate() > 0 ? s->refreshRate() : kUsualRefreshRate;
    return int(1000 / rate);
}

void SolverWindow::handOverDimensions() {
    solver_.setDimensionText(Axis::Horizontal, horizontalBox_->text());
    solver_.setDimensionText(Axis::Vertical, verticalBox_->text());
}

void SolverWindow::handOverControls() {
    handOverDimensions();
    for (Direction d : kAllDirections)
        solver_.setTicked(d, directionBoxes_[int(d)]->isChecked());
    solver_.setWordsText(wordsBox_->toPlainText().replace(u'\n', kCrLf));
}

void SolverWindow::showSolverState() {
    const Log& log = solver_.log();
    if (log.clearCount() != shownLogClears_) {
        logList_->clear();
        shownLogClears_ = log.clearCount();
        shownLogLines_ = 0;
    }
    if (shownLogLines_ < log.lines().size()) {
        for (; shownLogLines_ < log.lines().size(); ++shownLogLines_)
            showLogLine(log.lines()[shownLogLines_]);
        scrollLogToEnd();
    }

    const StateChanges changes = solver_.takeStateChanges();
    if (changes.dimensions) {
        horizontalBox_->setText(solver_.dimensionText(Axis::Horizontal));
        verticalBox_->setText(solver_.dimensionText(Axis::Vertical));
    }
    if (changes.ticks)
        for (Direction d : kAllDirections)
            directionBoxes_[int(d)]->setChecked(solver_.isTicked(d));
    if (changes.words)
        wordsBox_->setPlainText(QString(solver_.wordsText()).replace(kCrLf, QStringLiteral("\n")));

    showGridChanges();
}

void SolverWindow::showGridChanges() {
    const GridChanges changes = solver_.grid().takeChanges();
    if (changes.reshaped) {
        gridView_->gridReset();
        designHeight_ = designedWindowHeight(grid().gridRows());
        applyHeight();
    }
    gridView_->cellsChanged(changes.cells);
    // Each filled cell passes the focus on to the next; only the last such pass shows, so a
    // loaded script of thousands of letters moves it once.
    for (auto change = changes.texts.rbegin(); change != changes.texts.rend(); ++change) {
        if (change->filled && change->cell < grid().cellCount()) {
            passFocusOn(change->cell);
            break;
        }
    }
}

void SolverWindow::showLogLine(const QString& message) {
    const QString line = QStringLiteral("[") + timeText_() + QStringLiteral("] ") + message;
    // A line of a megabyte (a huge word) cannot be read in a list anyway and takes seconds to
    // draw: the list shows its start, and keeps the whole line as the item's data.
    auto* item = new QListWidgetItem(
        line.size() > kMaxShownLogLength ? line.left(kMaxShownLogLength) + QChar(0x2026) : line);
    item->setData(Qt::UserRole, line);
    logList_->addItem(item);
}

void SolverWindow::scrollLogToEnd() {
    // Selecting the last line and clearing the selection again, as each new line once did,
    // ends in this state; selecting lays out the whole list, which costs more the longer the
    // log grows.
    logList_->scrollToItem(logList_->item(logList_->count() - 1));
    if (logList_->currentRow() != -1) logList_->setCurrentRow(-1);
    if (logList_->selectionModel()->hasSelection()) logList_->clearSelection();
}

void SolverWindow::applyHeight() {
    const int width = ui::twipsToPixels(layout::kClientWidth);
    const int left = ui::twipsToPixels(layout::kGridLeft);
    int clientHeight = ui::twipsToPixels(designHeight_ - layout::kNonClientHeight);
    // A grid wider than the window gets a horizontal scroll bar: the window grows by its
    // height, so that the bar covers no row.
    if (grid().exists() && gridView_->width() > width - left)
        clientHeight += gridArea_->horizontalScrollBar()->sizeHint().height();
    // Never taller than the screen: the grid area scrolls instead.
    if (QScreen* s = screen()) {
        const int frame = isVisible() ? frameGeometry().height() - geometry().height()
                                      : ui::twipsToPixels(layout::kNonClientHeight);
        clientHeight = std::min(clientHeight, s->availableGeometry().height() - frame);
    }
    setFixedSize(width, clientHeight);
    const int top = ui::twipsToPixels(layout::kFirstCellTop);
    gridArea_->setGeometry(left, top, width - left, std::max(0, clientHeight - top));
    gridArea_->setVisible(grid().exists());
}

}  // namespace tamsorel
