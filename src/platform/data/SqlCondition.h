#pragma once

#include <QString>
#include <QVariantList>

namespace tarvo::data {

// A condition on one table as SQL text with positional "?" parameters; columns are written as
// quoted column names of that table ("Status"). Filter expressions compile to this.
struct SqlCondition final {
    QString sql;
    QVariantList params;

    bool isEmpty() const { return sql.trimmed().isEmpty(); }
};

} // namespace tarvo::data
