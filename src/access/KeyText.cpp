#include "access/KeyText.h"

namespace tarvo::access {

QString KeyText::fold(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return text.left(end).toCaseFolded();
}

} // namespace tarvo::access
