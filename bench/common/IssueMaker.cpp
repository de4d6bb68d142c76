#include "IssueMaker.h"

#include "TextMaker.h"

#include <QDate>

#include <algorithm>

namespace tarvo::bench {

namespace {
const char *const kHistoryFields[] = {"BUG:Status",      "BUG:Priority", "BUG:Responsible", "BUG:Version",
                                      "BUG:Description", "BUG:Severity", "BUG:BugText",     "BUG:DueDate"};

qint64 clock(Rng &rng)
{
    return qint64(rng.between(8 * 3600, 18 * 3600)) * 100 + rng.below(100) + 1;
}

QString pick(Rng &rng, const QStringList &list)
{
    return list.at(rng.below(int(list.size())));
}
} // namespace

qint64 IssueMaker::firstDay()
{
    return QDate(1800, 12, 28).daysTo(QDate(2010, 1, 1));
}

void IssueMaker::fillIssue(data::Record &bug, Rng &rng, qint64 index, qint64 total) const
{
    bug.clear();
    const ProgramEntry &program = m_catalogue.pickProgram(rng);
    const double age = total > 1 ? 1.0 - double(index) / double(total - 1) : 0.0; // 1 oldest, 0 newest
    const qint64 created = firstDay() + qint64(double(kDays) * (1.0 - age));
    const QStringList &users = Catalogue::initials();

    const int c = rng.below(100);
    bug.setValue(QStringLiteral("Category"), c < 50 ? 1 : c < 75 ? 2 : c < 85 ? 3 : 4);
    bug.setValue(QStringLiteral("PrgID"), program.id);
    bug.setValue(QStringLiteral("Identifier"),
                 rng.chance(0.3) ? QStringLiteral("CASE-%1").arg(rng.below(900000) + 100000) : QString());
    bug.setValue(QStringLiteral("Description"), TextMaker::line(rng, rng.between(30, 90)));

    const auto &statuses = Catalogue::statuses();
    const bool done = rng.chance(0.15 + 0.75 * age);
    const Catalogue::Status &status = done ? statuses[size_t(rng.chance(0.7)   ? 7
                                                             : rng.chance(0.5) ? 5
                                                                               : 4)]
                                           : statuses[size_t(rng.below(4))];
    bug.setValue(QStringLiteral("Status"), status.text);
    bug.setValue(QStringLiteral("StatusSort"), status.sort);
    bug.setValue(QStringLiteral("Gray"), status.gray ? 1 : 0);
    const int p = std::min(3, rng.below(10) / 3); // Low and Medium most often
    bug.setValue(QStringLiteral("Priority"), Catalogue::priorities().at(p));
    bug.setValue(QStringLiteral("PrioritySort"), p + 1);
    bug.setValue(QStringLiteral("Severity"), pick(rng, Catalogue::severities()));
    bug.setValue(QStringLiteral("Classification"), pick(rng, Catalogue::classifications()));

    // Newer issues are found in newer releases.
    const int releases = int(program.releases.size());
    const int release = std::clamp(int((1.0 - age) * releases) + rng.between(-1, 1), 0, releases - 1);
    bug.setValue(QStringLiteral("Version"), program.releases.at(release));
    bug.setValue(QStringLiteral("Programfile"), rng.chance(0.85) ? pick(rng, program.files) : QString());

    const QString responsible = pick(rng, users);
    QString all = responsible;
    for (int extra = rng.below(3); extra > 0; --extra)
        all += QLatin1Char('|') + pick(rng, users);
    bug.setValue(QStringLiteral("Responsible"), responsible);
    bug.setValue(QStringLiteral("AllResponsiblePersons"), all);
    bug.setValue(QStringLiteral("EstTime"), QStringLiteral("%1 h").arg(rng.between(1, 40)));
    if (done)
        bug.setValue(QStringLiteral("ActTime"), QStringLiteral("%1 h").arg(rng.between(1, 60)));
    if (rng.chance(0.3))
        bug.setValue(QStringLiteral("DueDate"), created + rng.between(7, 120));
    bug.setValue(QStringLiteral("ReportedBy"), QStringLiteral("Customer %1").arg(rng.between(1, 2000)));
    bug.setValue(QStringLiteral("ReportedByID"), rng.between(1, 2000));
    bug.setValue(QStringLiteral("ReportedByContact"), QStringLiteral("Contact %1").arg(rng.between(1, 5000)));
    bug.setValue(QStringLiteral("ReportedByCID"), rng.between(1, 5000));
    bug.setValue(QStringLiteral("ReportedDate"), created - rng.below(5));
    if (done) {
        const qint64 fixed = created + rng.between(1, 200);
        bug.setValue(QStringLiteral("FixedBy"), pick(rng, users));
        bug.setValue(QStringLiteral("FixedDate"), fixed);
        bug.setValue(QStringLiteral("FixedVersion"),
                     program.releases.at(std::min(release + 1, releases - 1)));
        if (status.gray) {
            bug.setValue(QStringLiteral("VerifiedBy"), pick(rng, users));
            bug.setValue(QStringLiteral("VerifiedDate"), fixed + rng.between(1, 30));
            bug.setValue(QStringLiteral("VerifiedVersion"),
                         program.releases.at(std::min(release + 1, releases - 1)));
            bug.setValue(QStringLiteral("VerifiedText"), TextMaker::text(rng, 40, 200));
        }
        bug.setValue(QStringLiteral("Resolution"),
                     rng.chance(0.8) ? QStringLiteral("Fixed") : QStringLiteral("Won't fix"));
        bug.setValue(QStringLiteral("ResolutionText"), TextMaker::text(rng, 80, 400));
        if (rng.chance(0.4))
            bug.setValue(QStringLiteral("ReleaseNotes"), TextMaker::text(rng, 60, 250));
    }
    bug.setValue(QStringLiteral("Hardware"),
                 rng.chance(0.5) ? QStringLiteral("PC") : QStringLiteral("Notebook"));
    bug.setValue(QStringLiteral("OperatingSystem"),
                 rng.chance(0.6) ? QStringLiteral("Windows 10") : QStringLiteral("Windows 11"));
    bug.setValue(QStringLiteral("Network"), rng.chance(0.5) ? 1 : 0);
    bug.setValue(QStringLiteral("Reproducible"),
                 rng.chance(0.7) ? QStringLiteral("Always") : QStringLiteral("Sometimes"));
    bug.setValue(QStringLiteral("CreateDate"), created);
    bug.setValue(QStringLiteral("CreateTime"), clock(rng));
    bug.setValue(QStringLiteral("CreatedBy"), pick(rng, users));
    bug.setValue(QStringLiteral("ChangedDate"), created + (done ? rng.between(1, 250) : rng.below(10)));
    bug.setValue(QStringLiteral("ChangedTime"), clock(rng));
    bug.setValue(QStringLiteral("ChangedBy"), pick(rng, users));

    bug.setValue(QStringLiteral("BugText"), TextMaker::text(rng, 150, 900));
    if (rng.chance(0.3))
        bug.setValue(QStringLiteral("EnvironmentText"), TextMaker::text(rng, 40, 200));
    if (rng.chance(0.6))
        bug.setValue(QStringLiteral("RecreateText"), TextMaker::text(rng, 80, 400));
    if (rng.chance(0.2))
        bug.setValue(QStringLiteral("WorkaroundText"), TextMaker::text(rng, 60, 300));
    if (rng.chance(0.1))
        bug.setValue(QStringLiteral("TestingText"), TextMaker::text(rng, 60, 300));
    if (rng.chance(0.25))
        bug.setValue(QStringLiteral("CustomField1"),
                     QStringLiteral("Ticket %1").arg(rng.between(1000, 99999)));
}

void IssueMaker::fillHistory(data::Record &history, const data::Record &bug, Rng &rng, int step) const
{
    history.clear();
    const QString field = QString::fromLatin1(kHistoryFields[rng.below(int(std::size(kHistoryFields)))]);
    history.setValue(QStringLiteral("ID"), bug.integer(QStringLiteral("ID")));
    history.setValue(QStringLiteral("FIELD"), field);
    history.setValue(QStringLiteral("FORMAT"), field == QLatin1String("BUG:DueDate")
                                                   ? QStringLiteral("@D017B")
                                                   : QStringLiteral("@s35"));
    history.setValue(QStringLiteral("DATE"),
                     bug.integer(QStringLiteral("CreateDate")) + step * rng.between(1, 20));
    history.setValue(QStringLiteral("TIME"), clock(rng));
    history.setValue(QStringLiteral("INITIALS"), pick(rng, Catalogue::initials()));
    const bool longText = field == QLatin1String("BUG:BugText");
    history.setValue(QStringLiteral("Contents_Old"),
                     longText ? TextMaker::text(rng, 100, 400) : TextMaker::line(rng, 30));
    history.setValue(QStringLiteral("Contents_New"),
                     longText ? TextMaker::text(rng, 100, 400) : TextMaker::line(rng, 30));
}

void IssueMaker::fillNote(data::Record &note, const data::Record &bug, Rng &rng, int step) const
{
    note.clear();
    note.setValue(QStringLiteral("ID"), bug.integer(QStringLiteral("ID")));
    note.setValue(QStringLiteral("Status"),
                  rng.chance(0.5) ? QStringLiteral("Open") : QStringLiteral("Done"));
    const qint64 day = bug.integer(QStringLiteral("CreateDate")) + step * rng.between(0, 30);
    note.setValue(QStringLiteral("CreatedDate"), day);
    note.setValue(QStringLiteral("CreatedTime"), clock(rng));
    note.setValue(QStringLiteral("CREATEDBY"), pick(rng, Catalogue::initials()));
    note.setValue(QStringLiteral("CHANGEDDATE"), day);
    note.setValue(QStringLiteral("CHANGEDTIME"), clock(rng));
    note.setValue(QStringLiteral("CHANGEDBY"), pick(rng, Catalogue::initials()));
    note.setValue(QStringLiteral("Note"), TextMaker::text(rng, 80, 600));
}

} // namespace tarvo::bench
