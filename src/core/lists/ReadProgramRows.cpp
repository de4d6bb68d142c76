#include "core/lists/ReadProgramRows.h"

#include "core/lists/ReadKeyOrder.h"
#include "platform/data/Record.h"

namespace tarvo::core {

RowsRead<ProgramRow> readProgramRows(data::Session &session)
{
    RowsRead<ProgramRow> read;
    read.error = readKeyOrder(session, QStringLiteral("Programs"), QStringLiteral("PRG:KeyPSort"), {},
                              [&](const data::Record &record) {
                                  read.rows.push_back({qint32(record.integer(QStringLiteral("PRG:ID"))),
                                                       qint32(record.integer(QStringLiteral("PRG:P"))),
                                                       qint32(record.integer(QStringLiteral("PRG:Sort"))),
                                                       record.text(QStringLiteral("PRG:PrgName")),
                                                       record.text(QStringLiteral("PRG:Status"))});
                              });
    return read;
}

} // namespace tarvo::core
