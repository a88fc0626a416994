#pragma once

#include <QWidget>

#include "window/celltable.h"
#include "window/resultlabel.h"
#include "window/sheeteditor.h"

class QLabel;
class QPushButton;
class QSlider;

namespace kallowit {

class frmLoad;

// The second version's main window: the cell table, built at start from the load window's
// sheet text (upper-cased), the delay and "Find!", which colours the first occurrence of each
// string of the load window's list and shows the keyword with the time the run took. Closing
// it ends the program.
class Form1 : public QWidget {
    Q_OBJECT
  public:
    // Only cell 0 exists until startUp().
    explicit Form1(const frmLoad& load, QWidget* parent = nullptr);
    ~Form1() override;

    // Creates cells 1..299, letting the window process its events after each, and fills all
    // cells from the load window's sheet text, upper-cased. Runs once, before the first show.
    void startUp();

    sheetsolver::CellTable& cells() { return cells_; }
    sheetsolver::FindRunner& runner() { return runner_; }
    bool isSearching() const { return runner_.isRunning(); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void cmdFind_Click();
    void setEditingEnabled(bool enabled);

    const frmLoad& load_;
    sheetsolver::CellTable cells_;
    QLabel* Label3_ = nullptr;
    QSlider* sldDelay_ = nullptr;
    QLabel* Label2_ = nullptr;
    QLabel* Label1_ = nullptr;
    sheetsolver::ResultLabel* lblword_ = nullptr;
    QPushButton* cmdFind_ = nullptr;
    sheetsolver::FindRunner runner_;
    bool started_ = false;
};

}  // namespace kallowit
