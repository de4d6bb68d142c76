#pragma once

#include <QString>
#include <QVariantList>

namespace tarvo::data::expr {

// A compiled filter: an SQL condition with positional "?" placeholders and the values to bind to
// them, in order. No text of the expression's author ever appears in `sql`.
struct SqlCondition final {
    QString sql;
    QVariantList params;
};

} // namespace tarvo::data::expr
