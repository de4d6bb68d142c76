#include "masterdata/programs/DependentIssues.h"

#include "core/dictionary/TarvoStoreTest.h"

namespace tarvo::masterdata {

namespace {

// Programs 1 and 2 each with release "2.0" and file "app.exe"; issues of both programs on that
// release and file, and one of program 1 on another release and file.
class DependentIssuesTest : public tarvo::test::TarvoStoreTest {
  protected:
    void SetUp() override
    {
        TarvoStoreTest::SetUp();
        for (qint64 program : {1, 2}) {
            add(QStringLiteral("Releases"),
                {{QStringLiteral("PRGID"), program}, {QStringLiteral("Release"), Release}});
            add(QStringLiteral("Programfiles"),
                {{QStringLiteral("PRGID"), program}, {QStringLiteral("FILE"), File}});
            addIssue(program, Release, File);
        }
        addIssue(1, Release, QStringLiteral("other.dll"));
        addIssue(1, QStringLiteral("1.0"), File);
        addIssue(1, QStringLiteral("1.0"), QStringLiteral("other.dll"));
    }

    void addIssue(qint64 program, const QString &version, const QString &file)
    {
        const qint64 id = add(QStringLiteral("Bugs"), {{QStringLiteral("PrgID"), program},
                                                       {QStringLiteral("Version"), version},
                                                       {QStringLiteral("Programfile"), file}})
                              .integer(QStringLiteral("ID"));
        add(QStringLiteral("History"),
            {{QStringLiteral("ID"), id}, {QStringLiteral("FIELD"), QStringLiteral("BUG:Status")}});
    }

    const QString Release = QStringLiteral("2.0");
    const QString File = QStringLiteral("app.exe");
};

} // namespace

TEST_P(DependentIssuesTest, AnEntryIsADuplicateOnlyForItsOwnProgram)
{
    DependentIssues issues(session());
    EXPECT_TRUE(issues.releaseExists(1, Release).value());
    EXPECT_FALSE(issues.releaseExists(1, QStringLiteral("2.1")).value());
    EXPECT_FALSE(issues.releaseExists(3, Release).value());
    EXPECT_TRUE(issues.programFileExists(2, File).value());
    EXPECT_FALSE(issues.programFileExists(2, QStringLiteral("other.dll")).value());
    EXPECT_FALSE(issues.programFileExists(3, File).value());
}

TEST_P(DependentIssuesTest, OnlyTheIssuesOfThatProgramAndEntryAreDeletedWithTheirHistory)
{
    struct Case {
        const char *what;
        bool release;
        test::FieldList gone;
    };
    const Case cases[] = {
        {"release", true, {{QStringLiteral("PrgID"), 1}, {QStringLiteral("Version"), Release}}},
        {"file", false, {{QStringLiteral("PrgID"), 1}, {QStringLiteral("Programfile"), File}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const qint64 before = count(QStringLiteral("Bugs"));
        const qint64 matching = count(QStringLiteral("Bugs"), c.gone);
        ASSERT_GT(matching, 0);
        DependentIssues issues(session());
        auto removed =
            c.release ? issues.removeIssuesOfRelease(1, Release) : issues.removeIssuesOfProgramFile(1, File);
        ASSERT_TRUE(removed.ok()) << removed.error().message.toStdString();
        EXPECT_EQ(*removed, matching);
        EXPECT_EQ(count(QStringLiteral("Bugs"), c.gone), 0);
        EXPECT_EQ(count(QStringLiteral("Bugs")), before - matching);
        EXPECT_EQ(count(QStringLiteral("History")), count(QStringLiteral("Bugs")));
        EXPECT_EQ(count(QStringLiteral("Bugs"), {{QStringLiteral("PrgID"), 2}}), 1);
    }
}

TARVO_REAL_STORE_SUITE(DependentIssuesTest);

} // namespace tarvo::masterdata
