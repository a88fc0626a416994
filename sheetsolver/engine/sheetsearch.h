#pragma once

#include <array>
#include <functional>
#include <optional>

#include <QString>
#include <QStringList>
#include <QStringView>

#include "core/colour.h"
#include "core/eventpump.h"

// The search of both sheet solvers: a fixed sheet of 20 x 15 one-letter cells is searched for
// strings in eight directions, the cells of each occurrence turn red, and the letters of the
// cells left white, read in cell order, form the keyword.
namespace sheetsolver {

using core::Colour;

inline constexpr int kColumns = 20;
inline constexpr int kRows = 15;
inline constexpr int kCellCount = kColumns * kRows;

// A cell belongs to a found string exactly when its colour is kFoundColour.
inline constexpr Colour kFoundColour = core::kRed;
// The colour Reset gives every cell.
inline constexpr Colour kClearColour = core::kWhite;

// AllOccurrences (first version): every occurrence of a string is coloured.
// FirstOccurrence (second version): only the first, by start cell and then direction order.
enum class SearchMode { AllOccurrences, FirstOccurrence };

// The sheet the engine searches: cells 0..kCellCount-1, row-major, kColumns to a row. The
// engine only asks for indices inside the sheet. A window searches a MemorySheet copied from
// its cells and shows the colours the search gave.
class Sheet {
  public:
    virtual ~Sheet() = default;
    // Normally one character or empty; compared exactly, case included.
    virtual QString cellText(int i) const = 0;
    virtual Colour cellColour(int i) const = 0;
    virtual void setCellColour(int i, Colour colour) = 0;
};

// A sheet held in memory. New cells are empty and white.
class MemorySheet final : public Sheet {
  public:
    MemorySheet() { colours_.fill(kClearColour); }
    // Character k of text goes to cell k; cells beyond the text stay empty, characters
    // beyond the last cell are ignored.
    explicit MemorySheet(QStringView text);

    QString cellText(int i) const override { return texts_[i]; }
    Colour cellColour(int i) const override { return colours_[i]; }
    void setCellColour(int i, Colour colour) override { colours_[i] = colour; }
    void setCellText(int i, const QString& text) { texts_[i] = text; }

  private:
    std::array<QString, kCellCount> texts_;
    std::array<Colour, kCellCount> colours_;
};

// What a search reads from outside besides the sheet. Empty functions: no delay, no timing.
struct SearchHooks {
    // The delay setting 0..5000, read once at every start cell.
    std::function<int()> delayValue;
    // Seconds from any fixed point, never going backwards. A run is timed exactly when it is
    // given a clock.
    std::function<double()> clock;
};

// What a Find run gives: the keyword and, for a timed run, the seconds it took.
struct FindOutcome {
    QString keyword;
    std::optional<double> seconds;
};

// Row 1..15 of a cell index 0..299; 0 for any other index.
int getRow(int cell);

// Colours cells start .. start + n (n + 1 cells) with kFoundColour. Cells outside the sheet are
// left alone.
void markRow(Sheet& sheet, int start, int n);

// Colours cells start + 20k, k = 0..n, with kFoundColour. Cells outside the sheet are left
// alone.
void markColumn(Sheet& sheet, int start, int n);

// Searches one string over the whole sheet and colours its occurrences, as the mode says.
// After each start cell that did not end the search, it yields to the pump 2 x delayValue()
// times. Returns false only when the pump ended it early.
bool searchString(Sheet& sheet, QStringView word, SearchMode mode, const SearchHooks& hooks = {},
                  core::EventPump& pump = core::noEventPump());

// The texts of all cells that are not kFoundColour, in cell order.
QString keywordText(const Sheet& sheet);

// The Find run: every string of words in order, then the keyword. A timed run reads
// hooks.clock before the first string and after the keyword. Returns nothing when the pump
// ended the run.
std::optional<FindOutcome> findRun(Sheet& sheet, const QStringList& words, SearchMode mode,
                                   const SearchHooks& hooks = {},
                                   core::EventPump& pump = core::noEventPump());

}  // namespace sheetsolver
