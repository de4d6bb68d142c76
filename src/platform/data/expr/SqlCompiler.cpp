#include "platform/data/expr/SqlCompiler.h"

#include "platform/data/Store.h"
#include "platform/data/expr/Evaluator.h"

#include <algorithm>
#include <cmath>

namespace tarvo::data::expr {

using semantics::Value;

namespace {

SqlCondition join(std::initializer_list<SqlCondition> parts)
{
    SqlCondition out;
    for (const auto &p : parts) {
        out.sql += p.sql;
        out.params += p.params;
    }
    return out;
}

SqlCondition sql(const QString &text)
{
    return SqlCondition{text, {}};
}

QString comparisonSql(Op op)
{
    switch (op) {
    case Op::Eq:
        return QStringLiteral(" = ");
    case Op::Ne:
        return QStringLiteral(" <> ");
    case Op::Lt:
        return QStringLiteral(" < ");
    case Op::Le:
        return QStringLiteral(" <= ");
    case Op::Gt:
        return QStringLiteral(" > ");
    case Op::Ge:
        return QStringLiteral(" >= ");
    default:
        return {};
    }
}

} // namespace

Result<SqlCondition> SqlCompiler::compile(const Node &root)
{
    SqlCondition result = condition(root);
    if (m_error)
        return *m_error;
    collectFixed(root, result.fixedColumns);
    return result;
}

// The comparison a node makes: a constant text beside a number compares as a number when it
// reads as one, as the evaluator decides.
semantics::CompareMode SqlCompiler::resolvedMode(const Node &node, const Node *&constText) const
{
    const Node &left = *node.args[0];
    const Node &right = *node.args[1];
    auto mode = semantics::compareMode(left, right);
    constText = mode == semantics::CompareMode::ConstTextLeft    ? &left
                : mode == semantics::CompareMode::ConstTextRight ? &right
                                                                 : nullptr;
    if (constText) {
        const QString value = semantics::asText(Evaluator(m_bound).evaluate(*constText));
        mode = semantics::parseNumber(value) ? semantics::CompareMode::Number : semantics::CompareMode::Text;
    }
    return mode;
}

// Only a term every selected row must meet, comparing a bare column with a constant the way SQL
// compares them as written ("Gray" = ?), fixes the column: not one under OR or NOT, and not a
// number column compared as text (CAST) or a text column compared as a number.
void SqlCompiler::collectFixed(const Node &node, QStringList &columns) const
{
    if (node.constant)
        return;
    if (node.kind == Node::Kind::Binary && node.op == Op::And) {
        collectFixed(*node.args[0], columns);
        collectFixed(*node.args[1], columns);
        return;
    }
    if (node.kind != Node::Kind::Binary || node.op != Op::Eq || node.type != Type::Bool)
        return;
    const Node &left = *node.args[0];
    const Node &right = *node.args[1];
    const Node *column = left.constant ? &right : right.constant ? &left : nullptr;
    if (!column || column->kind != Node::Kind::Name || column->info.kind != NameInfo::Kind::Column)
        return;
    const Node *constText = nullptr;
    const auto mode = resolvedMode(node, constText);
    const bool asItself =
        mode == semantics::CompareMode::Number ? column->type == Type::Number : column->type == Type::Text;
    if (asItself && !columns.contains(column->info.sqlColumn))
        columns << column->info.sqlColumn;
}

SqlCompiler::Fragment SqlCompiler::fail(const Node &node, const QString &what)
{
    if (!m_error)
        m_error = makeError(NoSqlForm, QStringLiteral("%1 at %2 has no SQL form").arg(what).arg(node.pos));
    return {};
}

// PostgreSQL must know each parameter's type when the statement is prepared ("? || ?" has none);
// SQLite takes the bound value's own type.
SqlCompiler::Fragment SqlCompiler::textParam(const QString &value)
{
    if (value.contains(QChar(0))) {
        // Not NoSqlForm: filtering in memory instead would compare what the stores cannot.
        m_error = makeError(RefusedValue, QStringLiteral("A text in the filter holds a NUL character"));
        return {};
    }
    return SqlCondition{m_dialect == Dialect::PostgreSql ? QStringLiteral("CAST(? AS TEXT)")
                                                         : QStringLiteral("?"),
                        // A null QString would be bound as NULL, which matches nothing.
                        {value.isNull() ? QStringLiteral("") : value}};
}

SqlCompiler::Fragment SqlCompiler::numberParam(double value, bool integerCast) const
{
    const bool whole = std::trunc(value) == value && std::fabs(value) < 9e15;
    const QVariant v = whole ? QVariant(qlonglong(value)) : QVariant(value);
    if (m_dialect == Dialect::Sqlite)
        return SqlCondition{QStringLiteral("?"), {v}};
    // BIGINT keeps an index on an integer column usable; substr() wants INTEGER arguments.
    const char *type = integerCast ? "INTEGER" : whole ? "BIGINT" : "DOUBLE PRECISION";
    return SqlCondition{QStringLiteral("CAST(? AS %1)").arg(QLatin1String(type)), {v}};
}

std::optional<double> SqlCompiler::constantNumber(const Node &node) const
{
    if (!node.constant)
        return std::nullopt;
    return semantics::asNumber(Evaluator(m_bound).evaluate(node));
}

SqlCompiler::Fragment SqlCompiler::condition(const Node &node)
{
    if (node.constant)
        return sql(semantics::asBool(Evaluator(m_bound).evaluate(node)) ? QStringLiteral("(1 = 1)")
                                                                        : QStringLiteral("(1 = 0)"));
    if (node.type == Type::Text)
        return join({sql(QStringLiteral("(")), comparedText(node), sql(QStringLiteral(" <> '')"))});
    if (node.type == Type::Number) {
        if (auto in = listMembership(node, true))
            return *in;
        return join({sql(QStringLiteral("(")), number(node), sql(QStringLiteral(" <> 0)"))});
    }
    if (node.kind == Node::Kind::Unary)
        return join({sql(QStringLiteral("(NOT ")), condition(*node.args[0]), sql(QStringLiteral(")"))});
    if (node.op == Op::And || node.op == Op::Or)
        return join({sql(QStringLiteral("(")), condition(*node.args[0]),
                     sql(node.op == Op::And ? QStringLiteral(" AND ") : QStringLiteral(" OR ")),
                     condition(*node.args[1]), sql(QStringLiteral(")"))});
    return comparison(node);
}

SqlCompiler::Fragment SqlCompiler::comparison(const Node &node)
{
    const Node &left = *node.args[0];
    const Node &right = *node.args[1];
    const Node *constText = nullptr;
    const auto mode = resolvedMode(node, constText);
    const QString op = comparisonSql(node.op);
    if (mode == semantics::CompareMode::Number) {
        if (auto in = listMembership(left, node.op, right))
            return *in;
        auto side = [&](const Node &n) {
            return &n == constText ? numberParam(*semantics::parseNumber(
                                         semantics::asText(Evaluator(m_bound).evaluate(n))))
                                   : number(n);
        };
        return join({sql(QStringLiteral("(")), side(left), sql(op), side(right), sql(QStringLiteral(")"))});
    }
    // "<" and ">" follow the lists' order (the collation the keys sort by), not the bytes, so a
    // range filter keeps the rows the list shows on its side. Equality needs no collation and
    // keeps indexes usable.
    const QString collate =
        semantics::isOrdering(node.op) ? QStringLiteral(" COLLATE ") + Store::collation(false) : QString();
    return join({sql(QStringLiteral("(")), comparedText(left), sql(op), comparedText(right),
                 sql(collate + QStringLiteral(")"))});
}

// Texts compare without their trailing blanks. Stored values and bound constants are already
// clipped; anything computed from a column could end in blanks and is trimmed in SQL.
SqlCompiler::Fragment SqlCompiler::comparedText(const Node &node)
{
    if (node.constant)
        return textParam(semantics::clip(semantics::asText(Evaluator(m_bound).evaluate(node))));
    if (knownClipped(node))
        return text(node);
    return join({sql(QStringLiteral("RTRIM(")), text(node), sql(QStringLiteral(")"))});
}

bool SqlCompiler::knownClipped(const Node &node) const
{
    if (node.kind == Node::Kind::Name)
        return true; // texts are stored clipped; numbers written as text have no blanks
    if (node.type != Type::Text)
        return true;
    if (node.kind == Node::Kind::Call)
        return node.function == Function::Clip ||
               (node.function == Function::Upper && knownClipped(*node.args[0]));
    return false;
}

SqlCompiler::Fragment SqlCompiler::text(const Node &node)
{
    if (node.constant)
        return textParam(semantics::asText(Evaluator(m_bound).evaluate(node)));
    if (node.type != Type::Text)
        return join({sql(QStringLiteral("CAST(")), number(node), sql(QStringLiteral(" AS TEXT)"))});
    if (node.kind == Node::Kind::Name)
        return sql(node.info.sqlColumn);
    if (node.kind == Node::Kind::Binary) // &
        return join({sql(QStringLiteral("(")), text(*node.args[0]), sql(QStringLiteral(" || ")),
                     text(*node.args[1]), sql(QStringLiteral(")"))});
    switch (node.function) {
    case Function::Upper:
        return join({sql(QStringLiteral("UPPER(")), text(*node.args[0]), sql(QStringLiteral(")"))});
    case Function::Clip:
        return join({sql(QStringLiteral("RTRIM(")), text(*node.args[0]), sql(QStringLiteral(")"))});
    case Function::Sub: {
        const auto start = constantNumber(*node.args[1]);
        const auto length = constantNumber(*node.args[2]);
        if (!start || !length || *start < 1 || *length < 0 || std::trunc(*start) != *start ||
            std::trunc(*length) != *length)
            return fail(node, QStringLiteral("SUB with a start or length other than a whole number"));
        return join({sql(QStringLiteral("SUBSTR(")), text(*node.args[0]), sql(QStringLiteral(", ")),
                     numberParam(double(semantics::position(*start)), true), sql(QStringLiteral(", ")),
                     numberParam(double(semantics::position(*length)), true), sql(QStringLiteral(")"))});
    }
    case Function::Format:
        return fail(node, QStringLiteral("FORMAT of a column"));
    case Function::Instring:
        break;
    }
    return fail(node, QStringLiteral("expression"));
}

SqlCompiler::Fragment SqlCompiler::number(const Node &node)
{
    if (node.constant)
        return numberParam(semantics::asNumber(Evaluator(m_bound).evaluate(node)));
    if (node.type == Type::Text)
        return fail(node, QStringLiteral("text used as a number"));
    if (node.type == Type::Bool)
        return join({sql(QStringLiteral("(CASE WHEN ")), condition(node),
                     sql(QStringLiteral(" THEN 1 ELSE 0 END)"))});
    if (node.kind == Node::Kind::Name)
        return sql(node.info.sqlColumn);
    if (node.kind == Node::Kind::Call)
        return instring(node);
    if (node.kind == Node::Kind::Unary)
        return join({sql(QStringLiteral("(-")), number(*node.args[0]), sql(QStringLiteral(")"))});
    const Fragment a = number(*node.args[0]);
    const Fragment b = number(*node.args[1]);
    switch (node.op) {
    case Op::Add:
        return join({sql(QStringLiteral("(")), a, sql(QStringLiteral(" + ")), b, sql(QStringLiteral(")"))});
    case Op::Sub:
        return join({sql(QStringLiteral("(")), a, sql(QStringLiteral(" - ")), b, sql(QStringLiteral(")"))});
    case Op::Mul:
        return join({sql(QStringLiteral("(")), a, sql(QStringLiteral(" * ")), b, sql(QStringLiteral(")"))});
    default: {
        // Division is always real and a division by zero gives 0, as in memory.
        const QString real = m_dialect == Dialect::PostgreSql ? QStringLiteral(" AS DOUBLE PRECISION) / ")
                                                              : QStringLiteral(" AS REAL) / ");
        return join({sql(QStringLiteral("(CASE WHEN ")), b, sql(QStringLiteral(" = 0 THEN 0 ELSE CAST(")), a,
                     sql(real), b, sql(QStringLiteral(" END)"))});
    }
    }
}

namespace {

constexpr qsizetype kMaxListValues = 1000;
constexpr qsizetype kMaxListSpans = 100000;

// The parts of a chain of "&", in order.
void concatParts(const Node &node, std::vector<const Node *> &parts)
{
    if (node.kind == Node::Kind::Binary && node.op == Op::Concat) {
        concatParts(*node.args[0], parts);
        concatParts(*node.args[1], parts);
    } else {
        parts.push_back(&node);
    }
}

bool mayBeInNumber(QChar c)
{
    return c.isDigit() || c == u'.' || c == u'-' || c == u'+';
}

} // namespace

std::optional<SqlCompiler::Fragment> SqlCompiler::listMembership(const Node &left, Op op, const Node &right)
{
    // INSTRING gives 0 for no hit and a position from 1 for a hit.
    const Node *call = &left;
    const Node *other = &right;
    if (!right.constant) {
        std::swap(call, other);
        // 0 < x is x > 0, 0 = x is x = 0
        if (op == Op::Lt)
            op = Op::Gt;
        else if (op == Op::Ge)
            op = Op::Le;
        else if (op != Op::Eq && op != Op::Ne)
            return std::nullopt;
    }
    const auto value = constantNumber(*other);
    if (!value || *value != 0)
        return std::nullopt;
    if (op == Op::Gt || op == Op::Ne)
        return listMembership(*call, true);
    if (op == Op::Eq || op == Op::Le)
        return listMembership(*call, false);
    return std::nullopt;
}

std::optional<SqlCompiler::Fragment> SqlCompiler::listMembership(const Node &node, bool member)
{
    if (node.kind != Node::Kind::Call || node.function != Function::Instring || !node.args[1]->constant ||
        node.args[0]->constant)
        return std::nullopt;
    for (size_t i = 2; i < node.args.size(); ++i)
        if (constantNumber(*node.args[i]) != std::optional<double>(1))
            return std::nullopt;
    std::vector<const Node *> parts;
    concatParts(*node.args[0], parts);
    const auto column = std::find_if(parts.begin(), parts.end(), [](const Node *p) { return !p->constant; });
    if (std::count_if(parts.begin(), parts.end(), [](const Node *p) { return !p->constant; }) != 1 ||
        (*column)->kind != Node::Kind::Name || (*column)->info.kind != NameInfo::Kind::Column)
        return std::nullopt;
    QString prefix, suffix;
    for (auto p = parts.begin(); p != parts.end(); ++p)
        if (p != column)
            (p < column ? prefix : suffix) += semantics::asText(Evaluator(m_bound).evaluate(**p));
    if (prefix.isEmpty() || suffix.isEmpty())
        return std::nullopt;
    const bool numeric = (*column)->type == Type::Number;
    const QString list = semantics::asText(Evaluator(m_bound).evaluate(*node.args[1]));

    // Every text between an occurrence of the prefix and a later one of the suffix is a value
    // whose needle the list holds; a number column holds only those that a number prints as.
    std::vector<Fragment> values;
    QStringList seen;
    qsizetype spans = 0;
    for (qsizetype i = list.indexOf(prefix); i >= 0; i = list.indexOf(prefix, i + 1)) {
        const qsizetype from = i + prefix.size();
        for (qsizetype j = list.indexOf(suffix, from); j >= 0; j = list.indexOf(suffix, j + 1)) {
            if (++spans > kMaxListSpans)
                return std::nullopt;
            const QString value = list.mid(from, j - from);
            if (numeric && !std::all_of(value.begin(), value.end(), mayBeInNumber))
                break; // no longer span prints as a number either
            if (seen.contains(value))
                continue;
            seen << value;
            if (!numeric) {
                values.push_back(textParam(value));
            } else if (const auto n = semantics::parseNumber(value);
                       n && semantics::numberText(*n) == value) {
                values.push_back(numberParam(*n));
            }
            if (qsizetype(values.size()) > kMaxListValues)
                return std::nullopt;
        }
    }
    if (values.empty())
        return sql(member ? QStringLiteral("(1 = 0)") : QStringLiteral("(1 = 1)"));
    Fragment out = join({sql(QStringLiteral("(")), sql((*column)->info.sqlColumn),
                         sql(member ? QStringLiteral(" IN (") : QStringLiteral(" NOT IN ("))});
    for (size_t v = 0; v < values.size(); ++v)
        out = join({out, sql(v == 0 ? QString() : QStringLiteral(", ")), values[v]});
    return join({out, sql(QStringLiteral("))"))});
}

// INSTRING(needle, haystack[, 1[, start]]) as instr() or strpos() on the haystack from `start`.
SqlCompiler::Fragment SqlCompiler::instring(const Node &node)
{
    const auto step = node.args.size() > 2 ? constantNumber(*node.args[2]) : std::optional<double>(1);
    auto start = node.args.size() > 3 ? constantNumber(*node.args[3]) : std::optional<double>(1);
    if (!step || *step != 1 || !start || *start < 1 || std::trunc(*start) != *start)
        return fail(node, QStringLiteral("INSTRING with a step other than 1 or a variable start"));
    start = double(semantics::position(*start));
    const Fragment needle = text(*node.args[0]);
    Fragment haystack = text(*node.args[1]);
    if (*start > 1)
        haystack = join({sql(QStringLiteral("SUBSTR(")), haystack, sql(QStringLiteral(", ")),
                         numberParam(*start, true), sql(QStringLiteral(")"))});
    const Fragment found = m_dialect == Dialect::PostgreSql
                               ? join({sql(QStringLiteral("STRPOS(")), haystack, sql(QStringLiteral(", ")),
                                       needle, sql(QStringLiteral(")"))})
                               : join({sql(QStringLiteral("INSTR(")), haystack, sql(QStringLiteral(", ")),
                                       needle, sql(QStringLiteral(")"))});
    if (*start == 1)
        return found;
    return join({sql(QStringLiteral("(CASE WHEN ")), found, sql(QStringLiteral(" = 0 THEN 0 ELSE ")), found,
                 sql(QStringLiteral(" + ")), numberParam(*start - 1), sql(QStringLiteral(" END)"))});
}

} // namespace tarvo::data::expr
