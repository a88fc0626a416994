#pragma once

#include <functional>
#include <memory>

#include <QWidget>

#include "window/sheeteditor.h"

class QPushButton;

namespace kallowit {

class SheetWindow;

// The second version's first window: the sheet text with its RTF files and the sorted list of
// strings, both starting with the demonstration puzzle. "Next >>" builds and shows the sheet
// window from them and closes this one; its list stays the sheet window's word list. Closing
// it without "Next >>" ends the program.
class LoadWindow : public QWidget {
    Q_OBJECT
  public:
    // clock times the sheet window's runs (seconds, never going backwards).
    explicit LoadWindow(std::function<double()> clock = sheetsolver::monotonicSeconds(),
                        QWidget* parent = nullptr);
    ~LoadWindow() override;

    // Opens a sheet file given on the command line: loads it into the sheet text box, as "Load
    // from File" does with the file chosen in its dialog (silently nothing for a file that
    // cannot be loaded).
    void loadSheetFile(const QString& path);

    // The sheet text as it stands.
    QString sheetText() const;
    // The entries of the list, in list order.
    QStringList strings() const;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // "Next >>": builds the sheet window once, shows it and closes this window.
    void next();

    sheetsolver::SheetEditor editor_;
    std::function<double()> clock_;
    QPushButton* nextButton_ = nullptr;
    std::unique_ptr<SheetWindow> sheetWindow_;
    bool buildingSheetWindow_ = false;
};

}  // namespace kallowit
