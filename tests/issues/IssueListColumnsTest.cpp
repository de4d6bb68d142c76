#include "issues/IssueListColumns.h"

#include "core/dictionary/TarvoDictionary.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace tarvo;

namespace {

// The columns a user first sees, and the headers that are not just the field's name.
TEST(IssueListColumns, ShowTheFirstEightAndNameTheRestByTheirHeaders)
{
    const listext::ColumnDefinitions &columns = issues::issueListColumns();
    ASSERT_EQ(columns.size(), 53u);
    QStringList shown;
    for (const auto &c : columns)
        if (c.shown)
            shown << c.field;
    EXPECT_EQ(shown, (QStringList{QStringLiteral("TagField"), QStringLiteral("BUG:Category"),
                                  QStringLiteral("BUG:ID"), QStringLiteral("PriorityIcon"),
                                  QStringLiteral("BUG:Status"), QStringLiteral("BUG:Description"),
                                  QStringLiteral("BUG:ReportedBy"), QStringLiteral("BUG:ReportedDate")}));
    const std::pair<const char *, const char *> headers[] = {
        {"TagField", ""},
        {"BUG:ReportedDate", "Report Date"},
        {"BUG:Severity", "Severity"},
        {"BUG:OperatingSystemServicePack", "Operating System Service Pack"},
        {"BUG:CustomField10", "Custom Field 10"},
        {"BUG:ReportedByContact", "Reported By Contact"},
    };
    for (const auto &[field, header] : headers) {
        const auto it = std::find_if(columns.begin(), columns.end(),
                                     [&](const auto &c) { return c.field == QLatin1String(field); });
        ASSERT_NE(it, columns.end()) << field;
        EXPECT_EQ(it->header, QLatin1String(header)) << field;
    }
    EXPECT_EQ(columns.back().field, QStringLiteral("BUG:ReportedByContact"));
}

// Every column of an issue field names a field of the issue file, so that the view can read,
// sort and filter it; the computed ones are no fields of the view.
TEST(IssueListColumns, NameFieldsOfTheIssueFile)
{
    const data::FileDecl *bugs = core::tarvoDictionary().file(QStringLiteral("Bugs"));
    ASSERT_NE(bugs, nullptr);
    for (const auto &c : issues::issueListColumns()) {
        if (!c.viewField) {
            EXPECT_FALSE(c.field.startsWith(QLatin1String("BUG:"))) << c.field.toStdString();
            continue;
        }
        const QString name = c.field.mid(4);
        EXPECT_TRUE(std::any_of(bugs->fields.begin(), bugs->fields.end(), [&](const auto &f) {
            return f.name.compare(name, Qt::CaseInsensitive) == 0;
        })) << c.field.toStdString();
    }
    const auto chosen = issues::issueListColumns(
        {QStringLiteral("BUG:Severity"), QStringLiteral("Nothing"), QStringLiteral("BUG:ID")});
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_EQ(chosen[0].field, QStringLiteral("BUG:Severity"));
    EXPECT_TRUE(chosen[0].shown);
}

} // namespace
