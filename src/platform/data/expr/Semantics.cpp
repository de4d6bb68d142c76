#include "platform/data/expr/Semantics.h"

#include "platform/data/TextCollation.h"

#include <QRegularExpression>

#include <cmath>

namespace tarvo::data::expr::semantics {

std::optional<double> parseNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)\s*$)"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    return text.trimmed().toDouble();
}

QString numberText(double number)
{
    if (std::trunc(number) == number && std::fabs(number) < 1e15)
        return QString::number(qint64(number));
    return QString::number(number, 'g', 15);
}

QString clip(const QString &text)
{
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == u' ')
        --n;
    return text.left(n);
}

int compareText(const QString &a, const QString &b)
{
    const QList<uint> x = clip(a).toUcs4();
    const QList<uint> y = clip(b).toUcs4();
    const qsizetype n = std::min(x.size(), y.size());
    for (qsizetype i = 0; i < n; ++i)
        if (x[i] != y[i])
            return x[i] < y[i] ? -1 : 1;
    return x.size() == y.size() ? 0 : (x.size() < y.size() ? -1 : 1);
}

int orderText(const QString &a, const QString &b)
{
    return TextCollation::compare(clip(a), clip(b));
}

bool isOrdering(Op op)
{
    return op == Op::Lt || op == Op::Le || op == Op::Gt || op == Op::Ge;
}

qint64 position(double value)
{
    if (std::isnan(value))
        return 0;
    const double whole = std::floor(value);
    if (whole >= double(kMaxPosition))
        return kMaxPosition;
    if (whole <= -double(kMaxPosition))
        return -kMaxPosition;
    return qint64(whole);
}

QString asText(const Value &v)
{
    switch (v.type) {
    case Type::Text:
        return v.text;
    case Type::Number:
        return numberText(v.number);
    case Type::Bool:
        return v.flag ? QStringLiteral("1") : QStringLiteral("0");
    }
    return {};
}

double asNumber(const Value &v)
{
    switch (v.type) {
    case Type::Text:
        return parseNumber(v.text).value_or(0);
    case Type::Number:
        return v.number;
    case Type::Bool:
        return v.flag ? 1 : 0;
    }
    return 0;
}

bool asBool(const Value &v)
{
    switch (v.type) {
    case Type::Text:
        return !clip(v.text).isEmpty();
    case Type::Number:
        return v.number != 0;
    case Type::Bool:
        return v.flag;
    }
    return false;
}

QVariant toVariant(const Value &v)
{
    switch (v.type) {
    case Type::Text:
        return v.text;
    case Type::Number:
        return v.number;
    case Type::Bool:
        return v.flag;
    }
    return {};
}

CompareMode compareMode(const Node &left, const Node &right)
{
    const bool lt = left.type == Type::Text;
    const bool rt = right.type == Type::Text;
    if (lt == rt)
        return lt ? CompareMode::Text : CompareMode::Number;
    if (lt)
        return left.constant ? CompareMode::ConstTextLeft : CompareMode::Text;
    return right.constant ? CompareMode::ConstTextRight : CompareMode::Text;
}

bool holds(Op op, int order)
{
    switch (op) {
    case Op::Eq:
        return order == 0;
    case Op::Ne:
        return order != 0;
    case Op::Lt:
        return order < 0;
    case Op::Le:
        return order <= 0;
    case Op::Gt:
        return order > 0;
    case Op::Ge:
        return order >= 0;
    default:
        return false;
    }
}

} // namespace tarvo::data::expr::semantics
