#include "platform/runtime/Picture.h"

#include "platform/runtime/DateTimePattern.h"
#include "platform/runtime/DayDate.h"
#include "platform/runtime/Text.h"

#include <QDate>
#include <QTime>

#include <cmath>

namespace tarvo {

namespace {

// A value as the number that a numeric, date or time picture shows.
struct Numeric {
    bool ok = true;
    bool floating = false;
    qint64 whole = 0;
    double real = 0;
};

Numeric numericOf(const QVariant &value)
{
    Numeric n;
    if (!value.isValid() || value.isNull())
        return n;
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        n.floating = true;
        n.real = value.toDouble();
        return n;
    case QMetaType::QDate:
        n.whole = DayDate::fromDate(value.toDate());
        return n;
    case QMetaType::QTime:
        n.whole = DayDate::fromTime(value.toTime());
        return n;
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return n;
        n.whole = text.toLongLong(&n.ok);
        if (!n.ok) {
            n.real = text.toDouble(&n.ok);
            n.floating = true;
        }
        return n;
    }
    default:
        n.whole = value.toLongLong(&n.ok);
        return n;
    }
}

qint64 wholeOf(const Numeric &n)
{
    if (!n.floating)
        return n.whole;
    return std::isfinite(n.real) && std::fabs(n.real) < 9e18 ? static_cast<qint64>(n.real) : 0;
}

bool digitAt(QStringView s, qsizetype i)
{
    return i < s.size() && s[i].isDigit();
}

QChar separatorOf(QChar sign)
{
    if (sign == QLatin1Char('`') || sign == QLatin1Char('\''))
        return QLatin1Char(',');
    if (sign == QLatin1Char('_'))
        return QLatin1Char(' ');
    if (sign == QLatin1Char('.') || sign == QLatin1Char('-'))
        return sign;
    return {};
}

// The fixed date and time pictures, "/" and ":" standing for the separator.
const char *const DatePatterns[] = {"",           "MM/dd/yy",   "MM/dd/yyyy", "MMM dd,yyyy", "MMMM dd, yyyy",
                                    "dd/MM/yy",   "dd/MM/yyyy", "dd MMM yy",  "dd MMM yyyy", "yy/MM/dd",
                                    "yyyy/MM/dd", "yyMMdd",     "yyyyMMdd",   "MM/yy",       "MM/yyyy",
                                    "yy/MM",      "yyyy/MM"};
const char *const TimePatterns[] = {"", "HH:mm", "HHmm", "hh:mmAP", "HH:mm:ss", "HHmmss", "hh:mm:ssAP"};

// Without the leading-zero sign, the fixed pictures show a leading day, month or hour below 10
// with a blank in place of the zero, so that the columns stay aligned.
QString blankLeadingZero(QString text, const QString &pattern)
{
    if (pattern.size() <= 2 || pattern[2].isLetter() || !text.startsWith(QLatin1Char('0')))
        return text;
    const QStringView lead = QStringView(pattern).left(2);
    if (lead == u"MM" || lead == u"dd" || lead == u"HH" || lead == u"hh")
        text[0] = QLatin1Char(' ');
    return text;
}

} // namespace

Picture Picture::parse(QStringView text)
{
    Picture p;
    QStringView t = text.trimmed();
    if (t.startsWith(QLatin1Char('@')))
        t = t.sliced(1);
    if (t.isEmpty())
        return p;
    const QChar letter = t[0].toUpper();
    const QStringView rest = t.sliced(1);

    if (letter == QLatin1Char('S')) {
        bool ok = false;
        const int width = rest.size() <= 6 ? rest.toInt(&ok) : 0;
        if (ok && width > 0 && digitAt(rest, 0)) {
            p.m_kind = Kind::String;
            p.m_width = width;
        }
        return p;
    }
    if (letter == QLatin1Char('N')) {
        p.m_number = NumberPicture::parse(rest);
        if (p.m_number)
            p.m_kind = Kind::Number;
        return p;
    }
    if (letter != QLatin1Char('D') && letter != QLatin1Char('T'))
        return p;

    // [0] number [separator] [B]
    qsizetype i = 0;
    p.m_leadingZero = rest.startsWith(QLatin1Char('0')) && digitAt(rest, 1);
    if (p.m_leadingZero)
        ++i;
    const qsizetype from = i;
    while (digitAt(rest, i) && i - from < 2)
        ++i;
    p.m_format = rest.sliced(from, i - from).toInt();
    if (i < rest.size() && !separatorOf(rest[i]).isNull())
        p.m_separator = separatorOf(rest[i++]);
    if (i < rest.size() && rest[i].toUpper() == QLatin1Char('B')) {
        p.m_blankWhenZero = true;
        ++i;
    }
    const int last = letter == QLatin1Char('D') ? 18 : 8;
    if (i == rest.size() && p.m_format >= 1 && p.m_format <= last)
        p.m_kind = letter == QLatin1Char('D') ? Kind::Date : Kind::Time;
    return p;
}

int Picture::width() const
{
    if (m_kind == Kind::String)
        return m_width;
    return m_number ? m_number->width() : 0;
}

QString Picture::pattern(const PictureLocale &locale) const
{
    QString result;
    if (m_kind == Kind::Date) {
        if (m_format == 17 || m_format == 18)
            result = m_format == 17 ? locale.shortDate : locale.longDate;
        else
            result = QString::fromLatin1(DatePatterns[m_format]);
        if (!m_separator.isNull())
            result.replace(QLatin1Char('/'), m_separator);
    } else {
        if (m_format == 7 || m_format == 8)
            result = m_format == 7 ? locale.shortTime : locale.longTime;
        else
            result = QString::fromLatin1(TimePatterns[m_format]);
        if (!m_separator.isNull())
            result.replace(QLatin1Char(':'), m_separator);
    }
    if (m_leadingZero && (m_format == 17 || m_format == 18 || m_format == 7 || m_format == 8))
        result = DateTimePattern::withTwoDigits(result);
    return result;
}

QString Picture::formatDate(const QVariant &value, const PictureLocale &locale) const
{
    const Numeric n = numericOf(value);
    const qint64 day = wholeOf(n);
    if (!n.ok || day < 0)
        return value.toString();
    if (day == 0 && m_blankWhenZero)
        return {};
    const QDate date = day == 0 ? QDate(1800, 12, 28) : DayDate::toDate(day);
    if (!date.isValid())
        return value.toString();
    const QString p = pattern(locale);
    const QString text = DateTimePattern::formatDate(date, p, locale);
    const bool fixed = m_format != 17 && m_format != 18;
    return fixed && !m_leadingZero ? blankLeadingZero(text, p) : text;
}

QString Picture::formatTime(const QVariant &value, const PictureLocale &locale) const
{
    const Numeric n = numericOf(value);
    const qint64 time = wholeOf(n);
    if (!n.ok || time < 0)
        return value.toString();
    if (time == 0 && m_blankWhenZero)
        return {};
    const QString p = pattern(locale);
    const QString text = DateTimePattern::formatTime(std::max<qint64>(time - 1, 0), p);
    const bool fixed = m_format != 7 && m_format != 8;
    return fixed && !m_leadingZero ? blankLeadingZero(text, p) : text;
}

QString Picture::format(const QVariant &value, const PictureLocale &locale) const
{
    switch (m_kind) {
    case Kind::String:
        return Text::cutTo(value.toString(), m_width);
    case Kind::Number: {
        const Numeric n = numericOf(value);
        if (!n.ok)
            return value.toString();
        return n.floating ? m_number->format(n.real) : m_number->format(n.whole);
    }
    case Kind::Date:
        return formatDate(value, locale);
    case Kind::Time:
        return formatTime(value, locale);
    case Kind::Invalid:
        break;
    }
    return value.toString();
}

QVariant Picture::deformat(QStringView text, const PictureLocale &locale) const
{
    switch (m_kind) {
    case Kind::String:
        return Text::fit(text, m_width);
    case Kind::Number:
        return m_number->deformat(text);
    case Kind::Date: {
        if (text.trimmed().isEmpty())
            return qint64(0);
        const QDate today = DayDate::toDate(DayDate::today());
        const auto date = DateTimePattern::parseDate(text, pattern(locale), locale, today);
        const qint64 day = date ? DayDate::fromDate(*date) : 0;
        return day > 0 ? QVariant(day) : QVariant();
    }
    case Kind::Time: {
        if (text.trimmed().isEmpty())
            return qint64(0);
        const auto hundredths = DateTimePattern::parseTime(text);
        return hundredths ? QVariant(*hundredths + 1) : QVariant();
    }
    case Kind::Invalid:
        break;
    }
    return text.toString();
}

QString Picture::format(const QVariant &value, const QString &picture)
{
    return parse(picture).format(value, PictureLocale::current());
}

QVariant Picture::deformat(QStringView text, const QString &picture)
{
    return parse(picture).deformat(text, PictureLocale::current());
}

} // namespace tarvo
