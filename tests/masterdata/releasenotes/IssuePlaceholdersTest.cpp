#include "masterdata/releasenotes/IssuePlaceholders.h"

#include "core/conversions/TarvoDataFixture.h"
#include "platform/data/FileManager.h"

#include <gtest/gtest.h>

namespace tarvo::masterdata {
namespace {

struct FillCase {
    const char *text;
    qint32 prgId;
    const char *description;
    const char *expected;
};

const FillCase kFillCases[] = {
    {"^bug:id^ is in category ^BUG:Category^", 1, "", "1234 is in category 2"},
    {"^BUG:STATUS^/^BUG:STATUS^/^BUG:STATUS^", 1, "", "Open/Open/Open"},
    {"^BUG:CUSTOMFIELD1^", 1, "", "see #1234"},
    {"[^BUG:DESCRIPTION^]", 1, "  Padded  ", "[  Padded]"},
    {"due ^BUG:DUEDATE^.", 1, "", "due ."},
    {"^CUS:LASTNAME^ ^BUG:PRGNAME^", 1, "", "^CUS:LASTNAME^ Tarvo"},
    {"^BUG:PRGNAME^", 99, "", "^BUG:PRGNAME^"},
    {"by ^BUG:RESPONSIBLEUSERNAME^ (^BUG:RESPONSIBLE^)", 1, "", "by Anna (ab)"},
    {"^BUG:DESCRIPTION^", 1, "^BUG:DESCRIPTION^", "^BUG:DESCRIPTION^"},
};

class IssuePlaceholdersTest : public test::TarvoDataFixture,
                              public ::testing::WithParamInterface<FillCase> {};

TEST_P(IssuePlaceholdersTest, FillsWhatItKnowsAndLeavesTheRest)
{
    const FillCase &c = GetParam();
    add("Programs", {{"PRG:ID", 1}, {"PRG:PrgName", "Tarvo"}});
    data::Record issue = session().file(QStringLiteral("Bugs"))->newRecord();
    issue.setValue(QStringLiteral("BUG:ID"), 1234);
    issue.setValue(QStringLiteral("BUG:Category"), 2);
    issue.setValue(QStringLiteral("BUG:PrgID"), c.prgId);
    issue.setValue(QStringLiteral("BUG:Status"), QStringLiteral("Open"));
    issue.setValue(QStringLiteral("BUG:Responsible"), QStringLiteral("ab"));
    issue.setValue(QStringLiteral("BUG:Description"), QString::fromUtf8(c.description));
    issue.setValue(QStringLiteral("BUG:CustomField1"), QStringLiteral("see #^BUG:ID^"));
    const IssuePlaceholders placeholders(
        session().file(QStringLiteral("Programs")), [](const QString &initials) {
            return initials == QLatin1String("ab") ? QStringLiteral("Anna") : QString();
        });
    EXPECT_EQ(placeholders.fill(issue, QString::fromUtf8(c.text)), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, IssuePlaceholdersTest, ::testing::ValuesIn(kFillCases));

using IssuePlaceholdersLengthTest = test::TarvoDataFixture;

TEST_F(IssuePlaceholdersLengthTest, ALongTextIsCutToTheWorkingLength)
{
    const data::Record issue = session().file(QStringLiteral("Bugs"))->newRecord();
    const IssuePlaceholders placeholders(nullptr, {});
    EXPECT_EQ(placeholders.fill(issue, QString(20000, QLatin1Char('x'))).size(),
              IssuePlaceholders::MaxLength);
}

} // namespace
} // namespace tarvo::masterdata
