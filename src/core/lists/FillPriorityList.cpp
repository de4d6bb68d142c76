#include "core/lists/FillPriorityList.h"

#include "core/lists/DataPrioritySource.h"

#include <algorithm>

namespace tarvo::core {

Result<void> FillPriorityList(PrioritySource &source, PriorityQueue &queue)
{
    RowsRead<PriorityRow> read = source.priorities();
    std::stable_sort(read.rows.begin(), read.rows.end(), [](const PriorityRow &a, const PriorityRow &b) {
        return a.prioritySort < b.prioritySort;
    });
    std::vector<PriorityQueueEntry> entries;
    entries.reserve(read.rows.size());
    for (const PriorityRow &row : read.rows)
        entries.push_back({row.priority, row.prioritySort, row.color});
    queue.replace(std::move(entries));
    if (read.error)
        return *read.error;
    return {};
}

Result<void> FillPriorityList(data::Session &session, PriorityQueue &queue)
{
    DataPrioritySource source(session);
    return FillPriorityList(source, queue);
}

} // namespace tarvo::core
