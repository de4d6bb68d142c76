#pragma once

#include <cstdint>

namespace tarvo::bench {

// A small seeded generator (SplitMix64) whose sequence is the same on every platform and library,
// so that a data folder generated twice with one seed holds the same records.
class Rng final {
  public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // A number from 0 to n - 1.
    int below(int n) { return n <= 0 ? 0 : int(next() % std::uint64_t(n)); }
    // A number from low to high, both included.
    int between(int low, int high) { return low + below(high - low + 1); }
    // True with the given chance (0 to 1).
    bool chance(double p) { return double(next() >> 11) * (1.0 / 9007199254740992.0) < p; }

  private:
    std::uint64_t m_state;
};

} // namespace tarvo::bench
