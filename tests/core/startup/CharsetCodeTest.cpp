#include "core/startup/CharsetCode.h"

#include <gtest/gtest.h>

namespace tarvo::core {
namespace {

struct CharsetCase {
    const char *name;
    int expected; // -1: not listed, the current number stays
};

class CharsetCodeTable : public ::testing::TestWithParam<CharsetCase> {};

TEST_P(CharsetCodeTable, NameGivesItsNumberOrKeepsTheCurrentOne)
{
    const CharsetCase c = GetParam();
    constexpr int current = 7;
    const int got = CharsetCode::apply(QString::fromUtf8(c.name), current);
    EXPECT_EQ(got, c.expected < 0 ? current : c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Names, CharsetCodeTable,
                         ::testing::Values(CharsetCase{"ANSI", 0}, CharsetCase{"Greek", 161},
                                           CharsetCase{"Turkish", 162}, CharsetCase{"Hebrew", 177},
                                           CharsetCase{"Arabic", 178}, CharsetCase{"Baltic", 186},
                                           CharsetCase{"Cyrillic", 204}, CharsetCase{"Thai", 222},
                                           CharsetCase{"Cyrillic   ", 204}, // stored blank-padded
                                           CharsetCase{"cyrillic", -1}, CharsetCase{"", -1},
                                           CharsetCase{"Latin-1", -1}));

TEST(CharsetCodeTest, LoginInformationIsVersionDegreeSignAndNumber)
{
    EXPECT_EQ(CharsetCode::loginInformation(204), QString::fromUtf8("4.1\u00b0204"));
    EXPECT_TRUE(CharsetCode::loginInformation(204).endsWith(QString::fromUtf8("\u00b0204")));
    EXPECT_EQ(CharsetCode::loginInformation(0), QString::fromUtf8("4.1\u00b00"));
}

} // namespace
} // namespace tarvo::core
