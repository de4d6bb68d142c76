#pragma once

#include "core/lists/SharedList.h"

#include <QString>

#include <vector>

namespace tarvo::core {

// One country of the country drop-downs: its English name and two-letter code.
struct CountryQueueEntry final {
    static constexpr int NameWidth = 50;
    static constexpr int CodeWidth = 2;

    QString loc;   // LOC: the English name
    QString locId; // LOCID: the two-letter code

    bool operator==(const CountryQueueEntry &) const = default;
};

// The countries, built into the program and shared by all windows.
using CountryQueue = SharedList<CountryQueueEntry>;

// The 238 built-in countries in their order.
std::vector<CountryQueueEntry> countryList();

// Fills the country list the first time a window needs it; later calls leave it as it is.
void FillCountryQueue(CountryQueue &queue = CountryQueue::global());

} // namespace tarvo::core
