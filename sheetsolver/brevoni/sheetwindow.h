#pragma once

#include <QWidget>

#include "window/celltable.h"
#include "window/resultlabel.h"
#include "window/sheeteditor.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QTextEdit;

namespace brevoni {

// The first version's only window: the 20 x 15 cell table, the sheet text with its RTF files,
// the sorted list of strings, the delay and "Find!", which colours every occurrence of every
// string and shows the keyword. It starts with the demonstration puzzle loaded into the table.
class Form1 : public QWidget {
    Q_OBJECT
  public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    sheetsolver::CellTable& cells() { return cells_; }
    bool isSearching() const { return runner_.isRunning(); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Command2_Click();  // "Load into table"
    void Command3_Click();  // "Save from table"
    void Command4_Click();  // "Load from File"
    void Command5_Click();  // "Save to File"
    void Command6_Click();  // "Add"
    void cmdRemoveListiem_Click();
    void Command7_Click();  // "Reset"
    void cmdFind_Click();
    void setEditingEnabled(bool enabled);

    sheetsolver::CellTable cells_;
    QTextEdit* rtbText_ = nullptr;
    QPushButton* Command2_ = nullptr;
    QPushButton* Command3_ = nullptr;
    QPushButton* Command4_ = nullptr;
    QPushButton* Command5_ = nullptr;
    QLabel* Label2_ = nullptr;
    QListWidget* lstStrings_ = nullptr;
    QLineEdit* Text2_ = nullptr;
    QPushButton* Command6_ = nullptr;
    QPushButton* cmdRemoveListiem_ = nullptr;
    QPushButton* Command7_ = nullptr;
    QLabel* Label1_ = nullptr;
    sheetsolver::ResultLabel* lblword_ = nullptr;
    QLabel* Label3_ = nullptr;
    QSlider* sldDelay_ = nullptr;
    QPushButton* cmdFind_ = nullptr;
    sheetsolver::FindRunner runner_;
};

}  // namespace brevoni
