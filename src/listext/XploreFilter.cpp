#include "listext/XploreFilter.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tarvo::listext {

namespace {

QString quoted(QString value)
{
    value.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + value + QLatin1Char('\'');
}

// A number as the expression language writes it, or nothing when the text is none.
std::optional<QString> numberLiteral(const QString &text)
{
    const QString t = text.trimmed();
    bool ok = false;
    const qlonglong whole = t.toLongLong(&ok);
    if (ok)
        return QString::number(whole);
    const double real = t.toDouble(&ok);
    if (ok && std::isfinite(real))
        return QString::number(real, 'g', 17);
    return std::nullopt;
}

// The operator characters of a typed text: leading "=", "<", ">", "~" join the operator.
QString normaliseOperator(QString op, QString &text)
{
    int i = 0;
    while (i < text.size() && QStringLiteral("=<>~").contains(text.at(i)))
        ++i;
    op = text.left(i) + op;
    text.remove(0, i);
    QString result;
    bool equal = false;
    for (const QChar c : op) {
        if (c == QLatin1Char('='))
            equal = true;
        else if (!result.contains(c))
            result += c;
    }
    const bool both = result.contains(QLatin1Char('<')) && result.contains(QLatin1Char('>'));
    if (equal && !both)
        result += QLatin1Char('=');
    return result;
}

struct Term final {
    QString op; // "Contains", "Begins" or a comparison
    QString text;
    bool caseInsensitive = false;
};

QString upperName(const QString &name)
{
    return name.contains(QStringLiteral("UPPER(")) ? name
                                                   : QStringLiteral("UPPER(") + name + QLatin1Char(')');
}

} // namespace

XploreFilter::Field *XploreFilter::find(const QString &name)
{
    const QString key = name.trimmed().toUpper();
    for (auto &f : m_fields)
        if (f.name == key)
            return &f;
    return nullptr;
}

const XploreFilter::Field *XploreFilter::find(const QString &name) const
{
    return const_cast<XploreFilter *>(this)->find(name);
}

void XploreFilter::addField(const QString &name, ColumnKind kind)
{
    if (Field *existing = find(name)) {
        existing->kind = kind;
        return;
    }
    m_fields.push_back(Field{name.trimmed().toUpper(), kind, {}});
}

bool XploreFilter::hasField(const QString &name) const
{
    return find(name) != nullptr;
}

void XploreFilter::setFilter(const QString &name, const QString &low, const QString &high,
                             const QString &middle, bool ignoreLow, bool ignoreHigh, bool ignoreMiddle)
{
    Field *f = find(name);
    if (!f)
        return;
    ColumnFilter c;
    auto part = [&c](const QString &text, bool ignore, bool &flag) {
        if (ignore || text.isEmpty())
            return;
        c.text = text;
        flag = true;
    };
    part(low, ignoreLow, c.low);
    part(high, ignoreHigh, c.high);
    part(middle, ignoreMiddle, c.middle);
    f->filter = c;
}

void XploreFilter::setValueFilter(const QString &name, Operator op, const QString &value, bool upper)
{
    Field *f = find(name);
    if (!f)
        return;
    ColumnFilter c;
    c.literal = true;
    c.text = value;
    c.caseInsensitive = upper && !isNumericKind(f->kind);
    switch (op) {
    case Operator::Equal:
        c.middle = true;
        c.op = QStringLiteral("=");
        break;
    case Operator::NotEqual:
        c.middle = true;
        c.op = QStringLiteral("<>");
        break;
    case Operator::Less:
        c.high = true;
        c.op = QStringLiteral("<");
        break;
    case Operator::Greater:
        c.low = true;
        c.op = QStringLiteral(">");
        break;
    }
    f->filter = c;
}

void XploreFilter::clearFilter(const QString &name, bool all)
{
    for (auto &f : m_fields)
        if (all || f.name == name.trimmed().toUpper())
            f.filter = {};
}

XploreFilter::Texts XploreFilter::getFilter(const QString &name) const
{
    const Field *f = find(name);
    if (!f)
        return {};
    const ColumnFilter &c = f->filter;
    return Texts{c.low ? c.text : QString(), c.middle ? c.text : QString(), c.high ? c.text : QString()};
}

XploreFilter::ColumnFilter XploreFilter::columnFilter(const QString &name) const
{
    const Field *f = find(name);
    return f ? f->filter : ColumnFilter{};
}

void XploreFilter::setColumnFilter(const QString &name, const ColumnFilter &filter)
{
    if (Field *f = find(name))
        f->filter = filter;
}

QStringList XploreFilter::filteredFields() const
{
    QStringList names;
    for (const auto &f : m_fields)
        if (f.filter.isSet())
            names << f.name;
    return names;
}

Result<QString> XploreFilter::buildFilter() const
{
    QString expression;
    for (const Field &f : m_fields) {
        const ColumnFilter &c = f.filter;
        if (!c.isSet())
            continue;
        const bool numeric = isNumericKind(f.kind);
        std::vector<Term> terms;
        if (c.literal) {
            terms.push_back(Term{c.op, c.text, c.caseInsensitive});
        } else {
            // A bound takes the whole text after an optional "^", which also asks text columns
            // to compare without regard to case.
            auto bound = [&](const QString &op) {
                QString text = c.text;
                const QString opText =
                    normaliseOperator(op + (c.middle ? QStringLiteral("=") : QString()), text);
                Term t{opText, text, false};
                if (t.text.startsWith(QLatin1Char('^'))) {
                    t.text.remove(0, 1);
                    t.caseInsensitive = true;
                }
                terms.push_back(t);
            };
            if (c.low)
                bound(QStringLiteral(">"));
            if (c.high)
                bound(QStringLiteral("<"));
            if (!c.low && !c.high && c.middle) {
                QString text = c.text;
                Term t{normaliseOperator(QStringLiteral("="), text), text, false};
                if (t.text.startsWith(QLatin1Char('^'))) {
                    t.text.remove(0, 1);
                    t.caseInsensitive = true;
                }
                if (t.text.startsWith(QLatin1Char('*'))) {
                    t.op = QStringLiteral("Contains");
                    t.text.remove(0, 1);
                } else if (t.text.endsWith(QLatin1Char('*'))) {
                    t.op = QStringLiteral("Begins");
                    t.text.chop(1);
                }
                terms.push_back(t);
            }
        }

        QString name = f.name;
        const bool pattern = !terms.empty() && (terms.front().op == QStringLiteral("Contains") ||
                                                terms.front().op == QStringLiteral("Begins"));
        const bool compareAsText = !numeric || pattern;
        if (compareAsText &&
            (name.contains(QStringLiteral("UPPER(")) ||
             std::any_of(terms.begin(), terms.end(), [](const Term &t) { return t.caseInsensitive; })))
            name = upperName(name);
        const bool upper = name.contains(QStringLiteral("UPPER("));

        for (Term t : terms) {
            if (t.op.isEmpty() && t.text.isEmpty())
                continue;
            if (upper)
                t.text = t.text.toUpper();
            QString value;
            if (compareAsText) {
                value = quoted(t.text);
            } else {
                const auto number = numberLiteral(t.text);
                if (!number)
                    return makeError(
                        ErrorNotANumber,
                        QStringLiteral("The filter value '%1' of %2 is not a number.").arg(t.text, f.name));
                value = *number;
            }
            if (!expression.isEmpty())
                expression += QStringLiteral(" AND ");
            if (t.op == QStringLiteral("Contains"))
                expression += QStringLiteral("INSTRING(") + value + QLatin1Char(',') + name +
                              QStringLiteral(",1,1) <> 0");
            else if (t.op == QStringLiteral("Begins"))
                expression += QStringLiteral("SUB(") + name + QStringLiteral(",1,") +
                              QString::number(t.text.size()) + QStringLiteral(") = ") + value;
            else
                expression += QLatin1Char('(') + name + QLatin1Char(' ') + t.op + QLatin1Char(' ') + value +
                              QLatin1Char(')');
        }
    }
    return expression;
}

} // namespace tarvo::listext
