#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

namespace tarvo::data {

// A condition on one table as SQL text with positional "?" parameters; columns are written as
// quoted column names of that table ("Status"). Filter expressions compile to this.
struct SqlCondition final {
    QString sql;
    QVariantList params;
    // Quoted columns that hold one and the same value on every row the condition selects (its
    // top-level AND-ed "column = value" terms). A view pages by the remaining key components, so
    // a database does not have to seek past them. Empty is always safe; naming a column that
    // is not fixed is not.
    QStringList fixedColumns{};

    bool isEmpty() const { return sql.trimmed().isEmpty(); }
};

} // namespace tarvo::data
