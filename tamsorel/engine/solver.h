#pragma once

#include <QString>
#include <QStringView>

#include "core/eventpump.h"
#include "gridsearch.h"
#include "lettergrid.h"
#include "log.h"

namespace tamsorel {

enum class Axis { Horizontal, Vertical };

// The log messages of the solver.
namespace msg {
inline const QString kResetCleared =
    QStringLiteral("Log and word list cleared.. resetting dimensions..");
inline const QString kResetDone = QStringLiteral("Dimensions reset.");
inline const QString kLoadDone = QStringLiteral("Load successfull.");
// How every refusal of dimensions begins.
inline const QString kRefusedDimensions = QStringLiteral("You have inputed invalid dimensions.");
inline const QString kInvalidDimensions =
    kRefusedDimensions + QStringLiteral(" Minimum dimensions are 2x2.");
inline const QString kSaveDone = QStringLiteral("Save successfull!");
QString loading(int cols, int rows);
QString tooManyCells(int cols, int rows);
QString saving(const QString& path);
QString saveFailed(const QString& path, const QString& reason);
QString loadingScript(const QString& path);
QString loadFailed(const QString& path, const QString& reason);
}  // namespace msg

// Which parts of the solver's state its operations changed since the last
// Solver::takeStateChanges(). The grid and the log keep their own records of change.
struct StateChanges {
    bool dimensions = false;
    bool ticks = false;
    bool words = false;
};

// The grid solver: the grid, the two dimension texts, the ticked searches, the word text and the
// log, and the operations that the buttons and the script lines perform on them. The window
// hands over what the user typed before it calls an operation, and shows what changed after.
class Solver {
  public:
    // pump is called once after every log line, so that a window can show the line and handle
    // its events while an operation goes on.
    explicit Solver(core::EventPump& pump = core::noEventPump()) : pump_(pump) {}

    LetterGrid& grid() { return grid_; }
    const LetterGrid& grid() const { return grid_; }
    const Log& log() const { return log_; }

    // The text of a dimension box, as typed: "10" at first.
    const QString& dimensionText(Axis axis) const {
        return axis == Axis::Horizontal ? horizontal_ : vertical_;
    }
    void setDimensionText(Axis axis, const QString& text) { dimension(axis) = text; }
    // Whether a search is ticked: all six at first.
    bool isTicked(Direction d) const { return ticked_[size_t(d)]; }
    void setTicked(Direction d, bool ticked) { ticked_[size_t(d)] = ticked; }
    // The word list, lines separated by CR LF: empty at first.
    const QString& wordsText() const { return words_; }
    void setWordsText(const QString& text) { words_ = text; }

    // The parts of the state that operations changed since the last call.
    StateChanges takeStateChanges();

    // Empties the log, the word list and the grid.
    void resetSolver();
    // Checks and normalises the dimension texts, then creates the grid. Returns whether a grid
    // was created; a refusal logs why and leaves no grid.
    bool loadDimensions();
    // One search run over the word list with the ticked searches (see tamsorel::searchWords).
    // Returns each word searched with its occurrences; nothing without a grid.
    std::vector<WordCount> searchWords();

    // Writes the current state as a script, CR LF line ends, UTF-8. Returns whether the file
    // was written; the old file is kept whole when it was not.
    bool saveScript(const QString& path);
    // Replays every line of the file. A file that cannot be read changes nothing.
    bool loadScript(const QString& path);
    // Executes one script line (without its line end); anything else is ignored.
    void executeScriptLine(QStringView line);

    // The lines saveScript writes.
    QStringList scriptLines() const;

    // Adds a line to the log, then runs the pump; a window adds its own refusals this way.
    void addLog(const QString& message);

  private:
    QString& dimension(Axis axis) { return axis == Axis::Horizontal ? horizontal_ : vertical_; }

    core::EventPump& pump_;
    LetterGrid grid_;
    Log log_;
    QString horizontal_ = QStringLiteral("10");
    QString vertical_ = QStringLiteral("10");
    DirectionFlags ticked_ = {true, true, true, true, true, true};
    QString words_;
    StateChanges changes_;
};

// 1 for a file with a length above 0, 0 for an empty file, -1 when no file length can be
// read: missing, a folder, a pattern, an empty name.
qint16 fileStatus(const QString& path);

// The script keywords in the order the writer emits the direction lines.
QString directionKeyword(Direction d);

}  // namespace tamsorel
