#include "issues/IssueListFilter.h"

#include "core/lists/UserQueue.h"

namespace tarvo::issues {

namespace {

using Range = IssueListFilter::Order::Range;

const QString kGrayCategory = QStringLiteral("(BUG:Gray=0 and BUG:Category=T)");
const QString kCategory = QStringLiteral("(BUG:Category=T)");
const QString kGray = QStringLiteral("(BUG:Gray=0)");

} // namespace

IssueListFilter::Order IssueListFilter::order(int number)
{
    // Four orders without a selection, then four per kind of tree row, each as: not fixed and one
    // category, fixed and one category, not fixed and all categories, fixed and all.
    static const char *const kKeys[] = {"KeyGrayCategoryID", "KeyCategoryID", "KeyGrayID", "KeyID"};
    static const char *const kSelected[] = {"GrayCategoryID", "CategoryID", "GrayID", "ID"};
    static const char *const kParts[] = {"KeyPrgIDProgramfile", "KeyPrgIDVersion", "KeyPrgID"};
    static const Range kRanges[] = {Range::ProgramFile, Range::Release, Range::Program};
    Order o;
    o.number = number;
    if (number < 1 || number > 16) {
        o.number = 17;
        return o;
    }
    const int variant = (number - 1) % 4;
    const QString filters[] = {kGrayCategory, kCategory, kGray, QString()};
    if (number <= 4) {
        o.key = QStringLiteral("BUG:") + QLatin1String(kKeys[variant]);
        // Without a selection the category key's range does the filtering of order 2.
        o.range = variant == 1 ? Range::Category : Range::None;
        o.filter = variant == 1 ? QString() : filters[variant];
        return o;
    }
    const int part = (number - 5) / 4;
    o.key = QStringLiteral("BUG:") + QLatin1String(kParts[part]) + QLatin1String(kSelected[variant]);
    o.range = kRanges[part];
    o.filter = filters[variant];
    return o;
}

IssueListFilter::Order IssueListFilter::order() const
{
    const int variant = (tab < AllTab ? 0 : 2) + (showFixed ? 1 : 0);
    if (prgId == 0)
        return order(1 + variant);
    if (!programFile.trimmed().isEmpty())
        return order(5 + variant);
    if (!release.trimmed().isEmpty())
        return order(9 + variant);
    return order(13 + variant);
}

QString IssueListFilter::limitFilter() const
{
    QString filter;
    if (!secP.trimmed().isEmpty() && prgId == 0)
        filter = QStringLiteral("INSTRING('|' & BUG:PrgID & '|',SecP,1,1)");
    if (onlyMine) {
        const QString persons = QStringLiteral("'|' & UPPER(CLIP(BUG:AllResponsiblePersons)) & '|'");
        const QString mine = QStringLiteral("(INSTRING('|' & UPPER(CLIP(MAK)) & '|',%1,1,1) OR "
                                            "INSTRING('|' & UPPER(CLIP(SUB(MAK,1,%2))) & '|',%1,1,1))")
                                 .arg(persons)
                                 .arg(core::UserQueueEntry::MakWidth);
        filter = filter.isEmpty() ? mine : filter + QStringLiteral(" AND ") + mine;
    }
    return filter;
}

} // namespace tarvo::issues
