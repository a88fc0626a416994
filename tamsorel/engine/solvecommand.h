#pragma once

#include <QString>

#include "lettergrid.h"

// The solver without a window: `tamsorel --solve FILE`.
namespace tamsorel {

// The grid as text, one line per row with a space between cells: a found cell shows its
// letter in upper case, any other cell in lower case (a letter without case shows as it is);
// an empty cell shows as '.', or as '#' when a word with a space found it. Each line ends with
// a line feed. Upper and lower case map one character to one, so the columns stay aligned.
QString gridText(const LetterGrid& grid);

// What solving a script prints and the exit status it ends with.
struct SolveReport {
    // 0: every word was found at least once; 1: some word was not found, or the script builds
    // no grid to search; 2: the file cannot be read or is empty.
    int status = 0;
    // For standard output: the solved grid (gridText), an empty line, then one line per word
    // in the script's order, "uniq -c" style: the count of occurrences right-aligned in seven
    // columns, a space, and the word as it stands.
    QString output;
    // For standard error, without the program's name; empty when there is nothing to say.
    QString error;
};

// Loads the script at path into a solver as "Load" does in a window that has just started (all
// six searches ticked; the script's direction lines can only add ticks), then runs "Search".
SolveReport solveScript(const QString& path);

}  // namespace tamsorel
