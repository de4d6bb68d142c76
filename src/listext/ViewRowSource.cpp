#include "listext/ViewRowSource.h"

#include "platform/data/ErrorCode.h"
#include "platform/data/Session.h"
#include "platform/data/Store.h"
#include "platform/data/expr/Expression.h"

#include <algorithm>

namespace tarvo::listext {

namespace {

// The row of a list built from one view row's values; a value the list shows only once is moved.
SourceRow rowOf(std::vector<QVariant> &values, const std::vector<size_t> &positions,
                const std::vector<bool> &lastUse, qint64 rowId)
{
    SourceRow row;
    row.values.reserve(qsizetype(positions.size()));
    for (size_t i = 0; i < positions.size(); ++i)
        row.values.append(lastUse[i] ? std::move(values[positions[i]]) : values[positions[i]]);
    row.anchor = rowId;
    return row;
}

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
    : m_file(file),
      m_view(keyName.isEmpty() ? std::make_unique<data::View>(file, std::vector<data::KeyComponent>{})
                               : std::make_unique<data::View>(file, keyName)),
      m_keyName(keyName)
{
    const data::RecordLayout &l = file.layout();
    for (int i = 0; i < l.fieldCount(); ++i) {
        m_fields << l.fullFieldName(i);
        m_names.addColumn(l.fullFieldName(i), l.column(i), valueType(l.field(i)));
    }
}

bool ViewRowSource::readsValuesOnly() const
{
    // A narrowed view reads the row's fields and those of the order, all of them known by
    // position among the fields read.
    if (m_fieldIndexes.empty() || m_inMemory)
        return false;
    const std::vector<int> &read = m_view->readFields();
    return !read.empty() && std::all_of(m_fieldIndexes.begin(), m_fieldIndexes.end(), [&](int f) {
        return std::binary_search(read.begin(), read.end(), f);
    });
}

Result<data::Record> ViewRowSource::placeOf(const SourceRow &row, qint64 rowId)
{
    // The row's own values hold its place when they hold every field the view reads; otherwise
    // the record is read again by its id.
    const std::vector<int> &read = m_view->readFields();
    const bool covered = !read.empty() && std::all_of(read.begin(), read.end(), [&](int f) {
        return std::find(m_fieldIndexes.begin(), m_fieldIndexes.end(), f) != m_fieldIndexes.end();
    });
    if (!covered) {
        data::Record record = m_file.newRecord();
        if (auto r = m_file.fetchRow(rowId, record); !r)
            return r.error();
        return record;
    }
    std::vector<QVariant> values(size_t(m_file.layout().fieldCount()));
    for (size_t i = 0; i < m_fieldIndexes.size() && qsizetype(i) < row.values.size(); ++i)
        values[size_t(m_fieldIndexes[i])] = row.values.at(qsizetype(i));
    data::Record record(m_file.layoutPtr(), std::move(values), rowId);
    record.setPartial(true);
    return record;
}

data::Record ViewRowSource::pageEdge(const SourceRow &row, const std::vector<size_t> &orderOnly,
                                     std::vector<QVariant> orderValues) const
{
    const std::vector<int> &read = m_view->readFields();
    std::vector<QVariant> values(size_t(m_file.layout().fieldCount()));
    for (size_t i = 0; i < m_fieldIndexes.size(); ++i)
        values[size_t(m_fieldIndexes[i])] = row.values.at(qsizetype(i));
    for (size_t i = 0; i < orderOnly.size(); ++i)
        values[size_t(read[orderOnly[i]])] = std::move(orderValues[i]);
    data::Record place(m_file.layoutPtr(), std::move(values), std::any_cast<qint64>(row.anchor));
    place.setPartial(true);
    return place;
}

void ViewRowSource::valuePositions(std::vector<size_t> &positions, std::vector<bool> &lastUse) const
{
    const std::vector<int> &read = m_view->readFields();
    for (size_t i = 0; i < m_fieldIndexes.size(); ++i) {
        const int f = m_fieldIndexes[i];
        positions.push_back(size_t(std::lower_bound(read.begin(), read.end(), f) - read.begin()));
        lastUse.push_back(std::find(m_fieldIndexes.begin() + qsizetype(i) + 1, m_fieldIndexes.end(), f) ==
                          m_fieldIndexes.end());
    }
}

Result<const ViewRowSource::SortedIds *> ViewRowSource::sortedIds()
{
    if (!m_keepSorted || m_inMemory)
        return nullptr;
    auto mark = m_view->writeMark();
    if (!mark)
        return mark.error();
    QVariantList selection = m_view->selectionKey();
    if (m_sorted && m_sorted->mark == mark.value() && m_sorted->selection == selection)
        return m_sorted.get();
    // The mark is taken before the read, so that a write during it shows at the next look.
    m_sorted.reset();
    auto ids = m_view->rowIds();
    if (!ids)
        return ids.error();
    auto sorted = std::make_shared<SortedIds>();
    sorted->ids = std::move(ids.value());
    sorted->selection = std::move(selection);
    sorted->mark = mark.value();
    m_sorted = std::move(sorted);
    m_sortedHint = 0;
    return m_sorted.get();
}

qint64 ViewRowSource::sortedIndex(const SortedIds &sorted, qint64 rowId) const
{
    // Paging asks for the rows next to the last ones read: look there first.
    const std::vector<qint64> &ids = sorted.ids;
    const qint64 size = qint64(ids.size());
    for (qint64 i = std::max<qint64>(m_sortedHint - 1000, 0); i < std::min(m_sortedHint + 1000, size); ++i)
        if (ids[size_t(i)] == rowId)
            return i;
    const auto it = std::find(ids.begin(), ids.end(), rowId);
    return it == ids.end() ? -1 : qint64(it - ids.begin());
}

Result<std::vector<SourceRow>> ViewRowSource::sortedRows(const SortedIds &sorted, qint64 from, qint64 to)
{
    from = std::clamp<qint64>(from, 0, qint64(sorted.ids.size()));
    to = std::clamp<qint64>(to, from, qint64(sorted.ids.size()));
    if (from == to)
        return std::vector<SourceRow>{};
    m_sortedHint = from;
    const std::vector<qint64> ids(sorted.ids.begin() + from, sorted.ids.begin() + to);
    if (!readsValuesOnly()) {
        auto records = m_view->rowsOfIds(ids);
        if (!records)
            return records.error();
        return recordRows(std::move(records.value()));
    }
    std::vector<size_t> positions;
    std::vector<bool> lastUse;
    valuePositions(positions, lastUse);
    std::vector<SourceRow> rows;
    rows.reserve(ids.size());
    // The rows at both ends of the page carry their place whole, as on a keyset page, for when
    // the next page is read by keyset after all (the ids were read again without them).
    std::vector<QVariant> firstValues, lastValues;
    auto r = m_view->valuesOfIds(ids, [&](std::vector<QVariant> &values, qint64 rowId) {
        if (rows.empty())
            firstValues = values;
        lastValues = values;
        rows.push_back(rowOf(values, positions, lastUse, rowId));
    });
    if (!r)
        return r.error();
    const std::vector<int> &read = m_view->readFields();
    auto place = [&](const std::vector<QVariant> &values, const SourceRow &row) {
        std::vector<QVariant> all(size_t(m_file.layout().fieldCount()));
        for (size_t p = 0; p < read.size() && p < values.size(); ++p)
            all[size_t(read[p])] = values[p];
        data::Record record(m_file.layoutPtr(), std::move(all), std::any_cast<qint64>(row.anchor));
        record.setPartial(true);
        return record;
    };
    if (!rows.empty()) {
        rows.front().anchor = place(firstValues, rows.front());
        if (rows.size() > 1)
            rows.back().anchor = place(lastValues, rows.back());
    }
    return rows;
}

bool ViewRowSource::keyServes(const std::vector<data::KeyComponent> &order, bool caseInsensitive) const
{
    // The key's components must start with the order's, all in the key's direction or all
    // reversed (an index reads either way), under the same letter case for texts.
    const data::RecordLayout &l = m_file.layout();
    const bool text = std::any_of(order.begin(), order.end(), [&](const data::KeyComponent &c) {
        return l.fieldIndex(c.field) >= 0 && l.isText(l.fieldIndex(c.field));
    });
    for (int k = 0; k < l.keyCount(); ++k) {
        const data::KeyDecl &key = l.key(k);
        if (key.dynamic || key.components.size() < order.size() ||
            (text && key.caseInsensitive != caseInsensitive))
            continue;
        bool same = true;
        bool flipped = true;
        for (size_t i = 0; i < order.size(); ++i) {
            const data::KeyComponent &c = key.components[i];
            const bool field = l.fieldIndex(c.field) == l.fieldIndex(order[i].field);
            same = same && field && c.descending == order[i].descending;
            flipped = flipped && field && c.descending != order[i].descending;
        }
        if (same || flipped)
            return true;
    }
    return false;
}

Result<std::vector<SourceRow>> ViewRowSource::valueRows(bool forward, const data::Record *anchor, int n,
                                                        bool inclusive)
{
    // Which fields read only the order needs.
    const std::vector<int> &read = m_view->readFields();
    std::vector<size_t> positions;
    std::vector<bool> lastUse;
    valuePositions(positions, lastUse);
    std::vector<size_t> orderOnly;
    for (size_t p = 0; p < read.size(); ++p)
        if (std::find(m_fieldIndexes.begin(), m_fieldIndexes.end(), read[p]) == m_fieldIndexes.end())
            orderOnly.push_back(p);
    std::vector<SourceRow> rows;
    rows.reserve(size_t(std::clamp(n, 0, 1000)));
    std::vector<QVariant> firstOrderValues(orderOnly.size());
    std::vector<QVariant> lastOrderValues(orderOnly.size());
    auto take = [&](std::vector<QVariant> &values, qint64 rowId) {
        for (size_t i = 0; i < orderOnly.size(); ++i) {
            if (rows.empty())
                firstOrderValues[i] = values[orderOnly[i]];
            lastOrderValues[i] = std::move(values[orderOnly[i]]);
        }
        rows.push_back(rowOf(values, positions, lastUse, rowId));
    };
    auto r =
        forward ? m_view->valuesAfter(anchor, n, take, inclusive) : m_view->valuesBefore(anchor, n, take);
    if (!r)
        return r.error();
    if (rows.empty())
        return rows;
    // The rows at both ends of a page are where the next pages either way start: they carry their
    // place whole.
    if (rows.size() > 1) {
        SourceRow &first = rows.front();
        first.anchor = pageEdge(first, orderOnly, std::move(firstOrderValues));
        SourceRow &last = rows.back();
        last.anchor = pageEdge(last, orderOnly, std::move(lastOrderValues));
    } else {
        rows.front().anchor = pageEdge(rows.front(), orderOnly, std::move(firstOrderValues));
    }
    if (!forward)
        std::reverse(rows.begin(), rows.end());
    return rows;
}

std::vector<SourceRow> ViewRowSource::recordRows(std::vector<data::Record> records) const
{
    std::vector<SourceRow> rows;
    rows.reserve(records.size());
    for (auto &r : records) {
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

Result<const data::Record *> ViewRowSource::placeOfAnchor(const SourceRow &anchor,
                                                          std::optional<data::Record> &storage)
{
    // A row read as values carries only its id, unless it ends its page.
    if (const auto *record = std::any_cast<data::Record>(&anchor.anchor))
        return record;
    if (const auto *rowId = std::any_cast<qint64>(&anchor.anchor)) {
        auto p = placeOf(anchor, *rowId);
        if (!p)
            return p.error();
        return &storage.emplace(std::move(p.value()));
    }
    return makeError(1, QStringLiteral("The row does not belong to this list."));
}

Result<std::vector<SourceRow>> ViewRowSource::rowsFromAnchor(const SourceRow *anchor, int n, bool forward)
{
    auto sorted = sortedIds();
    if (!sorted)
        return sorted.error();
    if (const SortedIds *ids = sorted.value()) {
        // A row no longer among the ids (gone, or out of the filter since) is read by keyset.
        const qint64 at =
            anchor ? sortedIndex(*ids, rowKey(*anchor)) : (forward ? -1 : qint64(ids->ids.size()));
        if (at >= 0 || !anchor)
            return forward ? sortedRows(*ids, at + 1, at + 1 + n) : sortedRows(*ids, at - n, at);
    }
    std::optional<data::Record> storage;
    const data::Record *place = nullptr;
    if (anchor) {
        auto p = placeOfAnchor(*anchor, storage);
        if (!p)
            return p.error();
        place = p.value();
    }
    if (readsValuesOnly())
        return valueRows(forward, place, n, false);
    auto records = forward ? m_view->rowsAfter(place, n) : m_view->rowsBefore(place, n);
    if (!records)
        return records.error();
    return recordRows(std::move(records.value()));
}

Result<std::vector<SourceRow>> ViewRowSource::rowsAfter(const SourceRow *anchor, int n)
{
    return rowsFromAnchor(anchor, n, true);
}

Result<std::vector<SourceRow>> ViewRowSource::rowsBefore(const SourceRow *anchor, int n)
{
    return rowsFromAnchor(anchor, n, false);
}

qint64 ViewRowSource::rowKey(const SourceRow &row) const
{
    if (const auto *record = std::any_cast<data::Record>(&row.anchor))
        return record->rowId();
    if (const auto *rowId = std::any_cast<qint64>(&row.anchor))
        return *rowId;
    return 0;
}

Result<std::vector<SourceRow>> ViewRowSource::rowsAt(qint64 key, int n)
{
    auto sorted = sortedIds();
    if (!sorted)
        return sorted.error();
    if (const SortedIds *ids = sorted.value())
        if (const qint64 at = sortedIndex(*ids, key); at >= 0)
            return sortedRows(*ids, at, at + n);
    // The row is read again: its sort values may have changed, and with them its place.
    data::Record place = m_file.newRecord();
    if (auto r = m_file.fetchRow(key, place); !r) {
        if (r.error().code == data::ErrorCode::RecordNotFound)
            return makeError(RowGone, r.error().message);
        return r.error();
    }
    if (readsValuesOnly())
        return valueRows(true, &place, n, true);
    auto records = m_view->rowsAfter(&place, n, true);
    if (!records)
        return records.error();
    return recordRows(std::move(records.value()));
}

Result<std::vector<SourceRow>> ViewRowSource::locate(const QVariantList &leading, int n)
{
    auto records = m_view->rowsFrom(leading, n);
    if (!records)
        return records.error();
    return recordRows(std::move(records.value()));
}

Result<qint64> ViewRowSource::position(const SourceRow &row)
{
    auto sorted = sortedIds();
    if (!sorted)
        return sorted.error();
    if (const SortedIds *ids = sorted.value())
        if (const qint64 at = sortedIndex(*ids, rowKey(row)); at >= 0)
            return at;
    std::optional<data::Record> storage;
    auto place = placeOfAnchor(row, storage);
    if (!place)
        return place.error();
    return m_view->countBefore(*place.value());
}

Result<std::optional<SourceRow>> ViewRowSource::skip(const SourceRow *anchor, qint64 distance, bool forward)
{
    auto sorted = sortedIds();
    if (!sorted)
        return sorted.error();
    if (const SortedIds *ids = sorted.value()) {
        const qint64 size = qint64(ids->ids.size());
        const qint64 at = anchor ? sortedIndex(*ids, rowKey(*anchor)) : (forward ? -1 : size);
        if (at >= 0 || !anchor) {
            const qint64 target = forward ? at + distance : at - distance;
            if (target < 0 || target >= size)
                return std::optional<SourceRow>();
            auto rows = sortedRows(*ids, target, target + 1);
            if (!rows)
                return rows.error();
            if (rows->empty())
                return std::optional<SourceRow>();
            return std::optional<SourceRow>(std::move(rows->front()));
        }
    }
    // The rows passed are read with one field only; the row reached carries its place whole, which
    // this source reads from as well as the narrowed one.
    std::optional<data::Record> storage;
    SourceRow from;
    if (anchor) {
        auto place = placeOfAnchor(*anchor, storage);
        if (!place)
            return place.error();
        from.anchor = *place.value();
    }
    std::unique_ptr<RowSource> narrow = m_fields.isEmpty() ? nullptr : narrowed({m_fields.first()});
    RowSource &walker = narrow ? *narrow : static_cast<RowSource &>(*this);
    return walker.RowSource::skip(anchor ? &from : nullptr, distance, forward);
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
    copy->m_keepSorted = m_keepSorted;
    copy->m_sorted = m_sorted;
    if (!copy->m_inMemory)
        copy->m_view->setColumns(copy->m_fields);
    return copy;
}

Result<qint64> ViewRowSource::count()
{
    // The list's length agrees with the positions in it.
    auto sorted = sortedIds();
    if (!sorted)
        return sorted.error();
    if (const SortedIds *ids = sorted.value())
        return qint64(ids->ids.size());
    return m_view->count();
}

Result<void> ViewRowSource::setOrder(const std::vector<SortKey> &keys)
{
    const data::RecordLayout &l = m_file.layout();
    m_sorted.reset();
    m_keepSorted = false;
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
    m_keepSorted = !keyServes(order, caseInsensitive);
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
    m_sorted.reset();
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
