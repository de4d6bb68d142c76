#include "issues/ReporterList.h"

#include "IssueStoreTest.h"

namespace tarvo::test {

using issues::ReporterList;
using issues::ReporterRow;

namespace {

class ReporterListTest : public IssueStoreTest {
  protected:
    qint32 customer(const QString &name, const QString &status = {}, std::initializer_list<int> programs = {})
    {
        const data::Record c = add(QStringLiteral("Customer"), {{QStringLiteral("Searchname"), name},
                                                                {QStringLiteral("Status"), status}});
        const qint32 id = qint32(c.integer(QStringLiteral("ID")));
        for (int program : programs)
            add(QStringLiteral("CustomerPrograms"),
                {{QStringLiteral("ID"), id}, {QStringLiteral("PrgID"), program}});
        return id;
    }
};

TEST_P(ReporterListTest, ListsTheProgramsCustomersTheirContactsAndTheUsers)
{
    const qint32 anyProgram = customer(QStringLiteral("Alpha"));
    customer(QStringLiteral("Beta"), QStringLiteral("disAbled "));
    customer(QStringLiteral("Gamma"), {}, {9});
    const qint32 buyer = customer(QStringLiteral("Delta"), {}, {9, 3});
    add(QStringLiteral("CustomerContacts"), {{QStringLiteral("ID"), buyer},
                                             {QStringLiteral("Address"), QStringLiteral("Mr")},
                                             {QStringLiteral("Lastname"), QStringLiteral("Smith")}});
    const data::Record company =
        add(QStringLiteral("CustomerContacts"), {{QStringLiteral("ID"), buyer},
                                                 {QStringLiteral("Address"), QStringLiteral("Company")},
                                                 {QStringLiteral("Firstname"), QStringLiteral("Ltd")},
                                                 {QStringLiteral("Lastname"), QStringLiteral("Acme")}});
    auto rows = ReporterList::build(
        session(), 3, {{QStringLiteral("JDO"), QStringLiteral("Jane Doe"), QStringLiteral("Ms")}});
    ASSERT_TRUE(rows.ok());
    QStringList shown;
    for (const ReporterRow &r : *rows)
        shown << r.shown;
    EXPECT_EQ(shown, (QStringList{QStringLiteral("Alpha"), QStringLiteral("Delta"),
                                  QStringLiteral("Mr Smith"), QStringLiteral("Company Acme Ltd"),
                                  QStringLiteral("Internal Users"), QStringLiteral("Ms Jane Doe")}));
    EXPECT_EQ((*rows)[0].customerId, anyProgram);
    EXPECT_EQ((*rows)[2].contact, QStringLiteral("Smith"));
    EXPECT_EQ((*rows)[2].customer, QStringLiteral("Delta"));
    EXPECT_EQ((*rows)[4].style, ReporterRow::Heading);
    EXPECT_EQ((*rows)[5].userMak, QStringLiteral("JDO"));

    data::Record &issue = bugBuffer();
    issue = fm(QStringLiteral("Bugs")).newRecord();
    ReporterList::choose(issue, (*rows)[3]);
    EXPECT_EQ(issue.text(QStringLiteral("ReportedBy")), QStringLiteral("Delta"));
    EXPECT_EQ(issue.integer(QStringLiteral("ReportedByID")), buyer);
    EXPECT_EQ(issue.integer(QStringLiteral("ReportedByCID")), company.integer(QStringLiteral("CID")));
    EXPECT_EQ(issue.text(QStringLiteral("ReportedByContact")), QStringLiteral("Acme Ltd"));
    ReporterList::choose(issue, (*rows)[4]);
    EXPECT_TRUE(issue.text(QStringLiteral("ReportedBy")).isEmpty());
    EXPECT_EQ(issue.integer(QStringLiteral("ReportedByID")), 0);
    EXPECT_EQ(issue.integer(QStringLiteral("ReportedByCID")), 0);
    EXPECT_TRUE(issue.text(QStringLiteral("ReportedByContact")).isEmpty());
}

} // namespace

TARVO_REAL_STORE_SUITE(ReporterListTest);

} // namespace tarvo::test
