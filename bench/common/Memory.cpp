#include "Memory.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tarvo::bench {

namespace {
long statusValue(const char *name)
{
    std::FILE *f = std::fopen("/proc/self/status", "r");
    if (!f)
        return -1;
    char line[256];
    long value = -1;
    const size_t n = std::strlen(name);
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, name, n) == 0 && line[n] == ':') {
            value = std::atol(line + n + 1);
            break;
        }
    std::fclose(f);
    return value;
}
} // namespace

long Memory::residentKb()
{
    return statusValue("VmRSS");
}

long Memory::peakKb()
{
    return statusValue("VmHWM");
}

bool Memory::resetPeak()
{
    std::FILE *f = std::fopen("/proc/self/clear_refs", "w");
    if (!f)
        return false;
    const bool ok = std::fputs("5", f) >= 0;
    return std::fclose(f) == 0 && ok;
}

} // namespace tarvo::bench
