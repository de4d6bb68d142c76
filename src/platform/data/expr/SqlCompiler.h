#pragma once

#include "platform/data/expr/ExprTypes.h"
#include "platform/data/expr/NameResolver.h"
#include "platform/data/expr/Node.h"
#include "platform/data/expr/Semantics.h"
#include "platform/data/expr/SqlCondition.h"
#include "platform/runtime/Result.h"

#include <optional>

namespace tarvo::data::expr {

// Turns a typed tree into an SQL condition that SQLite and PostgreSQL evaluate as the in-memory
// evaluator does. Every constant part (literals, bound values and what is computed from them
// alone) is evaluated first and bound as one parameter; columns appear as their SQL references.
class SqlCompiler final {
  public:
    SqlCompiler(Dialect dialect, const ValueResolver &bound) : m_dialect(dialect), m_bound(bound) {}

    Result<SqlCondition> compile(const Node &root);

  private:
    using Fragment = SqlCondition;

    Fragment condition(const Node &node);
    Fragment text(const Node &node);
    Fragment number(const Node &node);
    Fragment comparison(const Node &node);
    Fragment comparedText(const Node &node);
    Fragment instring(const Node &node);
    // INSTRING(prefix & column & suffix, list) tested for a hit, with everything but the column
    // constant, as the column IN the values that hit: an index serves that, instr() it cannot.
    // None when the node has another shape or the list gives too many values.
    std::optional<Fragment> listMembership(const Node &node, bool member);
    std::optional<Fragment> listMembership(const Node &left, Op op, const Node &right);

    semantics::CompareMode resolvedMode(const Node &node, const Node *&constText) const;
    void collectFixed(const Node &node, QStringList &columns) const;

    Fragment textParam(const QString &value);
    Fragment numberParam(double value, bool integerCast = false) const;
    std::optional<double> constantNumber(const Node &node) const;
    bool knownClipped(const Node &node) const;
    Fragment fail(const Node &node, const QString &what);

    Dialect m_dialect;
    const ValueResolver &m_bound;
    std::optional<Error> m_error;
};

} // namespace tarvo::data::expr
