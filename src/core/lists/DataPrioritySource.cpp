#include "core/lists/DataPrioritySource.h"

#include "core/lists/ReadKeyOrder.h"
#include "platform/data/Record.h"

namespace tarvo::core {

RowsRead<PriorityRow> DataPrioritySource::priorities()
{
    RowsRead<PriorityRow> read;
    read.error =
        readKeyOrder(m_session, QStringLiteral("Priority"), QStringLiteral("PRI:KeyPrioritySort"), {},
                     [&](const data::Record &record) {
                         read.rows.push_back({record.text(QStringLiteral("PRI:PRIORITY")),
                                              int(record.integer(QStringLiteral("PRI:PRIORITYSORT"))),
                                              qint32(record.integer(QStringLiteral("PRI:COLOR")))});
                     });
    return read;
}

} // namespace tarvo::core
