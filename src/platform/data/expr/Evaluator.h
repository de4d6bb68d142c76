#pragma once

#include "platform/data/expr/NameResolver.h"
#include "platform/data/expr/Semantics.h"

namespace tarvo::data::expr {

// Evaluates a typed tree in memory: for filters that have no SQL form, for rows already read,
// and for the constant parts that the SQL compiler binds as single parameters.
class Evaluator final {
  public:
    explicit Evaluator(const ValueResolver &values) : m_values(values) {}

    semantics::Value evaluate(const Node &node) const;

  private:
    semantics::Value name(const Node &node) const;
    semantics::Value unary(const Node &node) const;
    semantics::Value binary(const Node &node) const;
    semantics::Value compare(const Node &node) const;
    semantics::Value call(const Node &node) const;

    const ValueResolver &m_values;
};

} // namespace tarvo::data::expr
