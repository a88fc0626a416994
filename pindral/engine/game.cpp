#include "pindral/engine/game.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/letters.h"
#include "core/textfile.h"
#include "pindral/engine/containment.h"
#include "pindral/engine/fitindex.h"

namespace pindral {

namespace {

// Work between two pumps: tries at random (a search for room counts as kSearchWork tries), and
// lines composed. Each batch is well under a millisecond, so that a window's pump, which looks
// at the clock and serves events every few milliseconds, is asked often enough.
constexpr int kWorkPerPump = 2048;
constexpr int kSearchWork = 512;
constexpr int kLinesPerPump = 256;

}  // namespace

CellPos squareAt(qint16 x, qint16 y, int squareSize) {
    const int size = std::max(1, squareSize);
    return {qint16(x / size), qint16(y / size)};
}

// ---- The puzzle ----

Puzzle::Puzzle(qint16 n)
    : count(std::max<qint16>(n, 1)), squares(size_t(count) * size_t(count), Square{}) {}

bool Puzzle::fitsAt(const QString& word, int x, int y, int dir) const {
    const int length = int(word.size());
    const int dx = stepX(dir), dy = stepY(dir);
    if (!onBoard(x, y) || !onBoard(x + (length - 1) * dx, y + (length - 1) * dy)) return false;
    for (int k = 0; k < length; ++k)
        if (lettersClash(word[k], square(x + k * dx, y + k * dy))) return false;
    return true;
}

QStringList Puzzle::rows() const {
    QStringList out;
    for (int y = 0; y < count; ++y) {
        QString row;
        for (int x = 0; x < count; ++x) {
            const Square& s = square(x, y);
            row += s.hasLetter ? s.letter : QChar(u'.');
        }
        out << row;
    }
    return out;
}

// ---- Board generation ----

QString Game::loadWordList(const QString& path, core::EventPump& pump) {
    const core::TextFileResult file = core::readTextFile(path, kMaxWordListBytes);
    if (!file.ok) return file.error;
    loadWordText(file.text, pump);
    return QString();
}

bool Game::loadWordText(const QString& text, core::EventPump& pump) {
    active_ = false;
    puzzle_ = Puzzle();
    words_.clear();
    // Reading the file took a while: the window is served before the lines are.
    if (!pump.pumpEvents()) return false;
    core::LineReader lines(text);
    for (QStringView line; lines.next(&line);) {
        words_ << core::composedWord(line);
        if (words_.size() % kLinesPerPump == 0 && !pump.pumpEvents()) {
            words_.clear();
            return false;
        }
    }
    if (removeContainedWords(words_, pump)) return true;
    words_.clear();
    return false;
}

void Game::createBoard(qint16 n) {
    setPuzzle(Puzzle(n));
}

void Game::setPuzzle(Puzzle puzzle) {
    puzzle_ = std::move(puzzle);
    selection_ = Selection();
}

void Game::placeAt(const QString& word, int x, int y, int dir, FitIndex* index) {
    for (int k = 0; k < word.size(); ++k) {
        const int sx = x + k * stepX(dir), sy = y + k * stepY(dir);
        Square& s = puzzle_.square(sx, sy);
        s.letter = word[k];
        s.hasLetter = true;
        if (index) index->setLetter(sx, sy, word[k]);
    }
    puzzle_.placed.append({qint16(x), qint16(y), dir, word, false});
}

bool Game::placeWords(qint16 n, qint16 backwards, core::EventPump& pump) {
    n = std::max<qint16>(n, 1);
    if (n != puzzle_.count) createBoard(n);
    const int dirCount = backwards != 0 ? 8 : 4;
    if (source_) return placeEntries(n, dirCount, pump, [this] { return source_->nextRandom(); });
    return placeEntries(n, dirCount, pump, [this] { return nextRandom_(); });
}

template <typename Next>
bool Game::placeEntries(int n, int dirCount, core::EventPump& pump, Next next) {
    // Made at the first search for room, when the board has filled enough to need one.
    std::optional<FitIndex> index;
    // After the search: the columns where the entry fits somewhere. Most later tries draw
    // another column and fail without a look at the board or their other two draws.
    std::vector<std::uint64_t> columns;
    int work = 0;
    for (const QString& word : std::as_const(words_)) {
        // A removed entry stays out even on a board wide enough to hold the marker.
        if (word.isEmpty() || word.size() > n || word == removalMarker() ||
            !core::fitsOneCharPerSquare(word))
            continue;
        bool searched = false;
        for (int tries = 1; tries <= kMaxTries; ++tries) {
            const int x = core::scaledDraw(next(), n);
            const double yDraw = next();
            const double dirDraw = next();
            if (!searched || (columns[size_t(x) / 64] >> (x % 64) & 1) != 0) {
                const int y = core::scaledDraw(yDraw, n);
                const int dir = core::scaledDraw(dirDraw, dirCount);
                // On a crowded board most tries fail at their first square.
                if (!Puzzle::lettersClash(word[0], puzzle_.square(x, y)) &&
                    puzzle_.fitsAt(word, x, y, dir)) {
                    placeAt(word, x, y, dir, index ? &*index : nullptr);
                    break;
                }
            }
            if (tries == kTriesBeforeSearch) {
                if (!index) index.emplace(puzzle_);
                work += kSearchWork;
                if (!index->fitsAnywhere(word, dirCount, &columns)) break;
                searched = true;
            }
            if (++work >= kWorkPerPump) {
                work = 0;
                if (!pump.pumpEvents()) return false;
            }
        }
    }
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            Square& s = puzzle_.square(x, y);
            if (s.hasLetter) continue;
            s.letter = QChar(u'A' + core::scaledDraw(next(), 26));
            s.hasLetter = true;
        }
    }
    return true;
}

// ---- Play ----

bool Game::startPlay() {
    active_ = !puzzle_.placed.isEmpty();
    return active_;
}

qint32 Game::getDirection(CellPos a, CellPos b) {
    const int dx = a.x - b.x;
    const int dy = a.y - b.y;
    if (dx < 0) {
        if (std::abs(dx) == std::abs(dy)) return dy < 0 ? DirNorthWest : DirSouthWest;
        return dy == 0 ? DirWest : DirInvalid;
    }
    if (dx > 0) {
        if (std::abs(dx) == std::abs(dy)) return dy < 0 ? DirNorthEast : DirSouthEast;
        return dy == 0 ? DirEast : DirInvalid;
    }
    if (dy < 0) return DirNorth;
    return dy > 0 ? DirSouth : DirNone;
}

void Game::beginSelection(CellPos cell) {
    if (!active_ || !puzzle_.onBoard(cell.x, cell.y)) return;
    selection_.selecting = true;
    selection_.firstMove = true;
    selection_.press = cell;
}

QList<SquareChange> Game::extendSelection(CellPos pointer) {
    Selection& sel = selection_;
    if (!sel.selecting || !puzzle_.onBoard(pointer.x, pointer.y)) return {};
    const qint32 dir = getDirection(pointer, sel.press);
    if (dir == DirInvalid) return {};

    QList<SquareChange> changes;
    if (sel.firstMove)
        sel.firstMove = false;
    else
        changes = unhighlightedPath();

    const int dx = stepX(dir), dy = stepY(dir);
    sel.path = {sel.press};
    for (CellPos c = pointer; !(c == sel.press); c = {qint16(c.x - dx), qint16(c.y - dy)})
        sel.path.append(c);
    for (const CellPos& c : std::as_const(sel.path))
        changes.append({c, true});

    auto letterOf = [this](CellPos c) {
        const Square& s = puzzle_.square(c.x, c.y);
        return s.hasLetter ? QString(s.letter) : QString();
    };
    sel.word = letterOf(sel.path[0]);
    for (qsizetype k = sel.path.size() - 1; k >= 1; --k)
        sel.word += letterOf(sel.path[k]);
    sel.origin = sel.path[0];
    sel.dir = dir;
    return changes;
}

SelectionEnd Game::endSelection() {
    SelectionEnd end;
    if (!active_) return end;
    selection_.selecting = false;
    end.ended = true;

    QList<PlacedWord>& placed = puzzle_.placed;
    for (qsizetype j = 0; j < placed.size(); ++j) {
        const PlacedWord& w = placed[j];
        if (w.x == selection_.origin.x && w.y == selection_.origin.y && w.word == selection_.word) {
            end.found = j;
            break;
        }
    }
    if (end.found < 0) return end;

    for (const CellPos& c : std::as_const(selection_.path))
        if (puzzle_.onBoard(c.x, c.y)) puzzle_.square(c.x, c.y).solved = true;
    end.foundBefore = placed[end.found].found;
    placed[end.found].found = true;
    end.foundCount =
        std::count_if(placed.cbegin(), placed.cend(), [](const PlacedWord& w) { return w.found; });
    end.won = end.foundCount == placed.size();
    if (end.won) active_ = false;
    return end;
}

QList<SquareChange> Game::dropSelection() {
    if (!selection_.selecting) return {};
    const QList<SquareChange> changes =
        selection_.firstMove ? QList<SquareChange>() : unhighlightedPath();
    selection_ = Selection();
    return changes;
}

QList<SquareChange> Game::unhighlightedPath() const {
    QList<SquareChange> changes;
    for (const CellPos& c : std::as_const(selection_.path))
        if (puzzle_.onBoard(c.x, c.y)) changes.append({c, false});
    return changes;
}

bool Game::squareSelected(CellPos cell) const {
    const Selection& sel = selection_;
    if (!sel.selecting || sel.firstMove || sel.path.isEmpty()) return false;
    // The path runs in a straight line from its first square to its second, the pointer's.
    const CellPos from = sel.path[0];
    const CellPos to = sel.path.size() > 1 ? sel.path[1] : from;
    const int length = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
    const int k = std::max(std::abs(cell.x - from.x), std::abs(cell.y - from.y));
    return k <= length && cell.x == from.x + k * stepX(sel.dir) &&
           cell.y == from.y + k * stepY(sel.dir);
}

}  // namespace pindral
