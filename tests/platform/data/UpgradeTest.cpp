#include "DataTestSupport.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/View.h"

using namespace tarvo::data;

namespace tarvo::test {

namespace {
// The customer file as an older program stored it: no number, names under other fields.
DictionaryDecl oldCustomers()
{
    DictionaryDecl d;
    FileDecl f;
    f.label = QStringLiteral("Customer");
    f.prefix = QStringLiteral("CUS");
    f.version = 5;
    f.fields = {field("Customer", FieldType::String, 30), field("Company", FieldType::String, 30),
                field("Lastname", FieldType::String, 30)};
    f.keys = {key("KeyCompany", {{"Company"}})};
    d.files.push_back(f);
    return d;
}

DictionaryDecl newCustomers()
{
    DictionaryDecl d;
    FileDecl f;
    f.label = QStringLiteral("Customer");
    f.prefix = QStringLiteral("CUS");
    f.version = 6;
    f.fields = {field("ID", FieldType::Long),
                field("Firstname", FieldType::String, 30),
                field("Lastname", FieldType::String, 30),
                field("Searchname", FieldType::String, 30),
                field("Currency", FieldType::String, 3),
                field("Port", FieldType::Long)};
    f.keys = {key("KeyID", {{"ID"}}, true, true), key("KeyLastname", {{"Lastname"}})};
    f.setIfNew = {{"ID", "AUTONUMBER"}, {"Currency", "USD"}, {"Port", "25"}};
    f.alternateNames = {
        {"Searchname", "CUS:Lastname"}, {"Firstname", "CUS:Customer"}, {"Lastname", "CUS:Company"}};
    d.files.push_back(f);
    return d;
}
} // namespace

class UpgradeTest : public StoreTest {};
TARVO_STORE_TEST_SUITE(UpgradeTest);

TEST_P(UpgradeTest, OlderLayoutIsConvertedOnOpenAndNewerIsRefused)
{
    openDictionary(oldCustomers());
    add("Customer", {{"Customer", "Ada"}, {"Company", "Lovelace Ltd"}, {"Lastname", "Byron"}});
    add("Customer", {{"Customer", "Alan"}, {"Company", "Turing plc"}, {"Lastname", "Turing"}});
    add("Customer", {{"Customer", "Grace"}, {"Company", "Hopper Inc"}, {"Lastname", "Murray"}});

    openDictionary(newCustomers());
    View byId(fm("Customer"), "KeyID");
    auto rows = byId.rowsAfter(nullptr, 10);
    ASSERT_TRUE(rows.ok()) << rows.error().message.toStdString();
    ASSERT_EQ(rows->size(), 3u);
    const char *first[] = {"Ada", "Alan", "Grace"};
    const char *last[] = {"Lovelace Ltd", "Turing plc", "Hopper Inc"};
    const char *search[] = {"Byron", "Turing", "Murray"};
    for (int i = 0; i < 3; ++i) {
        const Record &r = (*rows)[size_t(i)];
        EXPECT_EQ(r.integer("ID"), i + 1);
        EXPECT_EQ(r.text("Firstname"), first[i]);
        EXPECT_EQ(r.text("Lastname"), last[i]);
        EXPECT_EQ(r.text("Searchname"), search[i]);
        EXPECT_EQ(r.text("Currency"), "USD");
        EXPECT_EQ(r.integer("Port"), 25);
    }
    // Numbering goes on after the converted records.
    EXPECT_EQ(add("Customer", {{"Lastname", "New"}}).integer("ID"), 4);

    // A program that knows only the older layout must not touch the converted file.
    openDictionary(oldCustomers());
    auto opened = fm("Customer").open();
    ASSERT_FALSE(opened.ok());
    EXPECT_EQ(opened.error().code, ErrorCode::InvalidRecordDeclaration);
    ASSERT_FALSE(m_reporter.errors.empty());
    EXPECT_EQ(m_reporter.errors.back().messageNumber, 26);
    openDictionary(newCustomers());
    EXPECT_EQ(count("Customer"), 4);
}

} // namespace tarvo::test
