#include "access/KeyText.h"

#include "platform/runtime/Text.h"

namespace tarvo::access {

QString KeyText::fold(const QString &text)
{
    return Text::clip(text).toCaseFolded();
}

} // namespace tarvo::access
