#include "core/lists/FileWriting.h"

#include "platform/data/FileManager.h"
#include "platform/data/Session.h"

namespace tarvo::core {

Result<FileWriting> FileWriting::begin(data::Session &session, const QString &label)
{
    FileWriting w;
    w.file = session.file(label);
    if (!w.file)
        return makeError(2, QStringLiteral("The file %1 is not declared").arg(label));
    auto conn = w.file->connection();
    if (!conn)
        return conn.error();
    w.transaction = std::make_unique<data::Transaction>(**conn);
    if (!w.transaction->started())
        return w.transaction->started().error();
    return w;
}

} // namespace tarvo::core
