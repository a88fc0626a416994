#pragma once

#include <memory>

#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextEdit;

namespace kallowit {

class Form1;

// The second version's first window: the sheet text with its RTF files and the sorted list of
// strings, both starting with the demonstration puzzle. "Next >>" builds and shows the main
// window from them and closes this one; its list stays the main window's word list. Closing
// it without "Next >>" ends the program.
class frmLoad : public QWidget {
    Q_OBJECT
  public:
    explicit frmLoad(QWidget* parent = nullptr);
    ~frmLoad() override;

    // The sheet text as it stands.
    QString sheetText() const;
    // The entries of lstStrings, in list order.
    QStringList strings() const;
    // The main window once "Next >>" has built it, else nullptr.
    Form1* mainWindow() const { return form1_.get(); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Command4_Click();  // "Load from File"
    void Command5_Click();  // "Save to File"
    void Command6_Click();  // "Add"
    void cmdRemoveListiem_Click();
    void Command1_Click();  // "Next >>"

    QTextEdit* rtbText_ = nullptr;
    QLabel* Label1_ = nullptr;
    QPushButton* Command4_ = nullptr;
    QPushButton* Command5_ = nullptr;
    QFrame* Line1_ = nullptr;
    QFrame* Line2_ = nullptr;
    QListWidget* lstStrings_ = nullptr;
    QLineEdit* Text2_ = nullptr;
    QPushButton* Command6_ = nullptr;
    QPushButton* cmdRemoveListiem_ = nullptr;
    QLabel* Label2_ = nullptr;
    QPushButton* Command1_ = nullptr;
    std::unique_ptr<Form1> form1_;
    bool buildingMain_ = false;
};

}  // namespace kallowit
