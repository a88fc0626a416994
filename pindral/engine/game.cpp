#include "pindral/engine/game.h"

#include <algorithm>
#include <cmath>

#include "core/letters.h"
#include "core/textfile.h"

namespace pindral {

namespace {

// Tries made at random before checking whether the entry has room anywhere. Any number gives
// the same results; a small one keeps a crowded board from costing kMaxTries tries per entry.
constexpr int kTriesBeforeSearch = 32;

constexpr int kStepX[] = {1, 0, 1, 1, -1, 0, -1, -1, 0, 0};
constexpr int kStepY[] = {0, 1, -1, 1, 0, -1, 1, -1, 0, 0};

}  // namespace

int stepX(qint32 dir) {
    return dir >= 0 && dir <= DirNone ? kStepX[dir] : 0;
}
int stepY(qint32 dir) {
    return dir >= 0 && dir <= DirNone ? kStepY[dir] : 0;
}

// ---- Board generation ----

QString mGame::LoadWordList(const QString& path) {
    const core::TextFileResult file = core::readTextFile(path, kMaxWordListBytes);
    if (!file.ok) return file.error;
    LoadWordText(file.text);
    return QString();
}

void mGame::LoadWordText(const QString& text) {
    GameActive = false;
    Board.clear();
    CurrentCount = 0;
    PlacedWords.clear();
    Words.clear();
    for (const QString& line : core::splitLines(text))
        Words << core::composedWord(line);
    RemoveContainedWords(Words);
}

void mGame::CreateBoard(qint16 n) {
    CurrentCount = std::max<qint16>(n, 1);
    Board.assign(size_t(CurrentCount) * size_t(CurrentCount), Square{});
    PlacedWords.clear();
    Selecting = false;
    FirstMove = false;
    PressCell = {};
    SelPath.clear();
    SelOrigin = {};
    SelWord.clear();
    SelDir = DirNone;
}

int mGame::draw(int m) {
    const double r = hooks_.nextRandom();
    const int value = int(std::floor(r * m));
    return std::clamp(value, 0, m - 1);
}

bool mGame::fitsAt(const QString& word, int x, int y, int dir) const {
    const int length = int(word.size());
    const int dx = stepX(dir), dy = stepY(dir);
    if (!onBoard(x, y) || !onBoard(x + (length - 1) * dx, y + (length - 1) * dy)) return false;
    for (int k = 0; k < length; ++k)
        if (LettersClash(word[k], square(x + k * dx, y + k * dy))) return false;
    return true;
}

bool mGame::anyPlacement(const QString& word, int dirCount) const {
    for (int y = 0; y < CurrentCount; ++y) {
        for (int x = 0; x < CurrentCount; ++x) {
            if (LettersClash(word[0], square(x, y))) continue;
            for (int dir = 0; dir < dirCount; ++dir)
                if (fitsAt(word, x, y, dir)) return true;
        }
    }
    return false;
}

void mGame::placeAt(const QString& word, int x, int y, int dir) {
    for (int k = 0; k < word.size(); ++k) {
        Square& s = square(x + k * stepX(dir), y + k * stepY(dir));
        s.Letter = word[k];
        s.HasLetter = true;
    }
    PlacedWords.append({qint16(x), qint16(y), dir, word, false});
}

void mGame::PlaceWords(qint16 n, qint16 backwards) {
    n = std::max<qint16>(n, 1);
    if (n != CurrentCount) CreateBoard(n);
    const int dirCount = backwards != 0 ? 8 : 4;
    for (const QString& word : std::as_const(Words)) {
        // A removed entry stays out even on a board wide enough to hold the marker.
        if (word.isEmpty() || word.size() > n || word == removalMarker() ||
            !core::fitsOneCharPerSquare(word))
            continue;
        for (int tries = 1; tries <= kMaxTries; ++tries) {
            const int x = draw(n);
            const int y = draw(n);
            const int dir = draw(dirCount);
            if (fitsAt(word, x, y, dir)) {
                placeAt(word, x, y, dir);
                break;
            }
            if (tries == kTriesBeforeSearch && !anyPlacement(word, dirCount)) break;
        }
    }
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            Square& s = square(x, y);
            if (s.HasLetter) continue;
            s.Letter = QChar(u'A' + draw(26));
            s.HasLetter = true;
        }
    }
}

QStringList mGame::rows() const {
    QStringList out;
    for (int y = 0; y < CurrentCount; ++y) {
        QString row;
        for (int x = 0; x < CurrentCount; ++x) {
            const Square& s = square(x, y);
            row += s.HasLetter ? s.Letter : QChar(u'.');
        }
        out << row;
    }
    return out;
}

// ---- Play ----

qint32 mGame::GetDirection(CellPos a, CellPos b) {
    const int dx = a.X - b.X;
    const int dy = a.Y - b.Y;
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

bool mGame::cellAt(qint16 x, qint16 y, CellPos& cell) const {
    const int size = std::max(1, hooks_.squareSize());
    // Whole-number division truncates towards zero, so -0 .. -(size-1) count as column 0.
    const int column = x / size;
    const int row = y / size;
    if (!onBoard(column, row)) return false;
    cell = {qint16(column), qint16(row)};
    return true;
}

void mGame::BeginSelection(qint16 x, qint16 y) {
    if (!GameActive) return;
    CellPos cell;
    if (!cellAt(x, y, cell)) return;
    Selecting = true;
    FirstMove = true;
    PressCell = cell;
}

void mGame::ExtendSelection(qint16 x, qint16 y) {
    if (!Selecting) return;
    CellPos pointer;
    if (!cellAt(x, y, pointer)) return;
    const qint32 dir = GetDirection(pointer, PressCell);
    if (dir == DirInvalid) return;

    if (FirstMove) {
        FirstMove = false;
    } else {
        for (const CellPos& c : std::as_const(SelPath))
            if (onBoard(c.X, c.Y)) hooks_.DrawSquare(c.X, c.Y, false);
    }

    const int dx = stepX(dir), dy = stepY(dir);
    hooks_.DrawSquare(PressCell.X, PressCell.Y, true);
    SelPath = {PressCell};
    for (CellPos c = pointer; !(c == PressCell); c = {qint16(c.X - dx), qint16(c.Y - dy)}) {
        hooks_.DrawSquare(c.X, c.Y, true);
        SelPath.append(c);
    }

    auto letterOf = [this](CellPos c) {
        const Square& s = square(c.X, c.Y);
        return s.HasLetter ? QString(s.Letter) : QString();
    };
    SelWord = letterOf(SelPath[0]);
    for (qsizetype k = SelPath.size() - 1; k >= 1; --k)
        SelWord += letterOf(SelPath[k]);
    SelOrigin = SelPath[0];
    SelDir = dir;
}

void mGame::EndSelection() {
    if (!GameActive) return;
    Selecting = false;

    qsizetype match = -1;
    for (qsizetype j = 0; j < PlacedWords.size(); ++j) {
        const PlacedWord& w = PlacedWords[j];
        if (w.X == SelOrigin.X && w.Y == SelOrigin.Y && w.Word == SelWord) {
            match = j;
            break;
        }
    }
    if (match < 0) {
        hooks_.DrawBoard();
        return;
    }

    for (const CellPos& c : std::as_const(SelPath))
        if (onBoard(c.X, c.Y)) square(c.X, c.Y).Solved = true;
    hooks_.markNodeFound(int(match) + 1);
    PlacedWords[match].Found = true;
    const bool allFound = std::all_of(PlacedWords.cbegin(), PlacedWords.cend(),
                                      [](const PlacedWord& w) { return w.Found; });
    if (allFound) {
        hooks_.showMessage(kClosingMessage, kProgramTitle);
        GameActive = false;
    }
    hooks_.DrawBoard();
}

bool mGame::StartPlay() {
    GameActive = !PlacedWords.isEmpty();
    return GameActive;
}

}  // namespace pindral
