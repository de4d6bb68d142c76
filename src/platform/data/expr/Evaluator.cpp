#include "platform/data/expr/Evaluator.h"

#include "platform/data/expr/Format.h"

#include <algorithm>
#include <cmath>

namespace tarvo::data::expr {

using semantics::Value;

namespace {

// Positions count characters (code points), as SQL's substr() and instr() do, not UTF-16 units.
using Chars = QList<uint>;

// SUB keeps the characters from `start` for `length`, cut to the text; SQL's substr does the same
// for the starts and lengths the compiler hands to it.
QString sub(const QString &text, double start, double length)
{
    const Chars chars = text.toUcs4();
    const qint64 first = semantics::position(start);
    const qint64 last = first + semantics::position(length) - 1; // inclusive, 1-based
    const qint64 from = std::max<qint64>(first, 1);
    const qint64 to = std::min<qint64>(last, chars.size());
    if (length <= 0 || to < from)
        return {};
    const Chars part = chars.mid(from - 1, to - from + 1);
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(part.constData()), part.size());
}

bool matchesAt(const Chars &haystack, const Chars &needle, qint64 index)
{
    if (index < 0 || index + needle.size() > haystack.size())
        return false;
    return std::equal(needle.begin(), needle.end(), haystack.begin() + index);
}

// INSTRING with step 1 gives the position of the first occurrence at or after `start`; with a
// larger step it looks only at start, start + step, ... and gives the number of that step.
double instring(const QString &needleText, const QString &haystackText, double stepValue, double startValue)
{
    const Chars needle = needleText.toUcs4();
    const Chars haystack = haystackText.toUcs4();
    const qint64 step = semantics::position(stepValue);
    const qint64 start = std::max<qint64>(semantics::position(startValue), 1);
    if (step < 1)
        return 0;
    if (step == 1 && needle.isEmpty())
        return double(start);
    for (qint64 p = start, k = 1; p - 1 + needle.size() <= haystack.size(); p += step, ++k)
        if (matchesAt(haystack, needle, p - 1))
            return double(step == 1 ? p : k);
    return 0;
}

} // namespace

Value Evaluator::evaluate(const Node &node) const
{
    switch (node.kind) {
    case Node::Kind::Literal:
        return node.type == Type::Text ? Value::ofText(node.literal.toString())
                                       : Value::ofNumber(node.literal.toDouble());
    case Node::Kind::Picture:
        return Value::ofText(node.literal.toString());
    case Node::Kind::Name:
        return name(node);
    case Node::Kind::Unary:
        return unary(node);
    case Node::Kind::Binary:
        return binary(node);
    case Node::Kind::Call:
        return call(node);
    }
    return {};
}

Value Evaluator::name(const Node &node) const
{
    const QVariant v = m_values.value(node.name);
    if (node.type == Type::Text)
        return Value::ofText(v.toString());
    if (v.typeId() == QMetaType::QString)
        return Value::ofNumber(semantics::parseNumber(v.toString()).value_or(0));
    return Value::ofNumber(v.toDouble());
}

Value Evaluator::unary(const Node &node) const
{
    const Value operand = evaluate(*node.args[0]);
    if (node.op == Op::Not)
        return Value::ofBool(!semantics::asBool(operand));
    return Value::ofNumber(-semantics::asNumber(operand));
}

Value Evaluator::binary(const Node &node) const
{
    switch (node.op) {
    case Op::And:
        return Value::ofBool(semantics::asBool(evaluate(*node.args[0])) &&
                             semantics::asBool(evaluate(*node.args[1])));
    case Op::Or:
        return Value::ofBool(semantics::asBool(evaluate(*node.args[0])) ||
                             semantics::asBool(evaluate(*node.args[1])));
    case Op::Concat:
        return Value::ofText(semantics::asText(evaluate(*node.args[0])) +
                             semantics::asText(evaluate(*node.args[1])));
    case Op::Add:
    case Op::Sub:
    case Op::Mul:
    case Op::Div: {
        const double a = semantics::asNumber(evaluate(*node.args[0]));
        const double b = semantics::asNumber(evaluate(*node.args[1]));
        if (node.op == Op::Add)
            return Value::ofNumber(a + b);
        if (node.op == Op::Sub)
            return Value::ofNumber(a - b);
        if (node.op == Op::Mul)
            return Value::ofNumber(a * b);
        // A division by zero gives 0 rather than stopping the filter (SQL does the same).
        return Value::ofNumber(b == 0 ? 0 : a / b);
    }
    default:
        return compare(node);
    }
}

Value Evaluator::compare(const Node &node) const
{
    const Value left = evaluate(*node.args[0]);
    const Value right = evaluate(*node.args[1]);
    auto mode = semantics::compareMode(*node.args[0], *node.args[1]);
    if (mode == semantics::CompareMode::ConstTextLeft)
        mode =
            semantics::parseNumber(left.text) ? semantics::CompareMode::Number : semantics::CompareMode::Text;
    else if (mode == semantics::CompareMode::ConstTextRight)
        mode = semantics::parseNumber(right.text) ? semantics::CompareMode::Number
                                                  : semantics::CompareMode::Text;
    int order = 0;
    if (mode == semantics::CompareMode::Text) {
        const QString a = semantics::asText(left);
        const QString b = semantics::asText(right);
        order = semantics::isOrdering(node.op) ? semantics::orderText(a, b) : semantics::compareText(a, b);
    } else {
        const double a = semantics::asNumber(left);
        const double b = semantics::asNumber(right);
        order = a < b ? -1 : (a > b ? 1 : 0);
    }
    return Value::ofBool(semantics::holds(node.op, order));
}

Value Evaluator::call(const Node &node) const
{
    std::vector<Value> args;
    for (const auto &a : node.args)
        args.push_back(evaluate(*a));
    switch (node.function) {
    case Function::Upper:
        return Value::ofText(semantics::asText(args[0]).toUpper());
    case Function::Clip:
        return Value::ofText(semantics::clip(semantics::asText(args[0])));
    case Function::Sub:
        return Value::ofText(
            sub(semantics::asText(args[0]), semantics::asNumber(args[1]), semantics::asNumber(args[2])));
    case Function::Instring:
        return Value::ofNumber(instring(semantics::asText(args[0]), semantics::asText(args[1]),
                                        args.size() > 2 ? semantics::asNumber(args[2]) : 1,
                                        args.size() > 3 ? semantics::asNumber(args[3]) : 1));
    case Function::Format:
        return Value::ofText(Format::apply(semantics::asNumber(args[0]), args[1].text));
    }
    return {};
}

} // namespace tarvo::data::expr
