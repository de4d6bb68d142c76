#include "TarvoStoreTest.h"

namespace tarvo::test {

class RelationRulesTest : public TarvoStoreTest {};
TARVO_REAL_STORE_SUITE(RelationRulesTest);

namespace {

// A list of a program whose entries issues name by text: renaming an entry renames it in the
// program's issues, deleting it leaves them alone.
struct NamedEntry {
    const char *label;
    const char *textField;
    const char *issueField;
};

const NamedEntry kNamedEntries[] = {
    {"Releases", "Release", "Version"},
    {"Programfiles", "FILE", "Programfile"},
};

} // namespace

TEST_P(RelationRulesTest, RenamingAnEntryRenamesItInItsProgramsIssuesOnlyAndDeletingItKeepsThem)
{
    for (const NamedEntry &e : kNamedEntries) {
        SCOPED_TRACE(e.label);
        const qint64 prg = add("Programs", {{"PrgName", "One"}}).integer("ID");
        const qint64 other = add("Programs", {{"PrgName", "Two"}}).integer("ID");
        add(e.label, {{"PrgID", prg}, {e.textField, "1.0"}});
        add(e.label, {{"PrgID", other}, {e.textField, "1.0"}});
        add("Bugs", {{"PrgID", prg}, {e.issueField, "1.0"}});
        add("Bugs", {{"PrgID", prg}, {e.issueField, "1.0"}, {"Gray", 1}, {"Category", 2}});
        add("Bugs", {{"PrgID", prg}, {e.issueField, "2.0"}});
        add("Bugs", {{"PrgID", other}, {e.issueField, "1.0"}});

        changeWithRules(e.label, {{"PrgID", prg}, {e.textField, "1.0"}}, {{e.textField, "1.1"}});
        EXPECT_EQ(count("Bugs", {{"PrgID", prg}, {e.issueField, "1.1"}}), 2);
        EXPECT_EQ(count("Bugs", {{"PrgID", prg}, {e.issueField, "2.0"}}), 1);
        EXPECT_EQ(count("Bugs", {{"PrgID", other}, {e.issueField, "1.0"}}), 1);
        EXPECT_EQ(count(e.label, {{"PrgID", prg}, {e.textField, "1.1"}}), 1);

        removeWithRules(e.label, {{"PrgID", prg}, {e.textField, "1.1"}});
        EXPECT_EQ(count(e.label, {{"PrgID", prg}}), 0);
        EXPECT_EQ(count("Bugs", {{"PrgID", prg}, {e.issueField, "1.1"}}), 2);
        EXPECT_EQ(count("Bugs", {{"PrgID", other}, {e.issueField, "1.0"}}), 1);
    }
    EXPECT_TRUE(m_errors.errors.empty());
}

TEST_P(RelationRulesTest, ANewPrioritySortNumberReachesEveryIssueThatHadTheOldOne)
{
    add("Priority", {{"PRIORITY", "High"}, {"PRIORITYSORT", 3}});
    add("Priority", {{"PRIORITY", "Low"}, {"PRIORITYSORT", 4}});
    const qint64 a = add("Programs", {{"PrgName", "A"}}).integer("ID");
    const qint64 b = add("Programs", {{"PrgName", "B"}}).integer("ID");
    add("Bugs", {{"PrgID", a}, {"Priority", "High"}, {"PrioritySort", 3}});
    add("Bugs", {{"PrgID", b}, {"Priority", "High"}, {"PrioritySort", 3}});
    add("Bugs", {{"PrgID", a}, {"Priority", "Low"}, {"PrioritySort", 4}});

    changeWithRules("Priority", {{"PRIORITYSORT", 3}}, {{"PRIORITYSORT", 7}});

    EXPECT_EQ(count("Bugs", {{"PrioritySort", 7}}), 2);
    EXPECT_EQ(count("Bugs", {{"PrioritySort", 3}}), 0);
    EXPECT_EQ(count("Bugs", {{"PrioritySort", 4}}), 1);
}

TEST_P(RelationRulesTest, DeletingACustomerTakesItsContactsAndPurchasesButNotItsIssues)
{
    const qint64 prg = add("Programs", {{"PrgName", "Sold"}}).integer("ID");
    const qint64 gone = add("Customer", {{"Searchname", "Gone"}}).integer("ID");
    const qint64 stays = add("Customer", {{"Searchname", "Stays"}}).integer("ID");
    for (const qint64 cus : {gone, stays}) {
        add("CustomerContacts", {{"ID", cus}, {"Lastname", "First"}});
        add("CustomerContacts", {{"ID", cus}, {"Lastname", "Second"}});
        add("CustomerPrograms", {{"ID", cus}, {"PrgID", prg}, {"PurchasedDate", 80000}});
        add("Bugs", {{"PrgID", prg}, {"ReportedByID", cus}});
    }

    removeWithRules("Customer", {{"ID", gone}});

    EXPECT_EQ(count("CustomerContacts", {{"ID", gone}}), 0);
    EXPECT_EQ(count("CustomerPrograms", {{"ID", gone}}), 0);
    EXPECT_EQ(count("CustomerContacts", {{"ID", stays}}), 2);
    EXPECT_EQ(count("CustomerPrograms", {{"ID", stays}}), 1);
    EXPECT_EQ(count("Bugs", {{"ReportedByID", gone}}), 1);
    EXPECT_EQ(count("Bugs", {{"ReportedByID", stays}}), 1);
    EXPECT_EQ(count("Programs"), 1);
}

TEST_P(RelationRulesTest, FieldRulesFollowTheirFieldWhenRenamedAndGoWithIt)
{
    for (const char *fieldName : {"BUG:Status", "BUG:Priority"}) {
        add("FieldConfig", {{"FIELD", fieldName}});
        for (const char *condition : {"New", "Closed"}) {
            const qint64 id =
                add("FieldConditions", {{"FIELD", fieldName}, {"CONDITION", condition}}).integer("ID");
            add("FieldSetValue", {{"ID", id}, {"FIELD", "BUG:Responsible"}, {"VALUE", "ABC"}});
            add("FieldSetValue", {{"ID", id}, {"FIELD", "BUG:Severity"}, {"REQUIRED", 1}});
        }
    }

    changeWithRules("FieldConfig", {{"FIELD", "BUG:Status"}}, {{"FIELD", "BUG:Resolution"}});
    EXPECT_EQ(count("FieldConditions", {{"FIELD", "BUG:Status"}}), 0);
    EXPECT_EQ(count("FieldConditions", {{"FIELD", "BUG:Resolution"}}), 2);
    EXPECT_EQ(count("FieldSetValue"), 8);

    // A condition's own number is its link to its values.
    const qint64 renumbered = one("FieldConditions", {{"FIELD", "BUG:Resolution"}}).integer("ID");
    changeWithRules("FieldConditions", {{"ID", renumbered}}, {{"ID", 50}});
    EXPECT_EQ(count("FieldSetValue", {{"ID", 50}}), 2);
    EXPECT_EQ(count("FieldSetValue", {{"ID", renumbered}}), 0);

    removeWithRules("FieldConfig", {{"FIELD", "BUG:Resolution"}});
    EXPECT_EQ(count("FieldConditions"), 2);
    EXPECT_EQ(count("FieldConditions", {{"FIELD", "BUG:Priority"}}), 2);
    EXPECT_EQ(count("FieldSetValue"), 4);
    EXPECT_EQ(count("FieldSetValue", {{"ID", 50}}), 0);
    EXPECT_TRUE(m_errors.errors.empty());
}

} // namespace tarvo::test
