#pragma once

#include <QWidget>

#include "window/sheeteditor.h"

class QPushButton;

namespace brevoni {

// The first version's only window: the 20 x 15 cell table, the sheet text with its RTF files,
// the sorted list of strings, the delay and "Find!", which colours every occurrence of every
// string and shows the keyword. It starts with the demonstration puzzle loaded into the table.
class SheetWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SheetWindow(QWidget* parent = nullptr);
    ~SheetWindow() override;

    // Opens a sheet file given on the command line: loads it into the sheet text box, as "Load
    // from File" does with the file chosen in its dialog (silently nothing for a file that
    // cannot be loaded). The cells keep what they show until "Load into table".
    void loadSheetFile(const QString& path);

  private:
    // "Load into table": character i of the sheet text goes to cell i, as it is.
    void loadIntoTable();
    // "Save from table": the cells' texts, joined, become the sheet text.
    void saveFromTable();
    // "Reset": empties the sheet text, the keyword, every cell (turning it white) and the list.
    void reset();

    sheetsolver::SheetEditor editor_;
    QPushButton* loadIntoTableButton_ = nullptr;
    QPushButton* saveFromTableButton_ = nullptr;
    QPushButton* resetButton_ = nullptr;
};

}  // namespace brevoni
