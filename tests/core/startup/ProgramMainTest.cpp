#include "core/startup/ProgramMain.h"

#include "StartupFakes.h"
#include "core/services/Services.h"
#include "core/startup/PathFile.h"
#include "core/startup/ProgramGlobals.h"
#include "core/startup/StartupParts.h"
#include "platform/runtime/CommandLine.h"
#include "platform/runtime/Context.h"
#include "platform/runtime/DayDate.h"
#include "platform/runtime/PictureLocale.h"
#include "platform/runtime/Translator.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

namespace tarvo::core {
namespace {

using test::FakeAccess;
using test::FakeSettings;

// ProgramMain with every outside part replaced by one that logs its call; the path file is
// real and names an existing data folder.
class ProgramMainTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ProgramGlobals::reset();
        m_home.useAsConfigHome();
        m_data = m_home.file(QStringLiteral("data"));
        QDir().mkpath(m_data);
        PathFile file;
        ASSERT_TRUE(file.create());
        ASSERT_TRUE(file.open());
        ASSERT_TRUE(file.add(m_data));
        Services::setAccess(&m_access);

        m_parts.openIni = [this](const QString &path) {
            m_log << QStringLiteral("ini.open ") + QDir(path).dirName();
        };
        m_parts.endIni = [this] { m_log << QStringLiteral("ini.end"); };
        m_parts.setUpTranslator = [this] { m_log << QStringLiteral("translator"); };
        m_parts.pathFile = PathFile::defaultPath();
        m_parts.prompt.canAsk = [] { return false; };
        m_parts.switchToGerman = [this](const QString &) -> Result<void> {
            m_log << QStringLiteral("german");
            return m_german;
        };
        m_parts.registerFiles = [this](const QString &folder) -> Result<void> {
            m_log << QStringLiteral("register ") + (folder == m_data ? QStringLiteral("data") : folder);
            return {};
        };
        m_parts.settingsFile = [this](Context &) -> std::unique_ptr<SettingsFile> {
            auto s = std::make_unique<FakeSettings>(m_log);
            m_settings = s.get();
            if (m_prepare)
                m_prepare(*s);
            return s;
        };
        m_parts.conversions = [this](Context &) { m_log << QStringLiteral("conversions"); };
        m_parts.frame = [this](Context &) { m_log << QStringLiteral("frame"); };
        m_parts.netCloseCallBackWindow = [this] { m_log << QStringLiteral("net.close"); };
        m_parts.netDebugTrace = [this](const QString &line) {
            m_log << QStringLiteral("trace ") + line.left(18);
        };
        m_parts.releaseHtmlEditor = [this] { m_log << QStringLiteral("html.release"); };
    }

    // The German tables are process-wide: other tests of this program expect English.
    void TearDown() override
    {
        Services::setAccess(nullptr);
        ProgramGlobals::reset();
        Translator::instance() = Translator();
        PictureLocale::setCurrent(PictureLocale::english());
    }

    int run(QStringList arguments)
    {
        return ProgramMain(m_first, CommandLine(std::move(arguments)), m_parts);
    }

    tarvo::test::TempDir m_home;
    tarvo::test::ScriptedMessages m_messages;
    QStringList m_log;
    Result<void> m_german; // what switching the settings to German answers
    FakeAccess m_access{m_log};
    FakeSettings *m_settings = nullptr;
    std::function<void(FakeSettings &)> m_prepare;
    StartupParts m_parts;
    Context m_first{1};
    QString m_data;
};

TEST_F(ProgramMainTest, StartUpAndShutdownRunInTheirOrder)
{
    EXPECT_EQ(run({QStringLiteral("/nettalklog")}), 0);
    const QStringList expected{
        QStringLiteral("ini.open Tarvo.INI"),
        QStringLiteral("translator"),
        QStringLiteral("PFAD"),
        QStringLiteral("register data"),
        QStringLiteral("settings.open"),
        QStringLiteral("settings.read"),
        QStringLiteral("FARBE 10485760"),
        QStringLiteral("login Tarvo.sec"),
        QStringLiteral("frame"),
        QStringLiteral("net.close"),
        QStringLiteral("trace [Nettalk Template]"),
        QStringLiteral("trace [Nettalk Template]"),
        QStringLiteral("trace [Nettalk Template]"),
        QStringLiteral("settings.close"),
        QStringLiteral("html.release"),
        QStringLiteral("ini.end"),
    };
    EXPECT_EQ(m_log, expected);
    EXPECT_EQ(m_access.pfad(), m_data);
    EXPECT_EQ(ProgramGlobals::ownerPassword(), QStringLiteral("kolvin"));
    EXPECT_TRUE(m_messages.texts().isEmpty());
}

TEST_F(ProgramMainTest, TraceOnlyWithATraceSwitchAndWithoutNetnolog)
{
    for (const QStringList &args :
         {QStringList{}, QStringList{QStringLiteral("/netall"), QStringLiteral("/netnolog")}}) {
        m_log.clear();
        ProgramGlobals::reset();
        EXPECT_EQ(run(args), 0);
        EXPECT_FALSE(m_log.join(u'\n').contains(QStringLiteral("trace"))) << args.join(u' ').toStdString();
        EXPECT_TRUE(m_log.contains(QStringLiteral("net.close")));
    }
}

TEST_F(ProgramMainTest, FilesAreRegisteredOncePerProcess)
{
    EXPECT_EQ(run({}), 0);
    EXPECT_EQ(run({}), 0);
    EXPECT_EQ(m_log.count(QStringLiteral("register data")), 1);
}

TEST_F(ProgramMainTest, ConversionSwitchRunsTheConversionsAndNothingAfter)
{
    EXPECT_EQ(run({QStringLiteral("/C")}), 0);
    EXPECT_EQ(m_log.last(), QStringLiteral("conversions"));
    EXPECT_FALSE(m_log.contains(QStringLiteral("login Tarvo.sec")));
    EXPECT_FALSE(m_log.contains(QStringLiteral("settings.close")));
    EXPECT_FALSE(m_log.contains(QStringLiteral("ini.end")));
}

TEST_F(ProgramMainTest, CancelledLoginEndsWithoutFrameOrShutdown)
{
    m_access.loginAnswer = false;
    EXPECT_EQ(run({}), 0);
    EXPECT_EQ(m_log.last(), QStringLiteral("login Tarvo.sec"));
}

TEST_F(ProgramMainTest, LoginGetsLanguageAndCharacterSetNumber)
{
    m_prepare = [](FakeSettings &s) {
        s.fields.insert(QStringLiteral("Charset"), QStringLiteral("Cyrillic"));
        s.fields.insert(QStringLiteral("COLOR"), QStringLiteral("255"));
    };
    EXPECT_EQ(run({}), 0);
    EXPECT_EQ(m_access.loginLanguage, QStringLiteral("English"));
    EXPECT_EQ(m_access.loginInformation, QString::fromUtf8("4.1\u00b0204"));
    EXPECT_EQ(m_access.farbe(), 255);
    EXPECT_EQ(ProgramGlobals::charsetCode(), 204);
    EXPECT_EQ(ProgramGlobals::weekdayNames(), DayDate::weekdayNames(DayDate::Language::English));
}

TEST_F(ProgramMainTest, GermanSettingsSetTheGermanTables)
{
    m_prepare = [](FakeSettings &s) {
        s.fields.insert(QStringLiteral("Language"), QStringLiteral("Deutsch"));
    };
    EXPECT_EQ(run({}), 0);
    EXPECT_EQ(ProgramGlobals::weekdayNames().trimmed(),
              QStringLiteral("Sonntag   Montag    Dienstag  Mittwoch  DonnerstagFreitag   Samstag"));
    EXPECT_EQ(Translator::instance().translate(QStringLiteral("&Insert")), QString::fromUtf8("&Einfügen"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("&Abbruch"));
}

TEST_F(ProgramMainTest, InstallerModeStoresTheFolderAndEndsBeforeTheTranslator)
{
    const QString other = m_home.file(QStringLiteral("other"));
    EXPECT_EQ(run({QStringLiteral("/Path"), other, QStringLiteral("/Language"), QStringLiteral("German")}),
              0);
    EXPECT_EQ(m_log, (QStringList{QStringLiteral("ini.open Tarvo.INI"), QStringLiteral("german")}));
    PathFile file;
    ASSERT_TRUE(file.open());
    EXPECT_EQ(*file.read(), other);
}

TEST_F(ProgramMainTest, InstallerModeSaysWhyTheSettingsStayedAsTheyWere)
{
    m_german = makeError(2, QStringLiteral("The settings were not switched to German."));
    const QString other = m_home.file(QStringLiteral("other"));
    EXPECT_EQ(run({QStringLiteral("/Path"), other, QStringLiteral("/Language"), QStringLiteral("German")}),
              1);
    EXPECT_EQ(m_messages.texts(), QStringList{QStringLiteral("The settings were not switched to German.")});
    PathFile file;
    ASSERT_TRUE(file.open());
    EXPECT_EQ(*file.read(), other); // the folder is stored all the same
}

// How the start-up treats its settings file: which calls it makes and whether it goes on.
struct SettingsCase {
    const char *name;
    std::vector<int> openCodes; // 0: opens
    int createCode;
    bool hasRecord;
    QStringList calls;
    bool goesOn;
    const char *messageStart; // nullptr: no message
};

class SettingsRules : public ProgramMainTest, public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(SettingsRules, OpenCreateAndReport)
{
    const SettingsCase c = GetParam();
    m_prepare = [&c](FakeSettings &s) {
        for (int code : c.openCodes)
            s.openAnswers.push_back(code == 0 ? Result<void>()
                                              : Result<void>(makeError(code, QStringLiteral("Failed"))));
        if (c.createCode)
            s.createAnswer = makeError(c.createCode, QStringLiteral("Failed"));
        s.readAnswer = c.hasRecord;
    };
    const int code = run({});
    QStringList calls;
    for (const QString &entry : m_log)
        if (entry.startsWith(QStringLiteral("settings.")) && entry != QStringLiteral("settings.close"))
            calls << entry.mid(9);
    EXPECT_EQ(calls, c.calls);
    EXPECT_EQ(code == 0, c.goesOn);
    EXPECT_EQ(m_log.contains(QStringLiteral("login Tarvo.sec")), c.goesOn);
    if (c.messageStart) {
        ASSERT_EQ(m_messages.texts().size(), 1);
        EXPECT_TRUE(m_messages.texts().first().startsWith(QString::fromUtf8(c.messageStart)))
            << m_messages.texts().first().toStdString();
    } else {
        EXPECT_TRUE(m_messages.texts().isEmpty());
    }
}

const QString kOpen = QStringLiteral("open"), kRead = QStringLiteral("read"), kAdd = QStringLiteral("add"),
              kCreate = QStringLiteral("create");

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsRules,
    ::testing::Values(
        SettingsCase{"Read", {0}, 0, true, {kOpen, kRead}, true, nullptr},
        SettingsCase{"EmptyFileGetsTheDefaultRecord", {0}, 0, false, {kOpen, kRead, kAdd}, true, nullptr},
        SettingsCase{"MissingFileIsCreated", {2, 0}, 0, false, {kOpen, kCreate, kOpen, kAdd}, true, nullptr},
        SettingsCase{"CreationFails",
                     {2},
                     90,
                     false,
                     {kOpen, kCreate},
                     false,
                     "Error creating file \"/data/Tarvo.db (table Parameter)\"!|Error: Failed (90)"},
        SettingsCase{"CreatedFileDoesNotOpen",
                     {2, 5},
                     0,
                     false,
                     {kOpen, kCreate, kOpen},
                     false,
                     "Error creating file \"/data/Tarvo.db (table Parameter)\"!|Error: Failed (5)"},
        SettingsCase{"ExistingFileThatDoesNotOpenIsNeverRecreated",
                     {36},
                     0,
                     true,
                     {kOpen},
                     false,
                     "The settings file \"/data/Tarvo.db (table Parameter)\" could not be opened.|Error: "
                     "Failed (36)"}),
    [](const ::testing::TestParamInfo<SettingsCase> &info) { return std::string(info.param.name); });

} // namespace
} // namespace tarvo::core
