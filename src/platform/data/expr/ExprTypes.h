#pragma once

namespace tarvo::data::expr {

// The kind of value a name holds. Dates (day numbers) and times (hundredths + 1) are numbers for
// every comparison and calculation; the distinction only documents the field.
enum class ValueType { Text, Number, Date, Time };

// The SQL engine a condition is compiled for; both take the same shape of SQL, only a few
// functions and the parameter typing differ.
enum class Dialect { Sqlite, PostgreSql };

// Error codes of the expression language (our own numbering, carried in tarvo::Error::code).
enum ErrorCode : int {
    SyntaxError = 800,     // malformed text: unexpected token, unbalanced parenthesis, bad string
    UnknownName = 801,     // a name the caller does not know
    UnknownFunction = 802, // a function the language does not have
    NoSqlForm = 803,       // valid, but only the in-memory evaluator can run it
    RefusedValue = 804,    // a bound text holding a NUL character, which no store keeps or compares alike
};

} // namespace tarvo::data::expr
