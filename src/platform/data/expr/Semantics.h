#pragma once

#include "platform/data/expr/Node.h"

#include <QString>

#include <optional>

// The value rules that the SQL compiler and the in-memory evaluator share, so that both give the
// same answer for the same tree.
namespace tarvo::data::expr::semantics {

// A value during in-memory evaluation.
struct Value final {
    Type type = Type::Text;
    QString text;
    double number = 0;
    bool flag = false;

    static Value ofText(QString t) { return Value{Type::Text, std::move(t), 0, false}; }
    static Value ofNumber(double n) { return Value{Type::Number, {}, n, false}; }
    static Value ofBool(bool b) { return Value{Type::Bool, {}, 0, b}; }
};

// A decimal number with optional sign and fraction, blanks around allowed; nothing else.
std::optional<double> parseNumber(const QString &text);
// Whole numbers without a decimal point, others with up to 15 significant digits.
QString numberText(double number);
// Without trailing blanks.
QString clip(const QString &text);
// Trailing blanks ignored, then ordered by code point (as SQLite's binary collation and
// PostgreSQL's "C" collation order UTF-8 text).
int compareText(const QString &a, const QString &b);

// Trailing blanks ignored, then in the lists' Unicode order (see TextCollation): what "<" and ">"
// on texts compare by, in SQL through the collation tarvo_cs.
int orderText(const QString &a, const QString &b);
// Whether a comparison orders its operands ("<", ">", "<=", ">="), not only tells them apart.
bool isOrdering(Op op);

// A character position or count as SUB and INSTRING take it: whole (rounded down), at most
// kMaxPosition (no text is longer; PostgreSQL's substr() takes no more), and what is not a number
// at all counts as 0.
constexpr qint64 kMaxPosition = 2147483647;
qint64 position(double value);

QString asText(const Value &v);
// Texts that are not numbers count as 0 (only the in-memory evaluator converts dynamic texts).
double asNumber(const Value &v);
// A text is true when it is not blank, a number when it is not 0.
bool asBool(const Value &v);
QVariant toVariant(const Value &v);

// How a comparison compares its operands. Two texts compare as texts, everything else numerically,
// except a text against a number: when the text is a constant (a literal or bound value, known
// before any row is read) that reads as a number, the comparison is numeric, so that the column
// filter "(BUG:STATUSSORT > '5')" compares sort numbers; otherwise the number is compared as its
// text, so that a non-numeric text never turns into 0 and matches rows it does not name.
enum class CompareMode { Text, Number, ConstTextLeft, ConstTextRight };
CompareMode compareMode(const Node &left, const Node &right);

// Whether a comparison with the given result of compareText / numeric difference holds.
bool holds(Op op, int order);

} // namespace tarvo::data::expr::semantics
