#include "core/lists/FillReleaseList.h"

#include "core/lists/DataReleaseSource.h"
#include "core/lists/Translation.h"

#include <algorithm>

namespace tarvo::core {

Result<void> FillReleaseList(ReleaseQueue &queue, qint32 programId, ReleaseSource &source)
{
    queue.clear();
    RowsRead<ReleaseRow> read = source.releasesOf(programId);
    std::vector<ReleaseRow> rows;
    for (ReleaseRow &row : read.rows)
        if (row.prgId == programId)
            rows.push_back(std::move(row));
    // The order of the key on program and descending release text.
    std::stable_sort(rows.begin(), rows.end(), [](const ReleaseRow &a, const ReleaseRow &b) {
        return QString::compare(clipped(a.release), clipped(b.release), Qt::CaseSensitive) > 0;
    });
    for (const ReleaseRow &row : rows)
        queue.push_back({row.release, row.releaseDate});
    if (read.error)
        return *read.error;
    return {};
}

Result<void> FillReleaseList(ReleaseQueue &queue, qint32 programId, data::Session &session)
{
    DataReleaseSource source(session);
    return FillReleaseList(queue, programId, source);
}

} // namespace tarvo::core
