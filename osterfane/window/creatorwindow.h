#pragma once

#include <functional>
#include <memory>

#include <QWidget>

#include "core/eventpump.h"
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

// What a test or a benchmark may put in place of the window's own: the random source of every
// build, and the event pump of the placement search. Left empty, the puzzle's own random source
// (never seeded, so every start gives the same puzzles) and the window's pump serve.
struct CreatorHooks {
    std::function<double()> nextRandom;
    core::EventPump* pump = nullptr;
};

// The creator's window: a word list, a size and two options on the right, the puzzle drawn
// on the surface at the left. "Draw" builds a new puzzle from a snapshot of the list, the size
// and "Include inverted"; while it builds, the commands that would change or restart it are
// disabled. Its own event pump lets the window's events in after every retry and ends the
// search once the window is closing.
class CreatorWindow : public QWidget, private core::EventPump {
    Q_OBJECT
  public:
    explicit CreatorWindow(CreatorHooks hooks = {}, QWidget* parent = nullptr);
    ~CreatorWindow() override;

    // The puzzle as last built; its size is the size that was built, not the size field's.
    const Puzzle& puzzle() const { return puzzle_; }

    // The first entry equal to word ignoring case, or -1.
    int indexInList(const QString& word) const;

    // Adds the words of a text file, one a line, to the list as if each line had been typed
    // into the entry field and added; nothing is drawn. A file that cannot be read gets a
    // message and changes nothing.
    void openWordFile(const QString& path);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // What a screen reader reads of the picture: "Puzzle, 12 by 12, 8 words", then its cells
    // row by row.
    class Description;

    bool pumpEvents() override;

    // The list's entries in order.
    QStringList entries() const;

    // The reactions to the designed controls.
    void wordFieldChanged();
    void addWord();
    void removeWord();
    void wordListClicked();
    void buildPuzzle();
    void showSolutionsClicked();

    // The built puzzle on the surface without its solution lines.
    void showPuzzle();
    // The built puzzle as a picture of the surface, with or without its solution lines, ending
    // at the grid's last line.
    ui::Picture picture(bool withSolutions) const;
    void savePicture(bool answerKey);
    // Asks for a file and writes the built puzzle there as a script of the grid solver.
    void saveScript();
    void printPuzzle();
    void selectEntry(int index);
    // The selected entry's index, or -1.
    int selectedIndex() const;
    void setBuilding(bool building);
    // Tells a screen reader that the picture changed: its name, its cells and its description,
    // which holds the letters row by row and the placed words.
    void describePicture();

    ui::PictureBox* puzzleBox_ = nullptr;
    QListWidget* wordList_ = nullptr;
    QLineEdit* wordField_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* removeButton_ = nullptr;
    QLineEdit* sizeField_ = nullptr;
    QPushButton* drawButton_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
    QCheckBox* showSolutionsBox_ = nullptr;
    QCheckBox* includeInvertedBox_ = nullptr;

    ui::PictureMenu* puzzleMenu_ = nullptr;

    std::unique_ptr<Description> description_;
    core::EventPump* pump_ = nullptr;
    Puzzle puzzle_;
    // The words the puzzle holds, as listed, in capitals: the first entries of the list, one
    // for each solution.
    QStringList placedWords_;
    // "Include inverted" as it was when the puzzle was built.
    bool builtInverted_ = false;
    // A puzzle was built and drawn, and no build has started since.
    bool drawn_ = false;
    bool building_ = false;
    bool closing_ = false;
};

}  // namespace osterfane
