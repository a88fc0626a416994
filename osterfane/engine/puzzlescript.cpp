#include "puzzlescript.h"

#include "tamsorel/engine/solver.h"

namespace osterfane {

using tamsorel::Direction;

bool fitsAScript(int n) {
    return n >= kMinScriptSize && n <= kMaxScriptSize;
}

std::optional<Direction> searchFinding(qint16 dir, bool reversed) {
    switch (dir) {
        case kDown:
            return reversed ? Direction::VertBack : Direction::VertFront;
        case kRight:
            return reversed ? Direction::HorBack : Direction::HorFront;
        case kDownRight:
            return reversed ? Direction::DiagBack : Direction::DiagFront;
        case kUpRight:
            return reversed ? Direction::DiagFront : Direction::DiagBack;
        default:
            return std::nullopt;
    }
}

tamsorel::DirectionFlags searchesFor(bool includeInverted) {
    tamsorel::DirectionFlags flags{};
    for (qint16 dir : {kDown, kRight, kDownRight, kUpRight}) {
        for (bool reversed : {false, true}) {
            if (reversed && !includeInverted) continue;
            flags[size_t(*searchFinding(dir, reversed))] = true;
        }
    }
    return flags;
}

QStringList puzzleScript(const Puzzle& puzzle, const QStringList& words, bool includeInverted) {
    const int n = puzzle.size();
    tamsorel::Solver solver;
    solver.setDimensionText(tamsorel::Axis::Horizontal, QString::number(n));
    solver.setDimensionText(tamsorel::Axis::Vertical, QString::number(n));
    solver.loadDimensions();
    const tamsorel::DirectionFlags flags = searchesFor(includeInverted);
    for (Direction d : tamsorel::kAllDirections)
        solver.setTicked(d, flags[size_t(d)]);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const char16_t code = puzzle.letterAt(x, y);
            if (code == 0 || code == Puzzle::kEmpty) continue;
            solver.grid().setCellText(tamsorel::cellIndex(n, x + 1, y + 1), QString(QChar(code)));
        }
    }
    solver.setWordsText(words.join(QStringLiteral("\r\n")));
    return solver.scriptLines();
}

}  // namespace osterfane
