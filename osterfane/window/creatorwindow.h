#pragma once

#include <QWidget>

#include "engine/puzzle.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ui {
class PictureBox;
class PictureMenu;
struct Picture;
}  // namespace ui

namespace osterfane {

// The creator's window: a word list, a size and two options on the right, the puzzle drawn
// on the surface at the left. "Draw" builds a new puzzle from a snapshot of the list, the size
// and "Include inverted"; while it builds, the commands that would change or restart it are
// disabled.
class Form1 : public QWidget {
    Q_OBJECT
  public:
    // Empty hooks get the window's own random source (never seeded, so every start gives the
    // same puzzles) and an event pump.
    explicit Form1(PuzzleHooks hooks = {}, QWidget* parent = nullptr);
    ~Form1() override;

    // The puzzle as last built; its size is the size that was built, not the size field's.
    const Puzzle& puzzle() const { return puzzle_; }
    bool isBuilding() const { return building_; }

    // The first entry equal to str ignoring case, or -1.
    int IsInList(const QString& str) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void txtfield_Change();
    void cmdAdd_Click();
    void cmdRemove_Click();
    void lstitems_Click();
    void cmdDraw_Click();
    void chkSolutions_Click();

    void drawPuzzle();
    // The built puzzle as a picture of the surface, with or without its solution lines, ending
    // at the grid's last line.
    ui::Picture picture(bool withSolutions) const;
    void savePicture(bool answerKey);
    void printPuzzle();
    void selectEntry(int index);
    // The selected entry's index, or -1.
    int selectedIndex() const;
    void setBuilding(bool building);

    ui::PictureBox* picfield_ = nullptr;
    QListWidget* lstitems_ = nullptr;
    QLineEdit* txtfield_ = nullptr;
    QPushButton* cmdAdd_ = nullptr;
    QPushButton* cmdRemove_ = nullptr;
    QLineEdit* txtSize_ = nullptr;
    QPushButton* cmdDraw_ = nullptr;
    QLabel* Label1_ = nullptr;
    QCheckBox* chkSolutions_ = nullptr;
    QCheckBox* chkIncludeInverted_ = nullptr;

    ui::PictureMenu* picfieldMenu_ = nullptr;

    core::RandomSource random_;
    Puzzle puzzle_;
    // The words the puzzle holds, as listed, in capitals: the first entries of the list, one
    // for each solution.
    QStringList placedWords_;
    // A puzzle was built and drawn, and no build has started since.
    bool drawn_ = false;
    bool building_ = false;
    bool closing_ = false;
};

}  // namespace osterfane
