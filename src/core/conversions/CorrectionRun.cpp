#include "core/conversions/CorrectionRun.h"

#include "platform/data/Connection.h"
#include "platform/data/Cursor.h"
#include "platform/data/Dictionary.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/data/Store.h"
#include "platform/data/Transaction.h"
#include "platform/data/View.h"
#include "platform/runtime/Messages.h"

#include <optional>

namespace tarvo::core {

using data::FileManager;
using data::Record;

namespace {
constexpr int kPageSize = 250;

QString errorTextOf(const Error &error)
{
    return error.message.isEmpty() ? data::errorCodeText(error.code) : error.message;
}
} // namespace

CorrectionRun::CorrectionRun(data::Session &session, CorrectionProgress &progress)
    // Without a reporter the managers drop their notices: the corrections decide what to show.
    : m_session(session.dictionary().createSession(session.context(), nullptr)), m_progress(progress)
{
}

CorrectionRun::~CorrectionRun() = default;

FileManager &CorrectionRun::file(const QString &label)
{
    return *m_session->file(label);
}

qint64 CorrectionRun::count(const QString &label)
{
    data::View view(file(label), std::vector<data::KeyComponent>{});
    auto n = view.count();
    return n ? *n : 0;
}

Result<void> CorrectionRun::forEach(data::View &view, const std::function<void(Record &)> &visit)
{
    data::Cursor cursor(view);
    for (;;) {
        auto page = cursor.nextPage(kPageSize);
        if (!page)
            return page.error();
        for (Record &record : page.value())
            visit(record);
        if (int(page->size()) < kPageSize)
            return {};
    }
}

Result<void> CorrectionRun::forEach(const QString &label, const std::function<void(Record &)> &visit)
{
    data::View view(file(label), std::vector<data::KeyComponent>{});
    return forEach(view, visit);
}

std::optional<Record> CorrectionRun::firstRecord(const QString &label)
{
    data::View view(file(label), std::vector<data::KeyComponent>{});
    auto first = view.first();
    if (!first)
        return std::nullopt;
    return *first;
}

Result<void> CorrectionRun::guarded(const std::function<Result<void>()> &write)
{
    auto conn = m_session->connection();
    if (!conn)
        return conn.error();
    // On PostgreSQL a failed statement spoils the whole transaction unless it ran in a savepoint;
    // SQLite undoes the failed statement alone.
    if ((*conn)->store().kind() != data::StoreKind::Postgres)
        return write();
    data::Transaction savepoint(**conn);
    if (!savepoint.started())
        return savepoint.started();
    if (auto r = write(); !r)
        return r;
    return savepoint.commit();
}

Result<void> CorrectionRun::write(FileManager &file, Record &record)
{
    return guarded([&] { return file.update(record); });
}

Result<void> CorrectionRun::add(FileManager &file, Record &record)
{
    return guarded([&] { return file.insert(record); });
}

void CorrectionRun::inTransaction(const std::function<void()> &body)
{
    auto conn = m_session->connection();
    if (!conn) {
        Messages::stop(errorTextOf(conn.error()));
        return;
    }
    data::Transaction tx(**conn);
    if (!tx.started()) {
        Messages::stop(errorTextOf(tx.started().error()));
        return;
    }
    body();
    if (auto committed = tx.commit(); !committed)
        Messages::stop(errorTextOf(committed.error()));
}

std::optional<qint64> CorrectionRun::programId(const QString &name)
{
    FileManager &programs = file(QStringLiteral("Programs"));
    if (!m_program)
        m_program = programs.newRecord();
    m_program->clear();
    m_program->setValue(QStringLiteral("PrgName"), name);
    if (!programs.fetch(QStringLiteral("KeyPrgName"), *m_program))
        return std::nullopt;
    return m_program->integer(QStringLiteral("ID"));
}

} // namespace tarvo::core
