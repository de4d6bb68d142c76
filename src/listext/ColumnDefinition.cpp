#include "listext/ColumnDefinition.h"

namespace tarvo::listext {

ColumnKind columnKindOfPicture(const QString &picture)
{
    QString p = picture.trimmed();
    if (p.startsWith(QLatin1Char('@')))
        p.remove(0, 1);
    if (p.isEmpty())
        return ColumnKind::Text;
    switch (p.at(0).toUpper().unicode()) {
    case 'N':
    case 'E':
        return ColumnKind::Number;
    case 'D':
        return ColumnKind::Date;
    case 'T':
        return ColumnKind::Time;
    default:
        return ColumnKind::Text;
    }
}

} // namespace tarvo::listext
