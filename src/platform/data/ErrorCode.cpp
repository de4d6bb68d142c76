#include "platform/data/ErrorCode.h"

namespace tarvo::data {

QString errorCodeText(int code)
{
    switch (code) {
    case ErrorCode::None:
        return QString();
    case ErrorCode::FileNotFound:
        return QStringLiteral("File Not Found");
    case ErrorCode::AccessDenied:
        return QStringLiteral("Access Denied");
    case ErrorCode::RestrictedByRelation:
        return QStringLiteral("Record Not Available");
    case ErrorCode::RecordNotFound:
        return QStringLiteral("Record Not Found");
    case ErrorCode::InvalidDataFile:
        return QStringLiteral("Invalid Data File");
    case ErrorCode::FileNotOpen:
        return QStringLiteral("File Not Open");
    case ErrorCode::DuplicateKey:
        return QStringLiteral("Creates Duplicate Key");
    case ErrorCode::RecordHeld:
        return QStringLiteral("Record Is Already Held");
    case ErrorCode::KeysNeedRebuilding:
        return QStringLiteral("Key File Must Be Rebuilt");
    case ErrorCode::InvalidRecordDeclaration:
        return QStringLiteral("Invalid Record Declaration");
    case ErrorCode::AlreadyOpen:
        return QStringLiteral("File Already Open");
    case ErrorCode::FileSystemError:
        return QStringLiteral("File System Error");
    default:
        return QStringLiteral("Error %1").arg(code);
    }
}

} // namespace tarvo::data
