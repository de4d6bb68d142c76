#include "core/conversions/CorrectionProgress.h"
#include "core/conversions/CorrectionRun.h"
#include "core/conversions/Corrections.h"
#include "platform/data/FileManager.h"
#include "platform/data/View.h"
#include "platform/runtime/Text.h"

namespace tarvo::core {

using data::Record;

void addAttachmentSheetReport(CorrectionRun &run)
{
    CorrectionProgress &progress = run.progress();
    progress.setTotal(1);
    data::FileManager &print = run.file(QStringLiteral("Print"));
    // A plain new record: the insert defaults of a report made in its form do not apply here.
    Record report = print.newRecord();
    report.setValue(QStringLiteral("TYPE"), 5);
    report.setValue(QStringLiteral("SORT"), 1);
    report.setValue(QStringLiteral("PRINTTYPE"), 2);
    report.setValue(QStringLiteral("DESCRIPTION"), QStringLiteral("Attachment Sheet"));
    report.setValue(QStringLiteral("FILENAME"), QStringLiteral("Attachment_Sheet.rpt"));
    report.setValue(QStringLiteral("OUTPUT"), QStringLiteral("Printer"));
    report.setValue(QStringLiteral("JPEGQuality"), 100);
    report.setValue(QStringLiteral("EXPORTALLINONEFILE"), 1);
    report.setValue(QStringLiteral("PRINTERSETUP"), 1);
    report.setValue(QStringLiteral("EMailPriority"), QStringLiteral("Normal"));
    (void)run.add(print, report);
    progress.step();
}

// Issues without the list of all their responsible persons get it: the main one first, then
// those of BugsResponsible in key order, separated by "|".
void correctAllResponsiblePersons(CorrectionRun &run)
{
    CorrectionProgress &progress = run.progress();
    progress.setTotal(run.count(QStringLiteral("Bugs")));
    data::FileManager &bugs = run.file(QStringLiteral("Bugs"));
    data::FileManager &responsibles = run.file(QStringLiteral("BugsResponsible"));
    const QString all = QStringLiteral("AllResponsiblePersons");

    run.inTransaction([&] {
        (void)run.forEach(QStringLiteral("Bugs"), [&](Record &bug) {
            if (Text::clip(bug.text(all)).isEmpty()) {
                QString persons = bug.text(QStringLiteral("Responsible"));
                data::View ofIssue(responsibles, QStringLiteral("KeyIDResponsible"));
                ofIssue.setRange({bug.value(QStringLiteral("ID"))});
                (void)run.forEach(ofIssue, [&](Record &responsible) {
                    persons += QLatin1Char('|') + responsible.text(QStringLiteral("RESPONSIBLE"));
                });
                bug.setValue(all, persons);
                (void)run.write(bugs, bug);
            }
            progress.step();
        });
    });
}

} // namespace tarvo::core
