#include "DataTestSupport.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/View.h"
#include "platform/runtime/Messages.h"

using namespace tarvo::data;

namespace tarvo::test {

class FileManagerTest : public StoreTest {};
TARVO_STORE_TEST_SUITE(FileManagerTest);

TEST_P(FileManagerTest, OpeningAMissingFileCreatesItAndNumbersFromOne)
{
    openDictionary();
    ASSERT_TRUE(fm("Customer").open().ok());
    EXPECT_TRUE(m_reporter.errors.empty());
    EXPECT_EQ(count("Customer"), 0);

    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(add("Customer", {{"Name", QStringLiteral("C%1").arg(i)}}).integer("ID"), i);
    Record third = fm("Customer").newRecord();
    third.setValue("CUS:ID", 3);
    ASSERT_TRUE(fm("Customer").fetch("CUS:KeyID", third).ok());
    ASSERT_TRUE(fm("Customer").remove(third).ok());
    EXPECT_EQ(add("Customer", {{"Name", "C8"}}).integer("ID"), 8);

    // The alias reads the same table under its own prefix and opens it as it is.
    Record viaAlias = fm("CustomerAlias").newRecord();
    viaAlias.setValue("CUS1:ID", 8);
    ASSERT_TRUE(fm("CustomerAlias").fetch("CUS1:KeyID", viaAlias).ok());
    EXPECT_EQ(viaAlias.text("CUS1:Name"), "C8");
}

// An update from the row as the caller read it writes only what the caller changed: a field it
// left alone keeps what was stored since, and a row gone is reported even when nothing changed.
TEST_P(FileManagerTest, AnUpdateFromTheStoredRowWritesOnlyTheChangedFields)
{
    openDictionary();
    add("Customer", {{"Name", "A"}, {"City", "X"}});
    auto read = [&] {
        Record r = fm("Customer").newRecord();
        r.setValue("CUS:ID", 1);
        EXPECT_TRUE(fm("Customer").fetch("CUS:KeyID", r).ok());
        return r;
    };
    Record mine = read();
    const Record stored = mine;
    Record other = read();
    other.setValue("CUS:City", "Y");
    ASSERT_TRUE(fm("Customer").update(other).ok());

    mine.setValue("CUS:Name", "B");
    ASSERT_TRUE(fm("Customer").update(mine, stored).ok());
    const Record now = read();
    EXPECT_EQ(now.text("CUS:Name"), "B");
    EXPECT_EQ(now.text("CUS:City"), "Y");

    ASSERT_TRUE(fm("Customer").remove(other).ok());
    EXPECT_EQ(fm("Customer").update(mine, mine).error().code, ErrorCode::RecordNotFound);
}

TEST_P(FileManagerTest, PrimingClaimsTheNumberAndFillsTheInsertDefaults)
{
    openDictionary();
    Record a = fm("Customer").newRecord();
    ASSERT_TRUE(fm("Customer").primeRecord(a).ok());
    EXPECT_EQ(a.integer("ID"), 1);
    // Another thread's insert meanwhile gets the next number, not the claimed one.
    auto other = m_dict->createSession(2, &m_reporter);
    Record b = other->file("Customer")->newRecord();
    b.setValue("Name", "other");
    ASSERT_TRUE(other->file("Customer")->insert(b).ok());
    EXPECT_EQ(b.integer("ID"), 2);
    a.setValue("Name", "mine");
    ASSERT_TRUE(fm("Customer").insert(a).ok());
    EXPECT_EQ(count("Customer"), 2);

    Record cancelled = fm("Customer").newRecord();
    ASSERT_TRUE(fm("Customer").primeRecord(cancelled).ok());
    EXPECT_EQ(cancelled.integer("ID"), 3);
    ASSERT_TRUE(fm("Customer").cancelPrimed(cancelled).ok());
    EXPECT_EQ(count("Customer"), 2);

    Record p = fm("Print").newRecord();
    ASSERT_TRUE(fm("Print").primeRecord(p).ok());
    EXPECT_EQ(p.integer("PRN:JPEGQuality"), 100);
    EXPECT_EQ(p.text("PRN:Format"), "HTML");
}

TEST_P(FileManagerTest, RangeCheckRefusesValuesOutsideTheRange)
{
    openDictionary();
    struct Case {
        int quality;
        bool accepted;
    };
    const Case cases[] = {{0, true}, {100, true}, {101, false}, {255, false}};
    for (const Case &c : cases) {
        m_reporter.errors.clear();
        Record p = fm("Print").newRecord();
        p.setValue("Name", QStringLiteral("Q%1").arg(c.quality));
        p.setValue("JPEGQuality", c.quality);
        EXPECT_EQ(fm("Print").insert(p).ok(), c.accepted) << c.quality;
        if (!c.accepted) {
            ASSERT_EQ(m_reporter.errors.size(), 1u);
            EXPECT_EQ(m_reporter.errors[0].messageNumber, 18);
            EXPECT_EQ(m_reporter.errors[0].field, "PRN:JPEGQuality");
            EXPECT_EQ(m_reporter.errors[0].message, "0 .. 100");
        }
    }
    EXPECT_EQ(count("Print"), 2);
}

TEST_P(FileManagerTest, TextsAreStoredCutAndClippedAndComeBackWhole)
{
    openDictionary();
    QByteArray blob("\0\x01\xff binary", 10);
    const QString longMemo = QString(60, QChar(0x00e4));
    Record r = add("Issue", {{"BUG:Title", QString::fromUtf8("Überlänge-Text")},
                             {"bug:status", "open   "},
                             {"BugText", longMemo},
                             {"Data", blob},
                             {"Gray", 300}});
    EXPECT_EQ(r.text("Title"), QString::fromUtf8("Überlänge-"));
    EXPECT_EQ(r.text("Status"), "open");
    EXPECT_EQ(r.text("BugText").size(), 50);
    EXPECT_EQ(r.integer("Gray"), 44); // a BYTE keeps the low eight bits

    Record back = fm("Issue").newRecord();
    ASSERT_TRUE(fm("Issue").fetchRow(r.rowId(), back).ok());
    EXPECT_TRUE(back.sameValues(r));
    EXPECT_EQ(back.bytes("BUG:Data"), blob);
    EXPECT_FALSE(back.has("NoSuchField"));
    EXPECT_FALSE(back.setValue("PRN:Title", "x")) << "another file's prefix";

    // A surrogate pair counts as one character of the width.
    EXPECT_EQ(Record::cutToWidth(QString::fromUtf8("a😀bc"), 2), QString::fromUtf8("a😀"));
}

TEST_P(FileManagerTest, TextKeysSortByUnicodeAndCaseInsensitiveKeysRefuseCaseTwins)
{
    openDictionary();
    for (const char *name : {"Zebra", "Ärger", "apfel", "Apfel2"})
        add("Customer", {{"Name", QString::fromUtf8(name)}});
    View byName(fm("Customer"), "CUS:KeyName");
    auto rows = byName.rowsAfter(nullptr, 10);
    ASSERT_TRUE(rows.ok());
    QStringList names;
    for (const Record &r : *rows)
        names << r.text("Name");
    EXPECT_EQ(names, QStringList({"apfel", "Apfel2", QString::fromUtf8("Ärger"), "Zebra"}));

    add("Customer", {{"Name", QString::fromUtf8("MÜLLER")}});
    m_reporter.errors.clear();
    Record twin = fm("Customer").newRecord();
    twin.setValue("Name", QString::fromUtf8("müller"));
    auto r = fm("Customer").insert(twin);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().code, ErrorCode::DuplicateKey);
    ASSERT_EQ(m_reporter.errors.size(), 1u);
    EXPECT_EQ(m_reporter.errors[0].messageNumber, 15);
    EXPECT_EQ(m_reporter.errors[0].message, "CUS:KeyName");

    // UPPER() knows more than ASCII on both stores.
    auto conn = m_session->connection();
    auto q = (*conn)->exec(QStringLiteral("SELECT COUNT(*) FROM \"Customer\" WHERE UPPER(\"Name\") = ?"),
                           {QString::fromUtf8("ÄRGER")});
    ASSERT_TRUE(q.ok());
    ASSERT_TRUE(q.value()->next());
    EXPECT_EQ(q.value()->value(0).toInt(), 1);
}

} // namespace tarvo::test
