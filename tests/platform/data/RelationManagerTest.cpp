#include "DataTestSupport.h"
#include "platform/data/ErrorCode.h"

using namespace tarvo::data;

namespace tarvo::test {

class RelationManagerTest : public StoreTest {
  protected:
    // Two customers, each with two contacts carrying two notes each.
    void addFamilies()
    {
        for (int c = 0; c < 2; ++c) {
            const Record cus = add("Customer", {{"Name", QStringLiteral("Customer %1").arg(c)}});
            for (int k = 0; k < 2; ++k) {
                const Record con = add("Contact", {{"ID", cus.integer("ID")}, {"Name", "n"}});
                for (int n = 0; n < 2; ++n)
                    add("Note", {{"CID", con.integer("CID")}, {"Text", "t"}});
            }
        }
    }
    Record customer(int id)
    {
        Record r = fm("Customer").newRecord();
        r.setValue("ID", id);
        EXPECT_TRUE(fm("Customer").fetch("KeyID", r).ok());
        return r;
    }
};
TARVO_STORE_TEST_SUITE(RelationManagerTest);

TEST_P(RelationManagerTest, DeleteCascadesThroughEveryLevelAndOnlyToTheOwnChildren)
{
    openDictionary();
    addFamilies();
    Record first = customer(1);
    ASSERT_TRUE(rm("Customer").remove(first).ok());
    EXPECT_EQ(count("Customer"), 1);
    EXPECT_EQ(count("Contact"), 2);
    EXPECT_EQ(count("Contact", "\"ID\" = 1"), 0);
    EXPECT_EQ(count("Note"), 4);
    EXPECT_EQ(count("Note", "\"CID\" NOT IN (SELECT \"CID\" FROM \"Contact\")"), 0);
}

TEST_P(RelationManagerTest, UpdateCascadesNewLinkValuesDownTheTree)
{
    openDictionary();
    addFamilies();
    Record first = customer(1);
    first.setValue("ID", 100);
    ASSERT_TRUE(rm("Customer").update(first).ok());
    EXPECT_EQ(count("Contact", "\"ID\" = 100"), 2);
    EXPECT_EQ(count("Contact", "\"ID\" = 1"), 0);

    Record contact = fm("Contact").newRecord();
    contact.setValue("CID", 1);
    ASSERT_TRUE(fm("Contact").fetch("KeyCID", contact).ok());
    contact.setValue("CID", 500);
    ASSERT_TRUE(rm("Contact").update(contact).ok());
    EXPECT_EQ(count("Note", "\"CID\" = 500"), 2);
    EXPECT_EQ(count("Note", "\"CID\" = 1"), 0);
}

// The caller's copy of the stored row finds the children by its link values; a copy of another
// row is not trusted and the row is read as usual.
TEST_P(RelationManagerTest, UpdateWithTheStoredRowKnownCascadesFromIt)
{
    openDictionary();
    addFamilies();
    Record first = customer(1);
    const Record stored = first;
    first.setValue("ID", 100);
    ASSERT_TRUE(rm("Customer").update(first, stored).ok());
    EXPECT_EQ(count("Contact", "\"ID\" = 100"), 2);
    EXPECT_EQ(count("Contact", "\"ID\" = 1"), 0);

    Record second = customer(2);
    second.setValue("ID", 200);
    ASSERT_TRUE(rm("Customer").update(second, stored).ok());
    EXPECT_EQ(count("Contact", "\"ID\" = 200"), 2);
    EXPECT_EQ(count("Contact", "\"ID\" = 2"), 0);
    EXPECT_EQ(count("Contact", "\"ID\" = 100"), 2);
}

TEST_P(RelationManagerTest, ARestrictedChildUndoesTheWholeCascade)
{
    openDictionary();
    addFamilies();
    add("Invoice", {{"CustomerID", 1}, {"Amount", 12.345}});
    Record first = customer(1);
    auto r = rm("Customer").remove(first);
    ASSERT_FALSE(r.ok());
    ASSERT_EQ(m_reporter.errors.size(), 1u);
    EXPECT_EQ(m_reporter.errors[0].messageNumber, 33);
    EXPECT_EQ(m_reporter.errors[0].file.toStdString(), storedName(QStringLiteral("Invoice")).toStdString());
    // The contacts and notes deleted before the refusal are back: all or nothing.
    EXPECT_EQ(count("Customer"), 2);
    EXPECT_EQ(count("Contact"), 4);
    EXPECT_EQ(count("Note"), 8);

    add("Print", {{"Name", "List"}});
    add("Job", {{"PrintName", "List"}});
    Record print = fm("Print").newRecord();
    print.setValue("Name", "List");
    ASSERT_TRUE(fm("Print").fetch("KeyName", print).ok());
    print.setValue("Name", "Renamed");
    m_reporter.errors.clear();
    EXPECT_FALSE(rm("Print").update(print).ok());
    ASSERT_EQ(m_reporter.errors.size(), 1u);
    EXPECT_EQ(m_reporter.errors[0].messageNumber, 34);
    EXPECT_EQ(count("Print", "\"Name\" = 'List'"), 1);
}

TEST_P(RelationManagerTest, ChildConditionKeepsTheMailsOfOtherOwners)
{
    openDictionary();
    for (int i = 1; i <= 5; ++i)
        add("Issue", {{"Title", QStringLiteral("I%1").arg(i)}});
    for (int i = 1; i <= 5; ++i)
        add("MassMail", {{"Subject", QStringLiteral("M%1").arg(i)}});
    for (int type : {0, 0, 99, 3})
        add("Mail", {{"ID", 5}, {"Type", type}});
    add("Mail", {{"ID", 4}, {"Type", 0}});

    Record issue = fm("Issue").newRecord();
    issue.setValue("ID", 5);
    ASSERT_TRUE(fm("Issue").fetch("KeyID", issue).ok());
    ASSERT_TRUE(rm("Issue").remove(issue).ok());
    EXPECT_EQ(count("Mail", "\"ID\" = 5 AND \"Type\" = 0"), 0);
    EXPECT_EQ(count("Mail", "\"ID\" = 5 AND \"Type\" = 99"), 1);
    EXPECT_EQ(count("Mail", "\"ID\" = 5 AND \"Type\" = 3"), 1);
    EXPECT_EQ(count("Mail", "\"ID\" = 4"), 1);

    Record mass = fm("MassMail").newRecord();
    mass.setValue("ID", 5);
    ASSERT_TRUE(fm("MassMail").fetch("KeyID", mass).ok());
    ASSERT_TRUE(rm("MassMail").remove(mass).ok());
    EXPECT_EQ(count("Mail", "\"ID\" = 5"), 1);
}

} // namespace tarvo::test
