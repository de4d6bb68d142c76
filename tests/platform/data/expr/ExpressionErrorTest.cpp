#include "BugsTable.h"
#include "platform/data/expr/Expression.h"

#include <gtest/gtest.h>

using namespace tarvo::data::expr;
using tarvo::data::expr::test::BugsTable;

namespace {

TEST(ExpressionErrors, CarryCodeAndPosition)
{
    BugsTable table;
    const struct {
        const char *text;
        int code;
        const char *message;
    } cases[] = {
        {"BUG:Foo = 1", UnknownName, "unknown name BUG:Foo at 1"},
        {"BUG:Status = 'a' AND BUG:Foo = 2", UnknownName, "unknown name BUG:Foo at 22"},
        {"Tab = 1", UnknownName, "unknown name Tab at 1"},
        {"foo(BUG:Status) = 'a'", UnknownFunction, "unknown function FOO at 1"},
        {"LOWER(BUG:Status) = 'a'", UnknownFunction, "unknown function LOWER at 1"},
        {"(BUG:Status = 'x'", SyntaxError, "unbalanced parenthesis at 1"},
        {"BUG:Status = 'x')", SyntaxError, "unbalanced parenthesis at 17"},
        {"UPPER(BUG:Status = 'x'", SyntaxError, "unbalanced parenthesis at 6"},
        {"BUG:Status = 'x", SyntaxError, "unterminated string at 14"},
        {"BUG:Status = 'it''s", SyntaxError, "unterminated string at 14"},
        {"", SyntaxError, "expression expected at 1"},
        {"BUG:Status =", SyntaxError, "expression expected at 13"},
        {"AND BUG:Gray = 0", SyntaxError, "unexpected AND at 1"},
        {"BUG:Status = 'a' 'b'", SyntaxError, "unexpected b at 18"},
        {"BUG:Status $ 1", SyntaxError, "unexpected $ at 12"},
        {"BUG:Status = @N03", SyntaxError, "unexpected @N03 at 14"},
        {"SUB(BUG:Status,1) = 'a'", SyntaxError, "wrong number of arguments for SUB at 1"},
        {"INSTRING('a') = 1", SyntaxError, "wrong number of arguments for INSTRING at 1"},
        {"FORMAT(Datei,3) = '003'", SyntaxError, "picture expected at 14"},
        {"FORMAT(Datei,@D17) = 'x'", SyntaxError, "unsupported picture @D17 at 14"},
    };
    for (const auto &c : cases) {
        auto e = Expression::parse(QString::fromLatin1(c.text), table.names());
        ASSERT_FALSE(e.ok()) << c.text;
        EXPECT_EQ(e.error().code, c.code) << c.text;
        EXPECT_EQ(e.error().message.toStdString(), c.message) << c.text;
    }
    // A NUL compares differently in every store, so a text holding one is refused.
    auto e =
        Expression::parse(QStringLiteral("BUG:Status = 'a") + QChar(0) + QStringLiteral("b'"), table.names());
    ASSERT_FALSE(e.ok());
    EXPECT_EQ(e.error().code, SyntaxError);
    EXPECT_EQ(e.error().message.toStdString(), "text with a NUL character at 16");
}

} // namespace
