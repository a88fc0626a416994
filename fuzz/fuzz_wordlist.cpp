// A word-list file through loadWordList, then a board of a small size built from it with and
// without backward entries, checked square by square. The bytes are written to a file so that the
// whole reading path, decoding and line splitting included, takes part.
#include <QFile>
#include <QTemporaryDir>

#include "pindral/engine/game.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath("words.txt");
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    quint64 state = 0x9E3779B97F4A7C15ull ^ size;
    pindral::Game game([&state] {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return double(state >> 11) / double(1ull << 53);
    });
    if (!game.loadWordList(path).isEmpty()) return 0;
    const qint16 n = qint16(size % 12 + 1);
    game.createBoard(n);
    game.placeWords(n, qint16(size & 1));
    const pindral::Puzzle& puzzle = game.puzzle();
    if (puzzle.squares.size() != size_t(n) * size_t(n)) __builtin_trap();
    // Every placed entry reads from its square in its direction, and no square stays free.
    for (const pindral::PlacedWord& placed : puzzle.placed) {
        for (qsizetype k = 0; k < placed.word.size(); ++k) {
            const int x = placed.x + int(k) * pindral::stepX(placed.dir);
            const int y = placed.y + int(k) * pindral::stepY(placed.dir);
            if (!puzzle.onBoard(x, y) || puzzle.square(x, y).letter != placed.word[k])
                __builtin_trap();
        }
    }
    for (const pindral::Square& square : puzzle.squares)
        if (!square.hasLetter) __builtin_trap();
    game.startPlay();
    return 0;
}
