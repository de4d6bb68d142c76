#include "TarvoStoreTest.h"
#include "core/dictionary/TarvoDictionary.h"
#include "platform/data/Connection.h"

namespace tarvo::test {

using namespace tarvo::data;

class NewDataFolderTest : public TarvoStoreTest {};
TARVO_REAL_STORE_SUITE(NewDataFolderTest);

TEST_P(NewDataFolderTest, OpeningEveryManagedFileCreatesItsTable)
{
    QStringList tables;
    for (const FileDecl &f : core::tarvoDictionary().files) {
        if (!f.managed)
            continue;
        SCOPED_TRACE(f.label.toStdString());
        ASSERT_NE(m_session->file(f.label), nullptr);
        ASSERT_NE(m_session->relations(f.label), nullptr);
        EXPECT_TRUE(rm(f.label).open().ok());
        tables << fm(f.label).layout().table();
    }
    EXPECT_TRUE(m_errors.errors.empty());

    auto conn = m_dict->store().connection();
    ASSERT_TRUE(conn.ok());
    for (const QString &table : tables) {
        auto columns = m_dict->store().tableColumns(**conn, table);
        ASSERT_TRUE(columns.ok());
        EXPECT_FALSE(columns->isEmpty()) << table.toStdString();
    }
}

TEST_P(NewDataFolderTest, AutonumberTakesOneMoreThanTheHighestNumberLeft)
{
    for (const char *label : {"Bugs", "Programs", "Customer"}) {
        SCOPED_TRACE(label);
        EXPECT_EQ(add(label, {}).integer("ID"), 1);
        for (int i = 2; i <= 7; ++i)
            add(label, {});
        removeWithRules(label, {{"ID", 3}});
        // Priming claims the number at once, as a form does before the user types.
        Record next = fm(label).newRecord();
        ASSERT_TRUE(fm(label).primeRecord(next).ok());
        EXPECT_EQ(next.integer("ID"), 8);
        ASSERT_TRUE(fm(label).insert(next).ok());
        EXPECT_EQ(count(label), 7);
        EXPECT_EQ(count(label, {{"ID", 8}}), 1);
    }
}

TEST_P(NewDataFolderTest, PrimingFillsTheInsertDefaults)
{
    struct Defaults {
        const char *label;
        FieldList values;
    };
    const Defaults cases[] = {
        {"Print",
         {{"PRINTTYPE", 1},
          {"JPEGQuality", 100},
          {"Resolution", 96},
          {"EXPORTALLINONEFILE", 1},
          {"EMailPriority", "Normal"}}},
        {"EMails", {{"Format", "HTML"}, {"Priority", "Normal"}}},
        {"Attachments", {{"Preview", 2}}},
        {"MassEMails", {{"SENDTOALL", 1}, {"FORMAT", "HTML"}, {"PRIORITY", "Normal"}}},
        {"EMailTemplates", {{"EMailFormat", "HTML"}, {"EMailPriority", "Normal"}}},
        {"EMailEvents", {{"Category", 1}, {"EMailFormat", "HTML"}, {"EMailPriority", "Normal"}}},
        {"ReleaseNotes", {{"LATESTRELEASE", 1}}},
        {"Parameter", {{"Language", "English"}}},
    };
    for (const Defaults &c : cases) {
        SCOPED_TRACE(c.label);
        Record r = fm(c.label).newRecord();
        ASSERT_TRUE(fm(c.label).primeRecord(r).ok());
        for (const auto &[name, value] : c.values)
            EXPECT_EQ(r.value(name).toString(), value.toString()) << name.toStdString();
        ASSERT_TRUE(fm(c.label).insert(r).ok());
        Record stored = one(c.label, {});
        for (const auto &[name, value] : c.values)
            EXPECT_EQ(stored.value(name).toString(), value.toString()) << name.toStdString();
    }
}

TEST_P(NewDataFolderTest, AReportDefinitionRefusesAJpegQualityAbove100)
{
    FileManager &print = fm("Print");
    Record r = print.newRecord();
    ASSERT_TRUE(print.primeRecord(r).ok());
    r.setValue("TYPE", 1);
    r.setValue("SORT", 1);
    r.setValue("JPEGQuality", 101);
    EXPECT_FALSE(print.insert(r).ok());
    ASSERT_EQ(m_errors.errors.size(), 1u);
    EXPECT_EQ(m_errors.errors[0].messageNumber, 18);
    EXPECT_EQ(m_errors.errors[0].field, "PRN:JPEGQuality");
    EXPECT_EQ(m_errors.errors[0].message, "0 .. 100");
    EXPECT_EQ(count("Print"), 0);

    r.setValue("JPEGQuality", 100);
    EXPECT_TRUE(print.insert(r).ok());
    r.setValue("JPEGQuality", 0);
    EXPECT_TRUE(print.update(r).ok());
    r.setValue("JPEGQuality", 101);
    EXPECT_FALSE(print.update(r).ok());
    EXPECT_EQ(count("Print", {{"JPEGQuality", 0}}), 1);
}

} // namespace tarvo::test
