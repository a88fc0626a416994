#pragma once

#include <functional>

#include <QWidget>

#include "engine/solver.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class LetterGridView;

// The solver's one window: dimension boxes, log, search frame, save/load and reset, and the
// letter cells below them. It holds the state the solver keeps in controls and runs every
// button flow with the command buttons disabled.
class SolverWindow : public QWidget, private tamsorel::SolverControls {
    Q_OBJECT
  public:
    explicit SolverWindow(QWidget* parent = nullptr);
    ~SolverWindow() override;

    tamsorel::Solver& solver() { return solver_; }
    LetterGridView* cells() const { return gridView_; }

    // The designed window height in twips (title bar included) after the last change.
    int designHeightTwips() const { return designHeight_; }

    // Enables or disables the command buttons and the search frame.
    void enableControls(bool enabled);

    // Where log time stamps come from; tests fix it.
    std::function<QString()> timeText;

    // Sets the text of cell n as typing or a script does, with the focus rule.
    void setCellText(int n, const QString& text);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // SolverControls
    void addLog(const QString& message) override;
    void clearLog() override;
    QString dimensionText(tamsorel::Axis axis) const override;
    void setDimensionText(tamsorel::Axis axis, const QString& text) override;
    bool isTicked(tamsorel::Direction d) const override;
    void tick(tamsorel::Direction d) override;
    QString wordsText() const override;
    void clearWords() override;
    void appendWords(const QString& text) override;
    void gridChanged() override;

    void buildControls();
    // Runs one button flow between enableControls(false) and enableControls(true).
    void runFlow(const std::function<void()>& flow);
    void saveFlow();
    void loadFlow();
    void onCellTextChanged(int n);
    // Moves the focus on to cell n + 1 when cell n holds its one character and is not the last.
    void passFocusOn(int n);
    void applyHeight();

    tamsorel::Solver solver_;
    int designHeight_ = tamsorel::kHeightWithoutGrid;
    bool busy_ = false;
    bool closePending_ = false;

    QGroupBox* fraDimensions_ = nullptr;
    QLabel* lblHorizontaly_ = nullptr;
    QLineEdit* txtHorizontal_ = nullptr;
    QLabel* lblVert_ = nullptr;
    QLineEdit* txtVertical_ = nullptr;
    QPushButton* cmdDimensions_ = nullptr;
    QGroupBox* fraLog_ = nullptr;
    QListWidget* lstLog_ = nullptr;
    QGroupBox* fraSearch_ = nullptr;
    QCheckBox* chkDirection_[tamsorel::kDirectionCount] = {};
    QPlainTextEdit* txtWords_ = nullptr;
    QPushButton* cmdSearch_ = nullptr;
    QGroupBox* fraSaveLoad_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    QPushButton* cmdLoad_ = nullptr;
    QGroupBox* fraClear_ = nullptr;
    QPushButton* cmdClear_ = nullptr;
    QFrame* line1_ = nullptr;
    QScrollArea* gridArea_ = nullptr;
    LetterGridView* gridView_ = nullptr;
};
