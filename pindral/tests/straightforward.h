#pragma once

// Straightforward versions of the board generation steps, kept to check the game's fast ones
// against: every ordered pair of entries compared, every entry given all its random tries.

#include <algorithm>
#include <cmath>
#include <functional>

#include "pindral/engine/containment.h"
#include "pindral/engine/game.h"

namespace pindral::straightforward {

// Whether needle occurs in haystack; nothing occurs in an empty entry.
inline bool occursIn(const QString& needle, const QString& haystack) {
    return !haystack.isEmpty() && haystack.contains(needle);
}

inline void removeContainedWords(QStringList& words) {
    for (qsizetype i = 0; i < words.size(); ++i)
        for (qsizetype j = 0; j < words.size(); ++j)
            if (i != j && occursIn(words[j], words[i])) words[j] = removalMarker();
}

// Whether the word fits at some square in some direction 0 .. dirCount - 1.
inline bool fitsAnywhere(const Puzzle& puzzle, const QString& word, int dirCount) {
    for (int y = 0; y < puzzle.count; ++y)
        for (int x = 0; x < puzzle.count; ++x)
            for (int dir = 0; dir < dirCount; ++dir)
                if (puzzle.fitsAt(word, x, y, dir)) return true;
    return false;
}

// Places the words on the puzzle's board of n squares across, trying each entry up to
// Game::kMaxTries times with draws from nextRandom. With giveUpWithoutRoom, an entry that fits
// nowhere after Game::kTriesBeforeSearch tries is given up then, as the game does.
inline void placeWords(Puzzle& puzzle, const QStringList& words, qint16 n, qint16 backwards,
                       const std::function<double()>& nextRandom, bool giveUpWithoutRoom = false) {
    auto draw = [&](int m) { return std::clamp(int(std::floor(nextRandom() * m)), 0, m - 1); };
    for (const QString& word : words) {
        if (word.isEmpty() || word.size() > n || word == removalMarker()) continue;
        for (int tries = 1; tries <= Game::kMaxTries; ++tries) {
            const int x = draw(n), y = draw(n), dir = draw(backwards ? 8 : 4);
            if (!puzzle.fitsAt(word, x, y, dir)) {
                if (giveUpWithoutRoom && tries == Game::kTriesBeforeSearch &&
                    !fitsAnywhere(puzzle, word, backwards ? 8 : 4))
                    break;
                continue;
            }
            for (int k = 0; k < word.size(); ++k) {
                Square& s = puzzle.square(x + k * stepX(dir), y + k * stepY(dir));
                s.letter = word[k];
                s.hasLetter = true;
            }
            puzzle.placed.append({qint16(x), qint16(y), dir, word, false});
            break;
        }
    }
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            Square& s = puzzle.square(x, y);
            if (s.hasLetter) continue;
            s.letter = QChar(u'A' + draw(26));
            s.hasLetter = true;
        }
    }
}

}  // namespace pindral::straightforward
