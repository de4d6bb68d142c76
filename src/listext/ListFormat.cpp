#include "listext/ListFormat.h"

namespace tarvo::listext {

namespace {

QString doubled(QString text, QChar c)
{
    text.replace(c, QString(2, c));
    return text;
}

QString colour(int value)
{
    return value == -1 ? QString() : QString::number(value);
}

class Scanner final {
  public:
    explicit Scanner(const QString &text) : m_text(text) {}
    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_text.at(m_pos); }
    bool take(QChar c)
    {
        if (peek() != c)
            return false;
        ++m_pos;
        return true;
    }
    bool number(int &value)
    {
        int start = m_pos;
        if (peek() == QLatin1Char('-'))
            ++m_pos;
        while (!atEnd() && peek().isDigit())
            ++m_pos;
        bool ok = false;
        value = m_text.mid(start, m_pos - start).toInt(&ok);
        if (!ok)
            m_pos = start;
        return ok;
    }
    // Text up to the closing delimiter; a doubled delimiter stands for itself.
    bool delimited(QChar close, QString &out)
    {
        out.clear();
        while (!atEnd()) {
            const QChar c = m_text.at(m_pos++);
            if (c == close) {
                if (peek() == close) {
                    out += c;
                    ++m_pos;
                    continue;
                }
                return true;
            }
            out += c;
        }
        return false;
    }
    int pos() const { return m_pos; }

  private:
    const QString &m_text;
    int m_pos = 0;
};

bool justification(QChar c)
{
    return QStringLiteral("LRCD").contains(c);
}

} // namespace

QString ListFormat::build(const ColumnStates &columns)
{
    QString out;
    for (const ColumnState &c : columns) {
        out += QString::number(c.width) + c.dataJustification;
        if (c.dataIndent != 0)
            out += QLatin1Char('(') + QString::number(c.dataIndent) + QLatin1Char(')');
        if (c.colors)
            out += QLatin1Char('*');
        if (c.style)
            out += QLatin1Char('Y');
        if (c.icon)
            out += QLatin1Char('I');
        if (c.fixed)
            out += QLatin1Char('F');
        if (c.underline)
            out += QLatin1Char('_');
        if (c.resizable)
            out += QLatin1Char('M');
        if (c.rightBorder)
            out += QLatin1Char('|');
        out +=
            QLatin1Char('~') + doubled(c.header, QLatin1Char('~')) + QLatin1Char('~') + c.headerJustification;
        if (c.headerIndent != 0)
            out += QLatin1Char('(') + QString::number(c.headerIndent) + QLatin1Char(')');
        QString picture = c.picture.isEmpty() ? QStringLiteral("@S20") : c.picture;
        if (!picture.startsWith(QLatin1Char('@')))
            picture.prepend(QLatin1Char('@'));
        out += picture + QLatin1Char('@');
        out += QLatin1Char('#') + doubled(c.field, QLatin1Char('#')) + QLatin1Char('#');
        if (c.textColor != -1 || c.backgroundColor != -1 || c.selectedTextColor != -1 ||
            c.selectedBackgroundColor != -1)
            out += QStringLiteral("E(") + colour(c.textColor) + QLatin1Char(',') + colour(c.backgroundColor) +
                   QLatin1Char(',') + colour(c.selectedTextColor) + QLatin1Char(',') +
                   colour(c.selectedBackgroundColor) + QLatin1Char(')');
    }
    return out;
}

Result<ColumnStates> ListFormat::parse(const QString &format)
{
    ColumnStates columns;
    Scanner s(format);
    auto fail = [&s]() {
        return makeError(1,
                         QStringLiteral("The list format cannot be read at character %1.").arg(s.pos() + 1));
    };
    while (!s.atEnd()) {
        ColumnState c;
        if (!s.number(c.width) || !justification(s.peek()))
            return fail();
        s.take(c.dataJustification = s.peek());
        if (s.take(QLatin1Char('(')) && (!s.number(c.dataIndent) || !s.take(QLatin1Char(')'))))
            return fail();
        c.resizable = false;
        c.rightBorder = false;
        for (;;) {
            if (s.take(QLatin1Char('*')))
                c.colors = true;
            else if (s.take(QLatin1Char('Y')))
                c.style = true;
            else if (s.take(QLatin1Char('I')))
                c.icon = true;
            else if (s.take(QLatin1Char('F')))
                c.fixed = true;
            else if (s.take(QLatin1Char('_')))
                c.underline = true;
            else if (s.take(QLatin1Char('M')))
                c.resizable = true;
            else if (s.take(QLatin1Char('|')))
                c.rightBorder = true;
            else
                break;
        }
        if (!s.take(QLatin1Char('~')) || !s.delimited(QLatin1Char('~'), c.header) || !justification(s.peek()))
            return fail();
        s.take(c.headerJustification = s.peek());
        if (s.take(QLatin1Char('(')) && (!s.number(c.headerIndent) || !s.take(QLatin1Char(')'))))
            return fail();
        if (!s.take(QLatin1Char('@')) || !s.delimited(QLatin1Char('@'), c.picture))
            return fail();
        c.picture.prepend(QLatin1Char('@'));
        if (!s.take(QLatin1Char('#')) || !s.delimited(QLatin1Char('#'), c.field) || c.field.isEmpty())
            return fail();
        if (s.take(QLatin1Char('E'))) {
            if (!s.take(QLatin1Char('(')))
                return fail();
            int *targets[] = {&c.textColor, &c.backgroundColor, &c.selectedTextColor,
                              &c.selectedBackgroundColor};
            for (int i = 0; i < 4; ++i) {
                int value = 0;
                if (s.number(value))
                    *targets[i] = value;
                if (!s.take(i < 3 ? QLatin1Char(',') : QLatin1Char(')')))
                    return fail();
            }
        }
        columns.push_back(c);
    }
    return columns;
}

} // namespace tarvo::listext
