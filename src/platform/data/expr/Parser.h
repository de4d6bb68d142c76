#pragma once

#include "platform/data/expr/Lexer.h"
#include "platform/data/expr/NameResolver.h"
#include "platform/data/expr/Node.h"
#include "platform/runtime/Result.h"

#include <optional>

namespace tarvo::data::expr {

// Builds the typed tree of an expression by recursive descent. Precedence, loosest first:
// OR; AND; comparisons; &; + -; * /; the prefix operators NOT, ~ and unary minus.
class Parser final {
  public:
    static Result<NodePtr> parse(const QString &text, const NameResolver &names);

  private:
    Parser(std::vector<Token> tokens, const NameResolver &names);

    NodePtr parseOr();
    NodePtr parseAnd();
    NodePtr parseComparison();
    NodePtr parseConcat();
    NodePtr parseSum();
    NodePtr parseProduct();
    NodePtr parseUnary();
    NodePtr parsePrimary();
    NodePtr parseCall(const Token &name);

    const Token &peek() const { return m_tokens[m_pos]; }
    Token next() { return m_tokens[m_pos < m_tokens.size() - 1 ? m_pos++ : m_pos]; }
    bool isKeyword(const char *word) const;
    bool isOperator(const char *op) const;
    NodePtr fail(int code, const QString &message);

    std::vector<Token> m_tokens;
    size_t m_pos = 0;
    const NameResolver &m_names;
    std::optional<Error> m_error;
};

} // namespace tarvo::data::expr
