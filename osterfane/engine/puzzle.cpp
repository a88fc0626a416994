#include "puzzle.h"

#include <algorithm>
#include <array>

#include "core/letters.h"
#include "core/numbers.h"

namespace osterfane {

namespace {

struct Step {
    int dx = 0;
    int dy = 0;
};

// The step from one cell of a word to the next; {0, 0} for a code that is no direction.
Step stepOf(qint16 dir) {
    switch (dir) {
        case kDown:
            return {0, 1};
        case kRight:
            return {1, 0};
        case kDownRight:
            return {1, 1};
        case kUpRight:
            return {1, -1};
        default:
            return {};
    }
}

}  // namespace

Puzzle::Puzzle(int n, std::function<double()> nextRandom) : nextRandom_(std::move(nextRandom)) {
    clearPuzzle(n);
    std::fill(letterGrid_.begin(), letterGrid_.end(), char16_t(0));
}

void Puzzle::clearPuzzle(int n) {
    n_ = std::max(n, 0);
    const std::size_t cells = std::size_t(n_) * std::size_t(n_);
    letterGrid_.assign(cells, kEmpty);
    dirGrid_.assign(cells, 0);
    solutions_.clear();
}

qint16 Puzzle::wordsTooLong(const QStringList& words, int n) {
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (words[i].size() > n) return qint16(i);
    }
    return -1;
}

char16_t Puzzle::letterCode(QChar c) {
    return c.toUpper().unicode();
}

bool Puzzle::isDirPossible(qint16 dir, const QString& str, qint16 xpos, qint16 ypos) const {
    const Step step = stepOf(dir);
    if (step.dx == 0 && step.dy == 0) return false;
    const int length = int(str.size());
    const int x = xpos;
    const int y = ypos;
    // Fit: the start and the last cell lie inside the grid, so every cell between does too.
    if (!inside(x, y)) return false;
    if (length > 0 && !inside(x + (length - 1) * step.dx, y + (length - 1) * step.dy)) {
        return false;
    }

    int sameDirection = 0;
    for (int k = 0; k < length; ++k) {
        const std::size_t cell = index(x + k * step.dx, y + k * step.dy);
        if (dirGrid_[cell] == 0) continue;
        if (dirGrid_[cell] == dir) ++sameDirection;
        if (letterGrid_[cell] != letterCode(str[k])) return false;
    }
    if (sameDirection > 0) return false;

    // Two words of one direction never touch end to end on one line.
    const int beforeX = x - step.dx;
    const int beforeY = y - step.dy;
    if (inside(beforeX, beforeY) && dirGrid_[index(beforeX, beforeY)] == dir) return false;
    const int afterX = x + length * step.dx;
    const int afterY = y + length * step.dy;
    if (inside(afterX, afterY) && dirGrid_[index(afterX, afterY)] == dir) return false;
    return true;
}

void Puzzle::putWord(const QString& str, qint16 xpos, qint16 ypos, qint16 dir) {
    const Step step = stepOf(dir);
    const int length = int(str.size());
    for (int k = 0; k < length; ++k) {
        const int x = xpos + k * step.dx;
        const int y = ypos + k * step.dy;
        if (!inside(x, y)) continue;
        letterGrid_[index(x, y)] = letterCode(str[k]);
        dirGrid_[index(x, y)] = quint8(dir);
    }
    solutions_.append(
        {xpos, ypos, qint16(xpos + (length - 1) * step.dx), qint16(ypos + (length - 1) * step.dy)});
}

double Puzzle::draw() {
    return nextRandom_ ? nextRandom_() : ownRandom_.nextRandom();
}

int Puzzle::drawBelow(int m) {
    return m > 0 ? core::scaledDraw(draw(), m) : 0;
}

PuzzleOutcome Puzzle::createPuzzle(const QStringList& words, int n, bool includeInverted,
                                   core::EventPump& pump) {
    const qint16 tooLong = wordsTooLong(words, n);
    if (tooLong >= 0) return {PuzzleOutcome::Kind::TooLong, tooLong, words[tooLong]};

    for (const QString& word : words) {
        qint16 x = qint16(drawBelow(n));
        qint16 y = qint16(drawBelow(n));
        QString s = word;
        if (includeInverted && drawBelow(2) == 1) s = core::reversed(word);

        qint16 dir = qint16(drawBelow(4) + 1);
        bool possible = isDirPossible(dir, s, x, y);
        qint32 retries = 0;
        while (!possible) {
            if (retries >= kMaxRetries) return {PuzzleOutcome::Kind::NoRoom, -1, s};
            // A retry keeps its start until all four directions were tried or one fits; a
            // direction already tried may be drawn again.
            x = qint16(drawBelow(n));
            y = qint16(drawBelow(n));
            std::array<bool, 4> triedDir{};
            while (!(triedDir[0] && triedDir[1] && triedDir[2] && triedDir[3])) {
                dir = qint16(drawBelow(4) + 1);
                possible = isDirPossible(dir, s, x, y);
                triedDir[dir - 1] = true;
                if (possible) break;
            }
            if (!pump.pumpEvents()) return {PuzzleOutcome::Kind::Stopped, -1, {}};
            ++retries;
        }
        putWord(s, x, y, dir);
    }
    return {};
}

void Puzzle::fillRemainingWithRandom() {
    for (int y = 0; y < n_; ++y) {
        for (int x = 0; x < n_; ++x) {
            if (dirGrid_[index(x, y)] != 0) continue;
            letterGrid_[index(x, y)] = char16_t(core::roundHalfEven(draw() * 25 + 65));
        }
    }
}

QString outcomeMessage(const PuzzleOutcome& outcome) {
    switch (outcome.kind) {
        case PuzzleOutcome::Kind::TooLong:
            return QStringLiteral("Word: '") + outcome.word +
                   QStringLiteral("' is too long, increase size or remove word");
        case PuzzleOutcome::Kind::NoRoom:
            return QStringLiteral("After %1 retries still no possible move on ")
                       .arg(Puzzle::kMaxRetries) +
                   outcome.word + QStringLiteral(" :s");
        case PuzzleOutcome::Kind::AllPlaced:
        case PuzzleOutcome::Kind::Stopped:
            break;
    }
    return {};
}

QStringList placedWords(const QStringList& words, const Puzzle& puzzle) {
    QStringList placed;
    for (qsizetype i = 0; i < puzzle.solutions().size() && i < words.size(); ++i) {
        QString word = words[i];
        for (QChar& c : word)
            c = QChar(Puzzle::letterCode(c));
        placed << word;
    }
    return placed;
}

// The field is read by its leading number. A fractional size is refused rather than rounded,
// since the draws, the grids and the drawing must all use the same whole number.
std::optional<int> sizeFromText(QStringView text, int maxSize) {
    const double value = core::leadingNumber(text);
    if (value < 1 || value > maxSize || value != core::roundHalfEven(value)) return std::nullopt;
    return int(value);
}

}  // namespace osterfane
