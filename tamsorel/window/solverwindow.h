#pragma once

#include <functional>
#include <utility>

#include <QElapsedTimer>
#include <QWidget>

#include "core/eventpump.h"
#include "engine/solver.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;

namespace tamsorel {

class LetterGridView;

// The log messages the window adds itself.
namespace msg {
inline const QString kInvalidFilename = QStringLiteral("Invalid filename.");
}  // namespace msg

// The designed window height in twips, title bar and borders included: 4665 without a grid,
// else as high as the grid's rows need.
int designedWindowHeight(int gridRows);

// The solver's one window: dimension boxes, log, search frame, save/load and reset, and the
// letter cells below them. Its buttons run the solver's operations with the command buttons
// disabled; it hands the solver what the user typed before each one and shows what the solver
// changed after every log line and at the end.
class SolverWindow : public QWidget, private core::EventPump {
    Q_OBJECT
  public:
    explicit SolverWindow(QWidget* parent = nullptr);
    ~SolverWindow() override;

    // The grid the window shows.
    const LetterGrid& grid() const { return solver_.grid(); }

    // The designed window height in twips (title bar included) after the last change.
    int designHeightTwips() const { return designHeight_; }

    // Where log time stamps come from; the time of day unless set.
    void setTimeText(std::function<QString()> timeText) { timeText_ = std::move(timeText); }

    // Sets the text of cell n as typing or a script does, with the focus rule.
    void setCellText(int n, const QString& text);

    // Loads the script at path as "Load" does with that file chosen in its dialog: the same
    // checks, log lines and end state. A relative path counts from the current folder and is
    // logged whole, as the dialog would give it.
    void openScript(const QString& path);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // Shows what the solver produced so far (at most once per display frame), lets the window
    // handle its events, then hands the solver what the user typed meanwhile. Always lets the
    // operation go on: a close waits for its end.
    bool pumpEvents() override;
    // The time between two frames of the window's screen, in milliseconds.
    int frameMilliseconds() const;

    void buildControls();
    // Runs one button flow between enableControls(false) and enableControls(true).
    void runFlow(const std::function<void()>& flow);
    // Enables or disables the command buttons and the search frame.
    void enableControls(bool enabled);
    void saveFlow();
    void loadFlow();
    // The load flow from the file name on: refuses a missing or empty file, else loads it.
    void loadFile(const QString& name);

    // Hands the solver the dimension boxes, or every control the user can change.
    void handOverDimensions();
    void handOverControls();
    // Shows what the solver changed: new log lines, the boxes, the cells.
    void showSolverState();
    void showGridChanges();
    // Appends one time-stamped line to the log list.
    void showLogLine(const QString& message);
    // Shows the log's last line, with no line current or selected.
    void scrollLogToEnd();
    // Tells a screen reader how many of the words a search found, and how many cells.
    void announceFinds(const std::vector<WordCount>& counts);
    // Moves the focus on to cell n + 1.
    void passFocusOn(int n);
    void applyHeight();

    Solver solver_;
    std::function<QString()> timeText_;
    int designHeight_;
    bool busy_ = false;
    // When the running operation's state was last shown; invalid before its first pump.
    QElapsedTimer shownAt_;
    bool closePending_ = false;
    // The log lines of the solver that the list shows, and the clear they came after.
    qsizetype shownLogLines_ = 0;
    quint64 shownLogClears_ = 0;

    QLineEdit* horizontalBox_ = nullptr;
    QLineEdit* verticalBox_ = nullptr;
    QPushButton* loadDimensionsButton_ = nullptr;
    QListWidget* logList_ = nullptr;
    QGroupBox* searchFrame_ = nullptr;
    QCheckBox* directionBoxes_[kDirectionCount] = {};
    QPlainTextEdit* wordsBox_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* loadButton_ = nullptr;
    QPushButton* resetButton_ = nullptr;
    QScrollArea* gridArea_ = nullptr;
    LetterGridView* gridView_ = nullptr;
};

}  // namespace tamsorel
