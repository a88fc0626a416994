#pragma once

#include <QStringList>

#include "puzzle.h"
#include "tamsorel/engine/gridsearch.h"

// A built puzzle as a script of the grid solver, so the solver can load and solve it.
namespace osterfane {

// The solver's grid holds from 2 x 2 cells up to 32767 cells, so square puzzles from 2 x 2 to
// 181 x 181.
inline constexpr int kMinScriptSize = 2;
inline constexpr int kMaxScriptSize = 181;
bool fitsAScript(int n);

// The solver's search that finds a word laid by the creator in direction dir (kDown ...
// kUpRight), as written or reversed. The solver reads rows left to right, columns top to
// bottom and both diagonals top to bottom (down-right and down-left) forwards, and the same
// lines backwards, so every one of the creator's eight readings has its search: down, right
// and down-right are read forwards; up-right is a down-left diagonal read backwards. A reversed
// word takes the other search of its line. Nothing for a code that is no direction.
std::optional<tamsorel::Direction> searchFinding(qint16 dir, bool reversed);

// The searches a build's words may need: one for each of the four directions, and their
// counterparts when words may be placed reversed. Without reversed words that is horfront,
// vertfront, diagfront and diagback; with them all six.
tamsorel::DirectionFlags searchesFor(bool includeInverted);

// The lines of the script, in the order the solver's own writer emits them: reset, the
// dimensions, the searches of searchesFor, every cell's letter, and one word line for each of
// `words` (the placed words, as placedWords gives them). The puzzle's size must fit a script.
QStringList puzzleScript(const Puzzle& puzzle, const QStringList& words, bool includeInverted);

}  // namespace osterfane
