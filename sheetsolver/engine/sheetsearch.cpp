#include "sheetsearch.h"

namespace sheetsolver {

namespace {

bool inSheet(int i) {
    return i >= 0 && i < kCellCount;
}

// Cell i holds exactly `letter`; an index outside the sheet is a mismatch.
bool cellIs(const Sheet& sheet, int i, QStringView letter) {
    return inSheet(i) && sheet.cellText(i) == letter;
}

// One reading direction from a start cell: the step between the cells of consecutive
// letters, and whether a run of `length` cells from (row 1..15, column 0..19) stays on the
// sheet without wrapping into another row.
struct Direction {
    int step;
    bool (*fits)(int i, int row, int column, int length);
};

// The eight directions in the order they are tried.
constexpr std::array<Direction, 8> kDirections = {{
    {1, [](int i, int row, int, int L) { return (row - 1) * kColumns + 19 >= i + L - 1; }},
    {-1, [](int i, int row, int, int L) { return i - L + 1 >= (row - 1) * kColumns; }},
    {kColumns, [](int, int row, int, int L) { return row + L - 1 <= kRows; }},
    {-kColumns, [](int, int row, int, int L) { return row - L + 1 >= 1; }},
    {-kColumns - 1,
     [](int, int row, int column, int L) { return row - L + 1 >= 1 && column - L + 1 >= 0; }},
    {kColumns + 1,
     [](int, int row, int column, int L) { return row + L - 1 <= kRows && column + L - 1 <= 19; }},
    {-kColumns + 1,
     [](int, int row, int column, int L) { return row - L + 1 >= 1 && column + L - 1 <= 19; }},
    {kColumns - 1,
     [](int, int row, int column, int L) { return row + L - 1 <= kRows && column - L + 1 >= 0; }},
}};

constexpr int kRightward = 0;
constexpr int kLeftward = 1;
constexpr int kDownward = 2;

bool lettersMatch(const Sheet& sheet, QStringView word, int start, int step) {
    for (qsizetype j = 0; j < word.size(); ++j) {
        if (!cellIs(sheet, start + step * int(j), word.mid(j, 1))) return false;
    }
    return true;
}

void markRun(Sheet& sheet, int direction, int start, int length) {
    const int step = kDirections[direction].step;
    if (direction == kRightward) {
        markRow(sheet, start, length - 1);
    } else if (direction == kLeftward) {
        markRow(sheet, start - length + 1, length - 1);
    } else if (direction == kDownward) {
        markColumn(sheet, start, length - 1);
    } else {
        for (int k = 0; k < length; ++k) {
            if (inSheet(start + step * k)) sheet.setCellColour(start + step * k, kFoundColour);
        }
    }
}

// The delay step: 2 x delayValue() yields. False when the pump asked to stop.
bool delayStep(const SearchHooks& hooks, core::EventPump& pump) {
    const int delay = hooks.delayValue ? hooks.delayValue() : 0;
    for (int v = 0; v < delay; ++v) {
        if (!pump.pumpEvents() || !pump.pumpEvents()) return false;
    }
    return true;
}

}  // namespace

MemorySheet::MemorySheet(QStringView text) : MemorySheet() {
    for (int i = 0; i < kCellCount && i < text.size(); ++i)
        texts_[i] = text.mid(i, 1).toString();
}

int getRow(int cell) {
    if (!inSheet(cell)) return 0;
    return cell / kColumns + 1;
}

void markRow(Sheet& sheet, int start, int n) {
    for (int k = 0; k <= n; ++k) {
        if (inSheet(start + k)) sheet.setCellColour(start + k, kFoundColour);
    }
}

void markColumn(Sheet& sheet, int start, int n) {
    for (int k = 0; k <= n; ++k) {
        if (inSheet(start + kColumns * k)) sheet.setCellColour(start + kColumns * k, kFoundColour);
    }
}

bool searchString(Sheet& sheet, QStringView word, SearchMode mode, const SearchHooks& hooks,
                  core::EventPump& pump) {
    const int length = int(word.size());
    // An empty word's first and last letters are the empty string.
    const QStringView first = word.left(1);
    const QStringView last = word.right(1);
    const bool firstOnly = mode == SearchMode::FirstOccurrence;
    for (int i = 0; i < kCellCount; ++i) {
        if (cellIs(sheet, i, first)) {
            const int row = getRow(i);
            const int column = i - kColumns * (row - 1);
            for (int d = 0; d < int(kDirections.size()); ++d) {
                if (!kDirections[d].fits(i, row, column, length)) continue;
                if (firstOnly && d == kRightward && !cellIs(sheet, i + length - 1, last)) continue;
                if (firstOnly && d == kLeftward && !cellIs(sheet, i - length + 1, last)) continue;
                if (!lettersMatch(sheet, word, i, kDirections[d].step)) continue;
                markRun(sheet, d, i, length);
                if (firstOnly) return true;
            }
        }
        if (!delayStep(hooks, pump)) return false;
    }
    return true;
}

QString keywordText(const Sheet& sheet) {
    QString keyword;
    for (int i = 0; i < kCellCount; ++i) {
        if (sheet.cellColour(i) != kFoundColour) keyword += sheet.cellText(i);
    }
    return keyword;
}

std::optional<FindOutcome> findRun(Sheet& sheet, const QStringList& words, SearchMode mode,
                                   const SearchHooks& hooks, core::EventPump& pump) {
    const std::optional<double> t0 = hooks.clock ? std::optional(hooks.clock()) : std::nullopt;
    for (const QString& word : words) {
        if (!searchString(sheet, word, mode, hooks, pump)) return std::nullopt;
    }
    FindOutcome outcome{keywordText(sheet), std::nullopt};
    if (t0) outcome.seconds = hooks.clock() - *t0;
    return outcome;
}

}  // namespace sheetsolver
