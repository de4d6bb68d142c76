#include "platform/runtime/CommandLine.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

using tarvo::CommandLine;

namespace {

struct SwitchCase {
    QStringList arguments;
    QString name;
    bool present;
};

class CommandLineSwitch : public testing::TestWithParam<SwitchCase> {};

TEST_P(CommandLineSwitch, MatchesWholeArgumentsOnly)
{
    const SwitchCase &c = GetParam();
    EXPECT_EQ(CommandLine(c.arguments).hasSwitch(c.name), c.present)
        << c.arguments.join(' ').toStdString() << " ? " << c.name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Switches, CommandLineSwitch,
    testing::Values(SwitchCase{{"/C"}, "/C", true}, SwitchCase{{"/c"}, "/C", true},
                    SwitchCase{{"/Custom"}, "/C", false},
                    SwitchCase{{"/Path", "/data/Conversions"}, "/C", false},
                    SwitchCase{{"/Path", "/home/c"}, "/C", false}, SwitchCase{{}, "/C", false},
                    SwitchCase{{"/NETNOLOG", "/nettalklog"}, "/netnolog", true},
                    SwitchCase{{"/nettalklogerrors"}, "/nettalklog", false},
                    SwitchCase{{"/User=ABC"}, "/User", true}, SwitchCase{{"/Username"}, "/User", false},
                    SwitchCase{{"/AutoLogin"}, "/autologin", true}, SwitchCase{{"/C"}, "", false}));

TEST(CommandLine, NumbersParametersFromOneWithoutTheProgram)
{
    const CommandLine line({"/Path", "/data", "/Language", "German"}, "/opt/tarvo/tarvo");
    EXPECT_EQ(line.parameter(0), QStringLiteral("/opt/tarvo/tarvo"));
    EXPECT_EQ(line.parameter(1), QStringLiteral("/Path"));
    EXPECT_EQ(line.parameter(2), QStringLiteral("/data"));
    EXPECT_EQ(line.parameter(3), QStringLiteral("/Language"));
    EXPECT_EQ(line.parameter(4), QStringLiteral("German"));
    EXPECT_EQ(line.parameter(5), QString());
    EXPECT_EQ(line.parameter(-1), QString());
    EXPECT_EQ(line.count(), 4);
    EXPECT_TRUE(line.hasSwitch(QStringLiteral("/Path")));
    EXPECT_FALSE(line.hasSwitch(QStringLiteral("/C")));
}

TEST(CommandLine, FolderWithBlanksIsOneParameter)
{
    const CommandLine line({"/Path", "/home/anna/Tarvo Daten"});
    EXPECT_EQ(line.parameter(2), QStringLiteral("/home/anna/Tarvo Daten"));
}

TEST(CommandLine, SwitchValuesAfterEqualsOrAsNextArgument)
{
    const CommandLine line({"/user=ABC", "/Password", "geheim = 1", "/AutoLogin"});
    EXPECT_EQ(line.value(QStringLiteral("/User")), QStringLiteral("ABC"));
    EXPECT_EQ(line.value(QStringLiteral("/Password")), QStringLiteral("geheim = 1"));
    EXPECT_EQ(line.value(QStringLiteral("/Missing")), QString());

    EXPECT_EQ(CommandLine({"/Password=a=b"}).value(QStringLiteral("/Password")), QStringLiteral("a=b"));
    EXPECT_EQ(CommandLine({"/User="}).value(QStringLiteral("/User")), QString());
    EXPECT_EQ(CommandLine({"/User"}).value(QStringLiteral("/User")), QString());
}

} // namespace
