#include "core/ui/StampTextControl.h"

#include "support/ScriptedMessages.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <gtest/gtest.h>

using namespace tarvo;
using namespace tarvo::core;
using namespace tarvo::core::ui;

namespace {

const StampValues kValues{"01.02.2005", "13:14:15", "JDO"};
const QString kLine = QStringLiteral("01.02.2005 JDO: ");

StampSource atPosition(int position)
{
    return {QStringLiteral("^Date^ ^Initials^: ^C^"), position, true};
}

// The document of a text control keeps one character per line break.
template <typename Edit> void stampsMultiLineText()
{
    test::ScriptedMessages messages;
    Edit edit;
    edit.setPlainText("ab\ncd");
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(4); // between c and d
    edit.setTextCursor(cursor);
    ASSERT_TRUE(insertDateTimeStamp(&edit, atPosition(3), kValues));
    EXPECT_EQ(edit.toPlainText(), "ab\nc" + kLine + "\nd");
    EXPECT_EQ(edit.textCursor().position(), 4 + kLine.size());

    ASSERT_TRUE(insertDateTimeStamp(&edit, atPosition(2), kValues));
    EXPECT_EQ(edit.textCursor().position(), edit.toPlainText().size());

    edit.document()->undo();
    EXPECT_EQ(edit.toPlainText(), "ab\nc" + kLine + "\nd") << "one stamp is one undo step";
    EXPECT_TRUE(messages.requests().empty());
}

TEST(StampTextControl, PlainTextEdit)
{
    stampsMultiLineText<QPlainTextEdit>();
}

TEST(StampTextControl, TextEdit)
{
    stampsMultiLineText<QTextEdit>();
}

TEST(StampTextControl, FieldTooSmallLeavesTheTextUntouched)
{
    test::ScriptedMessages messages;
    QPlainTextEdit edit;
    edit.setPlainText("line one\nline two");
    // Stored with CR LF, and clipped, the result would make 8 + 2 + 8 + 2 + 15 = 35 characters.
    EXPECT_FALSE(insertDateTimeStamp(&edit, atPosition(2), kValues, 34));
    EXPECT_EQ(edit.toPlainText(), "line one\nline two");
    EXPECT_EQ(messages.requests().size(), 1u);
    EXPECT_TRUE(insertDateTimeStamp(&edit, atPosition(2), kValues, 35));
}

TEST(StampTextControl, LineEditAtItsCursorAndWithinItsMaximum)
{
    test::ScriptedMessages messages;
    QLineEdit line("xyz");
    line.setCursorPosition(1);
    ASSERT_TRUE(insertDateTimeStamp(&line, atPosition(3), kValues));
    EXPECT_EQ(line.text(), "x" + kLine + "\r\nyz");
    EXPECT_EQ(line.cursorPosition(), 1 + kLine.size());

    QLineEdit small("xyz");
    small.setMaxLength(10);
    EXPECT_FALSE(insertDateTimeStamp(&small, atPosition(1), kValues));
    EXPECT_EQ(small.text(), "xyz");
    EXPECT_EQ(messages.requests().size(), 1u);
}

} // namespace
