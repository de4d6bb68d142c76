#include "listext/ListExport.h"

#include <QFile>

namespace tarvo::listext {

namespace {

const QString LineEnd = QStringLiteral("\r\n");

Result<void> writeLine(QIODevice &out, QString line)
{
    line += LineEnd;
    const QByteArray bytes = std::move(line).toUtf8();
    if (out.write(bytes) != bytes.size())
        return makeError(ListExport::ErrorWrite,
                         QStringLiteral("The file could not be written: %1").arg(out.errorString()));
    return {};
}

// Appends the text with &, <, > and " escaped, copying the runs between them whole.
void appendHtmlEscaped(QString &out, QStringView text)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QLatin1String entity;
        switch (text[i].unicode()) {
        case '&':
            entity = QLatin1String("&amp;");
            break;
        case '<':
            entity = QLatin1String("&lt;");
            break;
        case '>':
            entity = QLatin1String("&gt;");
            break;
        case '"':
            entity = QLatin1String("&quot;");
            break;
        default:
            continue;
        }
        out.append(text.mid(start, i - start));
        out.append(entity);
        start = i + 1;
    }
    out.append(text.mid(start));
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
    appendHtmlEscaped(out, text);
    return out;
}

QString ListExport::textField(const QString &text, QChar separator)
{
    QString out;
    appendTextField(out, text, separator);
    return out;
}

void ListExport::appendTextField(QString &out, QStringView text, QChar separator)
{
    // One pass decides whether the field needs quotes; most cells do not.
    bool quote = false;
    for (const QChar c : text) {
        if (c == separator || c == u'"' || c == u'\n' || c == u'\r') {
            quote = true;
            break;
        }
    }
    if (!quote) {
        out.append(text);
        return;
    }
    out.append(u'"');
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'"')
            continue;
        out.append(text.mid(start, i - start + 1));
        out.append(u'"');
        start = i + 1;
    }
    out.append(text.mid(start));
    out.append(u'"');
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
        QString line;
        line.reserve(256);
        line += QLatin1String("<TR> ");
        for (const QString &c : cells) {
            line += QLatin1String("<TD>");
            if (c.isEmpty())
                line += QLatin1String("&nbsp;");
            else
                appendHtmlEscaped(line, QStringView(c).left(ListExport::MaxCellLength));
            line += QLatin1String("</TD> ");
        }
        line += QLatin1String("</TR>");
        return line;
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
        QString line;
        line.reserve(128);
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (i > 0)
                line += QLatin1Char(';');
            appendTextField(line, QStringView(cells.at(i)).left(ListExport::MaxCellLength));
        }
        return line;
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
