#include "listext/ListExport.h"

#include <QFile>
#include <QStringEncoder>

#include <algorithm>

namespace tarvo::listext {

namespace {

// Writes lines as UTF-8, each ended by CR LF, gathered into chunks of about 64 KiB.
class LineWriter final {
  public:
    explicit LineWriter(QIODevice &out) : m_out(out) {}

    Result<void> line(QStringView text)
    {
        const qsizetype needed = m_utf8.requiredSpace(text.size()) + 2;
        if (m_used + needed > m_chunk.size()) {
            if (auto f = flush(); !f)
                return f;
            if (needed > m_chunk.size())
                m_chunk.resize(std::max<qsizetype>(needed, ChunkSize));
        }
        char *end = m_utf8.appendToBuffer(m_chunk.data() + m_used, text);
        *end++ = '\r';
        *end++ = '\n';
        m_used = end - m_chunk.constData();
        return {};
    }

    Result<void> flush()
    {
        if (m_used > 0 && m_out.write(m_chunk.constData(), m_used) != m_used)
            return makeError(ListExport::ErrorWrite,
                             QStringLiteral("The file could not be written: %1").arg(m_out.errorString()));
        m_used = 0;
        return {};
    }

  private:
    static constexpr qsizetype ChunkSize = 64 * 1024;
    QIODevice &m_out;
    QStringEncoder m_utf8{QStringEncoder::Utf8};
    QByteArray m_chunk;
    qsizetype m_used = 0;
};

// Appends the text with &, <, > and " escaped, copying the runs between them whole.
void appendHtmlEscaped(QString &out, QStringView text)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QStringView entity;
        switch (text[i].unicode()) {
        case '&':
            entity = u"&amp;";
            break;
        case '<':
            entity = u"&lt;";
            break;
        case '>':
            entity = u"&gt;";
            break;
        case '"':
            entity = u"&quot;";
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

// The head lines, then a line for each row (rowLine appends it to an empty text), then the tail.
template <typename RowWriter>
Result<qint64> writeTable(QIODevice &out, const QStringList &head, TableRowReader &rows,
                          const ListExport::Progress &progress, RowWriter rowLine, const QStringList &tail)
{
    LineWriter writer(out);
    for (const QString &l : head)
        if (auto w = writer.line(l); !w)
            return w.error();
    qint64 count = 0;
    QStringList cells;
    QString line;
    for (;;) {
        auto more = rows.next(cells);
        if (!more)
            return more.error();
        if (!*more)
            break;
        line.resize(0); // keeps its capacity
        rowLine(cells, line);
        if (auto w = writer.line(line); !w)
            return w.error();
        ++count;
        if (progress && !progress(count)) {
            (void)writer.flush();
            return makeError(ListExport::ErrorCancelled, QStringLiteral("The export was cancelled."));
        }
    }
    for (const QString &l : tail)
        if (auto w = writer.line(l); !w)
            return w.error();
    if (auto f = writer.flush(); !f)
        return f.error();
    return count;
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
    return writeTable(out, head, rows, progress,
                      [](const QStringList &cells, QString &line) {
                          line += QStringView(u"<TR> ");
                          for (const QString &c : cells) {
                              line += QStringView(u"<TD>");
                              if (c.isEmpty())
                                  line += QStringView(u"&nbsp;");
                              else
                                  appendHtmlEscaped(line, QStringView(c).left(ListExport::MaxCellLength));
                              line += QStringView(u"</TD> ");
                          }
                          line += QStringView(u"</TR>");
                      },
                      {QStringLiteral("</TABLE>"), QStringLiteral("</HTML>")});
}

Result<qint64> ListExport::writeText(QIODevice &out, TableRowReader &rows, const Progress &progress)
{
    QStringList headers;
    for (const QString &h : rows.headers())
        headers << textField(h);
    return writeTable(out, {headers.join(QLatin1Char(';'))}, rows, progress,
                      [](const QStringList &cells, QString &line) {
                          for (qsizetype i = 0; i < cells.size(); ++i) {
                              if (i > 0)
                                  line += QLatin1Char(';');
                              appendTextField(line, QStringView(cells.at(i)).left(ListExport::MaxCellLength));
                          }
                      },
                      {});
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
