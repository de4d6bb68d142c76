#include "access/UserCodeRules.h"

#include "platform/runtime/Text.h"

namespace tarvo::access {

bool UserCodeRules::isAcceptable(const QString &code)
{
    const QString clipped = code.trimmed();
    if (clipped.isEmpty() || clipped == QStringLiteral(".") || code.contains(QStringLiteral("..")))
        return false;
    static const QString forbidden = QStringLiteral("/\\<>:\"|?*");
    for (const QChar c : code) {
        if (forbidden.contains(c) || c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    return true;
}

bool UserCodeRules::sameCode(const QString &a, const QString &b)
{
    return Text::clip(a).toCaseFolded() == Text::clip(b).toCaseFolded();
}

} // namespace tarvo::access
