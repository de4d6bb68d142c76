#pragma once

#include "platform/data/expr/ExprTypes.h"

#include <QString>
#include <QVariant>

#include <optional>

namespace tarvo::data::expr {

// What a name in an expression stands for: a column of the filtered table or a bound value.
struct NameInfo final {
    enum class Kind { Column, Bound };
    Kind kind = Kind::Column;
    QString sqlColumn; // columns: the SQL reference, e.g. "Status" with its quotes
    ValueType type = ValueType::Text;

    static NameInfo column(QString sqlColumn, ValueType type)
    {
        return NameInfo{Kind::Column, std::move(sqlColumn), type};
    }
    static NameInfo bound(ValueType type) { return NameInfo{Kind::Bound, {}, type}; }
};

// Tells the parser what the names of an expression are. Names are case-insensitive: an
// implementation must answer "bug:status" as it answers "BUG:Status".
class NameResolver {
  public:
    virtual ~NameResolver() = default;
    virtual std::optional<NameInfo> resolve(const QString &name) const = 0;
};

// Gives the current value of a name: for a bound name its value now, for a column its value in the
// record being evaluated. Names are passed as written in the expression (compare case-insensitively).
class ValueResolver {
  public:
    virtual ~ValueResolver() = default;
    virtual QVariant value(const QString &name) const = 0;
};

} // namespace tarvo::data::expr
