#include "DataTestSupport.h"

using namespace tarvo::data;

namespace tarvo::test {

namespace {

// The test dictionary with two children of Customer linked by its name: Nickname under a
// case-insensitive key, Tag under a case-sensitive one.
DictionaryDecl namedChildren()
{
    DictionaryDecl d = testDictionary();
    for (const auto &[label, prefix, caseInsensitive] :
         {std::tuple{"Nickname", "NIC", true}, std::tuple{"Tag", "TAG", false}}) {
        FileDecl f;
        f.label = label;
        f.prefix = prefix;
        f.fields = {field("CustomerName", FieldType::String, 20), field("Text", FieldType::String, 10)};
        f.keys = {key("KeyCustomerName", {{"CustomerName"}}, false, false, caseInsensitive)};
        d.files.push_back(f);
        RelationDecl r;
        r.parent = QStringLiteral("Customer");
        r.child = label;
        r.links = {{"Name", "CustomerName"}};
        r.childKey = QStringLiteral("KeyCustomerName");
        r.update = RelationMode::Cascade;
        r.remove = RelationMode::Cascade;
        d.relations.push_back(r);
    }
    return d;
}

} // namespace

class RelationCollationTest : public StoreTest {};
TARVO_STORE_TEST_SUITE(RelationCollationTest);

TEST_P(RelationCollationTest, ACaseInsensitiveChildKeyFindsChildrenWrittenInAnotherCase)
{
    openDictionary(namedChildren());
    const Record anna = add("Customer", {{"Name", "anna"}});
    add("Customer", {{"Name", "Bob"}});
    for (const char *label : {"Nickname", "Tag"}) {
        add(label, {{"CustomerName", "ANNA"}, {"Text", "upper"}});
        add(label, {{"CustomerName", "anna"}, {"Text", "lower"}});
        add(label, {{"CustomerName", "Bob"}, {"Text", "other"}});
    }
    struct Expected {
        const char *label;
        qint64 renamed, leftAsAnna, afterDelete;
    };
    const Expected cases[] = {{"Nickname", 2, 0, 1}, {"Tag", 1, 1, 2}};

    Record renamed = anna;
    renamed.setValue("Name", "Hanna");
    ASSERT_TRUE(rm("Customer").update(renamed).ok());
    for (const Expected &e : cases) {
        SCOPED_TRACE(e.label);
        EXPECT_EQ(count(e.label, "\"CustomerName\" = 'Hanna'"), e.renamed);
        EXPECT_EQ(count(e.label, "\"CustomerName\" = 'ANNA'"), e.leftAsAnna);
    }

    ASSERT_TRUE(rm("Customer").remove(renamed).ok());
    for (const Expected &e : cases) {
        SCOPED_TRACE(e.label);
        EXPECT_EQ(count(e.label), e.afterDelete);
        EXPECT_EQ(count(e.label, "\"CustomerName\" = 'Bob'"), 1);
    }
}

TEST_P(RelationCollationTest, ADeleteFindsChildrenWrittenInAnotherCase)
{
    openDictionary(namedChildren());
    const Record anna = add("Customer", {{"Name", "Anna"}});
    add("Nickname", {{"CustomerName", "aNNA"}});
    add("Tag", {{"CustomerName", "aNNA"}});
    Record stored = anna;
    ASSERT_TRUE(rm("Customer").remove(stored).ok());
    EXPECT_EQ(count("Nickname"), 0);
    EXPECT_EQ(count("Tag"), 1);
}

} // namespace tarvo::test
