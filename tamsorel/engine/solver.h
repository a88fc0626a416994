#pragma once

#include <QString>
#include <QStringView>

#include "gridsearch.h"

namespace tamsorel {

enum class Axis { Horizontal, Vertical };

// What the solver needs of its window: the controls that hold the rest of its state.
class SolverControls {
  public:
    virtual ~SolverControls() = default;
    // Appends one time-stamped line to the log and lets the window catch up.
    virtual void addLog(const QString& message) = 0;
    virtual void clearLog() = 0;
    virtual QString dimensionText(Axis axis) const = 0;
    virtual void setDimensionText(Axis axis, const QString& text) = 0;
    virtual bool isTicked(Direction d) const = 0;
    virtual void tick(Direction d) = 0;
    // The word box's text, lines separated by CR LF.
    virtual QString wordsText() const = 0;
    virtual void clearWords() = 0;
    // Appends text to the end of the word box.
    virtual void appendWords(const QString& text) = 0;
    // The grid was created or removed: the window fits its height to it.
    virtual void gridChanged() = 0;
};

// Designed window heights in twips, title bar and borders included.
inline constexpr int kHeightWithoutGrid = 4665;
inline constexpr int kFirstCellTop = 4295;
inline constexpr int kCellWidth = 255;
inline constexpr int kCellHeight = 210;
inline constexpr int kMarginBelowGrid = 600;
int designedWindowHeight(int gridRows);

// The log messages of the solver.
namespace msg {
inline const QString kResetCleared =
    QStringLiteral("Log and word list cleared.. resetting dimensions..");
inline const QString kResetDone = QStringLiteral("Dimensions reset.");
inline const QString kLoadDone = QStringLiteral("Load successfull.");
inline const QString kInvalidDimensions =
    QStringLiteral("You have inputed invalid dimensions. Minimum dimensions are 2x2.");
inline const QString kSaveDone = QStringLiteral("Save successfull!");
inline const QString kInvalidFilename = QStringLiteral("Invalid filename.");
QString loading(int cols, int rows);
QString tooManyCells(int cols, int rows);
QString saving(const QString& path);
QString saveFailed(const QString& path, const QString& reason);
QString loadingScript(const QString& path);
QString loadFailed(const QString& path, const QString& reason);
}  // namespace msg

// The grid solver's operations. The window's buttons, the script reader and the tests all
// call these; the controls they read and write belong to the window.
class Solver {
  public:
    explicit Solver(SolverControls& controls) : controls_(controls) {}

    LetterGrid& grid() { return grid_; }
    const LetterGrid& grid() const { return grid_; }

    // Empties the log, the word box and the grid.
    void resetSolver();
    // Checks and normalises the dimension boxes, then creates the grid. Returns whether a grid
    // was created; a refusal logs why and leaves no grid.
    bool loadDimensions();
    // One search run over the word box with the ticked directions.
    void searchWords();

    // Writes the current state as a script, CR LF line ends, UTF-8. Returns whether the file
    // was written; the old file is kept whole when it was not.
    bool saveScript(const QString& path);
    // Replays every line of the file. A file that cannot be read changes nothing.
    bool loadScript(const QString& path);
    // Executes one script line (without its line end); anything else is ignored.
    void executeScriptLine(QStringView line);

    // The lines saveScript writes.
    QStringList scriptLines() const;

    // 1 for a file with a length above 0, 0 for an empty file, -1 when no file length can be
    // read: missing, a folder, a pattern, an empty name.
    static qint16 fileStatus(const QString& path);

  private:
    SolverControls& controls_;
    LetterGrid grid_;
};

// The script keywords in the order the writer emits the direction lines.
QString directionKeyword(Direction d);

}  // namespace tamsorel
