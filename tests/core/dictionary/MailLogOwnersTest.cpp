#include "TarvoStoreTest.h"

namespace tarvo::test {

using data::Record;

// The mail log keeps the mails of issues, mass e-mails and report definitions side by side under
// overlapping numbers; each owner's rules must reach its own mails only.
class MailLogOwnersTest : public TarvoStoreTest {
  protected:
    void SetUp() override
    {
        TarvoStoreTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        const qint64 prg = add("Programs", {{"PrgName", "Mailer"}}).integer("ID");
        add("Bugs", {{"ID", 5}, {"PrgID", prg}});
        add("Bugs", {{"ID", 6}, {"PrgID", prg}});
        add("MassEMails", {{"ID", 5}, {"DESCRIPTION", "Newsletter"}});
        add("Print", {{"TYPE", 1}, {"SORT", 2}, {"DESCRIPTION", "Issue list"}});
        add("Print", {{"TYPE", 1}, {"SORT", 4}, {"DESCRIPTION", "Issue card"}});
        // Issue 5 twice, issue 6, mass e-mail 5, and report mails about issue 5 from two
        // report definitions.
        mail(5, 0, 0, 1);
        mail(5, 0, 0, 2);
        mail(6, 0, 0, 1);
        mail(5, 99, 0, 1);
        mail(5, 1, 2, 1);
        mail(5, 1, 4, 2);
    }
    void mail(qint64 id, int type, qint64 sort, int time)
    {
        add("EMails", {{"ID", id}, {"Type", type}, {"SORT", sort}, {"DateSend", 80000}, {"TimeSend", time}});
    }
    qint64 mails(qint64 id, int type, qint64 sort = 0)
    {
        return count("EMails", {{"ID", id}, {"Type", type}, {"SORT", sort}});
    }
};
TARVO_REAL_STORE_SUITE(MailLogOwnersTest);

TEST_P(MailLogOwnersTest, EachOwnerDeletesOnlyItsOwnMails)
{
    struct Step {
        const char *owner;
        FieldList key;
        // Mails left afterwards: issue 5, issue 6, mass e-mail 5, report (1,2), report (1,4).
        qint64 issue5, issue6, mass5, report2, report4;
    };
    const Step steps[] = {
        {"Bugs", {{"ID", 5}}, 0, 1, 1, 1, 1},
        {"MassEMails", {{"ID", 5}}, 0, 1, 0, 1, 1},
        {"Print", {{"TYPE", 1}, {"SORT", 2}}, 0, 1, 0, 0, 1},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.owner);
        removeWithRules(s.owner, s.key);
        EXPECT_EQ(mails(5, 0), s.issue5);
        EXPECT_EQ(mails(6, 0), s.issue6);
        EXPECT_EQ(mails(5, 99), s.mass5);
        EXPECT_EQ(mails(5, 1, 2), s.report2);
        EXPECT_EQ(mails(5, 1, 4), s.report4);
    }
    EXPECT_TRUE(m_errors.errors.empty());
}

TEST_P(MailLogOwnersTest, RenumberingAReportDefinitionTakesItsMailsAlong)
{
    // A change the definition refuses must not renumber its mails either.
    Record refused = one("Print", {{"TYPE", 1}, {"SORT", 2}});
    refused.setValue("SORT", 9);
    refused.setValue("JPEGQuality", 101);
    EXPECT_FALSE(rm("Print").update(refused).ok());
    EXPECT_EQ(mails(5, 1, 2), 1);
    EXPECT_EQ(mails(5, 1, 9), 0);
    m_errors.errors.clear();

    changeWithRules("Print", {{"TYPE", 1}, {"SORT", 2}}, {{"TYPE", 3}, {"SORT", 7}});
    EXPECT_EQ(mails(5, 1, 2), 0);
    EXPECT_EQ(mails(5, 3, 7), 1);
    EXPECT_EQ(mails(5, 1, 4), 1);
    EXPECT_EQ(mails(5, 0), 2);

    removeWithRules("Print", {{"TYPE", 3}, {"SORT", 7}});
    EXPECT_EQ(mails(5, 3, 7), 0);
    EXPECT_EQ(count("EMails"), 5);
    EXPECT_TRUE(m_errors.errors.empty());
}

} // namespace tarvo::test
