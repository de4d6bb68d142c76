#include "core/lists/DataStatusSource.h"

#include "core/lists/ReadKeyOrder.h"
#include "platform/data/Record.h"

namespace tarvo::core {

RowsRead<StatusRow> DataStatusSource::statuses()
{
    RowsRead<StatusRow> read;
    const auto take = [&](const data::Record &record) {
        read.rows.push_back({qint32(record.integer(QStringLiteral("STA:PrgID"))),
                             int(record.integer(QStringLiteral("STA:SORT"))),
                             record.text(QStringLiteral("STA:STATUS")),
                             record.integer(QStringLiteral("STA:GRAY")) != 0,
                             qint32(record.integer(QStringLiteral("STA:COLOR")))});
    };
    const QString key = QStringLiteral("STA:KeyPrgIDSortStatus");
    read.error = readKeyOrder(m_session, QStringLiteral("Status"), key, {0}, take);
    if (!read.error && m_programId != 0)
        read.error = readKeyOrder(m_session, QStringLiteral("Status"), key, {m_programId}, take);
    return read;
}

} // namespace tarvo::core
