#include "masterdata/programs/ProgramDeletion.h"

#include "core/dictionary/TarvoStoreTest.h"

#include <map>

namespace tarvo::masterdata {

namespace {

using Places = std::map<qint64, std::pair<qint64, qint64>>;

// Programs 1..4 at the top; 5 and 6 below 2; 7 below 5 (hidden from a user limited to "|2|5|"
// as much as any other); a release and an issue on 7, an issue on 1.
const Places Start = {{1, {0, 1}}, {2, {0, 2}}, {3, {0, 3}}, {4, {0, 4}},
                      {5, {2, 1}}, {6, {2, 2}}, {7, {5, 1}}};

class ProgramDeletionTest : public tarvo::test::TarvoStoreTest {
  protected:
    void SetUp() override
    {
        TarvoStoreTest::SetUp();
        fill();
    }

    // The start data again, numbered from 1.
    void fill()
    {
        for (const char *table : {"Programs", "Releases", "Bugs"}) {
            ASSERT_TRUE(fm(QString::fromLatin1(table)).open().ok());
            exec(QStringLiteral("DELETE FROM \"%1\"").arg(QString::fromLatin1(table)));
        }
        for (const auto &[id, place] : Start)
            add(QStringLiteral("Programs"),
                {{QStringLiteral("P"), place.first}, {QStringLiteral("Sort"), place.second}});
        add(QStringLiteral("Releases"),
            {{QStringLiteral("PRGID"), 7}, {QStringLiteral("Release"), QStringLiteral("1.0")}});
        add(QStringLiteral("Bugs"),
            {{QStringLiteral("PrgID"), 7}, {QStringLiteral("Description"), QStringLiteral("deep")}});
        add(QStringLiteral("Bugs"),
            {{QStringLiteral("PrgID"), 1}, {QStringLiteral("Description"), QStringLiteral("kept")}});
    }

    Places places()
    {
        Places result;
        for (const data::Record &r : records(QStringLiteral("Programs")))
            result[r.integer(QStringLiteral("ID"))] = {r.integer(QStringLiteral("P")),
                                                       r.integer(QStringLiteral("Sort"))};
        return result;
    }
};

} // namespace

TEST_P(ProgramDeletionTest, SubProgramsAreDeletedOrMovedUpAndTheSiblingsCloseTheGap)
{
    struct Case {
        const char *what;
        ProgramDeletion::SubPrograms subPrograms;
        Places after;
        qint64 issuesLeft;
    };
    const Case cases[] = {
        {"delete", ProgramDeletion::SubPrograms::Delete, {{1, {0, 1}}, {3, {0, 2}}, {4, {0, 3}}}, 1},
        {"move up",
         ProgramDeletion::SubPrograms::MoveUp,
         {{1, {0, 1}}, {3, {0, 2}}, {4, {0, 3}}, {5, {0, 4}}, {6, {0, 5}}, {7, {5, 1}}},
         2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        fill();
        ASSERT_TRUE(ProgramDeletion(session()).hasSubPrograms(2).value());
        auto removed = ProgramDeletion(session()).remove(2, c.subPrograms);
        ASSERT_TRUE(removed.ok()) << removed.error().message.toStdString();
        EXPECT_EQ(places(), c.after);
        EXPECT_EQ(count(QStringLiteral("Bugs")), c.issuesLeft);
        EXPECT_EQ(count(QStringLiteral("Releases")), c.issuesLeft - 1);
    }
}

TEST_P(ProgramDeletionTest, ALeafAtTheEndLeavesItsSiblingsAsTheyWere)
{
    ASSERT_FALSE(ProgramDeletion(session()).hasSubPrograms(6).value());
    ASSERT_TRUE(ProgramDeletion(session()).remove(6, ProgramDeletion::SubPrograms::Delete).ok());
    Places expected = Start;
    expected.erase(6);
    EXPECT_EQ(places(), expected);
}

TEST_P(ProgramDeletionTest, AFailedWriteLeavesEveryProgramWhereItWas)
{
    // The renumbering of program 4 is the last write of the deletion.
    if (m_dict->store().kind() == data::StoreKind::Sqlite) {
        exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON \"Programs\" WHEN OLD.\"ID\" = 4 "
                            "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    } else {
        exec(QStringLiteral("CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN IF OLD.\"ID\" = 4 THEN "
                            "RAISE EXCEPTION 'refused'; END IF; RETURN NEW; END $$ LANGUAGE plpgsql"));
        exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON \"Programs\" FOR EACH ROW "
                            "EXECUTE FUNCTION refuse()"));
    }
    for (auto subPrograms : {ProgramDeletion::SubPrograms::Delete, ProgramDeletion::SubPrograms::MoveUp}) {
        EXPECT_FALSE(ProgramDeletion(session()).remove(2, subPrograms).ok());
        EXPECT_EQ(places(), Start);
        EXPECT_EQ(count(QStringLiteral("Bugs")), 2);
    }
}

TEST_P(ProgramDeletionTest, AMissingProgramIsAnError)
{
    EXPECT_FALSE(ProgramDeletion(session()).remove(9, ProgramDeletion::SubPrograms::Delete).ok());
    EXPECT_EQ(places(), Start);
}

TARVO_REAL_STORE_SUITE(ProgramDeletionTest);

} // namespace tarvo::masterdata
