#pragma once

#include <cstdint>
#include <random>

namespace core {

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
    std::mt19937_64 engine_;
};

}  // namespace core
