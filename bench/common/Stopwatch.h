#pragma once

#include <chrono>

namespace tarvo::bench {

// Wall-clock time since construction or the last restart, in microseconds.
class Stopwatch final {
  public:
    Stopwatch() : m_start(std::chrono::steady_clock::now()) {}
    void restart() { m_start = std::chrono::steady_clock::now(); }
    double micros() const
    {
        return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - m_start).count();
    }

  private:
    std::chrono::steady_clock::time_point m_start;
};

} // namespace tarvo::bench
