#include "BrowseOrder.h"

namespace tarvo::bench {

namespace {
const QString kGrayCategory = QStringLiteral("(BUG:Gray=0 and BUG:Category=T)");
const QString kCategory = QStringLiteral("(BUG:Category=T)");
const QString kGray = QStringLiteral("(BUG:Gray=0)");
// With no program selected the browse limits the list to the programs the user may see; the
// benchmark keeps the limit on in every order, which costs the view a little more per row.
const QString kProgramLimit = QStringLiteral("INSTRING('|' & BUG:PrgID & '|',SecP,1,1)");
} // namespace

const std::vector<BrowseOrder> &BrowseOrder::all()
{
    using R = Range;
    static const std::vector<BrowseOrder> orders = {
        {1, QStringLiteral("BUG:KeyGrayCategoryID"), R::None, kGrayCategory},
        {2, QStringLiteral("BUG:KeyCategoryID"), R::Category, QString()},
        {3, QStringLiteral("BUG:KeyGrayID"), R::None, kGray},
        {4, QStringLiteral("BUG:KeyID"), R::None, QString()},
        {5, QStringLiteral("BUG:KeyPrgIDProgramfileGrayCategoryID"), R::Programfile, kGrayCategory},
        {6, QStringLiteral("BUG:KeyPrgIDProgramfileCategoryID"), R::Programfile, kCategory},
        {7, QStringLiteral("BUG:KeyPrgIDProgramfileGrayID"), R::Programfile, kGray},
        {8, QStringLiteral("BUG:KeyPrgIDProgramfileID"), R::Programfile, QString()},
        {9, QStringLiteral("BUG:KeyPrgIDVersionGrayCategoryID"), R::Release, kGrayCategory},
        {10, QStringLiteral("BUG:KeyPrgIDVersionCategoryID"), R::Release, kCategory},
        {11, QStringLiteral("BUG:KeyPrgIDVersionGrayID"), R::Release, kGray},
        {12, QStringLiteral("BUG:KeyPrgIDVersionID"), R::Release, QString()},
        {13, QStringLiteral("BUG:KeyPrgIDGrayCategoryID"), R::Program, kGrayCategory},
        {14, QStringLiteral("BUG:KeyPrgIDCategoryID"), R::Program, kCategory},
        {15, QStringLiteral("BUG:KeyPrgIDGrayID"), R::Program, kGray},
        {16, QStringLiteral("BUG:KeyPrgIDID"), R::Program, QString()},
    };
    return orders;
}

QVariantList BrowseOrder::rangeValues(const BrowseSelection &s, bool pinned) const
{
    QVariantList values;
    switch (range) {
    case Range::None:
        break;
    case Range::Category:
        values = {s.tab};
        break;
    case Range::Program:
        values = {s.program};
        break;
    case Range::Release:
        values = {s.program, s.release};
        break;
    case Range::Programfile:
        values = {s.program, s.file};
        break;
    }
    if (pinned && filter.contains(QLatin1String("Gray")))
        values << 0;
    if (pinned && filter.contains(QLatin1String("Category")))
        values << s.tab;
    return values;
}

QString BrowseOrder::filterText() const
{
    return filter.isEmpty() ? kProgramLimit : filter + QStringLiteral(" AND ") + kProgramLimit;
}

} // namespace tarvo::bench
