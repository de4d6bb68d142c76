#include "core/conversions/CorrectionProgress.h"
#include "core/conversions/CorrectionRun.h"
#include "core/conversions/Corrections.h"
#include "platform/data/FileManager.h"
#include "platform/data/View.h"
#include "platform/runtime/Text.h"

namespace tarvo::core {

using data::Record;

namespace {

constexpr qint64 kProgramStatusList = 200000000;

// The program-number fields of the files that name their program, in the order they are done.
struct NamedProgramFile {
    const char *label;
    const char *idField;
};

const NamedProgramFile kNamedProgramFiles[] = {
    {"Programfiles", "PRGID"}, {"CustomerPrograms", "PrgID"}, {"Classification", "PrgID"},
    {"Severity", "PrgID"},     {"ReleaseNotes", "PrgID"},
};

} // namespace

// Programs become a numbered tree: every record that names its program by name gets the
// program's number.
void correctMultiLevelTree(CorrectionRun &run)
{
    const QStringList counted = {
        QStringLiteral("Programs"),       QStringLiteral("Bugs"),         QStringLiteral("Status"),
        QStringLiteral("Releases"),       QStringLiteral("Programfiles"), QStringLiteral("CustomerPrograms"),
        QStringLiteral("Classification"), QStringLiteral("Severity"),     QStringLiteral("ReleaseNotes"),
    };
    qint64 total = 0;
    for (const QString &label : counted)
        total += run.count(label);
    CorrectionProgress &progress = run.progress();
    progress.setTotal(total);

    run.inTransaction([&] {
        data::FileManager &programs = run.file(QStringLiteral("Programs"));
        data::View byName(programs, QStringLiteral("KeyPrgName"));
        qint64 sort = 0;
        (void)run.forEach(byName, [&](Record &program) {
            program.setValue(QStringLiteral("Sort"), ++sort);
            (void)run.write(programs, program);
            progress.step();
        });

        data::FileManager &bugs = run.file(QStringLiteral("Bugs"));
        (void)run.forEach(QStringLiteral("Bugs"), [&](Record &bug) {
            if (auto id = run.programId(bug.text(QStringLiteral("PrgName"))))
                bug.setValue(QStringLiteral("PrgID"), *id);
            (void)run.write(bugs, bug);
            progress.step();
        });

        data::FileManager &statuses = run.file(QStringLiteral("Status"));
        (void)run.forEach(QStringLiteral("Status"), [&](Record &status) {
            const QString name = Text::clip(status.text(QStringLiteral("PRGNAME")));
            if (name == QLatin1String("^PROGRAMSTATUS^")) {
                status.setValue(QStringLiteral("PrgID"), kProgramStatusList);
                (void)run.write(statuses, status);
            } else if (!name.isEmpty()) {
                if (auto id = run.programId(name))
                    status.setValue(QStringLiteral("PrgID"), *id);
                (void)run.write(statuses, status);
            }
            progress.step();
        });

        data::FileManager &releases = run.file(QStringLiteral("Releases"));
        (void)run.forEach(QStringLiteral("Releases"), [&](Record &release) {
            if (auto id = run.programId(release.text(QStringLiteral("PRGNAME"))))
                release.setValue(QStringLiteral("PRGID"), *id);
            (void)run.write(releases, release);
            progress.step();
        });

        for (const NamedProgramFile &named : kNamedProgramFiles) {
            const QString label = QString::fromLatin1(named.label);
            const QString idField = QString::fromLatin1(named.idField);
            data::FileManager &file = run.file(label);
            (void)run.forEach(label, [&](Record &record) {
                if (auto id = run.programId(record.text(QStringLiteral("PRGNAME")))) {
                    record.setValue(idField, *id);
                    (void)run.write(file, record);
                }
                progress.step();
            });
        }
    });
}

} // namespace tarvo::core
