#pragma once

#include <cstdint>
#include <vector>

#include <QHash>
#include <QString>

#include "pindral/engine/game.h"

namespace pindral {

// Which squares of a filling board could take each character: the free squares and those that
// already hold it, kept as rows of bits. It tells whether an entry fits anywhere by following
// 64 start squares at a time through the entry's characters, where Puzzle::fitsAt tests one
// start square. The start squares that fit each beginning of the last entry asked about are
// kept for the next one: entries in alphabetical order share their first characters.
class FitIndex {
  public:
    // The index of the puzzle's board as it stands. The puzzle must outlive the index, and
    // every letter written to its board afterwards must be reported with setLetter.
    explicit FitIndex(const Puzzle& puzzle);

    // Square (x, y) of the board now holds c.
    void setLetter(int x, int y, QChar c);

    // Whether Puzzle::fitsAt holds for the word at some square in some direction 0 ..
    // dirCount - 1. With columns, every such square is looked for, and columns gets one bit
    // per column of the board (bit x % 64 of element x / 64), set where one of them lies.
    bool fitsAnywhere(const QString& word, int dirCount,
                      std::vector<std::uint64_t>* columns = nullptr);

  private:
    using Bits = std::vector<std::uint64_t>;
    // 64 start squares of row y from column 64 * w on, as bits.
    struct Starts {
        int y;
        int w;
        std::uint64_t bits;
    };

    // The squares that can take c, made from the board when c is first asked for.
    int slotOf(QChar c);
    // The start squares in direction dir from which character k of the word fits as well as
    // the ones before it, from those for the characters before it.
    void extend(int dir, int k, int slot);

    const Puzzle& puzzle_;
    int n_;
    int wordsPerRow_;
    Bits free_;
    QHash<char16_t, int> slots_;
    std::vector<QChar> slotChars_;
    std::vector<Bits> takes_;  // per slot: free squares and squares holding its character
    std::vector<int> counts_;  // per slot: how many squares can take its character
    // The last entry asked about, and per direction, for its first k + 1 characters, the start
    // squares from which they fit (or fitted: the board has filled since, so some may no
    // longer fit). An empty list leaves the longer beginnings out.
    QString prefix_;
    std::vector<std::vector<Starts>> levels_[8];
    std::vector<int> slotsOfWord_;
};

}  // namespace pindral
