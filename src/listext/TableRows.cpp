#include "listext/TableRows.h"

#include "listext/ColumnDefinition.h"
#include "platform/runtime/Picture.h"

namespace tarvo::listext {

namespace {

QString clipped(QString text)
{
    // Reads through a const view: a shared text is copied only when it has blanks to lose.
    qsizetype n = text.size();
    while (n > 0 && std::as_const(text).at(n - 1).isSpace())
        --n;
    if (n < text.size())
        text.truncate(n);
    return text;
}

class SourceTableReader final : public TableRowReader {
  public:
    SourceTableReader(RowSource &source, std::vector<TableColumn> columns, CellFormatter formatter,
                      int pageSize)
        : m_columns(std::move(columns)), m_formatter(std::move(formatter))
    {
        // A table reads only its columns' fields: a source that can leave out the others (a
        // file's memos, most of all) reads its rows several times faster without them.
        QStringList fields;
        for (const auto &c : m_columns)
            if (!fields.contains(c.field, Qt::CaseInsensitive))
                fields << c.field;
        m_narrowed = source.narrowed(fields);
        RowSource &read = m_narrowed ? *m_narrowed : source;
        m_reader = readAllRows(read, pageSize);
        // The runtime's formatter reads each picture once, not once per cell.
        using PlainFormatter = QString (*)(const QVariant &, const QString &);
        const PlainFormatter *plain = m_formatter.target<PlainFormatter>();
        m_parsed = plain && *plain == &plainCellText;
        for (const auto &c : m_columns) {
            m_indexes.push_back(read.fieldIndex(c.field));
            m_text.push_back(columnKindOfPicture(c.picture) == ColumnKind::Text);
            m_pictures.push_back(c.picture.trimmed().isEmpty() ? Picture() : Picture::parse(c.picture));
        }
    }

    QStringList headers() const override
    {
        QStringList out;
        for (const auto &c : m_columns)
            out << clipped(c.header);
        return out;
    }

    Result<bool> next(QStringList &cells) override
    {
        auto r = m_reader->next(m_row);
        if (!r || !*r)
            return r;
        cells.clear();
        const PictureLocale locale = m_parsed ? PictureLocale::current() : PictureLocale();
        for (size_t i = 0; i < m_columns.size(); ++i) {
            const QVariant &value = cellValue(i);
            cells << clipped(m_text[i] ? value.toString() : formatted(i, value, locale).trimmed());
        }
        return true;
    }

    QVariant value(int column) const override
    {
        return column >= 0 && size_t(column) < m_columns.size() ? cellValue(size_t(column)) : QVariant();
    }

  private:
    const QVariant &cellValue(size_t column) const
    {
        static const QVariant none;
        const int index = m_indexes[column];
        return index >= 0 && index < m_row.values.size() ? m_row.values.at(index) : none;
    }

    QString formatted(size_t column, const QVariant &value, const PictureLocale &locale) const
    {
        if (!m_parsed)
            return m_formatter(value, m_columns[column].picture);
        // The same as plainCellText, with the picture read already.
        if (m_columns[column].picture.trimmed().isEmpty())
            return value.toString();
        return m_pictures[column].format(value, locale);
    }

    std::vector<bool> m_text;        // a text picture: the value as it is
    std::vector<Picture> m_pictures; // each column's picture, read once
    bool m_parsed = false;           // the runtime's formatter: m_pictures stand for it
    SourceRow m_row;                 // the row last read
    std::vector<TableColumn> m_columns;
    std::vector<int> m_indexes;
    CellFormatter m_formatter;
    std::unique_ptr<RowSource> m_narrowed;
    std::unique_ptr<RowReader> m_reader;
};

} // namespace

QString plainCellText(const QVariant &value, const QString &picture)
{
    if (picture.trimmed().isEmpty())
        return value.toString();
    return Picture::format(value, picture);
}

std::unique_ptr<TableRowReader> tableRows(RowSource &source, std::vector<TableColumn> columns,
                                          CellFormatter formatter, int pageSize)
{
    return std::make_unique<SourceTableReader>(
        source, std::move(columns), formatter ? std::move(formatter) : CellFormatter(plainCellText),
        pageSize);
}

} // namespace tarvo::listext
