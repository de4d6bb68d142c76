#pragma once

#include <algorithm>
#include <vector>

namespace tarvo::bench {

// The median of timed runs; 0 for none.
inline double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

} // namespace tarvo::bench
