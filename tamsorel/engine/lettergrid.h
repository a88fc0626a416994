#pragma once

#include <vector>

#include <QString>
#include <QStringView>

#include "core/colour.h"

// The grid model of the grid solver.
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

// The cell number of (col, row) in a grid of `cols` columns: row-major, cell 1 at the top left.
constexpr int cellIndex(int cols, int col, int row) {
    return (row - 1) * cols + col;
}

// A change of one cell's text: the cell, and whether it held a letter right after the change.
struct TextChange {
    int cell = 0;
    bool filled = false;
    friend bool operator==(const TextChange&, const TextChange&) = default;
};

// What changed in a grid since the last LetterGrid::takeChanges().
struct GridChanges {
    // The grid was created or removed: every cell is new. The lists below then hold only the
    // changes made after the last creation or removal.
    bool reshaped = false;
    // The cells whose text or colours changed, each once, in the order of their first change.
    std::vector<int> cells;
    // Every change of a cell's text, in order.
    std::vector<TextChange> texts;
};

// The letter cells: at most one character each, with a background and a text colour.
// Cells are numbered 1 to cellCount(). The grid keeps a list of its changes, which a view
// takes to repaint and to react to typed letters.
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
    // Records a change only when the text really changed.
    void setCellText(int n, QStringView text);

    Colour backColor(int n) const { return isCell(n) ? cells_[n - 1].back : kPlainBack; }
    Colour foreColor(int n) const { return isCell(n) ? cells_[n - 1].fore : kPlainFore; }
    void setBackColor(int n, Colour c);
    void setForeColor(int n, Colour c);
    // Whether a search marked the cell: it shows the found colours.
    bool isFound(int n) const { return backColor(n) == kFoundBack && foreColor(n) == kFoundFore; }

    // Changes whenever any cell's text changes; searches use it to reuse the lines they read.
    quint64 textVersion() const { return textVersion_; }

    // The changes since the last call, which starts a new list.
    GridChanges takeChanges();
    // Whether the grid was created or removed since the last takeChanges().
    bool reshapedSinceTaken() const { return changes_.reshaped; }

  private:
    friend class GridSearch;
    struct Cell {
        char16_t ch = 0;
        bool filled = false;
        Colour back = kPlainBack;
        Colour fore = kPlainFore;
    };
    void reshaped();
    void changed(int n);

    std::vector<Cell> cells_;
    qint16 cols_ = 0;
    qint16 rows_ = 0;
    quint64 textVersion_ = 0;
    GridChanges changes_;
    // Per cell: whether changes_.cells holds it already.
    std::vector<bool> listed_;
};

}  // namespace tamsorel
