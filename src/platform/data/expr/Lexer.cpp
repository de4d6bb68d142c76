#include "platform/data/expr/Lexer.h"

#include "platform/data/expr/ExprTypes.h"

namespace tarvo::data::expr {

namespace {

bool isNameStart(QChar c)
{
    return c.isLetter() || c == u'_';
}
bool isNamePart(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u':';
}

// Two-character operators first, so that "<=" is not read as "<" then "=".
const char *const kOperators[] = {"<>", "~=", "<=", ">=", "=<", "=>", "~<", "~>", "=",
                                  "<",  ">",  "~",  "&",  "+",  "-",  "*",  "/"};

} // namespace

Result<std::vector<Token>> Lexer::tokenize(const QString &text)
{
    std::vector<Token> tokens;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        const int pos = int(i) + 1;
        if (c.isSpace()) {
            ++i;
        } else if (c == u'\'') {
            QString value;
            ++i;
            bool closed = false;
            while (i < n) {
                if (text.at(i) == u'\'') {
                    if (i + 1 < n && text.at(i + 1) == u'\'') {
                        value += u'\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                if (text.at(i).isNull())
                    return makeError(SyntaxError,
                                     QStringLiteral("text with a NUL character at %1").arg(int(i) + 1));
                value += text.at(i++);
            }
            if (!closed)
                return makeError(SyntaxError, QStringLiteral("unterminated string at %1").arg(pos));
            tokens.push_back({Token::Kind::String, value, pos});
        } else if (c.isDigit() || (c == u'.' && i + 1 < n && text.at(i + 1).isDigit())) {
            qsizetype j = i;
            while (j < n && text.at(j).isDigit())
                ++j;
            if (j < n && text.at(j) == u'.') {
                ++j;
                while (j < n && text.at(j).isDigit())
                    ++j;
            }
            tokens.push_back({Token::Kind::Number, text.mid(i, j - i), pos});
            i = j;
        } else if (isNameStart(c)) {
            qsizetype j = i + 1;
            while (j < n && isNamePart(text.at(j)))
                ++j;
            tokens.push_back({Token::Kind::Name, text.mid(i, j - i), pos});
            i = j;
        } else if (c == u'@') {
            qsizetype j = i + 1;
            while (j < n && (text.at(j).isLetterOrNumber() || text.at(j) == u'.' || text.at(j) == u'-'))
                ++j;
            tokens.push_back({Token::Kind::Picture, text.mid(i, j - i), pos});
            i = j;
        } else if (c == u'(' || c == u')' || c == u',') {
            const auto kind = c == u'('   ? Token::Kind::LParen
                              : c == u')' ? Token::Kind::RParen
                                          : Token::Kind::Comma;
            tokens.push_back({kind, QString(c), pos});
            ++i;
        } else {
            bool found = false;
            for (const char *op : kOperators) {
                const QString s = QString::fromLatin1(op);
                if (QStringView(text).sliced(i).startsWith(s)) {
                    tokens.push_back({Token::Kind::Operator, s, pos});
                    i += s.size();
                    found = true;
                    break;
                }
            }
            if (!found)
                return makeError(SyntaxError, QStringLiteral("unexpected %1 at %2").arg(c).arg(pos));
        }
    }
    tokens.push_back({Token::Kind::End, {}, int(n) + 1});
    return tokens;
}

} // namespace tarvo::data::expr
