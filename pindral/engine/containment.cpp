// The containment pass over a word list, computed without comparing every pair.
//
// Comparing every ordered pair (i, j) in order, with the entries as they stand at that moment,
// comes down to this. Row i compares against V(i): the entry i itself when it was still intact
// when its row began, else the removal marker M. An entry j ends as M exactly when some other
// row i has j's original text inside V(i). Only entries made of "x" alone, at most 1000 of
// them (the empty entry included), lie inside M. Working through the rows in order shows:
//   - row i begins with entry i removed exactly when its text lies inside an earlier entry,
//     or when it is made of "x" alone and some earlier row already began with M;
//   - entry j is removed when an intact row other than j contains it, or when it is made of
//     "x" alone and some row other than j began with M.
// Which entries contain which is found with one automaton over all distinct entries.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>
#include <optional>
#include <vector>

#include <QHash>

#include "pindral/engine/containment.h"

namespace pindral {

namespace {

constexpr int kMarkerLength = 1000;

// Characters of pattern or text handled between two pumps: well under a millisecond of work,
// so that a window's pump, which looks at the clock, is asked often enough.
constexpr qsizetype kCharactersPerPump = 1 << 12;

// Calls the pump once per kCharactersPerPump characters counted.
class PumpEvery {
  public:
    explicit PumpEvery(core::EventPump& pump) : pump_(pump) {}
    // Counts characters done; false once the pump asked to stop.
    bool done(qsizetype characters) {
        count_ += characters;
        if (count_ < kCharactersPerPump) return true;
        return now();
    }
    // Pumps at once: after freeing a large structure, which takes a while of its own.
    bool now() {
        count_ = 0;
        return pump_.pumpEvents();
    }

  private:
    core::EventPump& pump_;
    qsizetype count_ = 0;
};

// True when text lies within the removal marker.
bool insideMarker(const QString& text) {
    if (text.size() > kMarkerLength) return false;
    for (QChar c : text)
        if (c != u'x') return false;
    return true;
}

// The edges of a trie: (node, character) to child, in one open-addressing table sized once
// for the most edges the patterns can make. A large table is tens of megabytes: it is taken
// from the system as zeroed pages, which are touched only as edges land in them, so making it
// costs no time of its own.
class EdgeTable {
  public:
    explicit EdgeTable(qsizetype maxEdges) {
        qsizetype capacity = 16;
        shift_ = 60;
        while (capacity < maxEdges + maxEdges / 2 + 1) {
            capacity *= 2;
            --shift_;
        }
        keys_.reset(static_cast<quint64*>(std::calloc(size_t(capacity), sizeof(quint64))));
        values_.reset(static_cast<int*>(std::malloc(size_t(capacity) * sizeof(int))));
        if (!keys_ || !values_) throw std::bad_alloc();
        mask_ = quint64(capacity - 1);
    }

    // The child, or -1.
    int find(int node, QChar c) const {
        const quint64 k = key(node, c);
        for (quint64 i = slot(k);; i = (i + 1) & mask_) {
            if (keys_[i] == k) return values_[i];
            if (keys_[i] == kFree) return -1;
        }
    }

    void insert(int node, QChar c, int child) {
        const quint64 k = key(node, c);
        quint64 i = slot(k);
        while (keys_[i] != kFree)
            i = (i + 1) & mask_;
        keys_[i] = k;
        values_[i] = child;
    }

  private:
    struct Free {
        void operator()(void* p) const { std::free(p); }
    };
    // Keys are one more than (node, character), so the zeroed table starts out free.
    static constexpr quint64 kFree = 0;
    static quint64 key(int node, QChar c) {
        return ((quint64(quint32(node)) << 16) | c.unicode()) + 1;
    }
    quint64 slot(quint64 k) const { return (k * 0x9E3779B97F4A7C15ull) >> shift_; }

    std::unique_ptr<quint64[], Free> keys_;
    std::unique_ptr<int[], Free> values_;  // meaningful where the key is taken
    quint64 mask_ = 0;
    int shift_ = 60;  // keeps the product's top bits, as many as the capacity needs
};

// A multi-pattern matcher over distinct non-empty patterns: reports, for a text, every
// pattern that occurs in it, each once. Building and scanning take time linear in the
// patterns' and the text's length.
class PatternMatcher {
  public:
    explicit PatternMatcher(const QStringList& patterns) : edges_(totalLength(patterns)) {}

    // Builds the matcher; false when the pump asked to stop, and the matcher is then unusable.
    bool build(const QStringList& patterns, PumpEvery& pump) {
        addNode(0, 0, QChar());
        for (int p = 0; p < patterns.size(); ++p) {
            int node = 0;
            for (QChar c : patterns[p]) {
                int child = edges_.find(node, c);
                if (child < 0) {
                    child = addNode(depth_[node] + 1, node, c);
                    edges_.insert(node, c, child);
                }
                node = child;
            }
            pattern_[node] = p;
            if (!pump.done(patterns[p].size())) return false;
        }
        return link(pump);
    }

    // Calls report(pattern) once for every pattern that occurs in text. stamp must differ
    // from every earlier call's.
    template <typename Report>
    void scan(const QString& text, int stamp, Report report) {
        int node = 0;
        for (QChar c : text) {
            node = next(node, c);
            int hit = pattern_[node] >= 0 ? node : output_[node];
            while (hit > 0 && stamp_[hit] != stamp) {
                stamp_[hit] = stamp;
                report(pattern_[hit]);
                hit = output_[hit];
            }
        }
    }

  private:
    static qsizetype totalLength(const QStringList& patterns) {
        qsizetype total = 0;
        for (const QString& p : patterns)
            total += p.size();
        return total;
    }

    int addNode(int depth, int parent, QChar via) {
        depth_.push_back(depth);
        parent_.push_back(parent);
        via_.push_back(via);
        pattern_.push_back(-1);
        fail_.push_back(0);
        output_.push_back(0);
        stamp_.push_back(-1);
        return int(depth_.size()) - 1;
    }

    int next(int node, QChar c) const {
        for (;;) {
            const int to = edges_.find(node, c);
            if (to >= 0) return to;
            if (node == 0) return 0;
            node = fail_[node];
        }
    }

    // Failure and output links, shallow nodes first.
    bool link(PumpEvery& pump) {
        const int nodes = int(depth_.size());
        const int deepest = *std::max_element(depth_.begin(), depth_.end());
        std::vector<int> start(size_t(deepest) + 2, 0);
        for (int d : depth_)
            ++start[size_t(d) + 1];
        for (size_t d = 1; d < start.size(); ++d)
            start[d] += start[d - 1];
        std::vector<int> order(static_cast<size_t>(nodes));
        for (int v = 0; v < nodes; ++v)
            order[size_t(start[size_t(depth_[v])]++)] = v;
        for (int v : order) {
            if (!pump.done(1)) return false;
            if (depth_[v] <= 1) continue;  // the root and its children fail to the root
            fail_[v] = next(fail_[parent_[v]], via_[v]);
            const int f = fail_[v];
            output_[v] = pattern_[f] >= 0 ? f : output_[f];
        }
        return true;
    }

    EdgeTable edges_;
    std::vector<int> depth_, parent_, pattern_, fail_, output_, stamp_;
    std::vector<QChar> via_;
};

}  // namespace

const QString& removalMarker() {
    static const QString marker(kMarkerLength, u'x');
    return marker;
}

bool removeContainedWords(QStringList& words, core::EventPump& eventPump) {
    const int count = int(words.size());
    if (count == 0) return true;
    PumpEvery pump(eventPump);

    // Distinct non-empty texts; the empty text is handled on its own. The large structures
    // are freed as soon as they have served, each followed by a pump: freeing them takes
    // milliseconds of its own.
    QStringList distinct;
    std::vector<int> id(count, -1);
    {
        QHash<QString, int> idOf;
        idOf.reserve(count);  // growing a large table stops the pumps while it rehashes
        for (int i = 0; i < count; ++i) {
            if (words[i].isEmpty()) continue;
            auto it = idOf.constFind(words[i]);
            if (it == idOf.constEnd()) {
                it = idOf.insert(words[i], int(distinct.size()));
                distinct << words[i];
            }
            id[i] = *it;
            if (!pump.done(words[i].size())) return false;
        }
    }
    if (!pump.now()) return false;
    std::optional<PatternMatcher> matcher(std::in_place, distinct);
    if (!matcher->build(distinct, pump)) return false;
    const int distinctCount = int(distinct.size());
    distinct = QStringList();
    if (!pump.now()) return false;

    // First entry that contains each text (its own first copy at the latest).
    std::vector<int> firstContainer(distinctCount, -1);
    int firstNonEmpty = -1;
    int stamp = 0;
    for (int k = 0; k < count; ++k) {
        if (words[k].isEmpty()) continue;
        if (firstNonEmpty < 0) firstNonEmpty = k;
        matcher->scan(words[k], stamp++, [&](int p) {
            if (firstContainer[p] < 0) firstContainer[p] = k;
        });
        if (!pump.done(words[k].size())) return false;
    }
    auto insideEarlier = [&](int i) {
        const int first = id[i] < 0 ? firstNonEmpty : firstContainer[id[i]];
        return first >= 0 && first < i;
    };

    // Which rows begin with their own entry intact.
    std::vector<char> intact(count, 1);
    int firstBroken = -1;
    int brokenCount = 0;
    for (int i = 0; i < count; ++i) {
        const bool broken = insideEarlier(i) || (firstBroken >= 0 && insideMarker(words[i]));
        if (!broken) continue;
        intact[i] = 0;
        ++brokenCount;
        if (firstBroken < 0) firstBroken = i;
    }

    // For each text: how many intact rows contain it (counted up to 2) and the last of them.
    std::vector<int> intactContainers(distinctCount, 0), intactContainer(distinctCount, -1);
    int emptyContainers = 0, emptyContainer = -1;
    for (int k = 0; k < count; ++k) {
        if (!intact[k] || words[k].isEmpty()) continue;
        if (emptyContainers < 2) ++emptyContainers;
        emptyContainer = k;
        matcher->scan(words[k], stamp++, [&](int p) {
            if (intactContainers[p] < 2) ++intactContainers[p];
            intactContainer[p] = k;
        });
        if (!pump.done(words[k].size())) return false;
    }
    matcher.reset();
    if (!pump.now()) return false;

    for (int j = 0; j < count; ++j) {
        const int containers = id[j] < 0 ? emptyContainers : intactContainers[id[j]];
        const int container = id[j] < 0 ? emptyContainer : intactContainer[id[j]];
        const bool insideOther = containers >= 2 || (containers == 1 && container != j);
        const bool otherBroken = brokenCount - (intact[j] ? 0 : 1) > 0;
        if (insideOther || (otherBroken && insideMarker(words[j]))) words[j] = removalMarker();
    }
    return true;
}

}  // namespace pindral
