#include "platform/query/QueryCondition.h"

namespace tarvo::query {

namespace {

QString literal(const QString &text)
{
    QString quoted = text;
    quoted.replace(u'\'', QStringLiteral("''"));
    return u'\'' + quoted + u'\'';
}

QString opText(QueryCondition::Op op)
{
    switch (op) {
    case QueryCondition::Op::Equal:
        return QStringLiteral("=");
    case QueryCondition::Op::NotEqual:
        return QStringLiteral("<>");
    case QueryCondition::Op::Less:
        return QStringLiteral("<");
    case QueryCondition::Op::LessOrEqual:
        return QStringLiteral("<=");
    case QueryCondition::Op::Greater:
        return QStringLiteral(">");
    case QueryCondition::Op::GreaterOrEqual:
        return QStringLiteral(">=");
    case QueryCondition::Op::Contains:
        break;
    }
    return {};
}

} // namespace

Result<QString> QueryCondition::expression(const RegisteredFile &file,
                                           const std::vector<QueryCondition> &conditions, bool anyOf)
{
    QStringList parts;
    for (const QueryCondition &c : conditions) {
        const QueryField *f = file.field(c.field);
        if (!f)
            return makeError(1, QStringLiteral("%1 is not a field of the query").arg(c.field));
        QString value;
        QString column = f->name;
        if (c.op == Op::Contains && !f->isText())
            return makeError(1, QStringLiteral("%1 is no text: it cannot contain a text").arg(f->name));
        if (f->isText()) {
            value = literal(c.value.trimmed());
            if (c.ignoreCase) {
                value = QStringLiteral("UPPER(%1)").arg(value);
                column = QStringLiteral("UPPER(%1)").arg(column);
            }
        } else {
            auto read = file.read(*f, c.value);
            if (!read)
                return read.error();
            value = QString::number(read->toDouble(), 'g', 17);
        }
        if (c.op == Op::Contains)
            parts << QStringLiteral("INSTRING(%1,%2,1,1)").arg(value, column);
        else
            parts << QStringLiteral("%1 %2 %3").arg(column, opText(c.op), value);
    }
    if (parts.size() == 1)
        return parts.first();
    for (QString &p : parts)
        p = u'(' + p + u')';
    return parts.join(anyOf ? QStringLiteral(" OR ") : QStringLiteral(" AND "));
}

} // namespace tarvo::query
