#include "platform/data/expr/Parser.h"

#include "platform/data/expr/ExprTypes.h"
#include "platform/data/expr/Format.h"

namespace tarvo::data::expr {

namespace {

NodePtr makeUnary(Op op, NodePtr operand, int pos)
{
    auto node = std::make_shared<Node>();
    node->kind = Node::Kind::Unary;
    node->op = op;
    node->pos = pos;
    node->type = op == Op::Not ? Type::Bool : Type::Number;
    node->constant = operand->constant;
    node->args = {std::move(operand)};
    return node;
}

NodePtr makeBinary(Op op, NodePtr left, NodePtr right, int pos)
{
    auto node = std::make_shared<Node>();
    node->kind = Node::Kind::Binary;
    node->op = op;
    node->pos = pos;
    switch (op) {
    case Op::Concat:
        node->type = Type::Text;
        break;
    case Op::Add:
    case Op::Sub:
    case Op::Mul:
    case Op::Div:
        node->type = Type::Number;
        break;
    default:
        node->type = Type::Bool;
        break;
    }
    node->constant = left->constant && right->constant;
    node->args = {std::move(left), std::move(right)};
    return node;
}

// "~=" is Clarion's "not equal", as "~<" is "not less" and "~>" is "not greater"; the column
// filter builder writes "~" + value for its "<>" item, so it must not be read as equality.
std::optional<Op> comparisonOp(const QString &text)
{
    if (text == u"=")
        return Op::Eq;
    if (text == u"<>" || text == u"~=")
        return Op::Ne;
    if (text == u"<")
        return Op::Lt;
    if (text == u"<=" || text == u"=<" || text == u"~>")
        return Op::Le;
    if (text == u">")
        return Op::Gt;
    if (text == u">=" || text == u"=>" || text == u"~<")
        return Op::Ge;
    return std::nullopt;
}

struct FunctionSpec {
    const char *name;
    Function function;
    int minArgs;
    int maxArgs;
    Type type;
};

const FunctionSpec kFunctions[] = {
    {"UPPER", Function::Upper, 1, 1, Type::Text},   {"CLIP", Function::Clip, 1, 1, Type::Text},
    {"SUB", Function::Sub, 3, 3, Type::Text},       {"INSTRING", Function::Instring, 2, 4, Type::Number},
    {"FORMAT", Function::Format, 2, 2, Type::Text},
};

} // namespace

Parser::Parser(std::vector<Token> tokens, const NameResolver &names)
    : m_tokens(std::move(tokens)), m_names(names)
{
}

Result<NodePtr> Parser::parse(const QString &text, const NameResolver &names)
{
    auto tokens = Lexer::tokenize(text);
    if (!tokens)
        return tokens.error();
    Parser parser(std::move(tokens).value(), names);
    NodePtr root = parser.parseOr();
    if (!parser.m_error && parser.peek().kind != Token::Kind::End) {
        const Token &t = parser.peek();
        if (t.kind == Token::Kind::RParen)
            parser.fail(SyntaxError, QStringLiteral("unbalanced parenthesis at %1").arg(t.pos));
        else
            parser.fail(SyntaxError, QStringLiteral("unexpected %1 at %2").arg(t.text).arg(t.pos));
    }
    if (parser.m_error)
        return *parser.m_error;
    return root;
}

bool Parser::isKeyword(const char *word) const
{
    return peek().kind == Token::Kind::Name &&
           peek().text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool Parser::isOperator(const char *op) const
{
    return peek().kind == Token::Kind::Operator && peek().text == QLatin1String(op);
}

NodePtr Parser::fail(int code, const QString &message)
{
    if (!m_error)
        m_error = makeError(code, message);
    return nullptr;
}

NodePtr Parser::parseOr()
{
    NodePtr left = parseAnd();
    while (left && isKeyword("OR")) {
        const int pos = next().pos;
        NodePtr right = parseAnd();
        if (!right)
            return nullptr;
        left = makeBinary(Op::Or, left, right, pos);
    }
    return left;
}

NodePtr Parser::parseAnd()
{
    NodePtr left = parseComparison();
    while (left && isKeyword("AND")) {
        const int pos = next().pos;
        NodePtr right = parseComparison();
        if (!right)
            return nullptr;
        left = makeBinary(Op::And, left, right, pos);
    }
    return left;
}

NodePtr Parser::parseComparison()
{
    NodePtr left = parseConcat();
    while (left && peek().kind == Token::Kind::Operator) {
        const auto op = comparisonOp(peek().text);
        if (!op)
            break;
        const int pos = next().pos;
        NodePtr right = parseConcat();
        if (!right)
            return nullptr;
        left = makeBinary(*op, left, right, pos);
    }
    return left;
}

NodePtr Parser::parseConcat()
{
    NodePtr left = parseSum();
    while (left && isOperator("&")) {
        const int pos = next().pos;
        NodePtr right = parseSum();
        if (!right)
            return nullptr;
        left = makeBinary(Op::Concat, left, right, pos);
    }
    return left;
}

NodePtr Parser::parseSum()
{
    NodePtr left = parseProduct();
    while (left && (isOperator("+") || isOperator("-"))) {
        const Op op = peek().text == u"+" ? Op::Add : Op::Sub;
        const int pos = next().pos;
        NodePtr right = parseProduct();
        if (!right)
            return nullptr;
        left = makeBinary(op, left, right, pos);
    }
    return left;
}

NodePtr Parser::parseProduct()
{
    NodePtr left = parseUnary();
    while (left && (isOperator("*") || isOperator("/"))) {
        const Op op = peek().text == u"*" ? Op::Mul : Op::Div;
        const int pos = next().pos;
        NodePtr right = parseUnary();
        if (!right)
            return nullptr;
        left = makeBinary(op, left, right, pos);
    }
    return left;
}

NodePtr Parser::parseUnary()
{
    if (isKeyword("NOT") || isOperator("~") || isOperator("-")) {
        const Token t = next();
        NodePtr operand = parseUnary();
        if (!operand)
            return nullptr;
        return makeUnary(t.text == u"-" ? Op::Neg : Op::Not, operand, t.pos);
    }
    if (isOperator("+")) {
        next();
        return parseUnary();
    }
    return parsePrimary();
}

NodePtr Parser::parsePrimary()
{
    const Token t = next();
    auto node = std::make_shared<Node>();
    node->pos = t.pos;
    switch (t.kind) {
    case Token::Kind::Number:
        node->kind = Node::Kind::Literal;
        node->type = Type::Number;
        node->constant = true;
        node->literal = t.text.toDouble();
        return node;
    case Token::Kind::String:
        node->kind = Node::Kind::Literal;
        node->type = Type::Text;
        node->constant = true;
        node->literal = t.text;
        return node;
    case Token::Kind::LParen: {
        NodePtr inner = parseOr();
        if (!inner)
            return nullptr;
        if (peek().kind != Token::Kind::RParen)
            return fail(SyntaxError, QStringLiteral("unbalanced parenthesis at %1").arg(t.pos));
        next();
        return inner;
    }
    case Token::Kind::Name: {
        if (peek().kind == Token::Kind::LParen)
            return parseCall(t);
        static const char *const keywords[] = {"AND", "OR", "NOT"};
        for (const char *k : keywords)
            if (t.text.compare(QLatin1String(k), Qt::CaseInsensitive) == 0)
                return fail(SyntaxError, QStringLiteral("unexpected %1 at %2").arg(t.text).arg(t.pos));
        const auto info = m_names.resolve(t.text);
        if (!info)
            return fail(UnknownName, QStringLiteral("unknown name %1 at %2").arg(t.text).arg(t.pos));
        node->kind = Node::Kind::Name;
        node->name = t.text;
        node->info = *info;
        node->type = info->type == ValueType::Text ? Type::Text : Type::Number;
        node->constant = info->kind == NameInfo::Kind::Bound;
        return node;
    }
    case Token::Kind::End:
        return fail(SyntaxError, QStringLiteral("expression expected at %1").arg(t.pos));
    case Token::Kind::RParen:
        return fail(SyntaxError, QStringLiteral("unbalanced parenthesis at %1").arg(t.pos));
    default:
        return fail(SyntaxError, QStringLiteral("unexpected %1 at %2").arg(t.text).arg(t.pos));
    }
}

NodePtr Parser::parseCall(const Token &name)
{
    const FunctionSpec *spec = nullptr;
    for (const auto &f : kFunctions)
        if (name.text.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0)
            spec = &f;
    if (!spec)
        return fail(UnknownFunction,
                    QStringLiteral("unknown function %1 at %2").arg(name.text.toUpper()).arg(name.pos));
    const Token open = next();
    auto node = std::make_shared<Node>();
    node->kind = Node::Kind::Call;
    node->pos = name.pos;
    node->function = spec->function;
    node->type = spec->type;
    node->constant = true;
    if (peek().kind != Token::Kind::RParen) {
        for (;;) {
            NodePtr arg;
            // A display picture is only meaningful as FORMAT's second argument.
            if (spec->function == Function::Format && node->args.size() == 1 &&
                peek().kind == Token::Kind::Picture) {
                const Token p = next();
                auto picture = std::make_shared<Node>();
                picture->kind = Node::Kind::Picture;
                picture->pos = p.pos;
                picture->constant = true;
                picture->literal = p.text;
                arg = picture;
            } else {
                arg = parseOr();
            }
            if (!arg)
                return nullptr;
            node->constant = node->constant && arg->constant;
            node->args.push_back(arg);
            if (peek().kind != Token::Kind::Comma)
                break;
            next();
        }
    }
    if (peek().kind != Token::Kind::RParen) {
        if (peek().kind == Token::Kind::End)
            return fail(SyntaxError, QStringLiteral("unbalanced parenthesis at %1").arg(open.pos));
        return fail(SyntaxError, QStringLiteral("unexpected %1 at %2").arg(peek().text).arg(peek().pos));
    }
    next();
    const int count = int(node->args.size());
    if (count < spec->minArgs || count > spec->maxArgs)
        return fail(SyntaxError, QStringLiteral("wrong number of arguments for %1 at %2")
                                     .arg(QLatin1String(spec->name))
                                     .arg(name.pos));
    if (spec->function == Function::Format && node->args[1]->kind != Node::Kind::Picture)
        return fail(SyntaxError, QStringLiteral("picture expected at %1").arg(node->args[1]->pos));
    if (spec->function == Function::Format && !Format::supports(node->args[1]->literal.toString()))
        return fail(SyntaxError, QStringLiteral("unsupported picture %1 at %2")
                                     .arg(node->args[1]->literal.toString())
                                     .arg(node->args[1]->pos));
    return node;
}

} // namespace tarvo::data::expr
