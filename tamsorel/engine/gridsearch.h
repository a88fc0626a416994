#pragma once

#include <array>
#include <functional>
#include <vector>

#include <QString>
#include <QStringList>
#include <QStringView>

#include "core/colour.h"

// The grid model and the six searches of the grid solver.
namespace tamsorel {

using core::Colour;

// Cell numbers are 16-bit signed: a grid holds at most this many cells.
inline constexpr int kMaxCells = 32767;
// Each dimension lies in [kMinDimension, kMaxCells].
inline constexpr int kMinDimension = 2;

inline constexpr Colour kPlainBack = core::kWhite;
inline constexpr Colour kPlainFore = core::kBlack;
inline constexpr Colour kFoundBack = core::kRed;
inline constexpr Colour kFoundFore = core::kWhite;

// The six searches, in the fixed order in which a run performs them.
enum class Direction { HorFront, HorBack, VertFront, VertBack, DiagFront, DiagBack };
inline constexpr int kDirectionCount = 6;
inline constexpr std::array<Direction, kDirectionCount> kAllDirections = {
    Direction::HorFront, Direction::HorBack,   Direction::VertFront,
    Direction::VertBack, Direction::DiagFront, Direction::DiagBack};
using DirectionFlags = std::array<bool, kDirectionCount>;

// The cell number of (col, row) in a grid of `cols` columns: row-major, cell 1 at the top left.
constexpr int cellIndex(int cols, int col, int row) {
    return (row - 1) * cols + col;
}

// The characters of s in reverse order.
QString ReverseString(QStringView s);

// The letter cells: at most one character each, with a background and a text colour.
// Cells are numbered 1 to cellCount(). Every change is reported through the hooks, so a view
// can repaint and a window can react to typed letters.
class LetterGrid {
  public:
    qint16 gridCols() const { return cols_; }
    qint16 gridRows() const { return rows_; }
    int cellCount() const { return int(cells_.size()); }
    bool exists() const { return !cells_.empty(); }

    // Creates cols x rows empty plain cells. The caller has checked the dimensions:
    // both at least kMinDimension and their product at most kMaxCells.
    void create(int cols, int rows);
    // Removes every cell: no grid.
    void destroy();

    bool isCell(int n) const { return n >= 1 && n <= cellCount(); }
    // The cell's text: empty or one character. Outside the grid: empty.
    QString cellText(int n) const;
    // Sets the cell's text to the first character of text, or empties it. A cell holds one
    // UTF-16 unit, so a lone surrogate half is not stored. Cells outside the grid are ignored.
    // Reports the change only when the text really changed.
    void setCellText(int n, QStringView text);

    Colour backColor(int n) const { return isCell(n) ? cells_[n - 1].back : kPlainBack; }
    Colour foreColor(int n) const { return isCell(n) ? cells_[n - 1].fore : kPlainFore; }
    void setBackColor(int n, Colour c);
    void setForeColor(int n, Colour c);

    // Changes whenever any cell's text changes; searches use it to reuse the lines they read.
    quint64 textVersion() const { return textVersion_; }

    // Hooks: a cell's text changed; a cell's colours changed.
    std::function<void(int n)> onTextChanged;
    std::function<void(int n)> onColourChanged;

  private:
    friend class GridSearch;
    struct Cell {
        char16_t ch = 0;
        bool filled = false;
        Colour back = kPlainBack;
        Colour fore = kPlainFore;
    };
    std::vector<Cell> cells_;
    qint16 cols_ = 0;
    qint16 rows_ = 0;
    quint64 textVersion_ = 0;
};

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

    void searchHorFront(const QString& word, int length);
    void searchHorBack(const QString& word, int length);
    void searchVertFront(const QString& word, int length);
    void searchVertBack(const QString& word, int length);
    void searchDiagFront(const QString& word, int length);
    void searchDiagBack(const QString& word, int length);

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
    void markMatches(Kind kind, const QString& word, int length);
    void mark(int n);

    LetterGrid& grid_;
    std::array<LineSet, KindCount> lineSets_;
};

// One search run: clears all highlights, splits the word text into words (at every CR LF when
// it holds one, else the whole text is one word), and for each non-empty word logs
// "Searching '" + word + "'.." and runs the ticked searches in their fixed order. Ends with
// "Search complete.". Without a grid it only logs "Please load your dimensions first..".
void searchWords(LetterGrid& grid, const QString& wordText, const DirectionFlags& flags,
                 const std::function<void(const QString&)>& addLog);

// The word text split as a search run and the script writer split it.
QStringList splitWords(const QString& wordText);

}  // namespace tamsorel
