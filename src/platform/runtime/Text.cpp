#include "platform/runtime/Text.h"

#include <QList>

#include <algorithm>

namespace tarvo {

namespace {

bool hasSurrogates(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); });
}

// UTF-16 offset of the code point with the 0-based index, or text.size() past the end.
qsizetype unitOffset(QStringView text, qsizetype index)
{
    qsizetype offset = 0;
    for (qsizetype n = 0; n < index && offset < text.size(); ++n) {
        offset +=
            (text[offset].isHighSurrogate() && offset + 1 < text.size() && text[offset + 1].isLowSurrogate())
                ? 2
                : 1;
    }
    return offset;
}

// The size of text without its trailing blanks.
qsizetype clippedSize(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    return end;
}

QString blanks(qsizetype count)
{
    return count > 0 ? QString(count, QLatin1Char(' ')) : QString();
}

QStringView stripBlanks(QStringView text)
{
    qsizetype from = 0;
    while (from < text.size() && text[from] == QLatin1Char(' '))
        ++from;
    qsizetype to = text.size();
    while (to > from && text[to - 1] == QLatin1Char(' '))
        --to;
    return text.sliced(from, to - from);
}

qsizetype searchCodePoints(const QList<uint> &needle, const QList<uint> &haystack, qsizetype step,
                           qsizetype start)
{
    const qsizetype last = haystack.size() - needle.size() + 1; // last 1-based start that fits
    auto matchesAt = [&](qsizetype pos) {
        return std::equal(needle.begin(), needle.end(), haystack.begin() + (pos - 1));
    };
    if (step > 0) {
        for (qsizetype pos = std::max<qsizetype>(start, 1); pos <= last; pos += step) {
            if (matchesAt(pos))
                return (pos - 1) / step + 1;
        }
    } else {
        for (qsizetype pos = std::min(start, last); pos >= 1; pos += step) {
            if (matchesAt(pos))
                return (pos - 1) / -step + 1;
        }
    }
    return 0;
}

} // namespace

qsizetype Text::length(QStringView text)
{
    if (!hasSurrogates(text))
        return text.size();
    return text.toUcs4().size();
}

QString Text::clip(QStringView text)
{
    return text.first(clippedSize(text)).toString();
}

QString Text::clip(const QString &text)
{
    const qsizetype end = clippedSize(text);
    return end == text.size() ? text : text.first(end);
}

QString Text::sub(QStringView text, qsizetype start, qsizetype length)
{
    if (length <= 0 || text.isEmpty())
        return {};
    const qsizetype total = Text::length(text);
    qsizetype from = start < 0 ? total + start + 1 : start; // 1-based
    qsizetype to = from + length;                           // exclusive
    from = std::max<qsizetype>(from, 1);
    to = std::min(to, total + 1);
    if (from >= to)
        return {};
    const qsizetype begin = unitOffset(text, from - 1);
    const qsizetype end = begin + unitOffset(text.sliced(begin), to - from);
    return text.sliced(begin, end - begin).toString();
}

qsizetype Text::instring(QStringView needle, QStringView haystack, qsizetype step, qsizetype start)
{
    if (needle.isEmpty() || haystack.isEmpty())
        return 0;
    if (step == 0)
        step = 1;
    if (step == 1 && !hasSurrogates(haystack)) {
        if (start > haystack.size())
            return 0;
        return haystack.indexOf(needle, std::max<qsizetype>(start, 1) - 1) + 1;
    }
    return searchCodePoints(needle.toUcs4(), haystack.toUcs4(), step, start);
}

QString Text::upper(QStringView text)
{
    return text.toString().toUpper();
}

QString Text::lower(QStringView text)
{
    return text.toString().toLower();
}

QString Text::left(QStringView text, qsizetype width)
{
    if (width < 0)
        width = length(text);
    const QString body = cutTo(stripBlanks(text), width);
    return body + blanks(width - length(body));
}

QString Text::right(QStringView text, qsizetype width)
{
    if (width < 0)
        width = length(text);
    const QString body = cutTo(stripBlanks(text), width);
    return blanks(width - length(body)) + body;
}

QString Text::center(QStringView text, qsizetype width)
{
    if (width < 0)
        width = length(text);
    const QString body = cutTo(stripBlanks(text), width);
    const qsizetype free = width - length(body);
    return blanks(free / 2) + body + blanks(free - free / 2);
}

QString Text::padTo(QStringView text, qsizetype width)
{
    return text.toString() + blanks(width - length(text));
}

QString Text::cutTo(QStringView text, qsizetype width)
{
    if (width <= 0)
        return {};
    if (text.size() <= width) // never more code points than UTF-16 units
        return text.toString();
    return text.first(unitOffset(text, width)).toString();
}

QString Text::fit(QStringView text, qsizetype width)
{
    return clip(cutTo(text, width));
}

} // namespace tarvo
