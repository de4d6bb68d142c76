#pragma once

#include <QString>

namespace tarvo::data {

// The runtime's file error codes that callers of the data layer test.
namespace ErrorCode {
constexpr int None = 0;
constexpr int FileNotFound = 2;
constexpr int AccessDenied = 5;
constexpr int RecordNotFound = 35;
constexpr int InvalidDataFile = 36;
constexpr int FileNotOpen = 37;
constexpr int DuplicateKey = 40;
constexpr int RecordHeld = 43;
constexpr int KeysNeedRebuilding = 46;
constexpr int InvalidRecordDeclaration = 47;
constexpr int AlreadyOpen = 52;
constexpr int RestrictedByRelation = 33; // the relation's restrict rule refused the change
constexpr int FileSystemError = 90;
} // namespace ErrorCode

// The runtime's text for an error code ("Record Not Found").
QString errorCodeText(int code);

} // namespace tarvo::data
