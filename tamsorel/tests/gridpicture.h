#pragma once

// Grids as pictures for the solver's tests: a grid is written as rows of letters ('.' for an
// empty cell) and its highlights compare against rows of '#' (found) and '.' (plain).

#include <QStringList>

#include "engine/lettergrid.h"

inline void fillGrid(tamsorel::LetterGrid& grid, const QStringList& rows) {
    const int cols = int(rows.value(0).size());
    grid.create(cols, int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < cols; ++c) {
            const QChar ch = rows[r][c];
            grid.setCellText(tamsorel::cellIndex(cols, c + 1, r + 1),
                             ch == u'.' ? QString() : QString(ch));
        }
}

// '#' for a found cell (red with white text), '.' for a plain one, '?' for anything else.
inline QStringList marked(const tamsorel::LetterGrid& grid) {
    QStringList rows;
    for (int r = 1; r <= grid.gridRows(); ++r) {
        QString row;
        for (int c = 1; c <= grid.gridCols(); ++c) {
            const int n = tamsorel::cellIndex(grid.gridCols(), c, r);
            const auto back = grid.backColor(n);
            const auto fore = grid.foreColor(n);
            if (back == tamsorel::kFoundBack && fore == tamsorel::kFoundFore)
                row += u'#';
            else if (back == tamsorel::kPlainBack && fore == tamsorel::kPlainFore)
                row += u'.';
            else
                row += u'?';
        }
        rows << row;
    }
    return rows;
}
