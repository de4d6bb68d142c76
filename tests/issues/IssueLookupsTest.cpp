#include "issues/IssueLookups.h"

#include "IssueStoreTest.h"

namespace tarvo::test {

using issues::IssueLookups;

namespace {

class IssueLookupsTest : public IssueStoreTest {};

TEST_P(IssueLookupsTest, ProgramTextsComeBeforeTheGeneralOnes)
{
    for (const auto &[prg, sort, text] :
         std::vector<std::tuple<int, int, QString>>{{3, 2, QStringLiteral("Minor")},
                                                    {3, 1, QStringLiteral("Major")},
                                                    {0, 1, QStringLiteral("Any")},
                                                    {4, 1, QStringLiteral("Other")}})
        add(QStringLiteral("Severity"), {{QStringLiteral("PrgID"), prg},
                                         {QStringLiteral("SORT"), sort},
                                         {QStringLiteral("SEVERITY"), text}});
    auto severities = IssueLookups::programTexts(session(), QStringLiteral("Severity"), 3);
    ASSERT_TRUE(severities.ok());
    EXPECT_EQ(*severities, (QStringList{QStringLiteral("Major"), QStringLiteral("Minor"), QString(),
                                        QStringLiteral("Any")}));
    auto classes = IssueLookups::programTexts(session(), QStringLiteral("Classification"), 3);
    ASSERT_TRUE(classes.ok());
    EXPECT_TRUE(classes->isEmpty()); // no general rows: no empty row either

    add(QStringLiteral("Reproducible"), {{QStringLiteral("REPRODUCIBLE"), QStringLiteral("Sometimes")}});
    add(QStringLiteral("Reproducible"), {{QStringLiteral("REPRODUCIBLE"), QStringLiteral("Always")}});
    EXPECT_EQ(IssueLookups::texts(session(), QStringLiteral("Reproducible")),
              (QStringList{QStringLiteral("Always"), QStringLiteral("Sometimes")}));
}

TEST_P(IssueLookupsTest, PersonFieldsTakeOnlyKnownInitials)
{
    const std::vector<core::UserQueueEntry> users = {{QStringLiteral("JDO"), QStringLiteral("Jane Doe"), {}}};
    data::Record &issue = bugBuffer();
    issue = fm(QStringLiteral("Bugs")).newRecord();
    issue.setValue(QStringLiteral("FixedBy"), QStringLiteral("JDO"));
    EXPECT_EQ(IssueLookups::acceptPerson(issue, QStringLiteral("FixedBy"), users),
              QStringLiteral("Jane Doe"));
    issue.setValue(QStringLiteral("FixedBy"), QStringLiteral("XYZ"));
    EXPECT_FALSE(IssueLookups::acceptPerson(issue, QStringLiteral("FixedBy"), users).has_value());
    EXPECT_TRUE(issue.text(QStringLiteral("FixedBy")).isEmpty());
    EXPECT_EQ(IssueLookups::acceptPerson(issue, QStringLiteral("FixedBy"), users), QString());

    const core::ReleaseQueue releases = {{QStringLiteral("1.0"), 0}};
    EXPECT_TRUE(IssueLookups::offersNewRelease(QStringLiteral("2.0"), releases, settings(), true));
    EXPECT_FALSE(IssueLookups::offersNewRelease(QStringLiteral("1.0 "), releases, settings(), true));
    EXPECT_FALSE(IssueLookups::offersNewRelease(QString(), releases, settings(), true));
    EXPECT_FALSE(IssueLookups::offersNewRelease(QStringLiteral("2.0"), releases, settings(), false));
    setSettings({{QStringLiteral("DISABLEVERSIONINSERT"), 1}});
    EXPECT_FALSE(IssueLookups::offersNewRelease(QStringLiteral("2.0"), releases, settings(), true));
}

} // namespace

TARVO_REAL_STORE_SUITE(IssueLookupsTest);

} // namespace tarvo::test
