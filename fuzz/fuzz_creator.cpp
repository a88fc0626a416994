// The creator's construction with arbitrary words: the first byte chooses the size (1 to 40)
// and the include-inverted flag; the rest is split at line ends into words of any characters,
// at least two each, as the window's list holds them. The build must end, keep every solution
// inside its grid, and fill.
#include <QStringList>

#include "core/textfile.h"
#include "osterfane/engine/puzzle.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int n = 1 + data[0] % 40;
    const bool inverted = (data[0] & 0x80) != 0;
    const QByteArray rest(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    // The window never lists a word shorter than two characters.
    QStringList words;
    for (const QString& line : core::splitLines(core::decodeText(rest)))
        if (line.size() >= 2) words.append(line);
    if (words.size() > 16) return 0;  // keeps one input under a second
    osterfane::Puzzle puzzle(n);
    puzzle.clearPuzzle(n);
    puzzle.createPuzzle(words, n, inverted);
    puzzle.fillRemainingWithRandom();
    for (const osterfane::Solution& s : puzzle.solutions()) {
        if (s.x1 < 0 || s.y1 < 0 || s.x2 < 0 || s.y2 < 0 || s.x1 >= n || s.y1 >= n || s.x2 >= n ||
            s.y2 >= n)
            __builtin_trap();
    }
    return 0;
}
