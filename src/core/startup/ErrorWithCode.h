#pragma once

#include "platform/runtime/Result.h"

#include <QString>

namespace tarvo::core {

// An error as the start-up's messages quote it: its text, then its code in brackets.
inline QString withCode(const Error &error)
{
    return error.message.trimmed() + QStringLiteral(" (") + QString::number(error.code) + u')';
}

} // namespace tarvo::core
