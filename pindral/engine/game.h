#pragma once

#include <functional>
#include <vector>

#include <QList>
#include <QString>
#include <QStringList>

namespace pindral {

// The program's title: the caption of its message boxes.
inline const QString kProgramTitle = QStringLiteral("pZorbeck!");

// The closing message shown when the last entry of a game is found.
inline const QString kClosingMessage =
    QStringLiteral("You win.\r\n\r\nThat's all.\r\n\r\nThank you, come again.");

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
int stepX(qint32 dir);
int stepY(qint32 dir);

// A square of the board, columns and rows counted from 0.
struct CellPos {
    qint16 X = 0;
    qint16 Y = 0;
    friend bool operator==(const CellPos&, const CellPos&) = default;
};

struct Square {
    QChar Letter;            // meaningful only when HasLetter
    bool HasLetter = false;  // false while the square is free
    bool Solved = false;     // part of a found entry
};

struct PlacedWord {
    qint16 X = 0;  // column of the first character
    qint16 Y = 0;  // row of the first character
    qint32 Dir = DirEast;
    QString Word;  // the entry as read, case kept
    bool Found = false;
};

// An entry overwritten by RemoveContainedWords: 1000 lowercase "x". It keeps the indexes of
// Words unchanged and is never placed.
const QString& removalMarker();

// Overwrites with the removal marker every entry that occurs within another entry, with the
// result of comparing every ordered pair (i, j), i != j, in the order i = 0.., j = 0.., and
// testing the entries as they stand at that moment (so a marker written earlier takes part in
// later tests). An empty entry occurs in every non-empty entry; nothing occurs in an empty
// entry; comparisons are case-sensitive. Runs in time about linear in the total text.
void RemoveContainedWords(QStringList& words);

// The hooks through which the game reaches its window and its random source. The defaults
// do nothing, draw 0 and use squares of one pixel.
struct GameHooks {
    std::function<double()> nextRandom = [] { return 0.0; };  // uniform, 0 <= r < 1
    std::function<int()> squareSize = [] { return 1; };       // pixels per square side
    std::function<void(qint16 x, qint16 y, bool selected)> DrawSquare = [](qint16, qint16, bool) {};
    std::function<void()> DrawBoard = [] {};
    // Tree node k (counting from 1 in PlacedWords order) turns plain and is scrolled into view.
    std::function<void(int node)> markNodeFound = [](int) {};
    // A modal information box; returns once it is dismissed.
    std::function<void(const QString& text, const QString& caption)> showMessage =
        [](const QString&, const QString&) {};
};

// One game: the puzzle built from a word list and the play on it. Everything is kept until
// the next puzzle is loaded.
class mGame {
  public:
    static constexpr int kMaxTries = 20000;
    // Largest word-list file, in bytes: four times a 100,000-word dictionary. Removing
    // contained entries from arbitrary text costs about a second per megabyte.
    static constexpr qint64 kMaxWordListBytes = 4 * 1024 * 1024;

    explicit mGame(GameHooks hooks = {}) : hooks_(std::move(hooks)) {}

    GameHooks& hooks() { return hooks_; }

    // ---- Board generation ----

    // Reads the file's lines (UTF-8, else Windows-1252; CR LF, CR or LF ends a line) into
    // Words, each composed to Unicode Normalization Form C (a letter and its combining mark
    // become one character where Unicode has one), and removes contained entries. On success Board
    // and PlacedWords are emptied too. When the file cannot be read, or is larger than
    // kMaxWordListBytes, nothing changes and the reason is returned; an empty string means success.
    QString LoadWordList(const QString& path);
    // The same from text already read.
    void LoadWordText(const QString& text);

    // Board becomes n x n free, unsolved squares with no placed entries, and the selection
    // of the previous game is forgotten. n is at least 1.
    void CreateBoard(qint16 n);

    // Places the entries of Words in order, each from a random start square in a random
    // direction (codes 0..3, or 0..7 when backwards is non-zero), at most kMaxTries tries
    // each; then fills every free square with a random capital. An entry that is empty,
    // removed, longer than n, that holds a character no square can hold (an emoji, a mark
    // with no composed form) or that finds no room is left out silently. The draws are those
    // of trying at random, except that an entry with no possible placement at all is given up
    // once that is certain instead of after kMaxTries tries.
    void PlaceWords(qint16 n, qint16 backwards);

    // True when the square is taken by a character other than c.
    static bool LettersClash(QChar c, const Square& square) {
        return square.HasLetter && square.Letter != c;
    }

    // True when the entry can lie from (x, y) in direction dir on the current board: every
    // square on the board and none taken by another character.
    bool fitsAt(const QString& word, int x, int y, int dir) const;

    // ---- Play ----

    static qint32 GetDirection(CellPos a, CellPos b);  // from b to a
    void BeginSelection(qint16 x, qint16 y);           // pointer in board pixels
    void ExtendSelection(qint16 x, qint16 y);
    void EndSelection();

    // Makes the game playable once a new puzzle is set up. A puzzle with nothing to find
    // stays inactive. Returns whether the game is active.
    bool StartPlay();

    // ---- State ----
    qint16 CurrentCount = 0;
    std::vector<Square> Board;  // index y * CurrentCount + x
    QStringList Words;
    QList<PlacedWord> PlacedWords;

    bool GameActive = false;
    bool Selecting = false;
    bool FirstMove = false;
    CellPos PressCell;
    QList<CellPos> SelPath;
    CellPos SelOrigin;
    QString SelWord;
    qint32 SelDir = DirNone;

    bool onBoard(int x, int y) const {
        return x >= 0 && y >= 0 && x < CurrentCount && y < CurrentCount;
    }
    Square& square(int x, int y) { return Board[size_t(y) * size_t(CurrentCount) + size_t(x)]; }
    const Square& square(int x, int y) const {
        return Board[size_t(y) * size_t(CurrentCount) + size_t(x)];
    }
    // The board as rows of text, '.' for a free square.
    QStringList rows() const;

  private:
    int draw(int m);  // floor(nextRandom() * m), kept within 0..m-1
    bool anyPlacement(const QString& word, int dirCount) const;
    void placeAt(const QString& word, int x, int y, int dir);
    // The square under a pointer position, or nothing outside the board.
    bool cellAt(qint16 x, qint16 y, CellPos& cell) const;

    GameHooks hooks_;
};

}  // namespace pindral
