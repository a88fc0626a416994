#pragma once

// Straightforward versions of the board generation steps, kept to check the game's fast ones
// against: every ordered pair of entries compared, every entry given all its random tries.

#include <algorithm>
#include <cmath>

#include "pindral/engine/game.h"

namespace pindral::straightforward {

// Whether needle occurs in haystack; nothing occurs in an empty entry.
inline bool occursIn(const QString& needle, const QString& haystack) {
    return !haystack.isEmpty() && haystack.contains(needle);
}

inline void RemoveContainedWords(QStringList& words) {
    for (qsizetype i = 0; i < words.size(); ++i)
        for (qsizetype j = 0; j < words.size(); ++j)
            if (i != j && occursIn(words[j], words[i])) words[j] = removalMarker();
}

// Places the game's Words on its current board, trying each entry up to kMaxTries times.
inline void PlaceWords(mGame& game, qint16 n, qint16 backwards) {
    auto draw = [&](int m) {
        return std::clamp(int(std::floor(game.hooks().nextRandom() * m)), 0, m - 1);
    };
    for (const QString& word : std::as_const(game.Words)) {
        if (word.isEmpty() || word.size() > n || word == removalMarker()) continue;
        for (int tries = 1; tries <= mGame::kMaxTries; ++tries) {
            const int x = draw(n), y = draw(n), dir = draw(backwards ? 8 : 4);
            if (!game.fitsAt(word, x, y, dir)) continue;
            for (int k = 0; k < word.size(); ++k) {
                Square& s = game.square(x + k * stepX(dir), y + k * stepY(dir));
                s.Letter = word[k];
                s.HasLetter = true;
            }
            game.PlacedWords.append({qint16(x), qint16(y), dir, word, false});
            break;
        }
    }
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            Square& s = game.square(x, y);
            if (s.HasLetter) continue;
            s.Letter = QChar(u'A' + draw(26));
            s.HasLetter = true;
        }
    }
}

}  // namespace pindral::straightforward
