#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QList>
#include <QString>
#include <QStringList>

#include "core/eventpump.h"
#include "core/random.h"

namespace osterfane {

// Direction codes of a placed word. A word reads from its start cell towards
// down, right, down-right or up-right; the other four readings come from reversed words.
inline constexpr qint16 kDown = 1;
inline constexpr qint16 kRight = 2;
inline constexpr qint16 kDownRight = 3;
inline constexpr qint16 kUpRight = 4;

// The cells of a placed string: (x1, y1) holds its first character, (x2, y2) its last. For a
// reversed word, (x1, y1) therefore holds the word's last letter.
struct Solution {
    qint16 x1 = 0;
    qint16 y1 = 0;
    qint16 x2 = 0;
    qint16 y2 = 0;

    friend bool operator==(const Solution&, const Solution&) = default;
};

// How a build ended. The window words its message from the kind and the word.
struct PuzzleOutcome {
    enum class Kind {
        AllPlaced,
        // A word is longer than the size; nothing was placed.
        TooLong,
        // A word found no room after the first attempt and kMaxRetries retries; the words
        // before it stay placed, it and the later ones are left out.
        NoRoom,
        // The event pump asked the search to end; the words placed so far stay.
        Stopped
    };

    Kind kind = Kind::AllPlaced;
    // TooLong: the index of the first word longer than the size; -1 otherwise.
    qint16 index = -1;
    // TooLong: that word as listed. NoRoom: the string as it was being placed, so an
    // inverted word is reversed; its letter case is the list entry's.
    QString word;
};

// The creator's puzzle: an n x n letter grid, the direction code of the word that last wrote
// each cell, and one Solution per placed word in placement order. Cells are addressed (x, y),
// x the column from the left, y the row from the top, both from 0.
class Puzzle {
  public:
    // Retries after the first attempt before a word counts as finding no room.
    static constexpr int kMaxRetries = 30000;
    // Letter code of an empty cell after clearPuzzle.
    static constexpr char16_t kEmpty = 32;

    // Grids of n x n cells that all hold code 0, as before the first build. Every draw of
    // the builds and fills comes from nextRandom, a uniform real in [0, 1); left empty, a
    // RandomSource of the puzzle's own in its start state serves, so every program start
    // gives the same puzzles.
    explicit Puzzle(int n = 10, std::function<double()> nextRandom = {});

    // Re-creates both grids n x n (a negative n counts as 0): every letter 32 (empty), every
    // direction 0, no solutions.
    void clearPuzzle(int n);

    // The index of the first word longer than n characters; -1 if none is.
    static qint16 wordsTooLong(const QStringList& words, int n);

    // True if str may be laid from (xpos, ypos) in direction dir: it fits inside the grid,
    // meets only words of other directions and only on equal letters, and neither end touches
    // a word of the same direction on its line. Any dir other than 1 to 4 never fits.
    bool isDirPossible(qint16 dir, const QString& str, qint16 xpos, qint16 ypos) const;

    // Writes str upper-cased from (xpos, ypos) in direction dir and appends its Solution.
    // Call it only where isDirPossible said true; cells outside the grid are never written.
    void putWord(const QString& str, qint16 xpos, qint16 ypos, qint16 dir);

    // Lays the words in list order into the grids made by clearPuzzle, each from a random
    // start in a random direction, reversed at random when includeInverted is set. n is the
    // size the draws use; it should be the size given to clearPuzzle, and whatever it is, no
    // word is placed outside the grids. The pump runs after every retry; when it answers
    // false, the build ends at once as Stopped.
    PuzzleOutcome createPuzzle(const QStringList& words, int n, bool includeInverted,
                               core::EventPump& pump = core::noEventPump());

    // Gives every cell that no word covers a random capital; A and Z come up half as often
    // as the other letters.
    void fillRemainingWithRandom();

    int size() const { return n_; }
    char16_t letterAt(int x, int y) const { return letterGrid_[index(x, y)]; }
    quint8 dirAt(int x, int y) const { return dirGrid_[index(x, y)]; }
    const QList<Solution>& solutions() const { return solutions_; }

    // The code a character is stored as: upper-cased, in any alphabet. A cell holds one
    // UTF-16 unit, so Cyrillic, Greek and accented letters keep their identity.
    static char16_t letterCode(QChar c);

  private:
    std::size_t index(int x, int y) const { return std::size_t(y) * std::size_t(n_) + x; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < n_ && y < n_; }
    double draw();
    int drawBelow(int m);

    int n_ = 0;
    std::vector<char16_t> letterGrid_;
    std::vector<quint8> dirGrid_;
    QList<Solution> solutions_;
    std::function<double()> nextRandom_;
    core::RandomSource ownRandom_;
};

// The message a build ends with: "Word: '...' is too long, increase size or remove word" or
// "After 30000 retries still no possible move on ... :s"; empty when every word was placed or
// the build was stopped.
QString outcomeMessage(const PuzzleOutcome& outcome);

// The words a built puzzle holds, in placement order and in the grid's capitals: the first
// entries of words, one for each solution, each character upper-cased as a cell stores it.
QStringList placedWords(const QStringList& words, const Puzzle& puzzle);

// The puzzle size that a size field's text gives: the number the text begins with, so "12abc"
// reads as 12. Nothing when that number is not a whole number from 1 to maxSize (empty text,
// text that begins with letters, 0, a negative or fractional number, or a number too large).
std::optional<int> sizeFromText(QStringView text, int maxSize);

}  // namespace osterfane
