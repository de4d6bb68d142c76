#include "platform/data/RelationManager.h"

#include "platform/data/Connection.h"
#include "platform/data/Dictionary.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/data/Store.h"
#include "platform/data/Transaction.h"

#include <QSqlQuery>

namespace tarvo::data {

namespace {
constexpr int kMsgRestrictedDelete = 33;
constexpr int kMsgRestrictedUpdate = 34;
constexpr int kMaxDepth = 32;
} // namespace

RelationManager::RelationManager(Session &session, FileManager &file) : m_session(session), m_file(file)
{
    const QString label = file.layout().label();
    for (const RelationDecl &r : session.dictionary().decl().relations) {
        if (r.parent.compare(label, Qt::CaseInsensitive) == 0)
            m_children.push_back(&r);
        if (r.child.compare(label, Qt::CaseInsensitive) == 0)
            m_parents.push_back(&r);
    }
}

Result<void> RelationManager::open()
{
    if (auto r = m_file.open(); !r)
        return r;
    for (const auto *list : {&m_children, &m_parents})
        for (const RelationDecl *r : *list) {
            const QString &other = list == &m_children ? r->child : r->parent;
            if (FileManager *fm = m_session.file(other))
                if (auto o = fm->open(); !o)
                    return o;
        }
    return {};
}

QString RelationManager::childWhere(const RelationDecl &relation, FileManager &child, const Record &parent,
                                    QVariantList &params) const
{
    const RecordLayout &cl = child.layout();
    // The children are those the child key finds: a case-insensitive key finds "ANNA" under "anna".
    const int key = relation.childKey.isEmpty() ? -1 : cl.keyIndex(relation.childKey);
    const bool caseInsensitive = key >= 0 && cl.key(key).caseInsensitive;
    QStringList terms;
    for (const auto &[parentField, childField] : relation.links) {
        const int cf = cl.fieldIndex(childField);
        QString column = cl.column(cf);
        if (caseInsensitive && cl.isText(cf))
            column += QStringLiteral(" COLLATE ") + Store::collation(true);
        terms << column + QStringLiteral(" = ?");
        params << Record::normalised(cl.field(cf), parent.value(parentField));
    }
    for (const auto &[childField, value] : relation.childCondition) {
        const int cf = cl.fieldIndex(childField);
        terms << cl.column(cf) + QStringLiteral(" = ?");
        params << Record::normalised(cl.field(cf), value);
    }
    return terms.join(QStringLiteral(" AND "));
}

Result<std::vector<qint64>> RelationManager::childRows(const RelationDecl &relation, FileManager &child,
                                                       const Record &parent)
{
    QVariantList params;
    const QString where = childWhere(relation, child, parent, params);
    auto conn = m_session.connection();
    if (!conn)
        return conn.error();
    auto q = (*conn)->exec(QStringLiteral("SELECT \"_rid\" FROM %1 WHERE %2 ORDER BY \"_rid\"")
                               .arg(RecordLayout::quote(child.layout().table()), where),
                           params);
    if (!q)
        return q.error();
    std::vector<qint64> rows;
    while (q.value()->next())
        rows.push_back(q.value()->value(0).toLongLong());
    return rows;
}

bool RelationManager::needsRowByRow(FileManager &child, bool forDelete)
{
    RelationManager *rm = m_session.relations(child.layout().label());
    if (!rm)
        return false;
    for (const RelationDecl *r : rm->children())
        if ((forDelete ? r->remove : r->update) != RelationMode::None)
            return true;
    return false;
}

Result<void> RelationManager::update(Record &record)
{
    return inOneTransaction(record, [&] { return updateWithin(record, 0); });
}

Result<void> RelationManager::update(Record &record, const Record &stored)
{
    // A record of another row cannot stand for this one: that case reads the row as usual.
    const Record *known = stored.rowId() == record.rowId() && stored.rowId() != 0 ? &stored : nullptr;
    return inOneTransaction(record, [&] { return updateWithin(record, 0, known); });
}

Result<void> RelationManager::remove(Record &record)
{
    return inOneTransaction(record, [&] { return removeWithin(record, 0); });
}

// A change or delete with everything it cascades to: all of it, or nothing.
Result<void> RelationManager::inOneTransaction(Record &record, const std::function<Result<void>()> &work)
{
    if (auto whole = m_file.checkWhole(record); !whole)
        return whole;
    if (auto o = open(); !o)
        return o;
    auto conn = m_session.connection();
    if (!conn)
        return conn.error();
    Transaction tx(**conn);
    if (!tx.started())
        return tx.started();
    if (auto r = work(); !r)
        return r;
    return tx.commit();
}

Result<void> RelationManager::refuseIfReferenced(const RelationDecl &rel, FileManager &child,
                                                 const Record &parent, int message)
{
    auto rows = childRows(rel, child, parent);
    if (!rows)
        return rows.error();
    if (rows->empty())
        return {};
    const Error e = makeError(ErrorCode::RestrictedByRelation, errorCodeText(33));
    child.report(message, e);
    return e;
}

Result<void> RelationManager::updateWithin(Record &record, int depth, const Record *stored)
{
    if (depth > kMaxDepth)
        return makeError(ErrorCode::FileSystemError, QStringLiteral("Relations nest too deep"));
    Record fetched;
    if (!stored) {
        fetched = m_file.newRecord();
        if (auto r = m_file.fetchRow(record.rowId(), fetched); !r)
            return r;
    }
    const Record &old = stored ? *stored : fetched;
    for (const RelationDecl *rel : m_children) {
        bool changed = false;
        for (const auto &link : rel->links)
            changed = changed || old.value(link.first) != record.value(link.first);
        if (!changed || rel->update == RelationMode::None)
            continue;
        FileManager *child = m_session.file(rel->child);
        if (!child)
            continue;
        if (auto o = child->checkWritable(); !o)
            return o;
        const RecordLayout &cl = child->layout();
        if (rel->update == RelationMode::Restrict) {
            if (auto r = refuseIfReferenced(*rel, *child, old, kMsgRestrictedUpdate); !r)
                return r;
            continue;
        }
        // Cascade writes the new link values into the children, Clear empties them.
        auto newValue = [&](const QString &parentField, const QString &childField) {
            const int cf = cl.fieldIndex(childField);
            return rel->update == RelationMode::Cascade
                       ? Record::normalised(cl.field(cf), record.value(parentField))
                       : Record::emptyValue(cl.field(cf));
        };
        if (needsRowByRow(*child, false)) {
            auto rows = childRows(*rel, *child, old);
            if (!rows)
                return rows.error();
            RelationManager *crm = m_session.relations(rel->child);
            for (qint64 row : *rows) {
                Record c = child->newRecord();
                if (auto f = child->fetchRow(row, c); !f)
                    return f;
                for (const auto &[pf, cf] : rel->links)
                    c.setValue(cf, newValue(pf, cf));
                if (auto u = crm->updateWithin(c, depth + 1); !u)
                    return u;
            }
            continue;
        }
        QVariantList params;
        QStringList sets;
        for (const auto &[pf, cf] : rel->links) {
            sets << cl.column(cl.fieldIndex(cf)) + QStringLiteral(" = ?");
            params << newValue(pf, cf);
        }
        const QString where = childWhere(*rel, *child, old, params);
        auto conn = m_session.connection();
        auto q = (*conn)->exec(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                                   .arg(RecordLayout::quote(cl.table()), sets.join(QLatin1Char(',')), where),
                               params);
        if (!q) {
            if (q.error().code == ErrorCode::DuplicateKey)
                child->report(15, q.error());
            else
                child->report(0, q.error());
            return q.error();
        }
    }
    return stored ? m_file.update(record, *stored) : m_file.update(record);
}

Result<void> RelationManager::removeWithin(Record &record, int depth)
{
    if (depth > kMaxDepth)
        return makeError(ErrorCode::FileSystemError, QStringLiteral("Relations nest too deep"));
    // The children are found by the record as stored, not as the caller may have edited it.
    Record stored = m_file.newRecord();
    if (auto r = m_file.fetchRow(record.rowId(), stored); !r)
        return r;
    for (const RelationDecl *rel : m_children) {
        if (rel->remove == RelationMode::None)
            continue;
        FileManager *child = m_session.file(rel->child);
        if (!child)
            continue;
        if (auto o = child->checkWritable(); !o)
            return o;
        const RecordLayout &cl = child->layout();
        if (rel->remove == RelationMode::Restrict) {
            if (auto r = refuseIfReferenced(*rel, *child, stored, kMsgRestrictedDelete); !r)
                return r;
            continue;
        }
        if (rel->remove == RelationMode::Cascade && needsRowByRow(*child, true)) {
            auto rows = childRows(*rel, *child, stored);
            if (!rows)
                return rows.error();
            RelationManager *crm = m_session.relations(rel->child);
            for (qint64 row : *rows) {
                Record c = child->newRecord();
                auto f = child->fetchRow(row, c);
                if (!f && f.error().code == ErrorCode::RecordNotFound)
                    continue; // already gone through another relation of this deletion
                if (!f)
                    return f;
                if (auto d = crm->removeWithin(c, depth + 1); !d)
                    return d;
            }
            continue;
        }
        QVariantList params;
        QString sql;
        if (rel->remove == RelationMode::Cascade) {
            const QString where = childWhere(*rel, *child, stored, params);
            sql = QStringLiteral("DELETE FROM %1 WHERE %2").arg(RecordLayout::quote(cl.table()), where);
        } else {
            QStringList sets;
            for (const auto &link : rel->links) {
                const int cf = cl.fieldIndex(link.second);
                sets << cl.column(cf) + QStringLiteral(" = ?");
                params << Record::emptyValue(cl.field(cf));
            }
            const QString where = childWhere(*rel, *child, stored, params);
            sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                      .arg(RecordLayout::quote(cl.table()), sets.join(QLatin1Char(',')), where);
        }
        auto conn = m_session.connection();
        auto q = (*conn)->exec(sql, params);
        if (!q) {
            child->report(0, q.error());
            return q.error();
        }
    }
    auto r = m_file.remove(record);
    if (!r && r.error().code == ErrorCode::RecordNotFound)
        return {};
    return r;
}

} // namespace tarvo::data
