#include "platform/data/Record.h"

#include <cmath>
#include <limits>

namespace tarvo::data {

namespace {

qint64 toInteger(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (!std::isfinite(d))
            return 0;
        if (d >= 9.2e18 || d <= -9.2e18)
            return d > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
        return qint64(std::trunc(d));
    }
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        const QString s = value.toString().trimmed();
        bool ok = false;
        const qint64 n = s.toLongLong(&ok);
        if (ok)
            return n;
        return toInteger(QVariant(s.toDouble()));
    }
    default:
        return value.toLongLong();
    }
}

QString clipRight(QString text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    text.truncate(end);
    return text;
}

} // namespace

Record::Record(LayoutPtr layout) : m_layout(std::move(layout))
{
    m_values.reserve(size_t(m_layout->fieldCount()));
    for (int i = 0; i < m_layout->fieldCount(); ++i)
        m_values.push_back(emptyValue(m_layout->field(i)));
}

QVariant Record::value(const QString &name) const
{
    const int i = m_layout ? m_layout->fieldIndex(name) : -1;
    return i < 0 ? QVariant() : value(i);
}

bool Record::sameValues(const Record &other) const
{
    if (m_values.size() != other.m_values.size())
        return false;
    if (!m_layout || !other.m_layout)
        return m_values == other.m_values;
    for (int i = 0; i < int(m_values.size()); ++i)
        if (value(i) != other.value(i))
            return false;
    return true;
}

bool Record::setValue(const QString &name, const QVariant &value)
{
    const int i = m_layout ? m_layout->fieldIndex(name) : -1;
    if (i < 0)
        return false;
    setValue(i, value);
    return true;
}

void Record::setValue(int index, const QVariant &value)
{
    m_values[size_t(index)] = normalised(m_layout->field(index), value);
}

void Record::clear()
{
    for (int i = 0; i < int(m_values.size()); ++i)
        m_values[size_t(i)] = emptyValue(m_layout->field(i));
    m_rowId = 0;
    m_partial = false;
}

QVariant Record::emptyValue(const FieldDecl &field)
{
    return sharedEmptyValue(field);
}

const QVariant &Record::sharedEmptyValue(const FieldDecl &field)
{
    static const QVariant real(0.0);
    static const QVariant text(QStringLiteral(""));
    static const QVariant bytes(QByteArray(""));
    static const QVariant integer(qint64(0));
    switch (field.type) {
    case FieldType::Real:
    case FieldType::Decimal:
        return real;
    case FieldType::String:
    case FieldType::CString:
    case FieldType::Memo:
        return text;
    case FieldType::Blob:
        return bytes;
    default:
        return integer;
    }
}

QString Record::cutToWidth(const QString &text, int width)
{
    if (width <= 0 || text.size() <= width)
        return text;
    qsizetype pos = 0;
    for (int chars = 0; chars < width && pos < text.size(); ++chars)
        pos += (text.at(pos).isHighSurrogate() && pos + 1 < text.size()) ? 2 : 1;
    return text.left(pos);
}

QVariant Record::normalised(const FieldDecl &field, const QVariant &value)
{
    switch (field.type) {
    case FieldType::Byte:
        return QVariant(qint64(quint8(toInteger(value))));
    case FieldType::Short:
        return QVariant(qint64(qint16(toInteger(value))));
    case FieldType::UShort:
        return QVariant(qint64(quint16(toInteger(value))));
    case FieldType::Long:
        return QVariant(qint64(qint32(toInteger(value))));
    case FieldType::ULong:
        return QVariant(qint64(quint32(toInteger(value))));
    case FieldType::Real:
        return QVariant(value.toDouble());
    case FieldType::Decimal: {
        const double scale = std::pow(10.0, field.places);
        return QVariant(std::round(value.toDouble() * scale) / scale);
    }
    case FieldType::String: {
        QString s = clipRight(cutToWidth(value.toString(), field.size));
        return QVariant(s.isNull() ? QStringLiteral("") : s);
    }
    case FieldType::CString: {
        QString s = clipRight(cutToWidth(value.toString(), field.size > 1 ? field.size - 1 : 0));
        return QVariant(s.isNull() ? QStringLiteral("") : s);
    }
    case FieldType::Memo: {
        QString s = cutToWidth(value.toString(), field.size);
        return QVariant(s.isNull() ? QStringLiteral("") : s);
    }
    case FieldType::Blob: {
        QByteArray b = value.toByteArray();
        return QVariant(b.isNull() ? QByteArray("") : b);
    }
    }
    return value;
}

} // namespace tarvo::data
