#include "masterdata/releasenotes/ReleaseNotesRows.h"

#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/Text.h"

namespace tarvo::masterdata {

using listext::SourceRow;

ReleaseNotesRows::ReleaseNotesRows(data::Session &session, std::function<QString(const QString &)> translate)
    : m_session(session), m_translate(std::move(translate))
{
    data::FileManager *file = session.file(QStringLiteral("ReleaseNotes"));
    (void)file->open();
    m_rows = std::make_unique<listext::ViewRowSource>(*file, QStringLiteral("REN:KeyDescription"));
    const QStringList names = m_rows->fields();
    m_prgId = int(names.indexOf(QStringLiteral("REN:PrgID")));
    m_latest = int(names.indexOf(QStringLiteral("REN:LATESTRELEASE")));
    m_all = int(names.indexOf(QStringLiteral("REN:ALLRELEASES")));
    m_release = int(names.indexOf(QStringLiteral("REN:RELEASE")));
    (void)session.file(QStringLiteral("Programs"))->open();
}

ReleaseNotesRows::~ReleaseNotesRows() = default;

QString ReleaseNotesRows::releaseText(qint64 latest, qint64 all, const QString &release,
                                      const std::function<QString(const QString &)> &translate)
{
    const auto tr = [&translate](const QString &text) { return translate ? translate(text) : text; };
    if (latest != 0)
        return tr(QStringLiteral("Latest Release"));
    if (all != 0)
        return tr(QStringLiteral("All Releases"));
    return Text::clip(release);
}

QString ReleaseNotesRows::programName(qint64 id) const
{
    data::FileManager *programs = m_session.file(QStringLiteral("Programs"));
    data::Record program = programs->newRecord();
    program.setValue(QStringLiteral("PRG:ID"), id);
    if (!programs->fetch(QStringLiteral("PRG:KeyID"), program))
        return QStringLiteral("<unknown>");
    return Text::clip(program.text(QStringLiteral("PRG:PrgName")));
}

QStringList ReleaseNotesRows::fields() const
{
    return m_rows->fields() << ProgramColumn << ReleaseColumn;
}

SourceRow ReleaseNotesRows::plain(const SourceRow &row) const
{
    SourceRow base = row;
    const qsizetype own = m_rows->fields().size();
    if (base.values.size() > own)
        base.values.resize(own);
    return base;
}

SourceRow ReleaseNotesRows::shown(SourceRow row) const
{
    const auto at = [&row](int i) { return i >= 0 && i < row.values.size() ? row.values.at(i) : QVariant(); };
    row.values << programName(at(m_prgId).toLongLong())
               << releaseText(at(m_latest).toLongLong(), at(m_all).toLongLong(), at(m_release).toString(),
                              m_translate);
    return row;
}

Result<std::vector<SourceRow>> ReleaseNotesRows::shown(Result<std::vector<SourceRow>> rows) const
{
    if (!rows)
        return rows;
    for (SourceRow &row : rows.value())
        row = shown(std::move(row));
    return rows;
}

Result<std::vector<SourceRow>> ReleaseNotesRows::rowsAfter(const SourceRow *anchor, int n)
{
    if (!anchor)
        return shown(m_rows->rowsAfter(nullptr, n));
    const SourceRow base = plain(*anchor);
    return shown(m_rows->rowsAfter(&base, n));
}

Result<std::vector<SourceRow>> ReleaseNotesRows::rowsBefore(const SourceRow *anchor, int n)
{
    if (!anchor)
        return shown(m_rows->rowsBefore(nullptr, n));
    const SourceRow base = plain(*anchor);
    return shown(m_rows->rowsBefore(&base, n));
}

qint64 ReleaseNotesRows::rowKey(const SourceRow &row) const
{
    return m_rows->rowKey(plain(row));
}

Result<std::vector<SourceRow>> ReleaseNotesRows::rowsAt(qint64 key, int n)
{
    return shown(m_rows->rowsAt(key, n));
}

Result<std::vector<SourceRow>> ReleaseNotesRows::locate(const QVariantList &leading, int n)
{
    return shown(m_rows->locate(leading, n));
}

Result<qint64> ReleaseNotesRows::position(const SourceRow &row)
{
    return m_rows->position(plain(row));
}

Result<std::optional<SourceRow>> ReleaseNotesRows::skip(const SourceRow *anchor, qint64 distance,
                                                        bool forward)
{
    std::optional<SourceRow> base;
    if (anchor)
        base = plain(*anchor);
    auto row = m_rows->skip(base ? &*base : nullptr, distance, forward);
    if (!row || !row->has_value())
        return row;
    return std::optional<SourceRow>(shown(std::move(**row)));
}

Result<qint64> ReleaseNotesRows::count()
{
    return m_rows->count();
}

Result<void> ReleaseNotesRows::setOrder(const std::vector<listext::SortKey> &keys)
{
    return m_rows->setOrder(keys);
}

Result<void> ReleaseNotesRows::setFilter(const QString &expression)
{
    return m_rows->setFilter(expression);
}

QString ReleaseNotesRows::filter() const
{
    return m_rows->filter();
}

} // namespace tarvo::masterdata
