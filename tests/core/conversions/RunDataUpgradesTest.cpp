#include "core/conversions/RunDataUpgrades.h"

#include "TarvoDataFixture.h"
#include "core/conversions/ConversionDisplay.h"
#include "core/conversions/Datenkonvertieren.h"
#include "core/dictionary/TarvoDictionary.h"
#include "platform/data/FileManager.h"
#include "platform/runtime/DayDate.h"

namespace tarvo::test {

namespace {

// Writes down what the windows would show.
class RecordingDisplay final : public core::ConversionDisplay {
  public:
    void openConversionWindow() override { events << QStringLiteral("open conversion"); }
    void closeConversionWindow() override { events << QStringLiteral("close conversion"); }
    void openProgressWindow() override { events << QStringLiteral("open progress"); }
    void setProgressText(const QString &text) override
    {
        events << text;
        texts << text;
    }
    void setProgressPercent(int percent) override { lastPercent = percent; }
    void closeProgressWindow() override { events << QStringLiteral("close progress"); }

    QStringList events;
    QStringList texts;
    int lastPercent = -1;
};

class RunDataUpgradesTest : public TarvoDataFixture {};

} // namespace

TEST_F(RunDataUpgradesTest, NumberedCorrectionsRunOnceTheStatusSortEveryTime)
{
    add(QStringLiteral("Parameter"), {{"Language", "English"}});
    add(QStringLiteral("Status"), {{"PrgID", 0}, {"STATUS", "Closed"}, {"SORT", 4}});
    add(QStringLiteral("Bugs"), {{"Status", "Closed"}, {"StatusSort", 0}});

    RecordingDisplay first;
    core::RunDataUpgrades(session(), &first);
    const QStringList all = {
        "Preparing data for multi-level tree...",
        "Adding new report (Attachment Sheet)...",
        "Priming Option field...",
        "Fixing sort order: BUG:Status...",
        "Fixing sort order: Severity...",
        "Fixing sort order: Classification...",
        "Fixing Responsible Persons...",
        "Priming Option field...",
    };
    EXPECT_EQ(first.texts, all);

    const auto hotKeys = records(QStringLiteral("HotKeys"), QStringLiteral("KEYID"));
    std::vector<qint64> numbers;
    for (const data::Record &r : hotKeys) {
        numbers.push_back(r.integer(QStringLiteral("ID")));
        EXPECT_EQ(r.integer(QStringLiteral("FIXED")), 1);
    }
    EXPECT_EQ(numbers, (std::vector<qint64>{9, 10, 11, 12, 13, 14, 15}));
    EXPECT_EQ(hotKeys.front().text(QStringLiteral("DESC")),
              QStringLiteral("Correction: Multi-Level Tree settings"));
    EXPECT_EQ(hotKeys.front().integer(QStringLiteral("DATE")), DayDate::fromDate(QDate(2003, 10, 8)));
    EXPECT_EQ(records(QStringLiteral("Bugs")).at(0).integer(QStringLiteral("StatusSort")), 4);

    // The second run: the settings changed since are kept, only the status sort runs again.
    exec(QStringLiteral("UPDATE \"Parameter\" SET \"FunctionList\" = 'Mine', \"LOCATION\" = 'Mars'"));
    exec(QStringLiteral("UPDATE \"Status\" SET \"SORT\" = 6"));
    RecordingDisplay second;
    core::RunDataUpgrades(session(), &second);
    EXPECT_EQ(second.texts, QStringList{QStringLiteral("Fixing sort order: BUG:Status...")});
    EXPECT_EQ(second.lastPercent, 100);
    EXPECT_EQ(records(QStringLiteral("Bugs")).at(0).integer(QStringLiteral("StatusSort")), 6);
    EXPECT_EQ(records(QStringLiteral("Print")).size(), 1u);
    const data::Record settings = records(QStringLiteral("Parameter")).at(0);
    EXPECT_EQ(settings.text(QStringLiteral("FunctionList")), QStringLiteral("Mine"));
    EXPECT_EQ(settings.text(QStringLiteral("LOCATION")), QStringLiteral("Mars"));
    EXPECT_TRUE(m_messages.stops().isEmpty());
}

TEST_F(RunDataUpgradesTest, HotKeysThatCannotBeCreatedStopAndNothingRuns)
{
    ASSERT_TRUE(session().file(QStringLiteral("Bugs"))->open().ok());
    exec(QStringLiteral("PRAGMA query_only = ON"));
    RecordingDisplay display;
    core::RunDataUpgrades(session(), &display);
    exec(QStringLiteral("PRAGMA query_only = OFF"));
    EXPECT_EQ(m_messages.stops().size(), 1);
    EXPECT_TRUE(display.texts.isEmpty());
    EXPECT_FALSE(scalar(QStringLiteral("SELECT name FROM sqlite_master WHERE name = 'HotKeys'")).isValid());
}

TEST_F(RunDataUpgradesTest, ConversionOfAnEmptyFolderCreatesEveryFile)
{
    RecordingDisplay display;
    core::Datenkonvertieren(session(), &display);
    ASSERT_GE(display.events.size(), 2);
    EXPECT_EQ(display.events.front(), QStringLiteral("open conversion"));
    EXPECT_EQ(display.events.back(), QStringLiteral("close conversion"));
    EXPECT_EQ(display.events.count(QStringLiteral("open progress")), 8);
    EXPECT_EQ(display.events.count(QStringLiteral("close progress")), 8);
    for (const char *table : {"Bugs", "Attachments", "AttachmentFiles", "Views", "Parameter", "WebLinks",
                              "History", "HotKeys", "Print"})
        EXPECT_TRUE(scalar(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(QLatin1String(table))).isValid())
            << table;
    EXPECT_TRUE(m_errors.errors.empty());
    EXPECT_TRUE(m_messages.requests().empty());
}

} // namespace tarvo::test
