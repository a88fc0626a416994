#pragma once

#include <QString>
#include <QStringList>

// The puzzle both sheet solvers start with: a 300-letter sheet of astronomy words in which each
// of the 51 strings occurs exactly once, across all eight directions.
namespace sheetsolver {

// The sheet as one run of 300 capitals, row by row, 20 to a row.
QString demoSheet();

// The 51 strings, in alphabetical order.
QStringList demoStrings();

// The letters left white once every string is found, in cell order.
QString demoKeyword();

}  // namespace sheetsolver
