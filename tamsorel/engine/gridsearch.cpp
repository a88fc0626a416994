#include "gridsearch.h"

#include <algorithm>

#include "core/letters.h"

namespace tamsorel {

Lines rowLines(int cols, int rows) {
    Lines lines;
    lines.reserve(size_t(rows));
    for (int row = 1; row <= rows; ++row) {
        std::vector<int> line;
        line.reserve(size_t(cols));
        for (int col = 1; col <= cols; ++col)
            line.push_back(cellIndex(cols, col, row));
        lines.push_back(std::move(line));
    }
    return lines;
}

Lines columnLines(int cols, int rows) {
    Lines lines;
    lines.reserve(size_t(cols));
    for (int col = 1; col <= cols; ++col) {
        std::vector<int> line;
        line.reserve(size_t(rows));
        for (int row = 1; row <= rows; ++row)
            line.push_back(cellIndex(cols, col, row));
        lines.push_back(std::move(line));
    }
    return lines;
}

Lines diagonalLines(int cols, int rows) {
    Lines lines;
    // Steps from (col, row) by (dc, 1) while the cell stays inside the grid.
    auto walk = [&](int col, int row, int dc) {
        std::vector<int> line;
        for (; col >= 1 && col <= cols && row <= rows; col += dc, ++row)
            line.push_back(cellIndex(cols, col, row));
        lines.push_back(std::move(line));
    };
    for (int col = cols; col >= 2; --col)
        walk(col, 1, +1);
    for (int row = 1; row <= rows; ++row)
        walk(1, row, +1);
    for (int col = cols - 1; col >= 1; --col)
        walk(col, 1, -1);
    for (int row = 1; row <= rows; ++row)
        walk(cols, row, -1);
    return lines;
}

const GridSearch::LineSet& GridSearch::lines(Kind kind) {
    LineSet& set = lineSets_[kind];
    const int cols = grid_.gridCols();
    const int rows = grid_.gridRows();
    if (set.version == grid_.textVersion() && set.cols == cols && set.rows == rows) return set;

    const Lines lines = kind == Rows      ? rowLines(cols, rows)
                        : kind == Columns ? columnLines(cols, rows)
                                          : diagonalLines(cols, rows);
    size_t total = 0;
    for (const auto& line : lines)
        total += line.size();
    set.text.resize(qsizetype(total));
    set.cell.resize(total);
    set.lineEnd.resize(total);
    QChar* out = set.text.data();
    size_t pos = 0;
    for (const auto& line : lines) {
        const int end = int(pos + line.size());
        for (int n : line) {
            const LetterGrid::Cell& c = grid_.cells_[size_t(n - 1)];
            out[pos] = c.filled ? QChar(c.ch) : QChar(u' ');
            set.cell[pos] = n;
            set.lineEnd[pos] = end;
            ++pos;
        }
    }
    set.byChar.resize(total);
    for (size_t i = 0; i < total; ++i)
        set.byChar[i] = int(i);
    std::stable_sort(set.byChar.begin(), set.byChar.end(),
                     [&](int a, int b) { return out[a].unicode() < out[b].unicode(); });
    set.version = grid_.textVersion();
    set.cols = cols;
    set.rows = rows;
    return set;
}

void GridSearch::mark(int n) {
    grid_.setBackColor(n, kFoundBack);
    grid_.setForeColor(n, kFoundFore);
}

void GridSearch::markMatches(Kind kind, const QString& word) {
    if (word.isEmpty() || !grid_.exists()) return;
    const int length = int(word.size());
    const LineSet& set = lines(kind);
    const QChar* text = set.text.constData();
    const QChar* w = word.constData();
    const char16_t first = w[0].unicode();
    // Every position that holds the first character is a start to try, so overlapping
    // occurrences are all found; a match that runs past the end of its line is not one.
    auto begin = std::lower_bound(set.byChar.begin(), set.byChar.end(), first,
                                  [&](int pos, char16_t c) { return text[pos].unicode() < c; });
    for (auto it = begin; it != set.byChar.end() && text[*it].unicode() == first; ++it) {
        const int p = *it;
        if (p + length > set.lineEnd[size_t(p)]) continue;
        if (!std::equal(w + 1, w + length, text + p + 1)) continue;
        for (int k = p; k < p + length; ++k)
            mark(set.cell[size_t(k)]);
    }
}

void GridSearch::searchHorFront(const QString& word) {
    markMatches(Rows, word);
}
void GridSearch::searchHorBack(const QString& word) {
    markMatches(Rows, core::reversed(word));
}
void GridSearch::searchVertFront(const QString& word) {
    markMatches(Columns, word);
}
void GridSearch::searchVertBack(const QString& word) {
    markMatches(Columns, core::reversed(word));
}
void GridSearch::searchDiagFront(const QString& word) {
    markMatches(Diagonals, word);
}
void GridSearch::searchDiagBack(const QString& word) {
    markMatches(Diagonals, core::reversed(word));
}

void GridSearch::search(Direction d, const QString& word) {
    switch (d) {
        case Direction::HorFront:
            searchHorFront(word);
            break;
        case Direction::HorBack:
            searchHorBack(word);
            break;
        case Direction::VertFront:
            searchVertFront(word);
            break;
        case Direction::VertBack:
            searchVertBack(word);
            break;
        case Direction::DiagFront:
            searchDiagFront(word);
            break;
        case Direction::DiagBack:
            searchDiagBack(word);
            break;
    }
}

void GridSearch::clearHighlights() {
    for (int n = 1; n <= grid_.cellCount(); ++n) {
        grid_.setBackColor(n, kPlainBack);
        grid_.setForeColor(n, kPlainFore);
    }
}

QStringList splitWords(const QString& wordText) {
    if (!wordText.contains(QStringLiteral("\r\n"))) return {wordText};
    return wordText.split(QStringLiteral("\r\n"));
}

bool searchWords(LetterGrid& grid, const QString& wordText, const DirectionFlags& flags, Log& log,
                 core::EventPump& pump) {
    auto addLog = [&](const QString& message) {
        log.add(message);
        return pump.pumpEvents();
    };
    if (!grid.exists()) return addLog(QStringLiteral("Please load your dimensions first.."));
    GridSearch search(grid);
    search.clearHighlights();
    for (const QString& word : splitWords(wordText)) {
        if (word.isEmpty()) continue;
        if (!addLog(QStringLiteral("Searching '") + word + QStringLiteral("'.."))) return false;
        for (int i = 0; i < kDirectionCount; ++i)
            if (flags[size_t(i)]) search.search(kAllDirections[size_t(i)], word);
    }
    return addLog(QStringLiteral("Search complete."));
}

}  // namespace tamsorel
