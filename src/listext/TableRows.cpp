#include "listext/TableRows.h"

#include "listext/ColumnDefinition.h"
#include "platform/runtime/Picture.h"

namespace tarvo::listext {

namespace {

QString clipped(QString text)
{
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
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
        SourceRow row;
        auto r = m_reader->next(row);
        if (!r || !*r)
            return r;
        cells.clear();
        m_values.clear();
        const PictureLocale locale = m_parsed ? PictureLocale::current() : PictureLocale();
        for (size_t i = 0; i < m_columns.size(); ++i) {
            const QVariant value = m_indexes[i] >= 0 ? row.values.value(m_indexes[i]) : QVariant();
            cells << clipped(m_text[i] ? value.toString() : formatted(i, value, locale).trimmed());
            m_values << value;
        }
        return true;
    }

    QVariant value(int column) const override { return m_values.value(column); }

  private:
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
    QVariantList m_values;
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
