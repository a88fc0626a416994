// The creator's word file and construction with arbitrary bytes: the first byte chooses the size
// (1 to 40) and the include-inverted flag; the rest is a word file, read line by line into
// the list as the window and the command line read it. Every entry must be listable and
// listed once; the build must end, keep every solution inside its grid, and fill.
#include <QSet>
#include <QStringList>

#include "core/textfile.h"
#include "osterfane/engine/puzzle.h"
#include "osterfane/engine/wordlist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int n = 1 + data[0] % 40;
    const bool inverted = (data[0] & 0x80) != 0;
    const QByteArray rest(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QStringList words =
        osterfane::entriesFromLines(core::splitLines(core::decodeText(rest))).entries;
    QSet<QString> seen;
    for (const QString& word : words) {
        if (!osterfane::isListable(word) || seen.contains(word.toLower())) __builtin_trap();
        seen.insert(word.toLower());
    }
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
