#include "platform/runtime/NumberPicture.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <utility>

namespace tarvo {

namespace {

bool isDecimalSign(QChar c)
{
    return c == QLatin1Char('.') || c == QLatin1Char('`') || c == QLatin1Char('\'') ||
           c == QLatin1Char('v') || c == QLatin1Char('V');
}

bool isGroupingSign(QChar c)
{
    return c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('_');
}

bool digitAt(QStringView s, qsizetype i)
{
    return i < s.size() && s[i].isDigit();
}

int readNumber(QStringView s, qsizetype &i)
{
    const qsizetype from = i;
    while (digitAt(s, i))
        ++i;
    return i - from > 4 ? -1 : s.sliced(from, i - from).toInt();
}

QChar decimalOf(QChar sign)
{
    if (sign == QLatin1Char('.'))
        return sign;
    if (sign == QLatin1Char('`') || sign == QLatin1Char('\''))
        return QLatin1Char(',');
    return {};
}

QString grouped(const QString &digits, QChar separator)
{
    if (separator.isNull())
        return digits;
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += separator;
        out += digits[i];
    }
    return out;
}

} // namespace

std::optional<NumberPicture> NumberPicture::parse(QStringView s)
{
    NumberPicture p;
    qsizetype i = 0;
    if (i < s.size() && s[i] == QLatin1Char('-')) {
        p.m_sign = Sign::Leading;
        ++i;
    } else if (i < s.size() && s[i] == QLatin1Char('(')) {
        p.m_sign = Sign::Parentheses;
        ++i;
    }
    bool blankFill = false;
    if (i < s.size() && (s[i] == QLatin1Char('_') || s[i] == QLatin1Char('*') ||
                         (s[i] == QLatin1Char('0') && digitAt(s, i + 1)))) {
        blankFill = s[i] == QLatin1Char('_');
        p.m_fill = blankFill ? QChar() : s[i];
        ++i;
    }
    if (!digitAt(s, i))
        return std::nullopt;
    p.m_width = readNumber(s, i);
    if (p.m_width <= 0)
        return std::nullopt;

    // Zero and blank fill write the digits without separators unless a grouping sign asks.
    QChar grouping = p.m_fill == QLatin1Char('0') || blankFill ? QChar() : QChar(QLatin1Char(','));
    bool explicitGrouping = false;
    if (i < s.size() && isGroupingSign(s[i])) {
        // "9.2" are decimals, "9." and "9.`2" group with periods, a lone "-" is a trailing sign.
        const bool decimalsFollow = i + 1 < s.size() && isDecimalSign(s[i + 1]) && digitAt(s, i + 2);
        const bool isDecimals = isDecimalSign(s[i]) && digitAt(s, i + 1);
        if (decimalsFollow || (!isDecimals && s[i] != QLatin1Char('-'))) {
            grouping = s[i] == QLatin1Char('_') ? QChar(QLatin1Char(' ')) : s[i];
            explicitGrouping = true;
            ++i;
        }
    }
    p.m_decimal = QLatin1Char('.');
    if (i < s.size() && isDecimalSign(s[i]) && digitAt(s, i + 1)) {
        p.m_decimal = decimalOf(s[i]);
        ++i;
        p.m_places = readNumber(s, i);
        if (p.m_places < 0 || p.m_places >= p.m_width)
            return std::nullopt;
    }
    // A decimal comma takes the period for thousands unless the picture names another sign.
    if (!explicitGrouping && p.m_decimal == QLatin1Char(',') && !grouping.isNull())
        grouping = QLatin1Char('.');
    // Periods between thousands leave the comma for decimals, also when reading a whole number.
    if (!grouping.isNull() && grouping == p.m_decimal)
        p.m_decimal = QLatin1Char(',');
    p.m_grouping = grouping;

    if (i < s.size() && s[i] == QLatin1Char('-') && p.m_sign == Sign::None) {
        p.m_sign = Sign::Trailing;
        ++i;
    } else if (p.m_sign == Sign::Parentheses) {
        if (i >= s.size() || s[i] != QLatin1Char(')'))
            return std::nullopt;
        ++i;
    }
    if (i < s.size() && s[i].toUpper() == QLatin1Char('B')) {
        p.m_blankWhenZero = true;
        ++i;
    }
    if (i != s.size())
        return std::nullopt;
    return p;
}

QString NumberPicture::format(qint64 value) const
{
    const quint64 magnitude = value < 0 ? 0 - static_cast<quint64>(value) : static_cast<quint64>(value);
    return compose(value < 0, QString::number(magnitude), QString(m_places, QLatin1Char('0')));
}

QString NumberPicture::format(double value) const
{
    if (!std::isfinite(value))
        return QString::number(value);
    const QString text = QString::number(std::fabs(value), 'f', m_places);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? text : text.left(point);
    const QString fraction = point < 0 ? QString() : text.mid(point + 1);
    return compose(value < 0, whole, fraction);
}

QString NumberPicture::compose(bool negative, const QString &whole, const QString &fraction) const
{
    auto hasNonZero = [](QStringView digits) {
        return std::any_of(digits.begin(), digits.end(),
                           [](QChar c) { return c >= QLatin1Char('1') && c <= QLatin1Char('9'); });
    };
    const bool zero = !hasNonZero(whole) && !hasNonZero(fraction);
    if (zero && m_blankWhenZero)
        return {};
    negative = negative && !zero;

    QString body = grouped(whole, m_grouping);
    if (m_places > 0)
        body += (m_decimal.isNull() ? QString() : QString(m_decimal)) + fraction;

    QString before;
    QString after;
    // A picture without a sign still shows the minus: dropping it would show another number.
    if (negative && (m_sign == Sign::Leading || m_sign == Sign::None))
        before = QStringLiteral("-");
    else if (negative && m_sign == Sign::Trailing)
        after = QStringLiteral("-");
    else if (negative && m_sign == Sign::Parentheses) {
        before = QStringLiteral("(");
        after = QStringLiteral(")");
    }
    const qsizetype free = m_width - (before.size() + body.size() + after.size());
    if (free <= 0)
        return before + body + after;
    if (m_fill == QLatin1Char('0'))
        return before + QString(free, QLatin1Char('0')) + body + after;
    const QChar pad = m_fill.isNull() ? QLatin1Char(' ') : m_fill;
    return QString(free, pad) + before + body + after;
}

QVariant NumberPicture::deformat(QStringView text) const
{
    QString t = text.trimmed().toString();
    bool negative = false;
    if (t.startsWith(QLatin1Char('(')) && t.endsWith(QLatin1Char(')'))) {
        negative = true;
        t = t.mid(1, t.size() - 2);
    }
    if (t.startsWith(QLatin1Char('-'))) {
        negative = true;
        t.remove(0, 1);
    } else if (t.endsWith(QLatin1Char('-'))) {
        negative = true;
        t.chop(1);
    } else if (t.startsWith(QLatin1Char('+'))) {
        t.remove(0, 1);
    }
    t.remove(QLatin1Char(' '));
    t.remove(QLatin1Char('*'));

    QChar decimal = m_decimal.isNull() ? QChar(QLatin1Char('.')) : m_decimal;
    QChar separator = decimal == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
    // "12.5" typed into a picture with a decimal comma (or the other way round) means 12,5; a
    // group of three digits after the sign reads as thousands.
    if (!t.contains(decimal) && t.count(separator) == 1 && t.size() - t.indexOf(separator) - 1 != 3)
        std::swap(decimal, separator);
    t.remove(separator);
    if (!m_grouping.isNull() && m_grouping != decimal)
        t.remove(m_grouping);
    t.replace(decimal, QLatin1Char('.'));

    static const QRegularExpression number(QStringLiteral("^(\\d*)(?:\\.(\\d*))?$"));
    const QRegularExpressionMatch match = number.match(t);
    if (!match.hasMatch())
        return {};
    const QString whole = match.captured(1);
    const QString fraction = match.captured(2);
    if (whole.isEmpty() && fraction.isEmpty()) {
        if (!t.isEmpty())
            return {};
        return m_places > 0 ? QVariant(0.0) : QVariant(qint64(0));
    }
    if (m_places == 0 && fraction.isEmpty()) {
        bool ok = false;
        const qint64 value = whole.toLongLong(&ok);
        if (ok)
            return negative ? -value : value;
    }
    double value = t.toDouble();
    if (m_decimal.isNull() && m_places > 0 && !t.contains(QLatin1Char('.')))
        value /= std::pow(10.0, m_places); // implied decimals: the last digits are the fraction
    return negative ? -value : value;
}

} // namespace tarvo
