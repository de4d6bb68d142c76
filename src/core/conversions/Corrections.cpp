#include "core/conversions/Corrections.h"

#include "core/conversions/CorrectionRun.h"

namespace tarvo::core {

const std::vector<Correction> &corrections()
{
    static const std::vector<Correction> table = {
        {9, QStringLiteral("Correction: Multi-Level Tree settings"), 2003, 10, 8,
         QStringLiteral("Preparing data for multi-level tree...")},
        {10, QStringLiteral("New Report: Attachment Sheet"), 2003, 11, 20,
         QStringLiteral("Adding new report (Attachment Sheet)...")},
        {11, QStringLiteral("Prime: PAR:FunctionList"), 2004, 4, 9,
         QStringLiteral("Priming Option field...")},
        {kStatusSortCorrection, QString(), 0, 0, 0, QStringLiteral("Fixing sort order: BUG:Status...")},
        {12, QStringLiteral("Correction: Severity Sort"), 2004, 5, 18,
         QStringLiteral("Fixing sort order: Severity...")},
        {13, QStringLiteral("Correction: Classification Sort"), 2004, 5, 18,
         QStringLiteral("Fixing sort order: Classification...")},
        {14, QStringLiteral("Correction: BUG:AllResponsiblePersons"), 2004, 6, 24,
         QStringLiteral("Fixing Responsible Persons...")},
        {15, QStringLiteral("Prime: PAR:CustomerSources"), 2004, 7, 19,
         QStringLiteral("Priming Option field...")},
    };
    return table;
}

const Correction *findCorrection(int number)
{
    for (const Correction &c : corrections())
        if (c.number == number)
            return &c;
    return nullptr;
}

void runCorrection(int number, CorrectionRun &run)
{
    switch (number) {
    case 9:
        return correctMultiLevelTree(run);
    case 10:
        return addAttachmentSheetReport(run);
    case 11:
        return primeFunctionList(run);
    case kStatusSortCorrection:
        return correctStatusSort(run);
    case 12:
        return correctSeveritySort(run);
    case 13:
        return correctClassificationSort(run);
    case 14:
        return correctAllResponsiblePersons(run);
    case 15:
        return primeCustomerSources(run);
    default:
        return;
    }
}

} // namespace tarvo::core
