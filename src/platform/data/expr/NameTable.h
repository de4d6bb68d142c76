#pragma once

#include "platform/data/expr/NameResolver.h"

#include <QHash>

namespace tarvo::data::expr {

// A plain table of names for callers that know their columns and bound values up front; answers
// both the parser (what a name is) and the evaluators (its value now, or in the current record).
class NameTable final : public NameResolver, public ValueResolver {
  public:
    void addColumn(const QString &name, const QString &sqlColumn, ValueType type);
    // The type follows the value: texts are Text, everything else a Number.
    void bind(const QString &name, const QVariant &value);
    void bind(const QString &name, const QVariant &value, ValueType type);
    // The column's value in the record that the in-memory evaluator looks at.
    void setColumnValue(const QString &name, const QVariant &value);

    std::optional<NameInfo> resolve(const QString &name) const override;
    QVariant value(const QString &name) const override;

  private:
    struct Entry {
        NameInfo info;
        QVariant value;
    };
    QHash<QString, Entry> m_entries; // keyed by the upper-case name
};

} // namespace tarvo::data::expr
