#include "access/DataLayerAccessRepository.h"

#include "access/AccessTables.h"
#include "access/RecordMapping.h"
#include "access/StoreSessions.h"
#include "platform/data/Connection.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/FileManager.h"
#include "platform/data/RecordLayout.h"
#include "platform/data/RelationManager.h"
#include "platform/data/SqliteStore.h"
#include "platform/data/Store.h"
#include "platform/data/Transaction.h"
#include "platform/data/View.h"
#include "platform/runtime/Text.h"

#include <QFileInfo>

#include <algorithm>

namespace tarvo::access {

namespace {

using data::ErrorCode::RecordNotFound;

constexpr int kPage = 500;

template <class R> void fill(data::Record &record, const std::vector<FieldBinding<R>> &fields, const R &from)
{
    for (const auto &f : fields)
        record.setValue(f.field, f.get(from));
}

template <class R> R read(const data::Record &record, const std::vector<FieldBinding<R>> &fields)
{
    R out;
    for (const auto &f : fields)
        f.set(out, record.value(f.field));
    return out;
}

template <class R>
std::vector<R> readEach(const std::vector<data::Record> &records, const std::vector<FieldBinding<R>> &fields)
{
    std::vector<R> out;
    out.reserve(records.size());
    for (const auto &r : records)
        out.push_back(read(r, fields));
    return out;
}

QString column(const char *field)
{
    return data::RecordLayout::quote(QString::fromLatin1(field));
}

Error notFound()
{
    return makeError(RecordNotFound, data::errorCodeText(RecordNotFound));
}

} // namespace

DataLayerAccessRepository::DataLayerAccessRepository(QString databaseFile) : m_file(std::move(databaseFile))
{
    auto dictionary = data::Dictionary::open(accessDictionary(), QFileInfo(m_file).absolutePath(),
                                             QStringLiteral("Vuvuzu"));
    if (dictionary)
        m_sessions = std::make_shared<StoreSessions>(std::move(dictionary).value());
    else
        m_openError = dictionary.error();
}

DataLayerAccessRepository::~DataLayerAccessRepository() = default;

int DataLayerAccessRepository::threadSessions() const
{
    return m_sessions ? m_sessions->sessionCount() : 0;
}

Result<data::Session *> DataLayerAccessRepository::session() const
{
    if (!m_sessions)
        return m_openError;
    return &m_sessions->current();
}

Result<data::FileManager *> DataLayerAccessRepository::file(const char *label) const
{
    auto s = session();
    if (!s)
        return s.error();
    data::FileManager *fm = (*s)->file(QString::fromLatin1(label));
    if (!fm)
        return makeError(data::ErrorCode::FileNotOpen,
                         QStringLiteral("No file %1").arg(QLatin1String(label)));
    if (auto opened = fm->open(); !opened)
        return opened.error();
    return fm;
}

Result<std::optional<data::Record>>
DataLayerAccessRepository::find(const char *label, const char *key,
                                const std::vector<std::pair<const char *, QVariant>> &values)
{
    auto fm = file(label);
    if (!fm)
        return fm.error();
    data::Record record = (*fm)->newRecord();
    for (const auto &[field, value] : values)
        record.setValue(QString::fromLatin1(field), value);
    auto fetched = (*fm)->fetch(QString::fromLatin1(key), record);
    if (!fetched && fetched.error().code == RecordNotFound)
        return std::optional<data::Record>();
    if (!fetched)
        return fetched.error();
    return std::optional<data::Record>(std::move(record));
}

Result<std::vector<data::Record>> DataLayerAccessRepository::readAll(const char *label, const char *key,
                                                                     const QVariantList &equal)
{
    auto fm = file(label);
    if (!fm)
        return fm.error();
    data::View view(**fm, QString::fromLatin1(key));
    if (!equal.isEmpty())
        view.setRange(equal);
    std::vector<data::Record> all;
    std::optional<data::Record> anchor;
    for (;;) {
        auto page = view.rowsAfter(anchor ? &*anchor : nullptr, kPage);
        if (!page)
            return page.error();
        const bool last = int(page->size()) < kPage;
        for (auto &r : page.value())
            all.push_back(std::move(r));
        if (last || all.empty())
            return all;
        anchor = all.back();
    }
}

Result<QString> DataLayerAccessRepository::storedCode(const QString &code)
{
    auto found = find(table::Benutzer, "KeyMAK", {{"MAK", code}});
    if (!found)
        return found.error();
    return found->has_value() ? (*found)->text(QStringLiteral("MAK")) : code;
}

Result<void>
DataLayerAccessRepository::removeFound(const char *label, const char *key,
                                       const std::vector<std::pair<const char *, QVariant>> &values)
{
    return transaction([&]() -> Result<void> {
        auto found = find(label, key, values);
        if (!found)
            return found.error();
        if (!found->has_value())
            return {};
        auto fm = file(label);
        if (!fm)
            return fm.error();
        data::Record record = **found;
        return (*fm)->remove(record);
    });
}

bool DataLayerAccessRepository::exists() const
{
    if (!m_sessions)
        return QFileInfo(m_file).isFile();
    // The store exists once its tables do: an emptied file, or one of ours without them, is a
    // store still to be made and gets the question. A file that cannot be read or is not ours,
    // or a server that cannot be reached, is taken as there, so that its error shows instead.
    const QString options = accessDictionary().file(QString::fromLatin1(table::Options))->tableName;
    data::Store &store = m_sessions->dictionary().store();
    if (store.kind() == data::StoreKind::Sqlite) {
        auto tables = static_cast<const data::SqliteStore &>(store).tablesOnDisk();
        return !tables || tables->contains(options, Qt::CaseInsensitive);
    }
    auto connection = store.connection();
    if (!connection)
        return true;
    auto columns = store.tableColumns(**connection, options);
    return !columns || !columns->isEmpty();
}

Result<void> DataLayerAccessRepository::create()
{
    // Opening a file creates its table, or converts an older layout, and records its version.
    for (const auto &decl : accessDictionary().files) {
        auto fm = file(qPrintable(decl.label));
        if (!fm)
            return fm.error();
    }
    return {};
}

Result<void> DataLayerAccessRepository::transaction(const std::function<Result<void>()> &work)
{
    auto s = session();
    if (!s)
        return s.error();
    auto connection = (*s)->connection();
    if (!connection)
        return connection.error();
    // Nested inside another transaction this is a savepoint, so that a failed write (a duplicate
    // key) can be undone alone; PostgreSQL would otherwise refuse the rest of the outer one.
    data::Transaction tx(**connection);
    if (!tx.started())
        return tx.started();
    if (auto done = work(); !done)
        return done;
    return tx.commit();
}

Result<std::optional<OptionsRecord>> DataLayerAccessRepository::options()
{
    auto found = find(table::Options, "KeyID", {{"ID", 1}});
    if (!found)
        return found.error();
    if (!found->has_value())
        return std::optional<OptionsRecord>();
    return std::optional<OptionsRecord>(read(**found, optionsFields()));
}

Result<void> DataLayerAccessRepository::saveOptions(const OptionsRecord &options)
{
    OptionsRecord record = options;
    record.id = 1;
    return transaction([&]() -> Result<void> {
        auto fm = file(table::Options);
        if (!fm)
            return fm.error();
        auto found = find(table::Options, "KeyID", {{"ID", 1}});
        if (!found)
            return found.error();
        if (found->has_value()) {
            data::Record stored = **found;
            fill(stored, optionsFields(), record);
            return (*fm)->update(stored);
        }
        data::Record fresh = (*fm)->newRecord();
        if (auto primed = (*fm)->primeRecord(fresh); !primed)
            return primed;
        fill(fresh, optionsFields(), record);
        return (*fm)->insert(fresh);
    });
}

Result<std::optional<UserRecord>> DataLayerAccessRepository::user(const QString &code)
{
    auto found = find(table::Benutzer, "KeyMAK", {{"MAK", code}});
    if (!found)
        return found.error();
    if (!found->has_value())
        return std::optional<UserRecord>();
    return std::optional<UserRecord>(read(**found, userFields()));
}

Result<std::vector<UserRecord>> DataLayerAccessRepository::users()
{
    auto all = readAll(table::Benutzer, "KeyMAK");
    if (!all)
        return all.error();
    return readEach(*all, userFields());
}

Result<void> DataLayerAccessRepository::insertUser(const UserRecord &user)
{
    return transaction([&]() -> Result<void> {
        auto fm = file(table::Benutzer);
        if (!fm)
            return fm.error();
        data::Record fresh = (*fm)->newRecord();
        if (auto primed = (*fm)->primeRecord(fresh); !primed)
            return primed;
        fill(fresh, userFields(), user);
        return (*fm)->insert(fresh);
    });
}

Result<void> DataLayerAccessRepository::updateUser(const QString &storedCode, const UserRecord &user)
{
    return transaction([&]() -> Result<void> {
        auto found = find(table::Benutzer, "KeyMAK", {{"MAK", storedCode}});
        if (!found)
            return found.error();
        if (!found->has_value())
            return notFound();
        data::Record record = **found;
        fill(record, userFields(), user);
        auto s = session();
        if (!s)
            return s.error();
        // A changed code goes into the user's rights, program limits and password history.
        return (*s)->relations(QString::fromLatin1(table::Benutzer))->update(record);
    });
}

Result<void> DataLayerAccessRepository::deleteUser(const QString &code)
{
    return transaction([&]() -> Result<void> {
        auto found = find(table::Benutzer, "KeyMAK", {{"MAK", code}});
        if (!found)
            return found.error();
        if (!found->has_value())
            return {};
        auto s = session();
        if (!s)
            return s.error();
        data::Record record = **found;
        return (*s)->relations(QString::fromLatin1(table::Benutzer))->remove(record);
    });
}

Result<int> DataLayerAccessRepository::updateUserColumns(const QString &code, const QString &assignments,
                                                         const QString &condition, const QVariantList &params)
{
    auto fm = file(table::Benutzer);
    if (!fm)
        return fm.error();
    auto connection = (*fm)->connection();
    if (!connection)
        return connection.error();
    const data::RecordLayout &layout = (*fm)->layout();
    // The code's parameter comes last, after those of the assignments and the condition.
    QString where = (*fm)->keyEquals(layout.keyIndex(QStringLiteral("KeyMAK")), 1);
    if (!condition.isEmpty())
        where = condition + QStringLiteral(" AND ") + where;
    QVariantList values = params;
    values << Text::clip(code);
    auto updated = (*connection)
                       ->exec(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                                  .arg(data::RecordLayout::quote(layout.table()), assignments, where),
                              values);
    if (!updated)
        return updated.error();
    return int((*updated)->numRowsAffected());
}

Result<std::optional<FailedLogin>> DataLayerAccessRepository::countFailedLogin(const QString &code,
                                                                               qint32 lockAfter)
{
    const QString count = column("FEHLVERSUCHE"), inactive = column("INAKTIV");
    std::optional<FailedLogin> out;
    auto counted = transaction([&]() -> Result<void> {
        // The increment comes first and holds the row until the end of the transaction, so that
        // logins at the same moment count one after the other, each on the count the last left.
        auto changed = updateUserColumns(code, QStringLiteral("%1 = %1 + 1").arg(count), QString(), {});
        if (!changed)
            return changed.error();
        if (*changed == 0)
            return {};
        FailedLogin failed;
        if (lockAfter > 0) {
            auto locked =
                updateUserColumns(code, QStringLiteral("%1 = 1").arg(inactive),
                                  QStringLiteral("%1 = 0 AND %2 >= ?").arg(inactive, count), {lockAfter});
            if (!locked)
                return locked.error();
            failed.lockedNow = *locked > 0;
        }
        auto found = find(table::Benutzer, "KeyMAK", {{"MAK", code}});
        if (!found)
            return found.error();
        if (!found->has_value())
            return notFound();
        failed.count = qint32((*found)->integer(QStringLiteral("FEHLVERSUCHE")));
        out = failed;
        return {};
    });
    if (!counted)
        return counted.error();
    return out;
}

Result<bool> DataLayerAccessRepository::recordGoodLogin(const QString &code,
                                                        std::optional<qint32> passwordExpiry)
{
    const QString inactive = column("INAKTIV");
    QString assignments = QStringLiteral("%1 = 0").arg(column("FEHLVERSUCHE"));
    QVariantList params;
    if (passwordExpiry) {
        assignments += QStringLiteral(", %1 = ?").arg(column("PASSWORTABLAUF"));
        params << *passwordExpiry;
    }
    bool active = false;
    auto recorded = transaction([&]() -> Result<void> {
        auto changed = updateUserColumns(code, assignments, QStringLiteral("%1 = 0").arg(inactive), params);
        if (!changed)
            return changed.error();
        active = *changed > 0;
        return {};
    });
    if (!recorded)
        return recorded.error();
    return active;
}

Result<void> DataLayerAccessRepository::setPassword(const QString &code, const QString &hash)
{
    return transaction([&]() -> Result<void> {
        auto changed =
            updateUserColumns(code, QStringLiteral("%1 = ?").arg(column("PASSWORT")), QString(), {hash});
        if (!changed)
            return changed.error();
        return *changed > 0 ? Result<void>() : Result<void>(notFound());
    });
}

Result<std::vector<PasswordRecord>> DataLayerAccessRepository::passwordHistory(const QString &code)
{
    auto all = readAll(table::Password, "KeyMAKDate", {code});
    if (!all)
        return all.error();
    // Newest first; of two set on one day the later one first.
    std::vector<data::Record> rows = std::move(all).value();
    std::stable_sort(rows.begin(), rows.end(), [](const data::Record &a, const data::Record &b) {
        const qint64 da = a.integer(QStringLiteral("DATE")), db = b.integer(QStringLiteral("DATE"));
        return da != db ? da > db : a.rowId() > b.rowId();
    });
    return readEach(rows, passwordFields());
}

Result<void> DataLayerAccessRepository::addPasswordHistory(const PasswordRecord &entry)
{
    return transaction([&]() -> Result<void> {
        auto code = storedCode(entry.mak);
        if (!code)
            return code.error();
        auto fm = file(table::Password);
        if (!fm)
            return fm.error();
        PasswordRecord stored = entry;
        stored.mak = *code;
        data::Record fresh = (*fm)->newRecord();
        fill(fresh, passwordFields(), stored);
        return (*fm)->insert(fresh);
    });
}

Result<void> DataLayerAccessRepository::removePasswordHistory(const PasswordRecord &entry)
{
    return removeFound(table::Password, "KeyMAKPassword", {{"MAK", entry.mak}, {"PASSWORD", entry.password}});
}

Result<std::vector<ProcRecord>> DataLayerAccessRepository::procs()
{
    auto all = readAll(table::Proc, "KeyProc");
    if (!all)
        return all.error();
    return readEach(*all, procFields());
}

Result<void> DataLayerAccessRepository::saveProc(const ProcRecord &proc)
{
    return transaction([&]() -> Result<void> {
        auto fm = file(table::Proc);
        if (!fm)
            return fm.error();
        auto found = find(table::Proc, "KeyProc", {{"PROC", proc.proc}});
        if (!found)
            return found.error();
        if (found->has_value()) {
            // The name stays as stored, so the procedure's controls stay linked to it.
            data::Record stored = **found;
            stored.setValue(QStringLiteral("DESCRIPTION"), proc.description);
            return (*fm)->update(stored);
        }
        data::Record fresh = (*fm)->newRecord();
        fill(fresh, procFields(), proc);
        return (*fm)->insert(fresh);
    });
}

Result<void> DataLayerAccessRepository::deleteProc(const QString &proc)
{
    return removeFound(table::Proc, "KeyProc", {{"PROC", proc}});
}

Result<std::vector<ResourceRecord>> DataLayerAccessRepository::resources()
{
    auto all = readAll(table::Resource, "KeyResourceID");
    if (!all)
        return all.error();
    return readEach(*all, resourceFields());
}

Result<qint32> DataLayerAccessRepository::insertResource(const ResourceRecord &resource)
{
    qint32 number = 0;
    auto inserted = transaction([&]() -> Result<void> {
        auto fm = file(table::Resource);
        if (!fm)
            return fm.error();
        ResourceRecord numbered = resource;
        numbered.resourceId = 0; // the file manager numbers it
        data::Record fresh = (*fm)->newRecord();
        fill(fresh, resourceFields(), numbered);
        if (auto r = (*fm)->insert(fresh); !r)
            return r;
        number = qint32(fresh.integer(QStringLiteral("RESOURCEID")));
        return {};
    });
    if (!inserted)
        return inserted.error();
    return number;
}

Result<void> DataLayerAccessRepository::updateResource(const ResourceRecord &resource)
{
    return transaction([&]() -> Result<void> {
        auto found = find(table::Resource, "KeyResourceID", {{"RESOURCEID", resource.resourceId}});
        if (!found)
            return found.error();
        if (!found->has_value())
            return notFound();
        auto fm = file(table::Resource);
        if (!fm)
            return fm.error();
        data::Record record = **found;
        fill(record, resourceFields(), resource);
        return (*fm)->update(record);
    });
}

Result<void> DataLayerAccessRepository::deleteResource(qint32 resourceId)
{
    return removeFound(table::Resource, "KeyResourceID", {{"RESOURCEID", resourceId}});
}

Result<std::vector<qint32>> DataLayerAccessRepository::grants(const QString &code)
{
    auto all = readAll(table::ResUser, "KeyMAKResourceID", {code});
    if (!all)
        return all.error();
    std::vector<qint32> ids;
    for (const auto &r : *all)
        ids.push_back(qint32(r.integer(QStringLiteral("RESOURCEID"))));
    return ids;
}

Result<void> DataLayerAccessRepository::grant(const QString &code, qint32 resourceId)
{
    auto granted = transaction([&]() -> Result<void> {
        auto found = find(table::ResUser, "KeyMAKResourceID", {{"MAK", code}, {"RESOURCEID", resourceId}});
        if (!found)
            return found.error();
        if (found->has_value())
            return {};
        auto stored = storedCode(code);
        if (!stored)
            return stored.error();
        auto fm = file(table::ResUser);
        if (!fm)
            return fm.error();
        data::Record fresh = (*fm)->newRecord();
        fresh.setValue(QStringLiteral("MAK"), *stored);
        fresh.setValue(QStringLiteral("RESOURCEID"), resourceId);
        return (*fm)->insert(fresh);
    });
    // Another thread or copy granted the same right in between: it is granted once, as asked.
    if (!granted && granted.error().code == data::ErrorCode::DuplicateKey)
        return {};
    return granted;
}

Result<void> DataLayerAccessRepository::revoke(const QString &code, qint32 resourceId)
{
    return removeFound(table::ResUser, "KeyMAKResourceID", {{"MAK", code}, {"RESOURCEID", resourceId}});
}

Result<void> DataLayerAccessRepository::addLogin(const LoginRecord &login)
{
    return transaction([&]() -> Result<void> {
        auto fm = file(table::Logins);
        if (!fm)
            return fm.error();
        data::Record fresh = (*fm)->newRecord();
        fill(fresh, loginFields(), login);
        return (*fm)->insert(fresh);
    });
}

Result<std::vector<LoginRecord>> DataLayerAccessRepository::logins()
{
    auto all = readAll(table::Logins, "KeyMAKDateTime");
    if (!all)
        return all.error();
    return readEach(*all, loginFields());
}

Result<void> DataLayerAccessRepository::removeLogin(const LoginRecord &login)
{
    return removeFound(table::Logins, "KeyMAKDateTime",
                       {{"MAK", login.mak}, {"DATE", login.date}, {"TIME", login.time}});
}

Result<std::vector<QString>> DataLayerAccessRepository::programLimits(const QString &code)
{
    auto all = readAll(table::ProgramLimit, "KeyMAKPrgname", {code});
    if (!all)
        return all.error();
    std::vector<QString> names;
    for (const auto &r : *all)
        names.push_back(r.text(QStringLiteral("PrgName")));
    return names;
}

Result<void> DataLayerAccessRepository::addProgramLimit(const QString &code, const QString &prgName)
{
    return transaction([&]() -> Result<void> {
        auto stored = storedCode(code);
        if (!stored)
            return stored.error();
        auto fm = file(table::ProgramLimit);
        if (!fm)
            return fm.error();
        data::Record fresh = (*fm)->newRecord();
        fresh.setValue(QStringLiteral("MAK"), *stored);
        fresh.setValue(QStringLiteral("PrgName"), prgName);
        return (*fm)->insert(fresh);
    });
}

Result<void> DataLayerAccessRepository::removeProgramLimit(const QString &code, const QString &prgName)
{
    return removeFound(table::ProgramLimit, "KeyMAKPrgname", {{"MAK", code}, {"PrgName", prgName}});
}

} // namespace tarvo::access
