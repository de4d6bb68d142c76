#pragma once

#include "platform/runtime/Result.h"

#include <optional>
#include <vector>

namespace tarvo::core {

// What a list filler's data source read: the rows up to the first read error, and that error.
template <typename Row> struct RowsRead final {
    std::vector<Row> rows;
    std::optional<Error> error;
};

} // namespace tarvo::core
