#include "platform/runtime/DateTimePattern.h"

#include <QList>
#include <QVarLengthArray>

#include <algorithm>

namespace tarvo {

namespace {

// One field of a pattern (a run of one letter) or one literal character.
struct Token {
    QChar letter; // null for a literal
    qsizetype count = 0;
    QChar literal;
};

bool isFieldLetter(QChar c)
{
    return c == QLatin1Char('d') || c == QLatin1Char('M') || c == QLatin1Char('y') || c == QLatin1Char('H') ||
           c == QLatin1Char('h') || c == QLatin1Char('m') || c == QLatin1Char('s');
}

using Tokens = QVarLengthArray<Token, 16>;

Tokens tokenize(QStringView pattern)
{
    Tokens tokens;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (isFieldLetter(c)) {
            qsizetype n = 1;
            while (i + n < pattern.size() && pattern[i + n] == c)
                ++n;
            tokens.append(Token{c, n, {}});
            i += n;
        } else if ((c == QLatin1Char('A') || c == QLatin1Char('a')) && i + 1 < pattern.size() &&
                   pattern[i + 1].toUpper() == QLatin1Char('P')) {
            tokens.append(Token{c, 2, {}});
            i += 2;
        } else {
            tokens.append(Token{{}, 0, c});
            ++i;
        }
    }
    return tokens;
}

// Appends the number with at least `digits` digits, zeros in front.
void appendNumber(QString &out, qint64 value, qsizetype digits)
{
    if (value < 0) {
        out += QLatin1Char('-');
        value = -value;
    }
    char buffer[24];
    qsizetype n = 0;
    do {
        buffer[n++] = char('0' + value % 10);
        value /= 10;
    } while (value > 0);
    for (qsizetype i = n; i < digits; ++i)
        out += QLatin1Char('0');
    while (n > 0)
        out += QLatin1Char(buffer[--n]);
}

QString nameAt(const QStringList &names, int index)
{
    return index >= 0 && index < names.size() ? names.at(index) : QString();
}

// The numbers and words of a typed text, in order.
struct Piece {
    QString text;
    bool digits = false;
};

QList<Piece> pieces(QStringView text)
{
    QList<Piece> result;
    for (qsizetype i = 0; i < text.size();) {
        const bool digit = text[i].isDigit();
        const bool letter = text[i].isLetter();
        if (!digit && !letter) {
            ++i;
            continue;
        }
        qsizetype n = 1;
        while (i + n < text.size() && (digit ? text[i + n].isDigit() : text[i + n].isLetter()))
            ++n;
        result.append(Piece{text.sliced(i, n).toString(), digit});
        i += n;
    }
    return result;
}

int monthOfName(const QString &word, const PictureLocale &locale)
{
    for (const QStringList *names : {&locale.monthNames, &locale.shortMonthNames}) {
        for (int m = 0; m < names->size(); ++m) {
            const QString &name = names->at(m);
            if (name.compare(word, Qt::CaseInsensitive) == 0 ||
                (word.size() >= 3 && name.startsWith(word, Qt::CaseInsensitive)))
                return m + 1;
        }
    }
    return 0;
}

bool isDayName(const QString &word, const PictureLocale &locale)
{
    for (const QString &name : locale.dayNames) {
        if (word.size() >= 2 && name.startsWith(word, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

int windowedYear(const QString &digits, QDate today)
{
    const int year = digits.toInt();
    if (digits.size() > 2)
        return year;
    int full = today.year() / 100 * 100 + year;
    if (full > today.year() + 19)
        full -= 100;
    else if (full < today.year() - 80)
        full += 100;
    return full;
}

} // namespace

QString DateTimePattern::formatDate(QDate date, QStringView pattern, const PictureLocale &locale)
{
    QString out;
    out.reserve(pattern.size() + 8);
    for (const Token &t : tokenize(pattern)) {
        if (t.letter.isNull()) {
            out += t.literal;
        } else if (t.letter == QLatin1Char('d')) {
            if (t.count <= 2)
                appendNumber(out, date.day(), t.count);
            else {
                const QString name = nameAt(locale.dayNames, date.dayOfWeek() % 7);
                out += t.count == 3 ? name.left(3) : name;
            }
        } else if (t.letter == QLatin1Char('M')) {
            if (t.count <= 2)
                appendNumber(out, date.month(), t.count);
            else
                out += nameAt(t.count == 3 ? locale.shortMonthNames : locale.monthNames, date.month() - 1);
        } else if (t.letter == QLatin1Char('y')) {
            appendNumber(out, t.count <= 2 ? date.year() % 100 : date.year(), t.count <= 2 ? 2 : 4);
        } else {
            out += QString(t.count, t.letter);
        }
    }
    return out;
}

QString DateTimePattern::formatTime(qint64 hundredths, QStringView pattern)
{
    const qint64 hours = hundredths / 360000;
    const qint64 minutes = hundredths / 6000 % 60;
    const qint64 seconds = hundredths / 100 % 60;
    QString out;
    for (const Token &t : tokenize(pattern)) {
        const qsizetype width = std::min<qsizetype>(t.count, 2);
        if (t.letter.isNull())
            out += t.literal;
        else if (t.letter == QLatin1Char('H'))
            appendNumber(out, hours, width);
        else if (t.letter == QLatin1Char('h'))
            appendNumber(out, hours % 12 == 0 ? 12 : hours % 12, width);
        else if (t.letter == QLatin1Char('m'))
            appendNumber(out, minutes, width);
        else if (t.letter == QLatin1Char('s'))
            appendNumber(out, seconds, width);
        else if (t.letter == QLatin1Char('A'))
            out += hours % 24 < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
        else if (t.letter == QLatin1Char('a'))
            out += hours % 24 < 12 ? QStringLiteral("am") : QStringLiteral("pm");
        else
            out += QString(t.count, t.letter);
    }
    return out;
}

std::optional<QDate> DateTimePattern::parseDate(QStringView text, QStringView pattern,
                                                const PictureLocale &locale, QDate today)
{
    // The numeric fields in the pattern's order; a month written as a name keeps its place.
    QList<QChar> order;
    for (const Token &t : tokenize(pattern)) {
        const bool weekdayName = t.letter == QLatin1Char('d') && t.count > 2;
        if ((t.letter == QLatin1Char('d') || t.letter == QLatin1Char('M') || t.letter == QLatin1Char('y')) &&
            !weekdayName && !order.contains(t.letter))
            order.append(t.letter);
    }
    if (order.isEmpty())
        return std::nullopt;

    int month = 0;
    QStringList numbers;
    for (const Piece &p : pieces(text)) {
        if (p.digits)
            numbers.append(p.text);
        else if (const int m = monthOfName(p.text, locale); m != 0 && month == 0)
            month = m;
        else if (!isDayName(p.text, locale))
            return std::nullopt;
    }
    if (month != 0)
        order.removeAll(QLatin1Char('M'));

    // Digits without separators: two for day and month, the rest for the year.
    if (numbers.size() == 1 && order.size() > 1 && order.contains(QLatin1Char('y'))) {
        const qsizetype yearDigits = numbers.first().size() - 2 * (order.size() - 1);
        if (yearDigits == 2 || yearDigits == 4) {
            const QString all = numbers.takeFirst();
            qsizetype at = 0;
            for (QChar field : order) {
                const qsizetype n = field == QLatin1Char('y') ? yearDigits : 2;
                numbers.append(all.mid(at, n));
                at += n;
            }
        }
    }
    if (numbers.isEmpty() || numbers.size() > order.size())
        return std::nullopt;
    // Fewer numbers than fields: the year is left out first, then the month.
    if (numbers.size() < order.size())
        order.removeAll(QLatin1Char('y'));
    if (numbers.size() < order.size())
        order.removeAll(QLatin1Char('M'));
    if (numbers.size() != order.size())
        return std::nullopt;

    int day = order.contains(QLatin1Char('d')) ? 0 : 1;
    int year = today.year();
    if (month == 0 && !order.contains(QLatin1Char('M')))
        month = today.month();
    for (qsizetype i = 0; i < order.size(); ++i) {
        const QString &digits = numbers.at(i);
        if (digits.size() > 4)
            return std::nullopt;
        if (order[i] == QLatin1Char('d'))
            day = digits.toInt();
        else if (order[i] == QLatin1Char('M'))
            month = digits.toInt();
        else
            year = windowedYear(digits, today);
    }
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<qint64> DateTimePattern::parseTime(QStringView text)
{
    QStringList numbers;
    int half = 0; // 1 am, 2 pm
    for (const Piece &p : pieces(text)) {
        const QString word = p.text.toLower();
        if (p.digits)
            numbers.append(p.text);
        else if (half == 0 && (word == QLatin1String("am") || word == QLatin1String("a")))
            half = 1;
        else if (half == 0 && (word == QLatin1String("pm") || word == QLatin1String("p")))
            half = 2;
        else
            return std::nullopt;
    }
    if (numbers.size() == 1 && numbers.first().size() > 2) { // "1730", "173015"
        const QString all = numbers.takeFirst();
        if (all.size() > 6)
            return std::nullopt;
        const qsizetype hourDigits = 2 - all.size() % 2;
        numbers.append(all.left(hourDigits));
        for (qsizetype at = hourDigits; at < all.size(); at += 2)
            numbers.append(all.mid(at, 2));
    }
    if (numbers.isEmpty() || numbers.size() > 4)
        return std::nullopt;
    QList<int> parts;
    for (const QString &n : numbers) {
        if (n.size() > 2)
            return std::nullopt;
        parts.append(n.toInt());
    }
    while (parts.size() < 4)
        parts.append(0);
    int hours = parts[0];
    if (numbers.size() == 4 && numbers[3].size() == 1)
        parts[3] *= 10; // one digit after the seconds is tenths
    if (half != 0) {
        if (hours < 1 || hours > 12)
            return std::nullopt;
        hours = hours % 12 + (half == 2 ? 12 : 0);
    }
    if (hours > 23 || parts[1] > 59 || parts[2] > 59)
        return std::nullopt;
    return ((hours * 60 + parts[1]) * 60 + parts[2]) * 100LL + parts[3];
}

QString DateTimePattern::withTwoDigits(QStringView pattern)
{
    QString out;
    for (const Token &t : tokenize(pattern)) {
        if (t.letter.isNull())
            out += t.literal;
        else if (t.count == 1 && (t.letter == QLatin1Char('d') || t.letter == QLatin1Char('M') ||
                                  t.letter == QLatin1Char('H') || t.letter == QLatin1Char('h')))
            out += QString(2, t.letter);
        else if (t.letter == QLatin1Char('A') || t.letter == QLatin1Char('a'))
            out += t.letter + (t.letter == QLatin1Char('A') ? QStringLiteral("P") : QStringLiteral("p"));
        else
            out += QString(t.count, t.letter);
    }
    return out;
}

} // namespace tarvo
