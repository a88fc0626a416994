#include "gridsearch.h"

#include <algorithm>
#include <iterator>

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
    orderByKey(set);
    set.version = grid_.textVersion();
    set.cols = cols;
    set.rows = rows;
    return set;
}

void GridSearch::orderByKey(LineSet& set) {
    const size_t total = set.cell.size();
    const QChar* text = set.text.constData();
    // A grid holds at most kMaxCells characters, so every rank fits in 16 bits.
    std::vector<quint16> rank(size_t(1) << 16, 0);
    for (size_t p = 0; p < total; ++p)
        rank[text[p].unicode()] = 1;
    set.alphabet.clear();
    for (size_t c = 0; c < rank.size(); ++c)
        if (rank[c]) {
            set.alphabet.push_back(char16_t(c));
            rank[c] = quint16(set.alphabet.size());
        }

    std::vector<quint64> keyAt(total);
    for (size_t p = 0; p < total; ++p) {
        quint64 key = 0;
        for (int i = 0; i < kKeyLength; ++i) {
            const size_t q = p + size_t(i);
            key = key << 16 | (q < size_t(set.lineEnd[p]) ? rank[text[q].unicode()] : 0u);
        }
        keyAt[p] = key;
    }
    // A stable counting sort per character of the key, the last character first.
    set.order.resize(total);
    for (size_t p = 0; p < total; ++p)
        set.order[p] = int(p);
    std::vector<int> sorted(total);
    std::vector<int> start(set.alphabet.size() + 2);
    for (int i = kKeyLength - 1; i >= 0; --i) {
        const int shift = 16 * (kKeyLength - 1 - i);
        std::fill(start.begin(), start.end(), 0);
        for (size_t p = 0; p < total; ++p)
            ++start[size_t((keyAt[p] >> shift) & 0xFFFF) + 1];
        for (size_t r = 1; r < start.size(); ++r)
            start[r] += start[r - 1];
        for (int p : set.order)
            sorted[size_t(start[size_t((keyAt[size_t(p)] >> shift) & 0xFFFF)]++)] = p;
        set.order.swap(sorted);
    }
    set.keys.resize(total);
    for (size_t i = 0; i < total; ++i)
        set.keys[i] = keyAt[size_t(set.order[i])];
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
    // The keys of the positions where the word's first characters start: they lie between
    // the word's own key with 0 for the characters it lacks and the same with the highest rank.
    const int keyed = std::min(length, kKeyLength);
    quint64 low = 0;
    for (int i = 0; i < keyed; ++i) {
        const auto found =
            std::lower_bound(set.alphabet.begin(), set.alphabet.end(), w[i].unicode());
        if (found == set.alphabet.end() || *found != w[i].unicode()) return;  // not in any line
        low |= quint64(found - set.alphabet.begin() + 1) << (16 * (kKeyLength - 1 - i));
    }
    const quint64 high = low | ((quint64(1) << (16 * (kKeyLength - keyed))) - 1);
    // Only a word that reads the same both ways (one letter among them) can be found twice on
    // the same cells: by the other direction, or for one letter by another kind of line.
    occurrencesMayRepeat_ = occurrencesMayRepeat_ ||
                            std::equal(w, w + length / 2, std::make_reverse_iterator(w + length));
    // Every start is tried, so overlapping occurrences are all found; a key never runs past
    // the end of its line, and neither may the rest of the word.
    const auto first = std::lower_bound(set.keys.begin(), set.keys.end(), low);
    const auto last = std::upper_bound(first, set.keys.end(), high);
    for (auto it = first; it != last; ++it) {
        const int p = set.order[size_t(it - set.keys.begin())];
        if (p + length > set.lineEnd[size_t(p)]) continue;
        if (!std::equal(w + keyed, w + length, text + p + keyed)) continue;
        for (int k = p; k < p + length; ++k)
            mark(set.cell[size_t(k)]);
        const int firstCell = set.cell[size_t(p)];
        const int lastCell = set.cell[size_t(p + length - 1)];
        occurrences_.emplace_back(std::min(firstCell, lastCell), std::max(firstCell, lastCell));
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

int GridSearch::takeOccurrenceCount() {
    // Two end cells fix a run of cells in a straight line.
    if (occurrencesMayRepeat_) {
        std::sort(occurrences_.begin(), occurrences_.end());
        occurrences_.erase(std::unique(occurrences_.begin(), occurrences_.end()),
                           occurrences_.end());
    }
    const int count = int(occurrences_.size());
    occurrences_.clear();
    occurrencesMayRepeat_ = false;
    return count;
}

QStringList splitWords(const QString& wordText) {
    if (!wordText.contains(QStringLiteral("\r\n"))) return {wordText};
    return wordText.split(QStringLiteral("\r\n"));
}

bool searchWords(LetterGrid& grid, const QString& wordText, const DirectionFlags& flags, Log& log,
                 core::EventPump& pump, std::vector<WordCount>* counts) {
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
        const int occurrences = search.takeOccurrenceCount();
        if (counts) counts->push_back({word, occurrences});
    }
    return addLog(QStringLiteral("Search complete."));
}

}  // namespace tamsorel
