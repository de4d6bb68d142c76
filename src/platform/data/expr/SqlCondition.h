#pragma once

#include "platform/data/SqlCondition.h"

namespace tarvo::data::expr {

// A compiled filter: an SQL condition with positional "?" placeholders and the values to bind to
// them, in order, and the columns its top-level equalities fix. No text of the expression's
// author ever appears in `sql`. It is the view's filter type, so it passes to View::setFilter
// whole.
using SqlCondition = data::SqlCondition;

} // namespace tarvo::data::expr
