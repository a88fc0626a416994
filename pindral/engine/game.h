#pragma once

#include <functional>
#include <vector>

#include <QList>
#include <QString>
#include <QStringList>

#include "core/eventpump.h"
#include "core/random.h"

namespace pindral {

// Direction codes. A step moves by (dx, dy); y grows downwards. Placement uses 0..3, or 0..7
// with the backwards option; DirInvalid and DirNone come only from classifying a drag.
enum Direction : qint32 {
    DirEast = 0,
    DirSouth = 1,
    DirNorthEast = 2,
    DirSouthEast = 3,
    DirWest = 4,
    DirNorth = 5,
    DirSouthWest = 6,
    DirNorthWest = 7,
    DirInvalid = 8,
    DirNone = 9,
};

// The step of a direction; (0, 0) for DirInvalid and DirNone.
inline int stepX(qint32 dir) {
    constexpr int kStepX[] = {1, 0, 1, 1, -1, 0, -1, -1, 0, 0};
    return dir >= 0 && dir <= DirNone ? kStepX[dir] : 0;
}
inline int stepY(qint32 dir) {
    constexpr int kStepY[] = {0, 1, -1, 1, 0, -1, 1, -1, 0, 0};
    return dir >= 0 && dir <= DirNone ? kStepY[dir] : 0;
}

// A square of the board, columns and rows counted from 0.
struct CellPos {
    qint16 x = 0;
    qint16 y = 0;
    friend bool operator==(const CellPos&, const CellPos&) = default;
};

// The square under a pointer position in board pixels, for squares of squareSize pixels
// (taken as 1 when smaller). Whole-number division truncates towards zero, so -1 ..
// -(squareSize - 1) count as column or row 0. The square may lie off the board.
CellPos squareAt(qint16 x, qint16 y, int squareSize);

struct Square {
    QChar letter;            // meaningful only when hasLetter
    bool hasLetter = false;  // false while the square is free
    bool solved = false;     // part of a found entry
};

struct PlacedWord {
    qint16 x = 0;  // column of the first character
    qint16 y = 0;  // row of the first character
    qint32 dir = DirEast;
    QString word;  // the entry as read, case kept
    bool found = false;
};

// A board and the entries placed on it.
struct Puzzle {
    qint16 count = 0;             // squares across and down
    std::vector<Square> squares;  // index y * count + x
    QList<PlacedWord> placed;     // in the order placed

    Puzzle() = default;
    // n x n free, unsolved squares with no entries; n is taken as 1 when smaller.
    explicit Puzzle(qint16 n);

    bool onBoard(int x, int y) const { return x >= 0 && y >= 0 && x < count && y < count; }
    Square& square(int x, int y) { return squares[size_t(y) * size_t(count) + size_t(x)]; }
    const Square& square(int x, int y) const {
        return squares[size_t(y) * size_t(count) + size_t(x)];
    }

    // True when the square is taken by a character other than c.
    static bool lettersClash(QChar c, const Square& square) {
        return square.hasLetter && square.letter != c;
    }
    // True when the entry can lie from (x, y) in direction dir: every square on the board and
    // none taken by another character.
    bool fitsAt(const QString& word, int x, int y, int dir) const;

    // The board as rows of text, '.' for a free square.
    QStringList rows() const;
};

// A square whose look changed during a drag: to be shown selected, or as it is again.
struct SquareChange {
    CellPos cell;
    bool selected = false;
};

// The drag in progress, or the last one.
struct Selection {
    bool selecting = false;  // a press on the board started a drag that is not released yet
    bool firstMove = false;  // no valid move since the press: nothing is highlighted
    CellPos press;           // the square pressed
    QList<CellPos> path;     // the pressed square, then from the pointer's square back to it
    CellPos origin;          // the first square of the path
    QString word;            // the path's letters from the pressed square to the pointer's
    qint32 dir = DirNone;    // from the pressed square to the pointer's
};

// What the release of a drag did.
struct SelectionEnd {
    // The game was running: the drag ended and the board shows without its highlight.
    bool ended = false;
    // The entry found (its index among the placed entries), or -1.
    qsizetype found = -1;
    // That entry had been found before: the release found it again.
    bool foundBefore = false;
    // That entry was the last one not found yet: the game is won and over.
    bool won = false;
    // How many placed entries are found now.
    qsizetype foundCount = 0;
};

// One game: the puzzle built from a word list and the play on it. Everything is kept until
// the next puzzle is loaded. The game never shows anything: each step returns what changed.
class Game {
  public:
    static constexpr int kMaxTries = 20000;
    // Tries made at random before checking whether an entry has room anywhere. An entry with
    // no room takes this many tries' draws, so the number is part of which board a random
    // stream gives; small, it keeps a crowded board from costing kMaxTries tries per entry.
    static constexpr int kTriesBeforeSearch = 32;
    // Largest word-list file, in bytes: four times a 100,000-word dictionary. Removing
    // contained entries from arbitrary text costs about a second per megabyte.
    static constexpr qint64 kMaxWordListBytes = 4 * 1024 * 1024;

    // nextRandom: the random source, uniform 0 <= r < 1.
    explicit Game(std::function<double()> nextRandom = [] { return 0.0; })
        : nextRandom_(std::move(nextRandom)) {}
    // The same with the suite's random source, which must outlive the game. Its draws are
    // taken directly: a large board draws hundreds of millions of them.
    explicit Game(core::RandomSource& source) : source_(&source) {}

    // ---- Board generation ----

    // Reads the file's lines (UTF-8, else Windows-1252; CR LF, CR or LF ends a line) into the
    // word list, each composed to Unicode Normalization Form C (a letter and its combining
    // mark become one character where Unicode has one), and removes contained entries. On
    // success the puzzle is emptied and the game stops too. When the file cannot be read, or
    // is larger than kMaxWordListBytes, nothing changes and the reason is returned; an empty
    // string means success. The pump runs now and then while the list is prepared; when it
    // asks to stop, the word list is left empty.
    QString loadWordList(const QString& path, core::EventPump& pump = core::noEventPump());
    // The same from text already read; false when the pump asked to stop.
    bool loadWordText(const QString& text, core::EventPump& pump = core::noEventPump());
    const QStringList& words() const { return words_; }

    // The puzzle becomes n x n free, unsolved squares with no placed entries, and the
    // selection of the previous game is forgotten. n is at least 1.
    void createBoard(qint16 n);
    // The puzzle becomes one built elsewhere, and the selection is forgotten, as createBoard
    // does; whether the game runs stays as it was.
    void setPuzzle(Puzzle puzzle);

    // Places the entries of the word list in order, each from a random start square in a
    // random direction (codes 0..3, or 0..7 when backwards is non-zero), at most kMaxTries
    // tries each; then fills every free square with a random capital. An entry that is empty,
    // removed, longer than n, that holds a character no square can hold (an emoji, a mark
    // with no composed form) or that finds no room is left out silently. The draws are those
    // of trying at random, except that an entry with no possible placement at all is given up
    // once that is certain instead of after kMaxTries tries. The pump runs now and then, at
    // most a few thousand tries apart; when it asks to stop, placement ends at once with the
    // entries placed so far and the free squares left free, and false is returned.
    bool placeWords(qint16 n, qint16 backwards, core::EventPump& pump = core::noEventPump());

    const Puzzle& puzzle() const { return puzzle_; }

    // ---- Play ----

    // Makes the game playable once a new puzzle is set up. A puzzle with nothing to find
    // stays inactive. Returns whether the game is active.
    bool startPlay();
    bool gameActive() const { return active_; }

    static qint32 getDirection(CellPos a, CellPos b);  // from b to a

    // A press on a square starts a drag in a running game; a press off the board does nothing.
    void beginSelection(CellPos cell);
    // The pointer over a square during a drag. When it lies on a straight line from the
    // pressed square, the path becomes that line: returns the old path's squares to show
    // plainly again (none after the first move), then the new path's squares to show selected,
    // in path order. A square off the board or off the lines changes nothing.
    QList<SquareChange> extendSelection(CellPos pointer);
    // The release: the first placed entry that starts at the path's first square and reads
    // as the path's letters is found, its squares solved.
    SelectionEnd endSelection();
    // Ends the drag in progress without a release: returns the squares of its highlight to show
    // plainly again, and forgets the selection, so a later release without a move matches
    // nothing. Without a drag in progress nothing happens.
    QList<SquareChange> dropSelection();

    const Selection& selection() const { return selection_; }
    // Whether the square shows in the selecting colour: it lies on the path of a drag in
    // progress that has made its first valid move.
    bool squareSelected(CellPos cell) const;

  private:
    // placeWords with the draws of next.
    template <typename Next>
    bool placeEntries(int n, int dirCount, core::EventPump& pump, Next next);
    void placeAt(const QString& word, int x, int y, int dir, class FitIndex* index);
    // The squares of the drag's path on the board, to be shown plainly again.
    QList<SquareChange> unhighlightedPath() const;

    std::function<double()> nextRandom_;
    core::RandomSource* source_ = nullptr;
    QStringList words_;
    Puzzle puzzle_;
    bool active_ = false;
    Selection selection_;
};

}  // namespace pindral
