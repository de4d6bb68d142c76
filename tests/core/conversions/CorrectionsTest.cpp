#include "core/conversions/Corrections.h"

#include "TarvoDataFixture.h"
#include "core/conversions/CorrectionProgress.h"
#include "core/conversions/CorrectionRun.h"
#include "platform/data/FileManager.h"

#include <QSqlQuery>

namespace tarvo::test {

namespace {

class CorrectionsTest : public TarvoDataFixture {
  protected:
    void run(int number)
    {
        core::CorrectionProgress progress([this](int percent) { m_percents.push_back(percent); });
        core::CorrectionRun correction(session(), progress);
        core::runCorrection(number, correction);
        m_counted = progress.counter();
        m_total = progress.total();
    }

    // Every later UPDATE of Bugs leaves the issue's number in a log table.
    void logIssueWrites()
    {
        ASSERT_TRUE(session().file(QStringLiteral("Bugs"))->open().ok());
        exec(QStringLiteral("CREATE TABLE written (id INTEGER)"));
        exec(QStringLiteral("CREATE TRIGGER bugs_written AFTER UPDATE ON \"Bugs\" "
                            "BEGIN INSERT INTO written VALUES (NEW.\"ID\"); END"));
    }

    std::vector<int> m_percents;
    qint64 m_counted = 0;
    qint64 m_total = 0;
};

struct RenumberCase {
    const char *label;
    const char *textField;
    const char *key;
    std::vector<std::pair<int, const char *>> before; // of list 4, in any order
    std::vector<std::pair<int, const char *>> after;  // in key order
};

void PrintTo(const RenumberCase &c, std::ostream *os)
{
    *os << c.label << " with " << c.before.size() << " entries";
}

class RenumberTest : public CorrectionsTest, public ::testing::WithParamInterface<RenumberCase> {};

} // namespace

TEST_P(RenumberTest, GivesEachListThePositionsOneToN)
{
    const RenumberCase &c = GetParam();
    const QString label = QString::fromLatin1(c.label);
    const QString text = QString::fromLatin1(c.textField);
    for (const auto &[sort, name] : c.before)
        add(label, {{"PrgID", 4}, {"SORT", sort}, {text, QString::fromLatin1(name)}});
    // Another program's list is numbered on its own.
    add(label, {{"PrgID", 9}, {"SORT", 5}, {text, "other"}});
    run(QString::fromLatin1(c.label) == QLatin1String("Severity") ? 12 : 13);

    std::vector<std::pair<int, QString>> got;
    for (const data::Record &r : records(label, QString::fromLatin1(c.key)))
        if (r.integer(QStringLiteral("PrgID")) == 4)
            got.emplace_back(int(r.integer(QStringLiteral("SORT"))), r.text(text));
    std::vector<std::pair<int, QString>> expected;
    for (const auto &[sort, name] : c.after)
        expected.emplace_back(sort, QString::fromLatin1(name));
    EXPECT_EQ(got, expected);
    EXPECT_EQ(records(label).back().integer(QStringLiteral("SORT")), 1);
    EXPECT_EQ(m_total, 2 * qint64(c.before.size() + 1));
    EXPECT_EQ(m_counted, m_total);
    EXPECT_EQ(m_percents.back(), 100);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, RenumberTest,
    ::testing::Values(
        RenumberCase{"Classification",
                     "CLASSIFICATION",
                     "KeyPrgIDSortClassification",
                     {{7, "Feature"}, {3, "Bug"}, {7, "Change"}},
                     {{1, "Bug"}, {2, "Change"}, {3, "Feature"}}},
        // Writing in plain order would put "b" on position 2 while the old (2, "b") still holds it.
        RenumberCase{"Severity",
                     "SEVERITY",
                     "KeyPrgIDSortSeverity",
                     {{0, "a"}, {0, "b"}, {2, "b"}, {9, "c"}, {9, "d"}},
                     {{1, "a"}, {2, "b"}, {3, "b"}, {4, "c"}, {5, "d"}}},
        RenumberCase{"Severity",
                     "SEVERITY",
                     "KeyPrgIDSortSeverity",
                     {{2, "x"}, {3, "x"}, {4, "y"}},
                     {{1, "x"}, {2, "x"}, {3, "y"}}}),
    [](const auto &info) { return std::string(info.param.label) + std::to_string(info.index); });

TEST_F(CorrectionsTest, StatusSortComesFromTheProgramsListElseTheGeneralOne)
{
    add(QStringLiteral("Status"), {{"PrgID", 0}, {"STATUS", "Closed"}, {"SORT", 9}});
    add(QStringLiteral("Status"), {{"PrgID", 0}, {"STATUS", "Open"}, {"SORT", 1}});
    add(QStringLiteral("Status"), {{"PrgID", 5}, {"STATUS", "Open"}, {"SORT", 3}});
    const auto closed = add(QStringLiteral("Bugs"), {{"PrgID", 5}, {"Status", "Closed"}, {"StatusSort", 0}});
    const auto open = add(QStringLiteral("Bugs"), {{"PrgID", 5}, {"Status", "Open"}, {"StatusSort", 0}});
    const auto general = add(QStringLiteral("Bugs"), {{"PrgID", 6}, {"Status", "Open"}, {"StatusSort", 0}});
    const auto unknown = add(QStringLiteral("Bugs"), {{"PrgID", 5}, {"Status", "Parked"}, {"StatusSort", 7}});
    run(core::kStatusSortCorrection);

    std::map<qint64, qint64> sortOf;
    for (const data::Record &bug : records(QStringLiteral("Bugs")))
        sortOf[bug.integer(QStringLiteral("ID"))] = bug.integer(QStringLiteral("StatusSort"));
    EXPECT_EQ(sortOf[closed.integer(QStringLiteral("ID"))], 9);
    EXPECT_EQ(sortOf[open.integer(QStringLiteral("ID"))], 3);
    EXPECT_EQ(sortOf[general.integer(QStringLiteral("ID"))], 1);
    EXPECT_EQ(sortOf[unknown.integer(QStringLiteral("ID"))], 7);
    EXPECT_TRUE(m_messages.stops().isEmpty());
}

// It runs on every conversion of this version: issues already right are not written again.
TEST_F(CorrectionsTest, StatusSortWritesOnlyTheIssuesWhoseSortIsWrong)
{
    add(QStringLiteral("Status"), {{"PrgID", 0}, {"STATUS", "Open"}, {"SORT", 4}});
    add(QStringLiteral("Status"), {{"PrgID", 0}, {"STATUS", "Open"}, {"SORT", 8}}); // a later twin
    const auto right = add(QStringLiteral("Bugs"), {{"PrgID", 1}, {"Status", "Open"}, {"StatusSort", 4}});
    const auto wrong = add(QStringLiteral("Bugs"), {{"PrgID", 1}, {"Status", "Open"}, {"StatusSort", 8}});
    const auto caseTwin = add(QStringLiteral("Bugs"), {{"PrgID", 1}, {"Status", "OPEN"}, {"StatusSort", 2}});
    logIssueWrites();
    run(core::kStatusSortCorrection);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM written")).toLongLong(), 1);
    EXPECT_EQ(scalar(QStringLiteral("SELECT id FROM written")).toLongLong(),
              wrong.integer(QStringLiteral("ID")));
    for (const data::Record &bug : records(QStringLiteral("Bugs")))
        EXPECT_EQ(bug.integer(QStringLiteral("StatusSort")),
                  bug.integer(QStringLiteral("ID")) == caseTwin.integer(QStringLiteral("ID")) ? 2 : 4);
    run(core::kStatusSortCorrection);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM written")).toLongLong(), 1);
    EXPECT_NE(right.integer(QStringLiteral("ID")), wrong.integer(QStringLiteral("ID")));
    EXPECT_TRUE(m_messages.stops().isEmpty());
}

TEST_F(CorrectionsTest, MultiLevelTreeNumbersProgramsAndLinksRecordsByName)
{
    const auto zeta = add(QStringLiteral("Programs"), {{"PrgName", "Zeta"}});
    const auto alpha = add(QStringLiteral("Programs"), {{"PrgName", "Alpha"}});
    const qint64 alphaId = alpha.integer(QStringLiteral("ID"));
    const qint64 zetaId = zeta.integer(QStringLiteral("ID"));
    const auto named = add(QStringLiteral("Bugs"), {{"PrgName", "Zeta"}, {"PrgID", 0}});
    const auto orphan = add(QStringLiteral("Bugs"), {{"PrgName", "Gone"}, {"PrgID", 77}});
    add(QStringLiteral("Status"), {{"PRGNAME", "^PROGRAMSTATUS^"}, {"STATUS", "Active"}});
    add(QStringLiteral("Status"), {{"PRGNAME", ""}, {"STATUS", "Open"}, {"PrgID", 0}});
    add(QStringLiteral("Status"), {{"PRGNAME", "Alpha"}, {"STATUS", "Mine"}});
    add(QStringLiteral("Releases"), {{"PRGNAME", "Alpha"}, {"Release", "1.0"}});
    add(QStringLiteral("Releases"), {{"PRGNAME", "Gone"}, {"PRGID", 55}, {"Release", "2.0"}});
    add(QStringLiteral("Classification"), {{"PRGNAME", "Zeta"}, {"CLASSIFICATION", "Bug"}});
    add(QStringLiteral("ReleaseNotes"), {{"PRGNAME", "Gone"}, {"PrgID", 66}, {"DESCRIPTION", "Notes"}});
    logIssueWrites();
    run(9);

    const auto programs = records(QStringLiteral("Programs"), QStringLiteral("KeyPrgName"));
    ASSERT_EQ(programs.size(), 2u);
    EXPECT_EQ(programs[0].integer(QStringLiteral("Sort")), 1);
    EXPECT_EQ(programs[1].integer(QStringLiteral("Sort")), 2);

    std::map<qint64, qint64> prgOf;
    for (const data::Record &bug : records(QStringLiteral("Bugs")))
        prgOf[bug.integer(QStringLiteral("ID"))] = bug.integer(QStringLiteral("PrgID"));
    EXPECT_EQ(prgOf[named.integer(QStringLiteral("ID"))], zetaId);
    EXPECT_EQ(prgOf[orphan.integer(QStringLiteral("ID"))], 77);
    // The issue that names no program is still written back.
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM written WHERE id = %1")
                         .arg(orphan.integer(QStringLiteral("ID"))))
                  .toInt(),
              1);

    const auto statuses = records(QStringLiteral("Status"));
    EXPECT_EQ(statuses[0].integer(QStringLiteral("PrgID")), 200000000);
    EXPECT_EQ(statuses[1].integer(QStringLiteral("PrgID")), 0);
    EXPECT_EQ(statuses[2].integer(QStringLiteral("PrgID")), alphaId);
    const auto releases = records(QStringLiteral("Releases"));
    EXPECT_EQ(releases[0].integer(QStringLiteral("PRGID")), alphaId);
    EXPECT_EQ(releases[1].integer(QStringLiteral("PRGID")), 55);
    EXPECT_EQ(records(QStringLiteral("Classification"))[0].integer(QStringLiteral("PrgID")), zetaId);
    EXPECT_EQ(records(QStringLiteral("ReleaseNotes"))[0].integer(QStringLiteral("PrgID")), 66);
    EXPECT_EQ(m_total, 11);
    EXPECT_EQ(m_counted, 11);
}

TEST_F(CorrectionsTest, AttachmentSheetReportIsAdded)
{
    run(10);
    const auto reports = records(QStringLiteral("Print"));
    ASSERT_EQ(reports.size(), 1u);
    const data::Record &r = reports[0];
    const FieldValues expected = {
        {"TYPE", 5},
        {"SORT", 1},
        {"PRINTTYPE", 2},
        {"DESCRIPTION", "Attachment Sheet"},
        {"FILENAME", "Attachment_Sheet.rpt"},
        {"OUTPUT", "Printer"},
        {"JPEGQuality", 100},
        {"EXPORTALLINONEFILE", 1},
        {"PRINTERSETUP", 1},
        {"EMailPriority", "Normal"},
        {"Resolution", 0},
        {"ColorDepth", ""},
        {"EMAIL", 0},
        {"Notes", ""},
    };
    for (const auto &[field, value] : expected)
        EXPECT_EQ(r.value(field).toString(), value.toString()) << field.toStdString();
}

TEST_F(CorrectionsTest, AllResponsiblePersonsIsFilledOnlyWhereEmpty)
{
    const auto empty = add(QStringLiteral("Bugs"), {{"Responsible", "ABC"}});
    const auto filled =
        add(QStringLiteral("Bugs"), {{"Responsible", "ABC"}, {"AllResponsiblePersons", "KEEP"}});
    for (const char *who : {"ZZZ", "DEF"}) {
        add(QStringLiteral("BugsResponsible"),
            {{"ID", empty.integer(QStringLiteral("ID"))}, {"RESPONSIBLE", who}});
        add(QStringLiteral("BugsResponsible"),
            {{"ID", filled.integer(QStringLiteral("ID"))}, {"RESPONSIBLE", who}});
    }
    run(14);
    std::map<qint64, QString> all;
    for (const data::Record &bug : records(QStringLiteral("Bugs")))
        all[bug.integer(QStringLiteral("ID"))] = bug.text(QStringLiteral("AllResponsiblePersons"));
    EXPECT_EQ(all[empty.integer(QStringLiteral("ID"))], QStringLiteral("ABC|DEF|ZZZ"));
    EXPECT_EQ(all[filled.integer(QStringLiteral("ID"))], QStringLiteral("KEEP"));
}

TEST_F(CorrectionsTest, SettingsArePrimedAndLocationFollowsTheLanguage)
{
    const std::vector<std::pair<QString, QString>> cases = {
        {"English", "United States"},
        {"English (UK)", "United Kingdom"},
        {"Deutsch", "Germany"},
        {"Español", "Somewhere"},
    };
    ASSERT_TRUE(session().file(QStringLiteral("Parameter"))->open().ok());
    for (const auto &[language, location] : cases) {
        exec(QStringLiteral("DELETE FROM \"Parameter\""));
        add(QStringLiteral("Parameter"), {{"Language", language}, {"LOCATION", "Somewhere"}});
        run(15);
        run(11);
        const data::Record settings = records(QStringLiteral("Parameter")).at(0);
        EXPECT_EQ(settings.text(QStringLiteral("LOCATION")), location) << language.toStdString();
        EXPECT_EQ(
            settings.text(QStringLiteral("CustomerSources")),
            QStringLiteral("Referral\r\nAdvertisement\r\nSearch Engine\r\nInternet\r\nFlyer\r\nNewsgroup"));
        EXPECT_EQ(settings.text(QStringLiteral("FunctionList")),
                  QStringLiteral("Investigation\r\nResolution"));
    }
    // Without a settings record there is nothing to prime, and nothing is made up.
    exec(QStringLiteral("DELETE FROM \"Parameter\""));
    run(15);
    EXPECT_TRUE(records(QStringLiteral("Parameter")).empty());
}

} // namespace tarvo::test
