#include "platform/runtime/Text.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

using tarvo::Text;

namespace {

const QString Emoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // one character, two UTF-16 units

struct SubCase {
    QString text;
    qsizetype start;
    qsizetype length;
    QString expected;
};

class TextSub : public testing::TestWithParam<SubCase> {};

TEST_P(TextSub, TakesTheRequestedCharactersSafely)
{
    const SubCase &c = GetParam();
    EXPECT_EQ(Text::sub(c.text, c.start, c.length), c.expected)
        << c.text.toStdString() << " " << c.start << " " << c.length;
}

INSTANTIATE_TEST_SUITE_P(Ranges, TextSub,
                         testing::Values(SubCase{"ABCDEFGHI", 1, 3, "ABC"}, SubCase{"ABCDEFGHI", 4, 3, "DEF"},
                                         SubCase{"ABCDEFGHI", 8, 10, "HI"}, SubCase{"ABCDEFGHI", 10, 1, ""},
                                         SubCase{"ABCDEFGHI", 100, 5, ""}, SubCase{"ABCDEFGHI", 3, 0, ""},
                                         SubCase{"ABCDEFGHI", 3, -2, ""}, SubCase{"ABCDEFGHI", -3, 3, "GHI"},
                                         SubCase{"ABCDEFGHI", -3, 10, "GHI"}, SubCase{"ABC", -10, 8, "A"},
                                         SubCase{"ABC", 0, 2, "A"}, SubCase{"", 1, 5, ""},
                                         SubCase{QString("a") + Emoji + "bc", 2, 2, Emoji + "b"},
                                         SubCase{QString("a") + Emoji + "bc", 3, 1, "b"},
                                         SubCase{QString::fromUtf8("Größe"), 3, 3,
                                                 QString::fromUtf8("öße")}));

struct InstringCase {
    QString needle;
    QString haystack;
    qsizetype step;
    qsizetype start;
    qsizetype expected;
};

class TextInstring : public testing::TestWithParam<InstringCase> {};

TEST_P(TextInstring, FindsByStep)
{
    const InstringCase &c = GetParam();
    EXPECT_EQ(Text::instring(c.needle, c.haystack, c.step, c.start), c.expected)
        << c.needle.toStdString() << " in " << c.haystack.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Searches, TextInstring,
    testing::Values(InstringCase{"DEF", "ABCDEFGHI", 1, 1, 4}, InstringCase{"DEF", "ABCDEFGHI", 1, 5, 0},
                    InstringCase{"A", "ABA", 1, 2, 3}, InstringCase{"X", "ABC", 1, 1, 0},
                    InstringCase{"", "ABC", 1, 1, 0}, InstringCase{"ABC", "", 1, 1, 0},
                    InstringCase{"ABCD", "ABC", 1, 1, 0}, InstringCase{"C", "ABC", 1, 99, 0},
                    InstringCase{"A", "ABC", 1, -5, 1}, InstringCase{"DEF", "ABCDEFGHI", 3, 1, 2},
                    InstringCase{"EFG", "ABCDEFGHI", 3, 1, 0}, InstringCase{"A", "ABA", -1, 3, 3},
                    InstringCase{"A", "ABA", -1, 2, 1}, InstringCase{"b", "a" + Emoji + "b", 1, 1, 3},
                    InstringCase{"GFZ", "TMB|GFZ|ANK", 1, 1, 5}));

TEST(Text, ClipRemovesTrailingBlanksOnly)
{
    EXPECT_EQ(Text::clip(QStringLiteral("  ab c  ")), QStringLiteral("  ab c"));
    EXPECT_EQ(Text::clip(QStringLiteral("ab\t")), QStringLiteral("ab\t"));
    EXPECT_EQ(Text::clip(QStringLiteral("   ")), QString());
    EXPECT_EQ(Text::clip(QStringView(u"ab  ")), QStringLiteral("ab"));
    // A stored value without trailing blanks is handed back, not copied.
    const QString stored = QString::fromLatin1("Bugs");
    EXPECT_EQ(Text::clip(stored).constData(), stored.constData());
}

TEST(Text, CaseMappingIsFullUnicode)
{
    EXPECT_EQ(Text::upper(QString::fromUtf8("straße")), QStringLiteral("STRASSE"));
    EXPECT_EQ(Text::upper(QString::fromUtf8("Ärger über öl")), QString::fromUtf8("ÄRGER ÜBER ÖL"));
    EXPECT_EQ(Text::lower(QString::fromUtf8("ÄRGER")), QString::fromUtf8("ärger"));
}

TEST(Text, JustifiesWithinWidth)
{
    EXPECT_EQ(Text::left(QStringLiteral("  ab "), 6), QStringLiteral("ab    "));
    EXPECT_EQ(Text::right(QStringLiteral("  ab "), 6), QStringLiteral("    ab"));
    EXPECT_EQ(Text::center(QStringLiteral("ab"), 7), QStringLiteral("  ab   "));
    EXPECT_EQ(Text::right(QStringLiteral("ab   ")), QStringLiteral("   ab"));
    EXPECT_EQ(Text::left(QStringLiteral("abcdef"), 3), QStringLiteral("abc"));
}

TEST(Text, WidthsCountCharactersNotBytesOrUnits)
{
    const QString umlauts = QString::fromUtf8("ÄÖÜäöü");
    EXPECT_EQ(Text::cutTo(umlauts, 3), QString::fromUtf8("ÄÖÜ"));
    EXPECT_EQ(Text::padTo(umlauts, 8), umlauts + QStringLiteral("  "));
    EXPECT_EQ(Text::padTo(umlauts, 2), umlauts);

    const QString withEmoji = Emoji + Emoji + "x";
    EXPECT_EQ(Text::length(withEmoji), 3);
    EXPECT_EQ(Text::cutTo(withEmoji, 1), Emoji); // never half a character
    EXPECT_EQ(Text::padTo(Emoji, 3), Emoji + QStringLiteral("  "));
}

TEST(Text, FitCutsThenClips)
{
    EXPECT_EQ(Text::fit(QStringLiteral("abc   def"), 5), QStringLiteral("abc"));
    EXPECT_EQ(Text::fit(QStringLiteral("ab  "), 35), QStringLiteral("ab"));
    EXPECT_EQ(Text::fit(QStringLiteral("abc"), 0), QString());
}

} // namespace
