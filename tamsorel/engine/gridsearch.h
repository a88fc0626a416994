#pragma once

#include <array>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/eventpump.h"
#include "lettergrid.h"
#include "log.h"

// The six searches of the grid solver.
namespace tamsorel {

// The six searches, in the fixed order in which a run performs them.
enum class Direction { HorFront, HorBack, VertFront, VertBack, DiagFront, DiagBack };
inline constexpr int kDirectionCount = 6;
inline constexpr std::array<Direction, kDirectionCount> kAllDirections = {
    Direction::HorFront, Direction::HorBack,   Direction::VertFront,
    Direction::VertBack, Direction::DiagFront, Direction::DiagBack};
using DirectionFlags = std::array<bool, kDirectionCount>;

// Lines of a grid as lists of cell numbers in reading order, in the order a search scans them.
using Lines = std::vector<std::vector<int>>;
Lines rowLines(int cols, int rows);
Lines columnLines(int cols, int rows);
// Down-right diagonals from the top row (columns cols..2) and from the left column
// (rows 1..rows), then down-left diagonals from the top row (columns cols-1..1) and from the
// right column (rows 1..rows). Every diagonal of both orientations appears exactly once.
Lines diagonalLines(int cols, int rows);

// The six searches over one grid. Each marks every occurrence of the word, repeated and
// overlapping ones included, by giving its cells the found colours. An empty cell reads as a
// space; lines never wrap; comparison is exact, case included. The lines read are kept
// between calls while no cell text changes.
class GridSearch {
  public:
    explicit GridSearch(LetterGrid& grid) : grid_(grid) {}

    void searchHorFront(const QString& word);
    void searchHorBack(const QString& word);
    void searchVertFront(const QString& word);
    void searchVertBack(const QString& word);
    void searchDiagFront(const QString& word);
    void searchDiagBack(const QString& word);

    void search(Direction d, const QString& word);

    // Sets every cell to the plain colours.
    void clearHighlights();

  private:
    enum Kind { Rows, Columns, Diagonals, KindCount };
    // All lines of one kind back to back, with the cell behind each position, the end of
    // the line that holds it, and every position ordered by its character (then position),
    // so a word's candidate starts are the positions of its first character.
    struct LineSet {
        QString text;
        std::vector<int> cell;
        std::vector<int> lineEnd;
        std::vector<int> byChar;
        quint64 version = ~0ull;
        int cols = 0;
        int rows = 0;
    };

    const LineSet& lines(Kind kind);
    void markMatches(Kind kind, const QString& word);
    void mark(int n);

    LetterGrid& grid_;
    std::array<LineSet, KindCount> lineSets_;
};

// One search run: clears all highlights, splits the word text into words (at every CR LF when
// it holds one, else the whole text is one word), and for each non-empty word logs
// "Searching '" + word + "'.." and runs the ticked searches in their fixed order. Ends with
// "Search complete.". Without a grid it only logs "Please load your dimensions first..".
// Every log line is followed by one pumpEvents(), so a window shows it and stays responsive
// (the user may type into the cells meanwhile: later words see the new letters). The run ends
// at once, without further lines, when the pump returns false; returns whether it ran to its end.
bool searchWords(LetterGrid& grid, const QString& wordText, const DirectionFlags& flags, Log& log,
                 core::EventPump& pump);

// The word text split as a search run and the script writer split it.
QStringList splitWords(const QString& wordText);

}  // namespace tamsorel
