#include "listext/TableRows.h"

#include "listext/ColumnDefinition.h"

#include <QDate>
#include <QLocale>
#include <QTime>

namespace tarvo::listext {

namespace {

// Day 4 is 1 January 1801.
const QDate DayZero(1800, 12, 28);

QString clipped(QString text)
{
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}

class SourceTableReader final : public TableRowReader {
public:
    SourceTableReader(RowSource &source, std::vector<TableColumn> columns, CellFormatter formatter, int pageSize)
        : m_columns(std::move(columns)), m_formatter(std::move(formatter)), m_reader(readAllRows(source, pageSize))
    {
        for (const auto &c : m_columns)
            m_indexes.push_back(source.fieldIndex(c.field));
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
        for (size_t i = 0; i < m_columns.size(); ++i) {
            const QVariant value = m_indexes[i] >= 0 ? row.values.value(m_indexes[i]) : QVariant();
            const QString &picture = m_columns[i].picture;
            const bool text = columnKindOfPicture(picture) == ColumnKind::Text;
            cells << clipped(text ? value.toString() : m_formatter(value, picture));
        }
        return true;
    }

private:
    std::vector<TableColumn> m_columns;
    std::vector<int> m_indexes;
    CellFormatter m_formatter;
    std::unique_ptr<RowReader> m_reader;
};

} // namespace

QString plainCellText(const QVariant &value, const QString &picture)
{
    switch (columnKindOfPicture(picture)) {
    case ColumnKind::Date: {
        const qint64 day = value.toLongLong();
        return day == 0 ? QString() : QLocale().toString(DayZero.addDays(day), QLocale::ShortFormat);
    }
    case ColumnKind::Time: {
        const qint64 t = value.toLongLong();
        return t == 0 ? QString() : QLocale().toString(QTime(0, 0).addMSecs((t - 1) * 10), QLocale::LongFormat);
    }
    default:
        return value.toString();
    }
}

std::unique_ptr<TableRowReader> tableRows(RowSource &source, std::vector<TableColumn> columns,
                                          CellFormatter formatter, int pageSize)
{
    return std::make_unique<SourceTableReader>(source, std::move(columns),
                                               formatter ? std::move(formatter) : CellFormatter(plainCellText),
                                               pageSize);
}

} // namespace tarvo::listext
