#include "pindral/engine/fitindex.h"

#include <algorithm>
#include <bit>

namespace pindral {

namespace {

constexpr int kBitsPerWord = 64;

}  // namespace

FitIndex::FitIndex(const Puzzle& puzzle)
    : puzzle_(puzzle),
      n_(puzzle.count),
      wordsPerRow_((n_ + kBitsPerWord - 1) / kBitsPerWord),
      free_(size_t(n_) * size_t(wordsPerRow_), 0) {
    for (int y = 0; y < n_; ++y)
        for (int x = 0; x < n_; ++x)
            if (!puzzle.square(x, y).hasLetter)
                free_[size_t(y) * size_t(wordsPerRow_) + size_t(x / kBitsPerWord)] |=
                    std::uint64_t(1) << (x % kBitsPerWord);
}

int FitIndex::slotOf(QChar c) {
    if (const auto found = slots_.constFind(c.unicode()); found != slots_.cend()) return *found;
    Bits bits = free_;
    for (int y = 0; y < n_; ++y) {
        for (int x = 0; x < n_; ++x) {
            const Square& square = puzzle_.square(x, y);
            if (square.hasLetter && square.letter == c)
                bits[size_t(y) * size_t(wordsPerRow_) + size_t(x / kBitsPerWord)] |=
                    std::uint64_t(1) << (x % kBitsPerWord);
        }
    }
    int count = 0;
    for (std::uint64_t word : bits)
        count += std::popcount(word);
    const int slot = int(takes_.size());
    slots_.insert(c.unicode(), slot);
    slotChars_.push_back(c);
    takes_.push_back(std::move(bits));
    counts_.push_back(count);
    return slot;
}

void FitIndex::setLetter(int x, int y, QChar c) {
    const size_t word = size_t(y) * size_t(wordsPerRow_) + size_t(x / kBitsPerWord);
    const std::uint64_t bit = std::uint64_t(1) << (x % kBitsPerWord);
    if (!(free_[word] & bit)) return;  // it held c already
    free_[word] &= ~bit;
    for (size_t slot = 0; slot < takes_.size(); ++slot) {
        if (slotChars_[slot] == c) continue;
        takes_[slot][word] &= ~bit;
        --counts_[slot];
    }
}

void FitIndex::extend(int dir, int k, int slot) {
    std::vector<std::vector<Starts>>& levels = levels_[dir];
    levels.resize(size_t(k) + 1);
    std::vector<Starts>& out = levels[size_t(k)];
    out.clear();
    const std::uint64_t* takes = takes_[size_t(slot)].data();
    auto wordAt = [this, takes](int y, int w) {
        return w >= 0 && w < wordsPerRow_ ? takes[size_t(y) * size_t(wordsPerRow_) + size_t(w)]
                                          : std::uint64_t(0);
    };
    if (k == 0) {
        // Every square that can take the first character starts a fit of it.
        for (int y = 0; y < n_; ++y)
            for (int w = 0; w < wordsPerRow_; ++w)
                if (const std::uint64_t bits = wordAt(y, w)) out.push_back({y, w, bits});
        return;
    }
    // Character k lies k * dx columns right of the start: start bit j reads bit j + offset of
    // word w + words of the row, and the word after it.
    const int shift = k * stepX(dir);
    const int words =
        shift >= 0 ? shift / kBitsPerWord : -((kBitsPerWord - 1 - shift) / kBitsPerWord);
    const int offset = shift - words * kBitsPerWord;
    const int dy = stepY(dir);
    for (const Starts& s : levels[size_t(k) - 1]) {
        const int y = s.y + k * dy;
        if (y < 0 || y >= n_) continue;
        std::uint64_t row = wordAt(y, s.w + words) >> offset;
        if (offset > 0) row |= wordAt(y, s.w + words + 1) << (kBitsPerWord - offset);
        if (const std::uint64_t bits = s.bits & row) out.push_back({s.y, s.w, bits});
    }
}

bool FitIndex::fitsAnywhere(const QString& word, int dirCount,
                            std::vector<std::uint64_t>* columns) {
    if (columns) columns->assign(size_t(wordsPerRow_), 0);
    const int length = int(word.size());
    if (length == 0 || length > n_) return false;
    slotsOfWord_.clear();
    for (QChar c : word) {
        const int slot = slotOf(c);
        if (counts_[size_t(slot)] == 0) return false;
        slotsOfWord_.push_back(slot);
    }
    qsizetype shared = 0;
    while (shared < prefix_.size() && shared < length && prefix_[shared] == word[shared])
        ++shared;
    prefix_ = word;
    for (std::vector<std::vector<Starts>>& levels : levels_)
        levels.resize(std::min(levels.size(), size_t(shared)));

    bool fits = false;
    for (int dir = 0; dir < dirCount; ++dir) {
        std::vector<std::vector<Starts>>& levels = levels_[dir];
        for (int k = int(levels.size()); k < length; ++k) {
            if (k > 0 && levels[size_t(k) - 1].empty()) break;
            extend(dir, k, slotsOfWord_[size_t(k)]);
        }
        if (levels.size() < size_t(length)) continue;  // a beginning already fits nowhere
        // Kept lists may hold start squares that the board has filled since: each is checked.
        for (const Starts& s : levels[size_t(length) - 1]) {
            for (std::uint64_t bits = s.bits; bits; bits &= bits - 1) {
                const int x = s.w * kBitsPerWord + std::countr_zero(bits);
                if (!puzzle_.fitsAt(word, x, s.y, dir)) continue;
                if (!columns) return true;
                fits = true;
                (*columns)[size_t(s.w)] |= bits & -bits;
            }
        }
    }
    return fits;
}

}  // namespace pindral
