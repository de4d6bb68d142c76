#pragma once

#include "platform/runtime/Text.h"
#include "platform/runtime/Translator.h"

#include <QString>

#include <functional>

namespace tarvo::core {

// Passes a system text through a translator. The list fillers take one so that tests can give
// their own; without one, the program's translator is used.
using TranslateFn = std::function<QString(const QString &)>;

inline QString translated(const TranslateFn &translate, const QString &text)
{
    return translate ? translate(text) : Translator::instance().translate(text);
}

// A stored text as it compares: trailing blanks never count.
inline QString clipped(const QString &text)
{
    return Text::clip(text);
}

} // namespace tarvo::core
