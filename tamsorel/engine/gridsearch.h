#pragma once

#include <array>
#include <utility>
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

// A searched word and how often it occurs in the grid. An occurrence is a run of cells that
// the word covers: found by several searches (a palindrome read both ways, a one-letter word
// read in every direction) it still counts once.
struct WordCount {
    QString word;
    int occurrences = 0;
    friend bool operator==(const WordCount&, const WordCount&) = default;
};

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

    // How many occurrences the searches since the last call marked (see WordCount).
    int takeOccurrenceCount();

  private:
    enum Kind { Rows, Columns, Diagonals, KindCount };
    // How many characters from a position make its key.
    static constexpr int kKeyLength = 4;
    // All lines of one kind back to back, with the cell behind each position and the end of
    // the line that holds it. Each position has a key: the ranks of the kKeyLength characters
    // that start there, 16 bits each, the first character highest; a character past the end of
    // the line ranks 0. Positions ordered by key (then position) put every start of a word's
    // first characters into one range.
    struct LineSet {
        QString text;
        std::vector<int> cell;
        std::vector<int> lineEnd;
        // The characters of the text, each once, in order; character alphabet[i] ranks i + 1.
        std::vector<char16_t> alphabet;
        // The positions ordered by key, and their keys in that order.
        std::vector<int> order;
        std::vector<quint64> keys;
        quint64 version = ~0ull;
        int cols = 0;
        int rows = 0;
    };

    const LineSet& lines(Kind kind);
    static void orderByKey(LineSet& set);
    void markMatches(Kind kind, const QString& word);
    void mark(int n);

    LetterGrid& grid_;
    std::array<LineSet, KindCount> lineSets_;
    // The end cells of each occurrence marked, the lower first, so that a run found by
    // several searches is listed the same way each time.
    std::vector<std::pair<int, int>> occurrences_;
    // Whether occurrences_ may list one occurrence more than once.
    bool occurrencesMayRepeat_ = false;
};

// One search run: clears all highlights, splits the word text into words (at every CR LF when
// it holds one, else the whole text is one word), and for each non-empty word logs
// "Searching '" + word + "'.." and runs the ticked searches in their fixed order. Ends with
// "Search complete.". Without a grid it only logs "Please load your dimensions first..".
// Every log line is followed by one pumpEvents(), so a window shows it and stays responsive
// (the user may type into the cells meanwhile: later words see the new letters). The run ends
// at once, without further lines, when the pump returns false; returns whether it ran to its end.
// When counts is given, it receives each word searched, in order, with its occurrences.
bool searchWords(LetterGrid& grid, const QString& wordText, const DirectionFlags& flags, Log& log,
                 core::EventPump& pump, std::vector<WordCount>* counts = nullptr);

// The word text split as a search run and the script writer split it.
QStringList splitWords(const QString& wordText);

}  // namespace tamsorel
