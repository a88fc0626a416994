#include "lettergrid.h"

#include <utility>

namespace tamsorel {

void LetterGrid::create(int cols, int rows) {
    cols_ = qint16(cols);
    rows_ = qint16(rows);
    cells_.assign(size_t(cols) * size_t(rows), Cell{});
    ++textVersion_;
    reshaped();
}

void LetterGrid::destroy() {
    cells_.clear();
    cells_.shrink_to_fit();
    cols_ = 0;
    rows_ = 0;
    ++textVersion_;
    reshaped();
}

QString LetterGrid::cellText(int n) const {
    if (!isCell(n) || !cells_[n - 1].filled) return QString();
    return QString(QChar(cells_[n - 1].ch));
}

void LetterGrid::setCellText(int n, QStringView text) {
    if (!isCell(n)) return;
    Cell& c = cells_[n - 1];
    const bool filled = !text.isEmpty() && !text.front().isSurrogate();
    const char16_t ch = filled ? text.front().unicode() : 0;
    if (c.filled == filled && c.ch == ch) return;
    c.filled = filled;
    c.ch = ch;
    ++textVersion_;
    changes_.texts.push_back({n, filled});
    changed(n);
}

void LetterGrid::setBackColor(int n, Colour colour) {
    if (!isCell(n) || cells_[n - 1].back == colour) return;
    cells_[n - 1].back = colour;
    changed(n);
}

void LetterGrid::setForeColor(int n, Colour colour) {
    if (!isCell(n) || cells_[n - 1].fore == colour) return;
    cells_[n - 1].fore = colour;
    changed(n);
}

GridChanges LetterGrid::takeChanges() {
    for (int n : changes_.cells)
        listed_[size_t(n - 1)] = false;
    return std::exchange(changes_, GridChanges{});
}

void LetterGrid::reshaped() {
    changes_ = GridChanges{};
    changes_.reshaped = true;
    listed_.assign(cells_.size(), false);
}

void LetterGrid::changed(int n) {
    if (listed_[size_t(n - 1)]) return;
    listed_[size_t(n - 1)] = true;
    changes_.cells.push_back(n);
}

}  // namespace tamsorel
