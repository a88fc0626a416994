#pragma once

#include <cstdint>

namespace core {

// The 64-bit Mersenne Twister (MT19937-64): the same sequence as std::mt19937_64 from the same
// seed, made a block of 312 numbers at a time in loops the compiler can vectorise. A large
// game board draws hundreds of millions of numbers, and the standard library's engine made
// them one at a time at several times the cost.
class MersenneTwister64 {
  public:
    static constexpr int kStateSize = 312;

    explicit MersenneTwister64(std::uint64_t seed = 5489u) { seed_(seed); }
    void seed(std::uint64_t seed) { seed_(seed); }

    std::uint64_t operator()() {
        if (next_ == kStateSize) refill();
        return block_[next_++];
    }

  private:
    void seed_(std::uint64_t seed);
    // Twists the state once and tempers all of it into block_.
    void refill();

    std::uint64_t state_[kStateSize];
    std::uint64_t block_[kStateSize];
    int next_ = kStateSize;
};

// floor(r * m) within 0 .. m - 1, for a draw r of a random source and m >= 1: which of m equal
// parts of [0, 1) r falls in. For r * m >= 0 the conversion's truncation is the floor; a
// source's stray value (negative, 1 or more, not a number) is kept in range.
inline int scaledDraw(double r, int m) {
    const double value = r * m;
    if (!(value >= 0)) return 0;
    return value < m ? int(value) : m - 1;
}

// The programs' random source: uniform reals r with 0 <= r < 1. Every program start begins
// from the same state, so the same inputs in the same order give the same results until a
// program reseeds it.
class RandomSource {
  public:
    static constexpr std::uint32_t kStartSeed = 0x5EED1234u;

    RandomSource() { reseed(kStartSeed); }

    double nextRandom() {
        // 53 random bits scaled into [0, 1).
        const std::uint64_t bits = engine_() >> 11;
        return double(bits) * (1.0 / 9007199254740992.0);
    }

    void reseed(std::uint64_t seed) { engine_.seed(seed); }

    // Reseeds from the time of day, as a program does at the start of each new game.
    void reseedFromClock(double secondsSinceMidnight) {
        reseed(std::uint64_t(secondsSinceMidnight * 1000.0) ^ 0x9E3779B97F4A7C15ull);
    }

  private:
    MersenneTwister64 engine_;
};

}  // namespace core
