#include "core/lists/DataReleaseSource.h"

#include "core/lists/ReadKeyOrder.h"
#include "platform/data/Record.h"

namespace tarvo::core {

RowsRead<ReleaseRow> DataReleaseSource::releasesOf(qint32 programId)
{
    RowsRead<ReleaseRow> read;
    read.error =
        readKeyOrder(m_session, QStringLiteral("Releases"), QStringLiteral("REL:KeyPrgIDRelease"),
                     {programId}, [&](const data::Record &record) {
                         read.rows.push_back({qint32(record.integer(QStringLiteral("REL:PRGID"))),
                                              record.text(QStringLiteral("REL:Release")),
                                              qint32(record.integer(QStringLiteral("REL:ReleaseDate")))});
                     });
    return read;
}

} // namespace tarvo::core
