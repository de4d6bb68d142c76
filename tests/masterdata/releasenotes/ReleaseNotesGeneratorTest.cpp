#include "masterdata/releasenotes/ReleaseNotesGenerator.h"

#include "core/dictionary/TarvoStoreTest.h"
#include "masterdata/releasenotes/IssuePlaceholders.h"
#include "platform/data/ErrorCode.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace tarvo::masterdata {
namespace {

// A definition to run, the file it writes and what that file must hold afterwards.
struct GoldenCase {
    const char *name;
    qint32 prgId;
    int latest;
    int all;
    const char *release;
    const char *existing; // null: no file before the run; else its content, and the run appends
    int written;
};

const GoldenCase kCases[] = {
    {"all_releases", 1, 0, 1, "", nullptr, 6},
    {"latest_release", 1, 1, 0, "", nullptr, 2},
    {"one_release", 1, 0, 0, "1.9", nullptr, 2},
    {"release_in_other_case", 3, 1, 0, "", nullptr, 1},
    {"empty_selection", 2, 0, 0, "9.9", nullptr, 0},
    {"blank_versions", 4, 0, 1, "", nullptr, 2},
    {"latest_without_releases", 4, 1, 0, "", nullptr, 2},
    {"append_lf", 1, 0, 0, "1.9", "Earlier notes\nkept as they were\n", 2},
    {"append_crlf", 1, 0, 0, "1.9", "Earlier notes\r\nkept as they were\r\n", 2},
};

QString goldenPath(const QString &name)
{
    const QString root = qEnvironmentVariable("TARVO_SOURCE_DIR");
    return root + QStringLiteral("/tests/masterdata/releasenotes/golden/") + name + QStringLiteral(".txt");
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(content), content.size());
}

// Programs with releases whose text order is not their version order, issues with and without
// release-notes text, blank fixed versions and a fixed version in another letter case.
class ReleaseNotesGeneratorTest : public test::TarvoStoreTest {
  protected:
    void SetUp() override
    {
        TarvoStoreTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        add("Programs", {{"PRG:ID", 1}, {"PRG:PrgName", "Tarvo"}});
        add("Programs", {{"PRG:ID", 2}, {"PRG:PrgName", "Other"}});
        add("Programs", {{"PRG:ID", 3}, {"PRG:PrgName", "Cased"}});
        add("Programs", {{"PRG:ID", 4}, {"PRG:PrgName", "Unreleased"}});
        for (const char *release : {"1.2", "1.9", "1.10"})
            add("Releases", {{"REL:PRGID", 1}, {"REL:Release", release}});
        add("Releases", {{"REL:PRGID", 2}, {"REL:Release", "9.9"}});
        add("Releases", {{"REL:PRGID", 3}, {"REL:Release", "2.0B"}});
        issue(1, 1, "1.10", "Lists scroll smoothly", "Fixed a crash\non save.");
        issue(2, 1, "1.9", "Faster search", "Search is faster.");
        issue(3, 1, "1.10", "No text", "");
        issue(4, 1, "", "Unversioned", "A note without version.");
        issue(5, 1, "1.9", "Umlauts", "Grüße aus Köln ^BUG:ID^");
        issue(6, 1, "1.10", "Export", "Export writes UTF-8.");
        issue(7, 2, "1.10", "Elsewhere", "Belongs to another program.");
        issue(8, 1, "1.2", "Old", "An early fix.");
        issue(9, 3, "2.0b", "Cased", "Found through its release in other case.");
        issue(10, 4, "", "First", "First unversioned note.");
        issue(11, 4, "", "Second", "Second unversioned note.");
    }

    void issue(qint32 id, qint32 prgId, const char *fixed, const char *description, const char *notes)
    {
        add("Bugs", {{"BUG:ID", id},
                     {"BUG:PrgID", prgId},
                     {"BUG:FixedVersion", fixed},
                     {"BUG:Description", QString::fromUtf8(description)},
                     {"BUG:Responsible", "ab"},
                     {"BUG:ReleaseNotes", QString::fromUtf8(notes)}});
    }

    QString define(const GoldenCase &c)
    {
        const QString file = m_dir.path() + QLatin1Char('/') + QLatin1String(c.name) + QStringLiteral(".txt");
        add("ReleaseNotes", {{"REN:Description", c.name},
                             {"REN:PrgID", c.prgId},
                             {"REN:LatestRelease", c.latest},
                             {"REN:AllReleases", c.all},
                             {"REN:Release", c.release},
                             {"REN:ReleaseNotesFile", file},
                             {"REN:AppendToFile", c.existing ? 1 : 0},
                             {"REN:FileHeader", "Release notes ^BUG:ID^"},
                             {"REN:GroupHeader", "== Version ^BUG:FixedVersion^ of ^BUG:PRGNAME^ =="},
                             {"REN:Detail", "#^bug:id^ ^BUG:DESCRIPTION^ (^BUG:RESPONSIBLEUSERNAME^)"},
                             {"REN:GroupFooter", "-- end of ^BUG:FIXEDVERSION^, last #^BUG:ID^"},
                             {"REN:FileFooter", "End ^DATE^"}});
        return file;
    }

    ReleaseNotesGenerator generator()
    {
        m_placeholders = std::make_unique<IssuePlaceholders>(
            m_session->file(QStringLiteral("Programs")), [](const QString &initials) {
                return initials == QLatin1String("ab") ? QStringLiteral("Anna") : QString();
            });
        return ReleaseNotesGenerator(*m_session, [this](const data::Record &issue, const QString &text) {
            return m_placeholders->fill(issue, text);
        });
    }

    std::unique_ptr<IssuePlaceholders> m_placeholders;
};

TEST_P(ReleaseNotesGeneratorTest, EachDefinitionWritesItsGoldenFile)
{
    const bool update = qEnvironmentVariableIsSet("TARVO_UPDATE_GOLDEN");
    for (const GoldenCase &c : kCases) {
        SCOPED_TRACE(c.name);
        const QString file = define(c);
        if (c.existing)
            writeAll(file, c.existing);
        auto written = generator().generate(QLatin1String(c.name));
        ASSERT_TRUE(written.ok()) << written.error().message.toStdString();
        EXPECT_EQ(*written, c.written);
        const QByteArray actual = readAll(file);
        if (update)
            writeAll(goldenPath(QLatin1String(c.name)), actual);
        EXPECT_EQ(actual.toStdString(), readAll(goldenPath(QLatin1String(c.name))).toStdString());
    }
}

TEST_P(ReleaseNotesGeneratorTest, TwoAppendedRunsLeaveBothOutputs)
{
    const QString file = define({"twice", 1, 0, 0, "1.9", "", 2});
    writeAll(file, {});
    ASSERT_TRUE(generator().generate(QStringLiteral("twice")).ok());
    const QByteArray once = readAll(file);
    ASSERT_TRUE(generator().generate(QStringLiteral("twice")).ok());
    EXPECT_EQ(readAll(file), once + once);
    EXPECT_TRUE(once.contains("\r\n")) << "an empty file takes CRLF";
}

// A run that fails ends with the runtime's error code and leaves the file as it was.
TEST_P(ReleaseNotesGeneratorTest, AFailedRunReportsItsCodeAndKeepsTheFile)
{
    const QString kept = m_dir.path() + QStringLiteral("/kept.txt");
    writeAll(kept, "a good file\n");
    add("ReleaseNotes", {{"REN:Description", "missing"},
                         {"REN:PrgID", 1},
                         {"REN:AllReleases", 1},
                         {"REN:LatestRelease", 0},
                         {"REN:ReleaseNotesFile", QString(m_dir.path() + QStringLiteral("/absent.txt"))},
                         {"REN:AppendToFile", 1}});
    add("ReleaseNotes",
        {{"REN:Description", "nofolder"},
         {"REN:PrgID", 1},
         {"REN:ReleaseNotesFile", QString(m_dir.path() + QStringLiteral("/no/such/folder.txt"))}});
    add("ReleaseNotes", {{"REN:Description", "noname"}, {"REN:PrgID", 1}});
    add("ReleaseNotes", {{"REN:Description", "kept"},
                         {"REN:PrgID", 1},
                         {"REN:LatestRelease", 0},
                         {"REN:AllReleases", 1},
                         {"REN:FileHeader", "header"},
                         {"REN:ReleaseNotesFile", kept}});
    const struct {
        const char *description;
        int code;
    } failures[] = {
        {"undefined", data::ErrorCode::RecordNotFound},
        {"missing", data::ErrorCode::FileNotFound},
        {"nofolder", data::ErrorCode::FileNotFound},
        {"noname", data::ErrorCode::FileNotFound},
    };
    for (const auto &f : failures) {
        SCOPED_TRACE(f.description);
        auto run = generator().generate(QLatin1String(f.description));
        ASSERT_FALSE(run.ok());
        EXPECT_EQ(run.error().code, f.code);
    }
    EXPECT_FALSE(QFile::exists(m_dir.path() + QStringLiteral("/absent.txt")));

    // The issues cannot be selected: the run fails with the store's code and writes nothing.
    exec(QStringLiteral("DROP TABLE \"Bugs\""));
    auto run = generator().generate(QStringLiteral("kept"));
    ASSERT_FALSE(run.ok());
    EXPECT_NE(run.error().code, 0);
    EXPECT_EQ(readAll(kept), QByteArray("a good file\n"));
    EXPECT_EQ(QDir(m_dir.path()).entryList({QStringLiteral("kept*")}, QDir::Files).size(), 1)
        << "no temporary file is left behind";
}

TEST(ReleaseNotesVersionOrderTest, DigitsCompareAsNumbersAndLettersWithoutCase)
{
    const struct {
        const char *a;
        const char *b;
        int sign;
    } cases[] = {
        {"1.9", "1.10", -1}, {"1.10", "1.10", 0},  {"", "0.1", -1}, {"2.0b", "2.0B", 0},
        {"1.01", "1.1", 0},  {"1.2", "1.2.1", -1}, {"10", "9a", 1}, {"1.0 beta", "1.0 RC", -1},
    };
    for (const auto &c : cases) {
        const int got = ReleaseNotesGenerator::compareVersions(QLatin1String(c.a), QLatin1String(c.b));
        EXPECT_EQ((got > 0) - (got < 0), c.sign) << c.a << " vs " << c.b;
        const int back = ReleaseNotesGenerator::compareVersions(QLatin1String(c.b), QLatin1String(c.a));
        EXPECT_EQ((back > 0) - (back < 0), -c.sign) << c.b << " vs " << c.a;
    }
}

TARVO_REAL_STORE_SUITE(ReleaseNotesGeneratorTest);

} // namespace
} // namespace tarvo::masterdata
