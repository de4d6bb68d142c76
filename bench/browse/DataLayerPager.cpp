#include "DataLayerPager.h"

#include "platform/data/expr/Expression.h"
#include "platform/data/expr/NameTable.h"

#include <stdexcept>

namespace tarvo::bench {

namespace {
data::expr::ValueType typeOf(data::FieldType type)
{
    switch (type) {
    case data::FieldType::String:
    case data::FieldType::CString:
    case data::FieldType::Memo:
    case data::FieldType::Blob:
        return data::expr::ValueType::Text;
    default:
        return data::expr::ValueType::Number;
    }
}

// The names the issue browse binds for its filters.
void fillNames(data::expr::NameTable &names, const data::RecordLayout &layout, const BrowseSelection &s)
{
    for (int i = 0; i < layout.fieldCount(); ++i)
        names.addColumn(layout.fullFieldName(i), layout.column(i), typeOf(layout.field(i).type));
    names.bind(QStringLiteral("SecP"), s.programLimit);
    names.bind(QStringLiteral("T"), s.tab);
    names.bind(QStringLiteral("PrgID"), s.program);
    names.bind(QStringLiteral("Rel"), s.release);
    names.bind(QStringLiteral("Prgfile"), s.file);
    names.bind(QStringLiteral("MAK"), QStringLiteral("ABC"));
}
} // namespace

DataLayerPager::DataLayerPager(data::FileManager &bugs, const BrowseOrder &order,
                               const BrowseSelection &selection, data::expr::Dialect dialect, bool pinInRange)
    : m_view(std::make_unique<data::View>(bugs, order.key))
{
    if (!m_view->isValid())
        throw std::runtime_error("no key " + order.key.toStdString());
    m_idField = bugs.layout().fieldIndex(QStringLiteral("BUG:ID"));
    data::expr::NameTable names;
    fillNames(names, bugs.layout(), selection);
    auto expression = data::expr::Expression::parse(order.filterText(), names);
    if (!expression)
        throw std::runtime_error(expression.error().message.toStdString());
    auto sql = expression->toSql(dialect, names);
    if (!sql)
        throw std::runtime_error(sql.error().message.toStdString());
    m_view->setRange(order.rangeValues(selection, pinInRange));
    m_view->setFilter(*sql);
    m_cursor = std::make_unique<data::Cursor>(*m_view);
}

std::vector<qint64> DataLayerPager::ids(const Result<std::vector<data::Record>> &rows) const
{
    if (!rows)
        throw std::runtime_error(rows.error().message.toStdString());
    std::vector<qint64> out;
    out.reserve(rows->size());
    for (const data::Record &r : *rows)
        out.push_back(r.value(m_idField).toLongLong());
    return out;
}

std::vector<qint64> DataLayerPager::firstPage()
{
    m_cursor->reset();
    return ids(m_cursor->nextPage(kPageRows));
}

std::vector<qint64> DataLayerPager::nextPage()
{
    return ids(m_cursor->nextPage(kPageRows));
}

std::vector<qint64> DataLayerPager::previousPage()
{
    return ids(m_cursor->previousPage(kPageRows));
}

std::vector<qint64> DataLayerPager::lastPage()
{
    m_cursor->reset();
    return ids(m_cursor->previousPage(kPageRows));
}

qint64 DataLayerPager::count()
{
    auto n = m_view->count();
    if (!n)
        throw std::runtime_error(n.error().message.toStdString());
    return *n;
}

} // namespace tarvo::bench
