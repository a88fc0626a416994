#include "core/random.h"

namespace core {

namespace {

constexpr int kShift = 156;  // the twist's middle word
constexpr std::uint64_t kMatrix = 0xB5026F5AA96619E9ull;
constexpr std::uint64_t kUpper = 0xFFFFFFFF80000000ull;  // the top 33 bits
constexpr std::uint64_t kLower = 0x7FFFFFFFull;          // the bottom 31 bits

// A game's large board spends a tenth of its time here: processors that have wider vectors use
// them. The numbers are the same either way.
#if defined(__x86_64__) && defined(__linux__) && (defined(__clang__) || defined(__GNUC__))
#define WORDSEARCH_WIDER_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define WORDSEARCH_WIDER_VECTORS
#endif

inline std::uint64_t twisted(std::uint64_t word, std::uint64_t next, std::uint64_t middle) {
    const std::uint64_t joined = (word & kUpper) | (next & kLower);
    return middle ^ (joined >> 1) ^ ((std::uint64_t(0) - (joined & 1)) & kMatrix);
}

// Twists the state once and tempers all of it into block.
WORDSEARCH_WIDER_VECTORS void twistAndTemper(std::uint64_t* __restrict state,
                                             std::uint64_t* __restrict block) {
    constexpr int kSize = MersenneTwister64::kStateSize;
    constexpr int kFirst = kSize - kShift;
    // Each loop reads only words it has not written yet or that an earlier loop finished.
    for (int i = 0; i < kFirst; ++i)
        state[i] = twisted(state[i], state[i + 1], state[i + kShift]);
    for (int i = kFirst; i < kSize - 1; ++i)
        state[i] = twisted(state[i], state[i + 1], state[i - kFirst]);
    state[kSize - 1] = twisted(state[kSize - 1], state[0], state[kShift - 1]);
    for (int i = 0; i < kSize; ++i) {
        std::uint64_t z = state[i];
        z ^= (z >> 29) & 0x5555555555555555ull;
        z ^= (z << 17) & 0x71D67FFFEDA60000ull;
        z ^= (z << 37) & 0xFFF7EEE000000000ull;
        z ^= z >> 43;
        block[i] = z;
    }
}

}  // namespace

void MersenneTwister64::seed_(std::uint64_t seed) {
    state_[0] = seed;
    for (int i = 1; i < kStateSize; ++i)
        state_[i] =
            6364136223846793005ull * (state_[i - 1] ^ (state_[i - 1] >> 62)) + std::uint64_t(i);
    next_ = kStateSize;
}

void MersenneTwister64::refill() {
    twistAndTemper(state_, block_);
    next_ = 0;
}

}  // namespace core
