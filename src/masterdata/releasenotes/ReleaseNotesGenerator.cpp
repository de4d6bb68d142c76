#include "masterdata/releasenotes/ReleaseNotesGenerator.h"

#include "masterdata/releasenotes/ReleaseNotesFile.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/data/Store.h"
#include "platform/data/View.h"
#include "platform/data/expr/Expression.h"
#include "platform/data/expr/NameTable.h"
#include "platform/runtime/Text.h"

#include <algorithm>

namespace tarvo::masterdata {

namespace {

constexpr int kPage = 500;

Error fileMissing(const QString &label)
{
    return makeError(data::ErrorCode::FileNotOpen,
                     QStringLiteral("%1: %2").arg(data::errorCodeText(data::ErrorCode::FileNotOpen), label));
}

// The next run of a version text: digits, or everything up to the next digit.
QStringView nextRun(QStringView text, qsizetype &at)
{
    const qsizetype start = at;
    const bool digits = text.at(at).isDigit();
    while (at < text.size() && text.at(at).isDigit() == digits)
        ++at;
    return text.mid(start, at - start);
}

} // namespace

ReleaseNotesGenerator::ReleaseNotesGenerator(data::Session &session, Filler fill)
    : m_session(session), m_fill(std::move(fill))
{
}

int ReleaseNotesGenerator::compareVersions(const QString &a, const QString &b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        const bool aDigits = a.at(i).isDigit();
        const bool bDigits = b.at(j).isDigit();
        QStringView x = nextRun(a, i);
        QStringView y = nextRun(b, j);
        if (aDigits && bDigits) {
            while (x.size() > 1 && x.front() == QLatin1Char('0'))
                x = x.mid(1);
            while (y.size() > 1 && y.front() == QLatin1Char('0'))
                y = y.mid(1);
            if (x.size() != y.size())
                return x.size() < y.size() ? -1 : 1;
        }
        if (const int c = x.compare(y, Qt::CaseInsensitive); c != 0)
            return c;
    }
    if (i < a.size())
        return 1;
    return j < b.size() ? -1 : 0;
}

Result<QString> ReleaseNotesGenerator::chosenRelease(const data::Record &definition)
{
    if (definition.integer(QStringLiteral("REN:LatestRelease")) == 0)
        return definition.integer(QStringLiteral("REN:AllReleases")) == 0
                   ? Text::clip(definition.text(QStringLiteral("REN:Release")))
                   : QString();
    data::FileManager *releases = m_session.file(QStringLiteral("Releases"));
    if (!releases)
        return fileMissing(QStringLiteral("Releases"));
    data::View view(*releases, QStringLiteral("KeyPrgIDRelease"));
    view.setColumns({QStringLiteral("REL:Release")});
    view.setRange({definition.value(QStringLiteral("REN:PrgID"))});
    QString latest;
    std::optional<data::Record> anchor;
    for (;;) {
        auto rows = view.rowsAfter(anchor ? &*anchor : nullptr, kPage);
        if (!rows)
            return rows.error();
        for (const data::Record &row : *rows) {
            const QString release = Text::clip(row.text(QStringLiteral("REL:Release")));
            if (latest.isEmpty() || compareVersions(release, latest) > 0)
                latest = release;
        }
        if (int(rows->size()) < kPage)
            return latest;
        anchor = rows->back();
    }
}

Result<std::vector<ReleaseNotesGenerator::Selected>>
ReleaseNotesGenerator::select(const data::Record &definition, const QString &release)
{
    data::FileManager *bugs = m_session.file(QStringLiteral("Bugs"));
    if (!bugs)
        return fileMissing(QStringLiteral("Bugs"));
    const data::RecordLayout &layout = bugs->layout();
    data::expr::NameTable names;
    const int prgId = layout.fieldIndex(QStringLiteral("PrgID"));
    const int fixedVersion = layout.fieldIndex(QStringLiteral("FixedVersion"));
    names.addColumn(layout.fullFieldName(prgId), layout.column(prgId), data::expr::ValueType::Number);
    names.addColumn(layout.fullFieldName(fixedVersion), layout.column(fixedVersion),
                    data::expr::ValueType::Text);
    names.bind(QStringLiteral("REN:PrgID"), definition.value(QStringLiteral("REN:PrgID")),
               data::expr::ValueType::Number);
    names.bind(QStringLiteral("LatestRelease"), release, data::expr::ValueType::Text);
    const QString filter =
        release.isEmpty()
            ? QStringLiteral("BUG:PrgID=REN:PrgID")
            : QStringLiteral("BUG:PrgID=REN:PrgID AND UPPER(BUG:FixedVersion)=UPPER(LatestRelease)");
    auto expression = data::expr::Expression::parse(filter, names);
    if (!expression)
        return expression.error();
    const auto dialect = m_session.store().kind() == data::StoreKind::Postgres
                             ? data::expr::Dialect::PostgreSql
                             : data::expr::Dialect::Sqlite;
    auto condition = expression->toSql(dialect, names);
    if (!condition)
        return condition.error();

    data::View view(*bugs, {{QStringLiteral("PrgID"), false},
                            {QStringLiteral("FixedVersion"), false},
                            {QStringLiteral("ID"), false}});
    view.setColumns({QStringLiteral("BUG:ID")});
    view.setFilter(*condition);
    std::vector<Selected> selected;
    std::optional<data::Record> anchor;
    for (;;) {
        auto rows = view.rowsAfter(anchor ? &*anchor : nullptr, kPage);
        if (!rows)
            return rows.error();
        for (const data::Record &row : *rows)
            selected.push_back({Text::clip(row.text(QStringLiteral("BUG:FixedVersion"))),
                                qint32(row.integer(QStringLiteral("BUG:ID")))});
        if (int(rows->size()) < kPage)
            break;
        anchor = rows->back();
    }
    std::stable_sort(selected.begin(), selected.end(), [](const Selected &a, const Selected &b) {
        const int c = compareVersions(a.version, b.version);
        return c != 0 ? c < 0 : a.id < b.id;
    });
    return selected;
}

Result<int> ReleaseNotesGenerator::generate(const QString &description)
{
    data::FileManager *notes = m_session.file(QStringLiteral("ReleaseNotes"));
    if (!notes)
        return fileMissing(QStringLiteral("ReleaseNotes"));
    data::Record definition = notes->newRecord();
    definition.setValue(QStringLiteral("REN:Description"), description);
    if (auto read = notes->fetch(QStringLiteral("KeyDescription"), definition); !read)
        return read.error();

    ReleaseNotesFile out;
    if (auto opened = out.open(definition.text(QStringLiteral("REN:ReleaseNotesFile")).trimmed(),
                               definition.integer(QStringLiteral("REN:AppendToFile")) != 0);
        !opened)
        return opened.error();
    // The selection is built before anything is written, so a run that cannot select writes nothing.
    auto release = chosenRelease(definition);
    if (!release)
        return release.error();
    auto issues = select(definition, *release);
    if (!issues)
        return issues.error();
    auto written = write(definition, *issues, out);
    if (!written)
        return written;
    if (auto committed = out.commit(); !committed)
        return committed.error();
    return written;
}

Result<int> ReleaseNotesGenerator::write(const data::Record &definition, const std::vector<Selected> &issues,
                                         ReleaseNotesFile &out)
{
    auto text = [&definition](const char *field) {
        return definition.text(QStringLiteral("REN:") + QLatin1String(field));
    };
    const QString groupHeader = text("GroupHeader");
    const QString detail = text("Detail");
    const QString groupFooter = text("GroupFooter");
    if (const QString header = text("FileHeader"); !header.isEmpty())
        if (auto r = out.writeLine(header); !r)
            return r.error();

    data::FileManager *bugs = m_session.file(QStringLiteral("Bugs"));
    int count = 0;
    bool inGroup = false;
    QString openVersion;
    // The values a group footer shows are those of the last issue written in its group.
    data::Record lastWritten;
    for (const Selected &selected : issues) {
        data::Record issue = bugs->newRecord();
        issue.setValue(QStringLiteral("BUG:ID"), selected.id);
        if (auto read = bugs->fetch(QStringLiteral("KeyID"), issue); !read) {
            // An issue deleted since it was selected is not written.
            if (read.error().code == data::ErrorCode::RecordNotFound)
                continue;
            return read.error();
        }
        const QString notesText = issue.text(QStringLiteral("BUG:ReleaseNotes"));
        if (notesText.isEmpty())
            continue;
        const QString version = Text::clip(issue.text(QStringLiteral("BUG:FixedVersion")));
        if (!inGroup || compareVersions(version, openVersion) != 0) {
            if (inGroup && !openVersion.isEmpty() && !groupFooter.isEmpty())
                if (auto r = out.writeLine(m_fill(lastWritten, groupFooter)); !r)
                    return r.error();
            inGroup = true;
            if (!groupHeader.isEmpty())
                if (auto r = out.writeLine(m_fill(issue, groupHeader)); !r)
                    return r.error();
            openVersion = version;
        }
        if (!detail.isEmpty())
            if (auto r = out.writeLine(m_fill(issue, detail)); !r)
                return r.error();
        if (auto r = out.writeLine(notesText); !r)
            return r.error();
        ++count;
        lastWritten = issue;
    }
    if (inGroup && !groupFooter.isEmpty()) {
        // Read again: the footer shows the last issue as it is stored now.
        data::Record last = bugs->newRecord();
        last.setValue(QStringLiteral("BUG:ID"), lastWritten.value(QStringLiteral("BUG:ID")));
        if (bugs->fetch(QStringLiteral("KeyID"), last))
            if (auto r = out.writeLine(m_fill(last, groupFooter)); !r)
                return r.error();
    }
    if (const QString footer = text("FileFooter"); !footer.isEmpty())
        if (auto r = out.writeLine(footer); !r)
            return r.error();
    return count;
}

} // namespace tarvo::masterdata
