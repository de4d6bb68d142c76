#include "core/stamp/InsertDateTimeStamp.h"

#include "core/lists/FakeAccessServices.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/IniFile.h"
#include "platform/runtime/PictureLocale.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tarvo;
using namespace tarvo::core;

namespace {

const StampValues kValues{"01.02.2005", "13:14:15", "JDO"};
const QString kTemplate = QStringLiteral("^Date^ ^Initials^: ^C^");
const QString kLine = QStringLiteral("01.02.2005 JDO: ");

StampSource source(const QString &text, int position, bool fromUser = true)
{
    return {text, position, fromUser};
}

struct PositionCase final {
    const char *name;
    QString text;
    qsizetype cursor;
    int position;
    QString expected;
    qsizetype expectedCursor;
};

class StampPositions : public testing::TestWithParam<PositionCase> {};

TEST_P(StampPositions, InsertsAndPlacesTheCursor)
{
    const PositionCase &c = GetParam();
    test::ScriptedMessages messages;
    const auto edit = InsertDateTimeStamp(c.text, c.cursor, source(kTemplate, c.position), kValues);
    ASSERT_TRUE(edit.has_value());
    EXPECT_EQ(edit->text, c.expected);
    EXPECT_EQ(edit->cursor, c.expectedCursor);
    EXPECT_TRUE(messages.requests().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StampPositions,
    testing::Values(PositionCase{"Beginning", "xyz", 2, 1, kLine + "\r\nxyz", 16},
                    PositionCase{"End", "xyz", 0, 2, "xyz\r\n" + kLine, 21},
                    PositionCase{"AtCursor", "xyz", 1, 3, "x" + kLine + "\r\nyz", 17},
                    // Line breaks already in the text count as two characters.
                    PositionCase{"EndAfterLineBreak", "ab\r\ncd  ", 0, 2, "ab\r\ncd\r\n" + kLine, 24},
                    PositionCase{"CursorAfterLineBreak", "ab\r\ncd", 4, 3, "ab\r\n" + kLine + "\r\ncd", 20},
                    PositionCase{"BeginningOfEmptyText", "", 0, 1, kLine + "\r\n", 16},
                    PositionCase{"CursorBeyondTheText", "ab", 99, 3, "ab" + kLine + "\r\n", 18}),
    [](const testing::TestParamInfo<PositionCase> &info) { return std::string(info.param.name); });

TEST(InsertDateTimeStamp, TextAfterTheCursorMarkFollowsTheLineBreak)
{
    const auto atCursor = InsertDateTimeStamp("ab", 1, source("<^C^> ^Time^   ", 3), kValues);
    ASSERT_TRUE(atCursor);
    EXPECT_EQ(atCursor->text, "a<\r\n> 13:14:15b");
    EXPECT_EQ(atCursor->cursor, 2);

    const auto beginning = InsertDateTimeStamp("ab", 1, source("<^C^> ^Time^   ", 1), kValues);
    ASSERT_TRUE(beginning);
    EXPECT_EQ(beginning->text, "<> 13:14:15\r\nab");
    EXPECT_EQ(beginning->cursor, 1);
}

TEST(InsertDateTimeStamp, OnlyTheFirstOfEachVariableIsReplaced)
{
    const auto edit =
        InsertDateTimeStamp("", 0, source("^Date^ ^Date^ ^Initials^ ^Initials^^C^", 3), kValues);
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->text, "01.02.2005 ^Date^ JDO ^Initials^\r\n");
}

TEST(InsertDateTimeStamp, MissingCursorMarkIsRefusedNamingTheWindowToCorrect)
{
    for (const bool fromUser : {true, false}) {
        test::ScriptedMessages messages;
        EXPECT_FALSE(
            InsertDateTimeStamp("xyz", 0, source("^Date^   \xC2\xB7   ^Time^", 1, fromUser), kValues));
        ASSERT_EQ(messages.requests().size(), 1u);
        const MessageRequest request = messages.requests().front();
        EXPECT_EQ(request.text,
                  QString("The variable ^C^ is missing in the Date & Time Stamp text!||Please do the "
                          "necessary changes in the %1.")
                      .arg(fromUser ? "User Settings" : "Options"));
        EXPECT_EQ(request.title, "Tarvo");
        EXPECT_EQ(request.icon, MessageIcon::Information);
        EXPECT_EQ(messages.beeps(), std::vector<MessageIcon>{MessageIcon::Exclamation});
    }
}

TEST(InsertDateTimeStamp, EmptyTemplateOrUnknownPositionDoesNothingSilently)
{
    test::ScriptedMessages messages;
    EXPECT_FALSE(InsertDateTimeStamp("xyz", 0, source("", 1), kValues));
    EXPECT_FALSE(InsertDateTimeStamp("xyz", 0, source("   ", 1), kValues));
    EXPECT_FALSE(InsertDateTimeStamp("xyz", 0, source(kTemplate, 4), kValues));
    EXPECT_FALSE(InsertDateTimeStamp("xyz", 0, source(kTemplate, 0), kValues));
    EXPECT_TRUE(messages.requests().empty());
    EXPECT_TRUE(messages.beeps().empty());
}

TEST(InsertDateTimeStamp, FieldTooSmallRefusesWithAMessage)
{
    test::ScriptedMessages messages;
    // The stamp line, CR LF and xyz make 21 characters.
    EXPECT_FALSE(InsertDateTimeStamp("xyz", 0, source(kTemplate, 1), kValues, 20));
    ASSERT_EQ(messages.requests().size(), 1u);
    EXPECT_EQ(messages.requests().front().text,
              "The Date & Time Stamp does not fit into this field.||The field holds at most 20 characters.");
    EXPECT_EQ(messages.requests().front().icon, MessageIcon::Exclamation);

    messages.clear();
    EXPECT_TRUE(InsertDateTimeStamp("xyz", 0, source(kTemplate, 1), kValues, 21));
    // The stamp's trailing blank at the end is clipped when stored, so it takes no room.
    EXPECT_TRUE(InsertDateTimeStamp("xyz", 0, source(kTemplate, 2), kValues, 20));
    EXPECT_TRUE(messages.requests().empty());
}

class UserIniStamp : public testing::Test {
  protected:
    test::TempDir m_dir;
    QString m_userIni = m_dir.file("User.ini");
    const StampSettings m_record{"^Date^   \xC2\xB7   ^Time^   \xC2\xB7   ^Initials^", 3};
};

TEST_F(UserIniStamp, UserTemplateOverridesTheSettingsRecordAndDecodesLineBreaks)
{
    IniFile ini(m_userIni);
    ASSERT_TRUE(
        ini.setValue("User Settings", "DateTimeStamp", QString::fromUtf8("^Initials^\xC2\xA4\xC2\xB6^C^")));
    ASSERT_TRUE(ini.setValue("User Settings", "DateTimeStampInsPos", "2"));
    const StampSource fromUser = readStampSource(m_userIni, m_record);
    EXPECT_EQ(fromUser.templateText, "^Initials^\r\n^C^");
    EXPECT_EQ(fromUser.insertPosition, 2);
    EXPECT_TRUE(fromUser.fromUserSettings);

    ASSERT_TRUE(ini.setValue("User Settings", "DateTimeStamp", "  "));
    const StampSource fromRecord = readStampSource(m_userIni, m_record);
    EXPECT_EQ(fromRecord.templateText, m_record.templateText);
    EXPECT_EQ(fromRecord.insertPosition, 3);
    EXPECT_FALSE(fromRecord.fromUserSettings);
}

TEST_F(UserIniStamp, ReadsTheLoggedInUsersFileWithItsDefaultPosition)
{
    test::FakeAccessServices access;
    access.userFolder = m_dir.path();
    ASSERT_TRUE(IniFile(m_userIni).setValue("User Settings", "DateTimeStamp", "^C^"));
    const StampSource source = stampSourceFor(access, m_record);
    EXPECT_EQ(source.templateText, "^C^");
    EXPECT_EQ(source.insertPosition, 1);
}

TEST(StampLineBreaks, EncodeAndDecodeAreInverse)
{
    const QString text = "a\r\nb\nc\r";
    const QString stored = encodeUserIniLineBreaks(text);
    EXPECT_FALSE(stored.contains('\r') || stored.contains('\n'));
    EXPECT_EQ(stored, QString::fromUtf8("a\xC2\xA4\xC2\xB6"
                                        "b\xC2\xB6"
                                        "c\xC2\xA4"));
    EXPECT_EQ(decodeUserIniLineBreaks(stored), text);
}

TEST(StampValuesTest, TodayNowAndClippedInitials)
{
    const PictureLocale previous = PictureLocale::current();
    PictureLocale::setCurrent(PictureLocale::german());
    Clock::setSource([] { return QDateTime(QDate(2005, 2, 1), QTime(13, 14, 15)); });
    const StampValues values = currentStampValues("AB ");
    Clock::setSource({});
    PictureLocale::setCurrent(previous);
    EXPECT_EQ(values.date, "01.02.2005");
    EXPECT_EQ(values.time, "13:14:15");
    EXPECT_EQ(values.initials, "AB");
    EXPECT_EQ(currentStampValues("JDOE").initials, "JDO");
}

} // namespace
