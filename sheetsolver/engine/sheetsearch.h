#pragma once

#include <array>
#include <functional>
#include <optional>

#include <QString>
#include <QStringList>
#include <QStringView>

#include "core/colour.h"

// The search of both sheet solvers: a fixed sheet of 20 x 15 one-letter cells is searched for
// strings in eight directions, the cells of each occurrence turn red, and the letters of the
// cells left white, read in cell order, form the keyword.
namespace sheetsolver {

using core::Colour;

inline constexpr int kColumns = 20;
inline constexpr int kRows = 15;
inline constexpr int kCellCount = kColumns * kRows;

// A cell belongs to a found string exactly when its colour is FoundColour.
inline constexpr Colour FoundColour = core::kRed;
// The colour Reset gives every cell.
inline constexpr Colour ClearColour = core::kWhite;

// AllOccurrences (first version): every occurrence of a string is coloured.
// FirstOccurrence (second version): only the first, by start cell and then direction order.
enum class SearchMode { AllOccurrences, FirstOccurrence };

// The sheet the engine searches: cells 0..kCellCount-1, row-major, kColumns to a row. The
// engine only asks for indices inside the sheet.
class Sheet {
  public:
    virtual ~Sheet() = default;
    // Normally one character or empty; compared exactly, case included.
    virtual QString cellText(int i) const = 0;
    virtual Colour cellColour(int i) const = 0;
    virtual void setCellColour(int i, Colour colour) = 0;
};

// A sheet held in memory, for tests and timings. New cells are empty and white.
class MemorySheet final : public Sheet {
  public:
    MemorySheet() { colours_.fill(ClearColour); }
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

// What a search needs from its window besides the sheet. Empty hooks: no delay, no yielding.
struct SearchHooks {
    // The delay setting 0..5000, read once at every start cell.
    std::function<int()> delayValue;
    // Lets the window process its pending events once.
    std::function<void()> pumpEvents;
    // Asked after each yield; true ends the search at once (the window is being closed).
    std::function<bool()> stopRequested;
    // Seconds from any fixed point, never going backwards; only timed runs read it.
    std::function<double()> clock;
};

// Row 1..15 of a cell index 0..299; 0 for any other index.
int GetRow(int CurrentBox);

// Colours cells start .. start + n (n + 1 cells) with FoundColour. Cells outside the sheet are
// left alone.
void MarkRow(Sheet& sheet, int start, int n);

// Colours cells start + 20k, k = 0..n, with FoundColour. Cells outside the sheet are left
// alone.
void MarkColumn(Sheet& sheet, int start, int n);

// Searches one string over the whole sheet and colours its occurrences, as the mode says.
// After each start cell that did not end the search, it yields 2 x delayValue() times.
// Returns false only when stopRequested() ended it early.
bool SearchString(Sheet& sheet, QStringView word, SearchMode mode, const SearchHooks& hooks = {});

// The texts of all cells that are not FoundColour, in cell order.
QString KeywordText(const Sheet& sheet);

// Seconds as "00.00": at least two digits before the point, exactly two after, rounded.
// 0.5 gives "00.50", 123.456 gives "123.46". Negative or unknown times give "00.00".
QString TimingText(double seconds);

// The Find run: every string of words in order, then the keyword. Timed runs (the second
// version) read hooks.clock before and after and give "<keyword> was found within <time> s".
// Returns nothing when hooks.stopRequested ended the run.
std::optional<QString> FindRun(Sheet& sheet, const QStringList& words, SearchMode mode, bool timed,
                               const SearchHooks& hooks = {});

}  // namespace sheetsolver
