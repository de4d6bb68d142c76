#pragma once

#include "platform/query/RegisteredFile.h"

#include <QString>

#include <vector>

namespace tarvo::query {

// One line of the query wizard: a field, how it compares and the value as the user typed it.
struct QueryCondition final {
    enum class Op { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual, Contains };

    QString field; // "BUG:Status"
    Op op = Op::Equal;
    QString value;
    bool ignoreCase = false; // text fields only

    // The filter expression of the conditions, joined by AND (or OR when `anyOf`), in the language
    // of the lists' filters. Values become literals (quotes doubled) read through the field's
    // picture, never expression text; a value that does not fit its field, or "contains" on a
    // field that is no text, is an error.
    static Result<QString> expression(const RegisteredFile &file,
                                      const std::vector<QueryCondition> &conditions, bool anyOf = false);
};

} // namespace tarvo::query
