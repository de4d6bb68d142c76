#pragma once

#include "platform/runtime/Result.h"

#include <QString>

#include <vector>

namespace tarvo::data::expr {

struct Token final {
    enum class Kind { Number, String, Name, Picture, Operator, LParen, RParen, Comma, End };
    Kind kind = Kind::End;
    QString text; // Number: digits; String: the value with '' undone; Name/Picture/Operator: as written
    int pos = 0;  // 1-based
};

// Splits expression text into tokens; a string without its closing quote is an error.
class Lexer final {
  public:
    static Result<std::vector<Token>> tokenize(const QString &text);
};

} // namespace tarvo::data::expr
