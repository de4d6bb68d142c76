#include "platform/runtime/Messages.h"

#include "platform/runtime/Translator.h"
#include "support/ScriptedMessages.h"

#include <gtest/gtest.h>
#include <optional>

using namespace tarvo;
using tarvo::test::ScriptedMessages;

namespace {

// Restores the default exit for the tests that replace it.
class ExitHookTest : public ::testing::Test {
  protected:
    std::optional<int> exitCode;
    void SetUp() override
    {
        Messages::setExitHook([this](int code) { exitCode = code; });
    }
    void TearDown() override { Messages::setExitHook({}); }
};

TEST(MessagesTest, ShowReachesTheHandlerAndAnswersFromTheScript)
{
    ScriptedMessages messages;
    messages.answer(Button::No);
    EXPECT_EQ(
        Messages::show("Save?|Really", "Tarvo", MessageIcon::Question, Button::Yes | Button::No, Button::Yes),
        Button::No);
    // The script has run out: the default button answers.
    EXPECT_EQ(Messages::show("Again?", "Tarvo", MessageIcon::Question, Button::Yes | Button::No, Button::No),
              Button::No);
    EXPECT_EQ(Messages::show("Done", "Tarvo"), Button::Ok);

    const std::vector<MessageRequest> requests = messages.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].text, "Save?|Really");
    EXPECT_EQ(requests[0].title, "Tarvo");
    EXPECT_EQ(requests[0].icon, MessageIcon::Question);
    EXPECT_EQ(requests[0].buttons, Button::Yes | Button::No);
    EXPECT_EQ(requests[0].defaultButton, Button::Yes);
    EXPECT_EQ(messages.texts(), (QStringList{"Save?|Really", "Again?", "Done"}));

    Messages::beep(MessageIcon::Exclamation);
    EXPECT_EQ(messages.beeps(), std::vector<MessageIcon>{MessageIcon::Exclamation});
}

TEST(MessagesTest, TextAndTitlePassTheTranslatorOnTheirWay)
{
    ScriptedMessages messages;
    const TranslationPair german[] = {{"Not found!", "Nicht gefunden!"}, {"Error", "Fehler"}};
    Translator::instance().addTable(german);
    Messages::show("Not found!", "Error");
    Messages::show("Not found!|Error", "Tarvo"); // only whole texts are keys
    Translator::instance() = Translator();
    const std::vector<MessageRequest> requests = messages.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].text, "Nicht gefunden!");
    EXPECT_EQ(requests[0].title, "Fehler");
    EXPECT_EQ(requests[1].text, "Not found!|Error");
    EXPECT_EQ(requests[1].title, "Tarvo");
}

TEST(MessagesTest, ScriptedHandlerRestoresThePreviousOne)
{
    ScriptedMessages outer;
    {
        ScriptedMessages inner;
        EXPECT_EQ(Messages::handler(), &inner);
        Messages::show("inner", "T");
    }
    EXPECT_EQ(Messages::handler(), &outer);
    Messages::show("outer", "T");
    EXPECT_EQ(outer.texts(), QStringList{"outer"});
}

TEST(MessagesTest, DefaultButtonIsTheGivenOneWhenOfferedElseTheFirst)
{
    const struct {
        int buttons;
        int defaultButton;
        int expected;
    } cases[] = {
        {Button::Yes | Button::No, 0, Button::Yes},
        {Button::Yes | Button::No, Button::No, Button::No},
        {Button::Yes | Button::No, Button::Cancel, Button::Yes},
        {Button::Yes | Button::No | Button::Cancel, Button::No | Button::Cancel, Button::Yes},
        {Button::Retry | Button::Cancel, 0, Button::Retry},
        {0, 0, Button::Ok},
    };
    for (const auto &c : cases)
        EXPECT_EQ(defaultButtonOf(MessageRequest{"t", "T", MessageIcon::None, c.buttons, c.defaultButton}),
                  c.expected)
            << c.buttons << "/" << c.defaultButton;
}

TEST(MessagesTest, BarBreaksTheLine)
{
    EXPECT_EQ(messageTextToDisplay("Path not set!|Error: 2||End"), "Path not set!\nError: 2\n\nEnd");
}

TEST_F(ExitHookTest, WithoutHandlerMessagesGoToStderrAndTheProgramCarriesOn)
{
    ASSERT_EQ(Messages::handler(), nullptr);
    ::testing::internal::CaptureStderr();
    const int answer = Messages::show("Disk full|Error: 5", "Error", MessageIcon::Error,
                                      Button::Retry | Button::Cancel, Button::Cancel);
    Messages::stop("Cannot create PATHS");
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(answer, Button::Cancel);
    EXPECT_NE(err.find("Disk full\nError: 5"), std::string::npos) << err;
    EXPECT_NE(err.find("Cannot create PATHS"), std::string::npos) << err;
    EXPECT_FALSE(exitCode);
}

TEST_F(ExitHookTest, StopEndsTheProgramOnlyWhenTheUserChoosesTo)
{
    ScriptedMessages messages;
    messages.answerStop(true);
    messages.answerStop(false);
    Messages::stop("Status 5 attempting to load Programs");
    EXPECT_FALSE(exitCode);
    Messages::stop("Cannot write History");
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(messages.stops(),
              (QStringList{"Status 5 attempting to load Programs", "Cannot write History"}));
    EXPECT_TRUE(messages.requests().empty());
}

TEST(MessagesDeathTest, DefaultExitQuitsWithTheCode)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(Messages::exitProgram(1), ::testing::ExitedWithCode(1), "");
}

} // namespace
