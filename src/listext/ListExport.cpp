#include "listext/ListExport.h"

#include <QFile>

namespace tarvo::listext {

namespace {

const QString LineEnd = QStringLiteral("\r\n");

Result<void> writeLine(QIODevice &out, const QString &line)
{
    const QByteArray bytes = (line + LineEnd).toUtf8();
    if (out.write(bytes) != bytes.size())
        return makeError(ListExport::ErrorWrite,
                         QStringLiteral("The file could not be written: %1").arg(out.errorString()));
    return {};
}

QString cell(const QString &text)
{
    return text.left(ListExport::MaxCellLength);
}

template <typename RowWriter>
Result<qint64> writeRows(QIODevice &out, TableRowReader &rows, const ListExport::Progress &progress,
                         RowWriter rowLine)
{
    qint64 count = 0;
    QStringList cells;
    for (;;) {
        auto more = rows.next(cells);
        if (!more)
            return more.error();
        if (!*more)
            return count;
        if (auto w = writeLine(out, rowLine(cells)); !w)
            return w.error();
        ++count;
        if (progress && !progress(count))
            return makeError(ListExport::ErrorCancelled, QStringLiteral("The export was cancelled."));
    }
}

template <typename Writer> Result<qint64> toFile(const QString &path, Writer write)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return makeError(
            ListExport::ErrorWrite,
            QStringLiteral("The file %1 could not be created: %2").arg(path, file.errorString()));
    auto result = write(file);
    if (!file.flush() && result)
        return makeError(
            ListExport::ErrorWrite,
            QStringLiteral("The file %1 could not be written: %2").arg(path, file.errorString()));
    file.close();
    return result;
}

} // namespace

QString ListExport::htmlEscaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QStringLiteral("&amp;");
            break;
        case '<':
            out += QStringLiteral("&lt;");
            break;
        case '>':
            out += QStringLiteral("&gt;");
            break;
        case '"':
            out += QStringLiteral("&quot;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString ListExport::textField(const QString &text, QChar separator)
{
    if (!text.contains(separator) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString inner = text;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

Result<qint64> ListExport::writeHtml(QIODevice &out, const QString &caption, TableRowReader &rows,
                                     const Progress &progress)
{
    const QString title = htmlEscaped(caption.trimmed());
    QString headerLine = QStringLiteral("<TR> ");
    for (const QString &h : rows.headers())
        headerLine += QStringLiteral("<TD><STRONG>") + htmlEscaped(h) + QStringLiteral("</STRONG></TD> ");
    headerLine += QStringLiteral("</TR>");
    const QStringList head{QStringLiteral("<HTML>"),
                           QStringLiteral("<HEAD><META CHARSET=\"UTF-8\"><TITLE>") + title +
                               QStringLiteral("</TITLE></HEAD>"),
                           QStringLiteral("<H1>") + title + QStringLiteral("</H1><P>"),
                           QStringLiteral("<TABLE BORDER=2>"), headerLine};
    for (const QString &line : head)
        if (auto w = writeLine(out, line); !w)
            return w.error();
    auto written = writeRows(out, rows, progress, [](const QStringList &cells) -> QString {
        QString line = QStringLiteral("<TR> ");
        for (const QString &c : cells)
            line += QStringLiteral("<TD>") + (c.isEmpty() ? QStringLiteral("&nbsp;") : htmlEscaped(cell(c))) +
                    QStringLiteral("</TD> ");
        return line + QStringLiteral("</TR>");
    });
    if (!written)
        return written;
    for (const QString &line : QStringList{QStringLiteral("</TABLE>"), QStringLiteral("</HTML>")})
        if (auto w = writeLine(out, line); !w)
            return w.error();
    return written;
}

Result<qint64> ListExport::writeText(QIODevice &out, TableRowReader &rows, const Progress &progress)
{
    QStringList headers;
    for (const QString &h : rows.headers())
        headers << textField(h);
    if (auto w = writeLine(out, headers.join(QLatin1Char(';'))); !w)
        return w.error();
    return writeRows(out, rows, progress, [](const QStringList &cells) -> QString {
        QStringList fields;
        for (const QString &c : cells)
            fields << textField(cell(c));
        return fields.join(QLatin1Char(';'));
    });
}

Result<qint64> ListExport::exportHtmlFile(const QString &path, const QString &caption, TableRowReader &rows,
                                          const Progress &progress)
{
    return toFile(path, [&](QIODevice &out) { return writeHtml(out, caption, rows, progress); });
}

Result<qint64> ListExport::exportTextFile(const QString &path, TableRowReader &rows, const Progress &progress)
{
    return toFile(path, [&](QIODevice &out) { return writeText(out, rows, progress); });
}

} // namespace tarvo::listext
