#pragma once

#include "platform/data/expr/ExprTypes.h"
#include "platform/data/expr/NameResolver.h"
#include "platform/data/expr/Node.h"
#include "platform/data/expr/SqlCondition.h"
#include "platform/runtime/Result.h"

#include <QString>
#include <QVariant>

namespace tarvo::data::expr {

// A filter expression of the runtime's language ("BUG:Category = T", "INSTRING('|' & BUG:PrgID &
// '|', SecP, 1, 1)"), parsed once and then compiled to SQL or evaluated per record.
class Expression final {
  public:
    // Names are resolved now; an unknown name or function, or malformed text, is an error whose
    // message carries the 1-based position ("unknown name BUG:Foo at 12"). Blank text is an error
    // too: a caller with no filter sets none.
    static Result<Expression> parse(const QString &text, const NameResolver &names);

    const QString &text() const { return m_text; }
    const Node &root() const { return *m_root; }

    // The condition for a WHERE clause, with the bound names' current values as parameters.
    // A NoSqlForm error means: filter the rows in memory with matches() instead.
    Result<SqlCondition> toSql(Dialect dialect, const ValueResolver &bound) const;

    // In-memory evaluation with the current record's values and the bound values.
    QVariant evaluate(const ValueResolver &values) const;
    bool matches(const ValueResolver &values) const;

  private:
    Expression(QString text, NodePtr root) : m_text(std::move(text)), m_root(std::move(root)) {}

    QString m_text;
    NodePtr m_root;
};

} // namespace tarvo::data::expr
