#include "access/SecurityFile.h"

#include <QStringList>

namespace tarvo::access {

namespace {

Error incomplete(int line)
{
    return makeError(SecurityFile::ErrorIncomplete, QStringLiteral("Record %1 is incomplete.").arg(line));
}

// Splits one line into its fields; nullopt when a quote is left open.
std::optional<QStringList> fields(const QString &line)
{
    QStringList out;
    QString current;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < line.size() && line.at(i + 1) == u'"') {
                current += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                current += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            out << current;
            current.clear();
        } else {
            current += c;
        }
    }
    if (quoted)
        return std::nullopt;
    out << current;
    return out;
}

} // namespace

Result<std::vector<SecurityRow>> SecurityFile::parse(const QByteArray &content)
{
    const QStringList lines = QString::fromUtf8(content).split(u'\n');
    std::vector<SecurityRow> rows;
    bool hasProcedure = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const auto f = fields(line);
        if (!f || f->size() != 4)
            return incomplete(int(i + 1));
        SecurityRow row{f->at(0).trimmed().left(50), f->at(1).trimmed().left(50), f->at(2).trimmed().left(50),
                        f->at(3).trimmed().toUpper().left(11)};
        if (row.resource.isEmpty() || row.typ.isEmpty())
            return incomplete(int(i + 1));
        hasProcedure = hasProcedure || row.isProcedure();
        rows.push_back(std::move(row));
    }
    if (!hasProcedure)
        return makeError(ErrorIncomplete, QStringLiteral("The file lists no procedure."));
    return rows;
}

} // namespace tarvo::access
