#pragma once

#include "platform/runtime/Result.h"

#include <QString>

namespace tarvo::data {
class FileManager;
class Session;
} // namespace tarvo::data

namespace tarvo::issues {

// The session's manager of a data file, or the error that the dictionary does not declare it.
Result<data::FileManager *> declaredFile(data::Session &session, const QString &label);

} // namespace tarvo::issues
