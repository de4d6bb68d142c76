#include "masterdata/programs/ProgramChoice.h"

namespace tarvo::masterdata {

namespace {
const QChar Separator(0x00B0);

QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}
} // namespace

ProgramChoice ProgramChoice::parse(const QString &value)
{
    ProgramChoice choice;
    const qsizetype at = value.indexOf(Separator);
    if (at < 0) {
        choice.name = withoutTrailingBlanks(value);
        return choice;
    }
    choice.name = value.left(at);
    choice.id = withoutTrailingBlanks(value.mid(at + 1)).trimmed().toLongLong();
    return choice;
}

QString ProgramChoice::text() const
{
    return withoutTrailingBlanks(name) + Separator + QString::number(id);
}

} // namespace tarvo::masterdata
