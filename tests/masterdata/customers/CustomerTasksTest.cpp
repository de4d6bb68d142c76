#include "masterdata/customers/CustomerTasks.h"

#include "core/dictionary/TarvoStoreTest.h"
#include "platform/data/View.h"
#include "platform/query/TextSearch.h"

#include <QBuffer>

namespace tarvo::masterdata {
namespace {

using test::FieldValues;

// Customers with their contacts, purchases and reported issues on a real data folder.
class CustomerTasksTest : public test::TarvoStoreTest {
  protected:
    void SetUp() override
    {
        TarvoStoreTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_tasks = std::make_unique<CustomerTasks>(session());
    }

    qint64 addCustomer(const FieldValues &values)
    {
        return add(QStringLiteral("Customer"), values).integer(QStringLiteral("ID"));
    }

    std::vector<qint64> search(const QString &text, bool ignoreCase)
    {
        data::View view(fm(QStringLiteral("Customer")), QStringLiteral("CUS:KeyID"));
        auto found = m_tasks->search(view, text, ignoreCase);
        EXPECT_TRUE(found.ok()) << found.error().message.toStdString();
        // The store's own search finds what reading and comparing every customer finds.
        auto scanned = query::TextSearch(m_tasks->customers(), QStringLiteral("CUS:ID"))
                           .search(view, text, ignoreCase, {}, false);
        EXPECT_TRUE(scanned.ok()) << scanned.error().message.toStdString();
        if (found && scanned) {
            EXPECT_EQ(*found, *scanned) << text.toStdString();
        }
        return found ? *found : std::vector<qint64>{};
    }

    std::unique_ptr<CustomerTasks> m_tasks;
};

TEST_P(CustomerTasksTest, DeletingACustomerDeletesItsContactsAndPurchasesAndKeepsItsIssues)
{
    const qint64 gone = addCustomer({{QStringLiteral("Lastname"), QStringLiteral("Gone Ltd")}});
    const qint64 kept = addCustomer({{QStringLiteral("Lastname"), QStringLiteral("Kept Inc")}});
    for (qint64 customer : {gone, gone, kept})
        add(QStringLiteral("CustomerContacts"), {{QStringLiteral("ID"), customer}});
    add(QStringLiteral("CustomerPrograms"), {{QStringLiteral("ID"), gone}, {QStringLiteral("PrgID"), 1}});
    add(QStringLiteral("CustomerPrograms"), {{QStringLiteral("ID"), gone}, {QStringLiteral("PrgID"), 2}});
    add(QStringLiteral("CustomerPrograms"), {{QStringLiteral("ID"), kept}, {QStringLiteral("PrgID"), 1}});
    add(QStringLiteral("Bugs"), {{QStringLiteral("Description"), QStringLiteral("reported")},
                                 {QStringLiteral("ReportedByID"), gone}});

    removeWithRules(QStringLiteral("Customer"), {{QStringLiteral("ID"), gone}});

    EXPECT_EQ(count(QStringLiteral("Customer")), 1);
    EXPECT_EQ(count(QStringLiteral("CustomerContacts"), {{QStringLiteral("ID"), gone}}), 0);
    EXPECT_EQ(count(QStringLiteral("CustomerPrograms"), {{QStringLiteral("ID"), gone}}), 0);
    EXPECT_EQ(count(QStringLiteral("CustomerContacts"), {{QStringLiteral("ID"), kept}}), 1);
    EXPECT_EQ(count(QStringLiteral("CustomerPrograms"), {{QStringLiteral("ID"), kept}}), 1);
    EXPECT_EQ(count(QStringLiteral("Bugs"), {{QStringLiteral("ReportedByID"), gone}}), 1);
}

TEST_P(CustomerTasksTest, ExportedCustomersComeBackWholeThroughTheImport)
{
    const FieldValues tricky{{QStringLiteral("Searchname"), QStringLiteral("Müller, \"Söhne\" & Co")},
                             {QStringLiteral("Lastname"), QStringLiteral("x & rm -rf ~")},
                             {QStringLiteral("Address1"), QStringLiteral("Line; with \"quotes\"")},
                             {QStringLiteral("LastContact"), 80000},
                             {QStringLiteral("Network"), 1},
                             {QStringLiteral("Notes"), QStringLiteral("two\r\nlines, one comma")}};
    const qint64 first = addCustomer(tricky);
    const qint64 untagged = addCustomer({{QStringLiteral("Lastname"), QStringLiteral("Not exported")}});
    const qint64 second = addCustomer({{QStringLiteral("Lastname"), QStringLiteral("Plain")}});
    const std::vector<data::Record> before = records(QStringLiteral("Customer"), QStringLiteral("KeyID"));

    QBuffer out;
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    // A tagged customer deleted since is skipped.
    auto written = m_tasks->exportCustomers({second, 999, first}, out);
    ASSERT_TRUE(written.ok()) << written.error().message.toStdString();
    EXPECT_EQ(*written, 2);

    for (qint64 id : {first, second})
        removeWithRules(QStringLiteral("Customer"), {{QStringLiteral("ID"), id}});
    auto imported = m_tasks->importCustomers(QString::fromUtf8(out.data()));
    ASSERT_TRUE(imported.ok()) << imported.error().message.toStdString();
    EXPECT_EQ(imported->imported, 2) << imported->text().toStdString();

    const std::vector<data::Record> after = records(QStringLiteral("Customer"), QStringLiteral("KeyID"));
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i)
        EXPECT_TRUE(after[i].sameValues(before[i])) << after[i].integer(QStringLiteral("ID"));
    EXPECT_EQ(after[1].integer(QStringLiteral("ID")), untagged);
}

TEST_P(CustomerTasksTest, TextSearchComparesEveryFieldAsShownAndTheMemos)
{
    const qint64 direction =
        addCustomer({{QStringLiteral("Lastname"), QStringLiteral("North")},
                     {QStringLiteral("Direction"), QStringLiteral("Take the Ferry left")}});
    const qint64 city = addCustomer({{QStringLiteral("City"), QStringLiteral("ferrybridge")}});
    const qint64 numbered = addCustomer(
        {{QStringLiteral("Lastname"), QStringLiteral("Numbered")}, {QStringLiteral("LastContact"), 4711}});

    EXPECT_EQ(search(QStringLiteral("Ferry"), false), (std::vector<qint64>{direction}));
    EXPECT_EQ(search(QStringLiteral("FERRY"), true), (std::vector<qint64>{direction, city}));
    EXPECT_EQ(search(QStringLiteral("nowhere"), true), std::vector<qint64>{});
    EXPECT_EQ(search(QStringLiteral("r"), true).size(), 3u);
    EXPECT_EQ(search(QStringLiteral("y left"), false), (std::vector<qint64>{direction}));
    // The customer's number is found in its text form.
    EXPECT_EQ(search(QString::number(numbered), false).front(), numbered);
}

TEST_P(CustomerTasksTest, PickerLeavesOutOnlyCustomersThatBoughtOtherProgramsAlone)
{
    const qint64 none = addCustomer({{QStringLiteral("Lastname"), QStringLiteral("Bought nothing")}});
    const qint64 both = addCustomer({{QStringLiteral("Lastname"), QStringLiteral("Bought both")}});
    const qint64 other = addCustomer({{QStringLiteral("Lastname"), QStringLiteral("Bought other")}});
    add(QStringLiteral("CustomerPrograms"), {{QStringLiteral("ID"), both}, {QStringLiteral("PrgID"), 3}});
    add(QStringLiteral("CustomerPrograms"), {{QStringLiteral("ID"), both}, {QStringLiteral("PrgID"), 7}});
    add(QStringLiteral("CustomerPrograms"), {{QStringLiteral("ID"), other}, {QStringLiteral("PrgID"), 3}});
    add(QStringLiteral("CustomerPrograms"), {{QStringLiteral("ID"), other},
                                             {QStringLiteral("PrgID"), 4},
                                             {QStringLiteral("PurchasedDate"), 80000}});

    auto excluded = m_tasks->customersOfOtherPrograms(7);
    ASSERT_TRUE(excluded.ok());
    EXPECT_EQ(*excluded, QStringLiteral("|%1|").arg(other));
    EXPECT_FALSE(excluded->contains(QStringLiteral("|%1|").arg(none)));
}

TEST_P(CustomerTasksTest, ADroppedContactMovesOrIsCopiedUnderANewNumber)
{
    const qint64 from = addCustomer({{QStringLiteral("Lastname"), QStringLiteral("From")}});
    const qint64 to = addCustomer({{QStringLiteral("Lastname"), QStringLiteral("To")}});
    const qint64 moved =
        add(QStringLiteral("CustomerContacts"),
            {{QStringLiteral("ID"), from}, {QStringLiteral("Lastname"), QStringLiteral("Mover")}})
            .integer(QStringLiteral("CID"));
    const qint64 copied =
        add(QStringLiteral("CustomerContacts"),
            {{QStringLiteral("ID"), from}, {QStringLiteral("Lastname"), QStringLiteral("Twin")}})
            .integer(QStringLiteral("CID"));

    auto move = m_tasks->dropContact(moved, to, false, QStringLiteral("wkzxyz"));
    ASSERT_TRUE(move.ok());
    EXPECT_EQ(*move, moved);
    auto copy = m_tasks->dropContact(copied, to, true, QStringLiteral("wkz"));
    ASSERT_TRUE(copy.ok());
    EXPECT_NE(*copy, copied);
    auto gone = m_tasks->dropContact(9999, to, false, QStringLiteral("wkz"));
    ASSERT_TRUE(gone.ok());
    EXPECT_EQ(*gone, 0);

    EXPECT_EQ(count(QStringLiteral("CustomerContacts"), {{QStringLiteral("ID"), from}}), 1);
    EXPECT_EQ(count(QStringLiteral("CustomerContacts"), {{QStringLiteral("ID"), to}}), 2);
    EXPECT_EQ(count(QStringLiteral("CustomerContacts"),
                    {{QStringLiteral("Lastname"), QStringLiteral("Twin")}, {QStringLiteral("ID"), to}}),
              1);
    EXPECT_EQ(one(QStringLiteral("CustomerContacts"), {{QStringLiteral("CID"), moved}})
                  .text(QStringLiteral("CHANGEDBY")),
              QStringLiteral("wkz"));
}

TARVO_REAL_STORE_SUITE(CustomerTasksTest);

} // namespace
} // namespace tarvo::masterdata
