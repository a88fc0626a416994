#pragma once

#include <functional>

#include <QWidget>

#include "window/sheeteditor.h"

namespace kallowit {

class LoadWindow;

// The second version's sheet window: the cell table, built at start from the load window's
// sheet text (upper-cased), the delay and "Find!", which colours the first occurrence of each
// string of the load window's list and shows the keyword with the time the run took. Closing
// it ends the program.
class SheetWindow : public QWidget {
    Q_OBJECT
  public:
    // Only cell 0 exists until startUp(). clock times the runs.
    SheetWindow(const LoadWindow& load, std::function<double()> clock, QWidget* parent = nullptr);
    ~SheetWindow() override;

    // Creates cells 1..299, letting the window process its events after each, and fills all
    // cells from the load window's sheet text, upper-cased. Runs once, before the first show.
    void startUp();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    const LoadWindow& load_;
    sheetsolver::SheetEditor editor_;
    sheetsolver::TableControls table_{};
    bool started_ = false;
};

}  // namespace kallowit
