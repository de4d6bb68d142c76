#include "platform/query/CsvImport.h"

#include "platform/data/ErrorCode.h"
#include "platform/data/ErrorReporter.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/data/Transaction.h"
#include "platform/query/CsvReader.h"

namespace tarvo::query {

namespace {

// Keeps the file errors of refused lines for the report instead of a message per line.
class CollectingReporter final : public data::ErrorReporter {
  public:
    int report(const data::FileError &error) override
    {
        last = error;
        return 4; // No
    }
    data::FileError last;
};

// Puts the session's own reporter back however the import ends.
class ReporterSwap final {
  public:
    ReporterSwap(data::Session &session, data::ErrorReporter *reporter)
        : m_session(session), m_previous(session.reporter())
    {
        m_session.setReporter(reporter);
    }
    ~ReporterSwap() { m_session.setReporter(m_previous); }
    ReporterSwap(const ReporterSwap &) = delete;
    ReporterSwap &operator=(const ReporterSwap &) = delete;

  private:
    data::Session &m_session;
    data::ErrorReporter *m_previous;
};

bool refusesLineOnly(int code)
{
    return code == data::ErrorCode::DuplicateKey || code == data::ErrorCode::InvalidRecordDeclaration ||
           code == data::ErrorCode::RestrictedByRelation;
}

QString reasonOf(const Error &error, const data::FileError &reported)
{
    if (!reported.field.isEmpty())
        return QStringLiteral("%1: %2 %3").arg(reported.field, error.message, reported.message).trimmed();
    if (!reported.key.isEmpty())
        return QStringLiteral("%1 (%2)").arg(error.message, reported.key);
    return error.message;
}

} // namespace

QString ImportReport::text() const
{
    QStringList lines;
    lines << QStringLiteral("%1 %2 imported, %3 refused%4")
                 .arg(imported)
                 .arg(imported == 1 ? QStringLiteral("record") : QStringLiteral("records"))
                 .arg(refused.size())
                 .arg(refused.empty() ? QStringLiteral(".") : QStringLiteral(":"));
    for (const RefusedRow &r : refused)
        lines << QStringLiteral("Line %1: %2").arg(r.line).arg(r.reason);
    return lines.join(u'\n');
}

Result<ImportReport> CsvImport::run(const QString &csvText)
{
    auto parsed = CsvReader::parse(csvText);
    if (!parsed)
        return parsed.error();
    const std::vector<CsvRow> &rows = *parsed;
    if (rows.empty())
        return makeError(1, QStringLiteral("The import file holds no header line"));

    std::vector<const QueryField *> columns;
    for (const QString &name : rows.front().fields) {
        const QueryField *f = m_fields.field(name);
        if (!f)
            return makeError(1, QStringLiteral("The header names %1, which is not a field to import")
                                    .arg(name.isEmpty() ? QStringLiteral("an empty field") : name));
        if (std::find(columns.begin(), columns.end(), f) != columns.end())
            return makeError(1, QStringLiteral("The header names %1 twice").arg(f->name));
        columns.push_back(f);
    }

    if (auto opened = m_file.checkWritable(); !opened)
        return opened.error();
    auto conn = m_file.connection();
    if (!conn)
        return conn.error();
    data::Transaction transaction(**conn);
    if (!transaction.started())
        return transaction.started().error();

    CollectingReporter collector;
    ReporterSwap swap(m_file.session(), &collector);
    ImportReport report;
    for (size_t r = 1; r < rows.size(); ++r) {
        const CsvRow &row = rows[r];
        if (row.fields.size() != qsizetype(columns.size())) {
            report.refused.push_back({row.line, QStringLiteral("%1 values where the header names %2")
                                                    .arg(row.fields.size())
                                                    .arg(columns.size())});
            continue;
        }
        data::Record record = m_file.newRecord();
        QString refusal;
        for (size_t c = 0; c < columns.size() && refusal.isEmpty(); ++c) {
            auto value = m_fields.read(*columns[c], row.fields.at(qsizetype(c)));
            if (value)
                record.setValue(columns[c]->index, *value);
            else
                refusal = value.error().message;
        }
        if (refusal.isEmpty()) {
            // Each line in a savepoint of its own: a refused line leaves the transaction usable.
            data::Transaction line(**conn);
            if (!line.started())
                return line.started().error();
            collector.last = {};
            auto added = m_file.validate(record);
            if (added)
                added = m_file.insert(record);
            if (added)
                added = line.commit();
            if (!added) {
                if (!refusesLineOnly(added.error().code))
                    return added.error();
                refusal = reasonOf(added.error(), collector.last);
            }
        }
        if (refusal.isEmpty())
            ++report.imported;
        else
            report.refused.push_back({row.line, refusal});
    }
    if (auto committed = transaction.commit(); !committed)
        return committed.error();
    return report;
}

} // namespace tarvo::query
