#include "issues/IssueMassUpdate.h"

#include "core/helpers/AddHistory.h"
#include "core/lists/ReadKeyOrder.h"
#include "issues/IssueFields.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/data/Transaction.h"

namespace tarvo::issues {

namespace {

const QString kBugs = QStringLiteral("Bugs");

// Fields whose values the program keeps itself: derived from others or set by their own forms.
const char *const kKeptByProgram[] = {
    "BUG:ID",
    "BUG:Gray",
    "BUG:AttachCounter",
    "BUG:PrioritySort",
    "BUG:StatusSort",
    "BUG:ReportedBy",
    "BUG:ReportedByID",
    "BUG:ReportedByContact",
    "BUG:ReportedByCID",
    "BUG:AllResponsiblePersons",
    "BUG:PrgName",
};

QString customType(const data::Record &settings, int n)
{
    return settings.text(QStringLiteral("FIELDTYPE%1").arg(n)).trimmed();
}

bool customEnabled(const data::Record &settings, int n)
{
    return settings.integer(QStringLiteral("FIELD%1ENABLED").arg(n)) != 0;
}

} // namespace

IssueMassUpdate::IssueMassUpdate(data::Session &session, const data::Record &settings)
    : m_session(session), m_settings(settings)
{
}

Result<query::RegisteredFile> IssueMassUpdate::offeredFields()
{
    data::FileManager *bugs = m_session.file(kBugs);
    if (!bugs)
        return makeError(2, QStringLiteral("The issue file is not declared"));
    auto file = registeredIssues(bugs->layoutPtr());
    if (!file)
        return file;
    query::RegisteredFile &offered = file.value();
    for (int n = 1; n <= 10; ++n)
        if (!customEnabled(m_settings, n))
            offered.removeField(QStringLiteral("BUG:CUSTOMFIELD%1").arg(n));
    for (const char *name : kKeptByProgram)
        offered.removeField(QLatin1String(name));
    // The field rules may keep fields out of the mass update.
    std::optional<Error> failed =
        core::readKeyOrder(m_session, QStringLiteral("FieldConfig"), QStringLiteral("FIE:KeyField"), {},
                           [&](const data::Record &rule) {
                               if (rule.integer(QStringLiteral("NOMASSUPDATE")) != 0)
                                   offered.removeField(rule.text(QStringLiteral("FIELD")).toUpper());
                           });
    if (failed)
        return *failed;
    return file;
}

Result<query::FieldChoices> IssueMassUpdate::choices(qint64 prgId, const core::StatusQueue &statuses,
                                                     const std::vector<core::PriorityQueueEntry> &priorities,
                                                     const std::vector<core::UserQueueEntry> &users)
{
    query::FieldChoices choices;
    choices.add(QStringLiteral("BUG:CATEGORY"),
                {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}, true);
    for (int n = 1; n <= 10; ++n) {
        const QString type = customType(m_settings, n);
        const bool dropList = type.compare(QLatin1String("Drop list"), Qt::CaseInsensitive) == 0;
        const bool comboBox = type.compare(QLatin1String("Combo box"), Qt::CaseInsensitive) == 0;
        if (!customEnabled(m_settings, n) || (!dropList && !comboBox))
            continue;
        choices.add(QStringLiteral("BUG:CUSTOMFIELD%1").arg(n),
                    m_settings.text(QStringLiteral("FIELDCHOICES%1").arg(n)).split(QStringLiteral("\r\n")),
                    dropList);
    }
    // Lists read from a file in a key's order, optionally only the rows of one program.
    std::optional<Error> failed;
    auto listOf = [&](const QString &label, const QString &key, const QString &field,
                      const QVariantList &range) {
        QStringList values;
        if (!failed)
            failed = core::readKeyOrder(m_session, label, key, range,
                                        [&](const data::Record &r) { values << r.text(field); });
        return values;
    };
    choices.add(QStringLiteral("BUG:CLASSIFICATION"),
                listOf(QStringLiteral("Classification"), QStringLiteral("CLA:KeyPrgIDSortClassification"),
                       QStringLiteral("CLASSIFICATION"), {}));
    if (prgId != 0) {
        const QStringList releases = listOf(QStringLiteral("Releases"), QStringLiteral("REL:KeyPrgIDRelease"),
                                            QStringLiteral("Release"), {prgId});
        for (const char *field : {"BUG:VERSION", "BUG:FIXEDVERSION", "BUG:VERIFIEDVERSION"})
            choices.add(QLatin1String(field), releases);
        QStringList names;
        for (const core::PriorityQueueEntry &p : priorities)
            names << p.priority;
        choices.add(QStringLiteral("BUG:PRIORITY"), names);
        choices.add(QStringLiteral("BUG:PROGRAMFILE"),
                    listOf(QStringLiteral("Programfiles"), QStringLiteral("PFIL:KeyPrgIDFile"),
                           QStringLiteral("FILE"), {prgId}));
    }
    choices.add(QStringLiteral("BUG:REPRODUCIBLE"),
                listOf(QStringLiteral("Reproducible"), QStringLiteral("REP:KeyReproducible"),
                       QStringLiteral("REPRODUCIBLE"), {}));
    choices.add(QStringLiteral("BUG:RESOLUTION"),
                listOf(QStringLiteral("Resolution"), QStringLiteral("RES:KeyResolution"),
                       QStringLiteral("RESOLUTION"), {}));
    QStringList codes;
    for (const core::UserQueueEntry &u : users)
        codes << u.userMak;
    for (const char *field :
         {"BUG:RESPONSIBLE", "BUG:FIXEDBY", "BUG:VERIFIEDBY", "BUG:CHANGEDBY", "BUG:CREATEDBY"})
        choices.add(QLatin1String(field), codes);
    choices.add(QStringLiteral("BUG:SEVERITY"),
                listOf(QStringLiteral("Severity"), QStringLiteral("SEV:KeyPrgIDSortSeverity"),
                       QStringLiteral("SEVERITY"), {}));
    QStringList statusTexts;
    for (const core::StatusQueueEntry &s : statuses)
        statusTexts << s.status;
    choices.add(QStringLiteral("BUG:STATUS"), statusTexts, true);
    if (failed)
        return *failed;
    return choices;
}

Result<void> IssueMassUpdate::deriveFields(data::Record &issue,
                                           const std::vector<query::FieldChange> &changes,
                                           const core::StatusQueue &statuses,
                                           const std::vector<core::PriorityQueueEntry> &priorities)
{
    for (const query::FieldChange &c : changes) {
        if (c.name == u"RESPONSIBLE") {
            // The responsible person first, then the issue's further responsible persons.
            QString all = issue.text(QStringLiteral("Responsible")).trimmed();
            std::optional<Error> failed = core::readKeyOrder(
                m_session, QStringLiteral("BugsResponsible"), QStringLiteral("BUR:KeyIDResponsible"),
                {issue.value(QStringLiteral("ID"))},
                [&](const data::Record &r) { all += u'|' + r.text(QStringLiteral("RESPONSIBLE")); });
            if (failed)
                return *failed;
            issue.setValue(QStringLiteral("AllResponsiblePersons"), all);
        } else if (c.name == u"PRIORITY") {
            const QString priority = issue.text(QStringLiteral("Priority"));
            auto p = std::find_if(priorities.begin(), priorities.end(),
                                  [&](const core::PriorityQueueEntry &e) { return e.priority == priority; });
            issue.setValue(QStringLiteral("PrioritySort"), p == priorities.end() ? 0 : p->prioritySort);
        } else if (c.name == u"STATUS") {
            const QString status = issue.text(QStringLiteral("Status"));
            auto s = std::find_if(statuses.begin(), statuses.end(),
                                  [&](const core::StatusQueueEntry &e) { return e.status == status; });
            issue.setValue(QStringLiteral("StatusSort"), s == statuses.end() ? 0 : s->statusSort);
            issue.setValue(QStringLiteral("Gray"), s == statuses.end() ? 0 : int(s->statusGray));
        }
    }
    return {};
}

Result<IssueMassUpdate::Outcome> IssueMassUpdate::run(const std::vector<qint64> &ids,
                                                      const query::MassUpdate &update,
                                                      const core::StatusQueue &statuses,
                                                      const std::vector<core::PriorityQueueEntry> &priorities)
{
    data::FileManager *bugs = m_session.file(kBugs);
    if (!bugs)
        return makeError(2, QStringLiteral("The issue file is not declared"));
    if (auto writable = bugs->checkWritable(); !writable)
        return writable.error();
    auto conn = bugs->connection();
    if (!conn)
        return conn.error();
    data::Transaction transaction(**conn);
    if (!transaction.started())
        return transaction.started().error();

    Outcome outcome;
    std::vector<data::Record> written;
    for (qint64 id : ids) {
        data::Record issue = bugs->newRecord();
        issue.setValue(QStringLiteral("ID"), id);
        if (auto found = bugs->fetch(QStringLiteral("BUG:KeyID"), issue); !found) {
            if (found.error().code != 35)
                return found.error();
            ++outcome.missing;
            continue;
        }
        if (beforeChange)
            beforeChange(issue);
        const std::vector<query::FieldChange> changes = update.apply(issue);
        if (changes.empty())
            continue;
        if (auto derived = deriveFields(issue, changes, statuses, priorities); !derived)
            return derived.error();
        if (auto stored = bugs->update(issue); !stored)
            return stored.error();
        // The history reads the issue from the file's buffer.
        bugs->buffer() = issue;
        for (const query::FieldChange &c : changes)
            core::AddHistory(m_session, m_settings, c.label, c.picture, c.oldValue, c.newValue);
        ++outcome.changed;
        written.push_back(issue);
    }
    if (auto committed = transaction.commit(); !committed)
        return committed.error();
    // The notification rules see what is stored, so they run once the run is committed.
    if (afterChange)
        for (const data::Record &issue : written)
            afterChange(issue);
    return outcome;
}

} // namespace tarvo::issues
