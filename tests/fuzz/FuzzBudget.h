#pragma once

#include <QtGlobal>

#include <chrono>
#include <cstdint>
#include <random>

namespace tarvo::test {

// How long a fuzz target runs: a fixed seed, so that a finding comes back on the next run, and at
// most a number of rounds or seconds (TARVO_FUZZ_ROUNDS, TARVO_FUZZ_SECONDS), whichever ends first,
// so that it fits CI's sanitizer pass.
class FuzzBudget final {
  public:
    FuzzBudget(int rounds, int seconds)
        : m_rounds(qEnvironmentVariableIsSet("TARVO_FUZZ_ROUNDS")
                       ? qEnvironmentVariableIntValue("TARVO_FUZZ_ROUNDS")
                       : rounds),
          m_end(std::chrono::steady_clock::now() +
                std::chrono::seconds(qEnvironmentVariableIsSet("TARVO_FUZZ_SECONDS")
                                         ? qEnvironmentVariableIntValue("TARVO_FUZZ_SECONDS")
                                         : seconds))
    {
    }

    // Counts a round; false once the budget is spent.
    bool next() { return m_done++ < m_rounds && std::chrono::steady_clock::now() < m_end; }
    int done() const { return m_done; }

    static constexpr std::uint64_t kSeed = 20261211;

  private:
    int m_rounds;
    int m_done = 0;
    std::chrono::steady_clock::time_point m_end;
};

} // namespace tarvo::test
