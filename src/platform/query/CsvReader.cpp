#include "platform/query/CsvReader.h"

namespace tarvo::query {

namespace {

Error malformed(int line, const QString &what)
{
    return makeError(1, QStringLiteral("Line %1: %2").arg(line).arg(what));
}

} // namespace

Result<std::vector<CsvRow>> CsvReader::parse(const QString &text)
{
    std::vector<CsvRow> rows;
    qsizetype i = text.startsWith(QChar(0xFEFF)) ? 1 : 0;
    const qsizetype n = text.size();
    int line = 1;
    while (i < n) {
        CsvRow row;
        row.line = line;
        QString field;
        bool quoted = false;
        bool endOfRecord = false;
        while (!endOfRecord) {
            if (i < n && text.at(i) == u'"') {
                // A quoted field runs to the quote that is not doubled.
                const int startLine = line;
                quoted = true;
                ++i;
                bool closed = false;
                while (i < n) {
                    const QChar c = text.at(i);
                    if (c == u'"') {
                        if (i + 1 < n && text.at(i + 1) == u'"') {
                            field += u'"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    if (c == u'\n')
                        ++line;
                    field += c;
                    ++i;
                }
                if (!closed)
                    return malformed(startLine, QStringLiteral("a quoted field is not closed"));
                if (i < n && text.at(i) != u',' && text.at(i) != u'\r' && text.at(i) != u'\n')
                    return malformed(line, QStringLiteral("text follows the closing quote of a field"));
            } else {
                while (i < n && text.at(i) != u',' && text.at(i) != u'\r' && text.at(i) != u'\n') {
                    if (text.at(i) == u'"')
                        return malformed(line, QStringLiteral("a quote inside a field that is not quoted"));
                    field += text.at(i);
                    ++i;
                }
            }
            row.fields << field;
            field.clear();
            if (i < n && text.at(i) == u',') {
                ++i;
                continue;
            }
            // End of the record: CRLF, LF, a lone CR, or the end of the text.
            if (i < n && text.at(i) == u'\r')
                ++i;
            if (i < n && text.at(i) == u'\n')
                ++i;
            ++line;
            endOfRecord = true;
        }
        if (quoted || !(row.fields.size() == 1 && row.fields.first().isEmpty()))
            rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace tarvo::query
