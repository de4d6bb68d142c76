#include "platform/query/CsvWriter.h"

#include <QIODevice>

namespace tarvo::query {

QString CsvWriter::field(const QString &value)
{
    const bool quote =
        value.contains(u',') || value.contains(u'"') || value.contains(u'\r') || value.contains(u'\n');
    if (!quote)
        return value;
    QString out = value;
    out.replace(u'"', QStringLiteral("\"\""));
    return u'"' + out + u'"';
}

QString CsvWriter::record(const QStringList &fields)
{
    // A record of one empty field is written quoted: a bare empty line is no record.
    if (fields.size() == 1 && fields.first().isEmpty())
        return QStringLiteral("\"\"\r\n");
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString &f : fields)
        quoted << field(f);
    return quoted.join(u',') + QStringLiteral("\r\n");
}

Result<void> CsvWriter::writeRecord(const QStringList &fields)
{
    const QByteArray bytes = record(fields).toUtf8();
    if (m_device.write(bytes) != bytes.size())
        return makeError(90,
                         QStringLiteral("The export file could not be written: ") + m_device.errorString());
    return {};
}

} // namespace tarvo::query
