#include "access/UserCodeRules.h"

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

} // namespace tarvo::access
