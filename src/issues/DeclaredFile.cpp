#include "issues/DeclaredFile.h"

#include "platform/data/ErrorCode.h"
#include "platform/data/Session.h"

namespace tarvo::issues {

Result<data::FileManager *> declaredFile(data::Session &session, const QString &label)
{
    if (data::FileManager *file = session.file(label))
        return file;
    return makeError(data::ErrorCode::InvalidRecordDeclaration,
                     QStringLiteral("The data file %1 is not declared").arg(label));
}

} // namespace tarvo::issues
