#pragma once

#include "platform/data/expr/NameResolver.h"

#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

namespace tarvo::data::expr {

// The static type of a node: fixed at parse time, so that SQL and the in-memory evaluator pick
// the same comparison for the same tree whatever the values are.
enum class Type { Text, Number, Bool };

enum class Op { Or, And, Not, Eq, Ne, Lt, Le, Gt, Ge, Concat, Add, Sub, Mul, Div, Neg };

enum class Function { Upper, Clip, Sub, Instring, Format };

struct Node;
using NodePtr = std::shared_ptr<const Node>;

// One node of a parsed expression.
struct Node final {
    enum class Kind { Literal, Name, Picture, Unary, Binary, Call };
    Kind kind = Kind::Literal;
    int pos = 0; // 1-based character position in the source text
    Type type = Type::Text;
    bool constant = false;               // no column below it: the value is known before any row is read
    QVariant literal;                    // Literal: QString or double; Picture: the picture text ("@N03")
    QString name;                        // Name: as written
    NameInfo info;                       // Name: what the resolver said
    Op op = Op::Eq;                      // Unary, Binary
    Function function = Function::Upper; // Call
    std::vector<NodePtr> args;           // operands or arguments, in order
};

} // namespace tarvo::data::expr
