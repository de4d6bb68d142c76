#include "listext/ViewRowSource.h"

#include "platform/data/Session.h"
#include "platform/data/Store.h"
#include "platform/data/expr/Expression.h"

#include <algorithm>

namespace tarvo::listext {

namespace {

data::expr::ValueType valueType(const data::FieldDecl &field)
{
    using data::FieldType;
    switch (field.type) {
    case FieldType::String:
    case FieldType::CString:
    case FieldType::Memo:
    case FieldType::Blob:
        return data::expr::ValueType::Text;
    default:
        break;
    }
    switch (columnKindOfPicture(field.picture)) {
    case ColumnKind::Date:
        return data::expr::ValueType::Date;
    case ColumnKind::Time:
        return data::expr::ValueType::Time;
    default:
        return data::expr::ValueType::Number;
    }
}

} // namespace

ViewRowSource::ViewRowSource(data::FileManager &file, const QString &keyName)
    : m_file(file), m_view(std::make_unique<data::View>(file, keyName)), m_keyName(keyName)
{
    const data::RecordLayout &l = file.layout();
    for (int i = 0; i < l.fieldCount(); ++i) {
        m_fields << l.fullFieldName(i);
        m_names.addColumn(l.fullFieldName(i), l.column(i), valueType(l.field(i)));
    }
}

Result<std::vector<SourceRow>> ViewRowSource::rowsAfter(const SourceRow *anchor, int n)
{
    const data::Record *after = anchor ? std::any_cast<data::Record>(&anchor->anchor) : nullptr;
    if (anchor && !after)
        return makeError(1, QStringLiteral("The row does not belong to this list."));
    auto records = m_view->rowsAfter(after, n);
    if (!records)
        return records.error();
    std::vector<SourceRow> rows;
    rows.reserve(records->size());
    for (auto &r : records.value()) {
        SourceRow row;
        if (m_fieldIndexes.empty()) {
            row.values.reserve(r.layout().fieldCount());
            for (int i = 0; i < r.layout().fieldCount(); ++i)
                row.values << r.value(i);
        } else {
            row.values.reserve(qsizetype(m_fieldIndexes.size()));
            for (const int f : m_fieldIndexes)
                row.values << r.value(f);
        }
        row.anchor = std::move(r);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::unique_ptr<RowSource> ViewRowSource::narrowed(const QStringList &fields) const
{
    const data::RecordLayout &l = m_file.layout();
    auto copy = std::make_unique<ViewRowSource>(m_file, m_keyName);
    copy->m_fields.clear();
    for (const QString &name : fields) {
        const int f = l.fieldIndex(name);
        if (f < 0)
            return nullptr;
        copy->m_fields << l.fullFieldName(f);
        copy->m_fieldIndexes.push_back(f);
    }
    if (copy->m_fieldIndexes.empty())
        return nullptr;
    // The view's order and range as they are; the filters again, so that a predicate reads the
    // copy's own names.
    copy->m_view = std::make_unique<data::View>(*m_view);
    copy->m_names = m_names;
    copy->m_baseFilter = m_baseFilter;
    copy->m_filter = m_filter;
    if (!copy->applyFilters())
        return nullptr;
    if (!copy->m_inMemory)
        copy->m_view->setColumns(copy->m_fields);
    return copy;
}

Result<qint64> ViewRowSource::count()
{
    return m_view->count();
}

Result<void> ViewRowSource::setOrder(const std::vector<SortKey> &keys)
{
    const data::RecordLayout &l = m_file.layout();
    if (keys.empty()) {
        const int k = l.keyIndex(m_keyName);
        if (k >= 0)
            m_view->setOrder(l.key(k).components, l.key(k).caseInsensitive);
        return {};
    }
    std::vector<data::KeyComponent> order;
    bool caseInsensitive = false;
    for (const SortKey &key : keys) {
        QString name = key.field;
        if (const int colon = name.indexOf(QLatin1Char(':')); colon >= 0)
            name = name.mid(colon + 1);
        if (l.fieldIndex(name) < 0)
            return makeError(1, QStringLiteral("The list cannot be ordered by %1.").arg(key.field));
        order.push_back(data::KeyComponent{name, key.descending});
        caseInsensitive = caseInsensitive || key.caseInsensitive;
    }
    // Rows with equal sort values follow in the list's own key order: its components end the
    // order (the view breaks any remaining ties by row, so no row is lost between pages).
    if (const int k = l.keyIndex(m_keyName); k >= 0 && l.key(k).unique)
        for (const data::KeyComponent &c : l.key(k).components)
            if (std::none_of(order.begin(), order.end(), [&](const data::KeyComponent &o) {
                    return o.field.compare(c.field, Qt::CaseInsensitive) == 0;
                }))
                order.push_back(c);
    m_view->setOrder(order, caseInsensitive);
    return {};
}

Result<void> ViewRowSource::setBaseFilter(const QString &expression)
{
    m_baseFilter = expression.trimmed();
    return applyFilters();
}

Result<void> ViewRowSource::setFilter(const QString &expression)
{
    const QString previous = m_filter;
    m_filter = expression.trimmed();
    auto r = applyFilters();
    if (!r) {
        m_filter = previous;
        (void)applyFilters();
    }
    return r;
}

Result<void> ViewRowSource::applyFilters()
{
    QStringList parts;
    for (const QString &p : {m_baseFilter, m_filter})
        if (!p.isEmpty())
            parts << QLatin1Char('(') + p + QLatin1Char(')');
    m_view->setPredicate({});
    m_inMemory = false;
    if (parts.isEmpty()) {
        m_view->setFilter({});
        return {};
    }
    auto parsed = data::expr::Expression::parse(parts.join(QStringLiteral(" AND ")), m_names);
    if (!parsed)
        return parsed.error();
    const auto dialect = m_file.session().store().kind() == data::StoreKind::Postgres
                             ? data::expr::Dialect::PostgreSql
                             : data::expr::Dialect::Sqlite;
    auto sql = parsed->toSql(dialect, m_names);
    if (sql) {
        m_view->setFilter(*sql);
        return {};
    }
    if (sql.error().code != data::expr::NoSqlForm)
        return sql.error();
    // Only the in-memory evaluator can run this filter.
    m_view->setFilter({});
    auto expression = std::make_shared<data::expr::Expression>(std::move(parsed.value()));
    auto names = &m_names;
    m_inMemory = true;
    m_view->setColumns({});
    m_view->setPredicate([expression, names](const data::Record &record) {
        for (int i = 0; i < record.layout().fieldCount(); ++i)
            names->setColumnValue(record.layout().fullFieldName(i), record.value(i));
        return expression->matches(*names);
    });
    return {};
}

} // namespace tarvo::listext
