#include "platform/data/expr/Expression.h"

#include "platform/data/expr/Evaluator.h"
#include "platform/data/expr/Parser.h"
#include "platform/data/expr/SqlCompiler.h"

namespace tarvo::data::expr {

Result<Expression> Expression::parse(const QString &text, const NameResolver &names)
{
    auto root = Parser::parse(text, names);
    if (!root)
        return root.error();
    return Expression(text, std::move(root).value());
}

Result<SqlCondition> Expression::toSql(Dialect dialect, const ValueResolver &bound) const
{
    return SqlCompiler(dialect, bound).compile(*m_root);
}

QVariant Expression::evaluate(const ValueResolver &values) const
{
    return semantics::toVariant(Evaluator(values).evaluate(*m_root));
}

bool Expression::matches(const ValueResolver &values) const
{
    return semantics::asBool(Evaluator(values).evaluate(*m_root));
}

} // namespace tarvo::data::expr
