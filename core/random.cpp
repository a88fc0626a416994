#include "core/random.h"

namespace core {

namespace {

constexpr int kShift = 156;  // the twist's middle word
constexpr std::uint64_t kMatrix = 0xB5026F5AA96619E9ull;
constexpr std::uint64_t kUpper = 0xFFFFFFFF80000000ull;  // the top 33 bits
constexpr std::uint64_t kLower = 0x7FFFFFFFull;          // the bottom 31 bits

inline std::uint64_t twisted(std::uint64_t word, std::uint64_t next, std::uint64_t middle) {
    const std::uint64_t joined = (word & kUpper) | (next & kLower);
    return middle ^ (joined >> 1) ^ ((std::uint64_t(0) - (joined & 1)) & kMatrix);
}

}  // namespace

void MersenneTwister64::seed_(std::uint64_t seed) {
    state_[0] = seed;
    for (int i = 1; i < kStateSize; ++i)
        state_[i] = 6364136223846793005ull * (state_[i - 1] ^ (state_[i - 1] >> 62)) +
                    std::uint64_t(i);
    next_ = kStateSize;
}

void MersenneTwister64::refill() {
    constexpr int kFirst = kStateSize - kShift;
    // Each loop reads only words it has not written yet or that an earlier loop finished.
    for (int i = 0; i < kFirst; ++i)
        state_[i] = twisted(state_[i], state_[i + 1], state_[i + kShift]);
    for (int i = kFirst; i < kStateSize - 1; ++i)
        state_[i] = twisted(state_[i], state_[i + 1], state_[i - kFirst]);
    state_[kStateSize - 1] =
        twisted(state_[kStateSize - 1], state_[0], state_[kShift - 1]);
    for (int i = 0; i < kStateSize; ++i) {
        std::uint64_t z = state_[i];
        z ^= (z >> 29) & 0x5555555555555555ull;
        z ^= (z << 17) & 0x71D67FFFEDA60000ull;
        z ^= (z << 37) & 0xFFF7EEE000000000ull;
        z ^= z >> 43;
        block_[i] = z;
    }
    next_ = 0;
}

}  // namespace core
