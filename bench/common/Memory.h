#pragma once

namespace tarvo::bench {

// The process's resident memory as the kernel counts it (/proc/self/status), in KiB.
class Memory final {
  public:
    static long residentKb();
    // The highest resident size since the start or since the last resetPeak().
    static long peakKb();
    // Sets the peak back to the present resident size (Linux 4.0 and later); false when refused.
    static bool resetPeak();
};

} // namespace tarvo::bench
