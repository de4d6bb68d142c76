#include "platform/runtime/ContextRegistry.h"

#include <QCoreApplication>

#include <gtest/gtest.h>
#include <utility>
#include <vector>

using tarvo::Context;
using tarvo::ContextRef;
using tarvo::ContextRegistry;
using tarvo::PostedEvent;
namespace Events = tarvo::Events;

namespace {

void drain()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::sendPostedEvents();
}

// A registry whose started procedures leave a receiver that records what their context gets,
// as a window would.
class Registry : public ::testing::Test {
  protected:
    struct Got {
        int number;
        int event;
        QVariant data;
    };

    int startListening()
    {
        auto started = registry.start([this](Context &c) { listen(c); });
        EXPECT_TRUE(started.ok());
        return started.ok() ? *started : 0;
    }
    Context::ReceiverId listen(Context &c)
    {
        const int number = c.number();
        return c.addReceiver([this, number](const PostedEvent &e) {
            got.push_back({number, e.event, e.data});
        });
    }
    std::vector<std::pair<int, int>> numbersAndEvents() const
    {
        std::vector<std::pair<int, int>> out;
        for (const Got &g : got)
            out.emplace_back(g.number, g.event);
        return out;
    }

    ContextRegistry registry;
    std::vector<Got> got;
};

} // namespace

TEST_F(Registry, NumbersStartAtTwoAndTheLowestFreeIsReusedAsANewGeneration)
{
    EXPECT_EQ(registry.openFirst().number(), 1);
    EXPECT_EQ(startListening(), 2);
    EXPECT_EQ(startListening(), 3);
    EXPECT_EQ(startListening(), 4);
    drain();
    const ContextRef oldThree = registry.ref(3);
    ASSERT_TRUE(registry.end(3));
    EXPECT_FALSE(registry.isLive(oldThree));
    EXPECT_EQ(registry.context(3), nullptr);

    EXPECT_EQ(startListening(), 3);
    EXPECT_NE(registry.ref(3).generation, oldThree.generation);
    EXPECT_EQ(startListening(), 5);
    EXPECT_EQ(registry.numbers(), (QList<int>{1, 2, 3, 4, 5}));
}

TEST_F(Registry, SixtyFourIsTheLimitAndAFurtherStartIsAnError)
{
    for (int expected = 2; expected <= ContextRegistry::MaxNumber; ++expected)
        ASSERT_EQ(startListening(), expected);
    auto refused = registry.start([](Context &) { FAIL() << "a refused start ran its procedure"; });
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().code, ContextRegistry::ErrorNoFreeNumber);
    EXPECT_FALSE(refused.error().message.isEmpty());
    drain();
    registry.end(17);
    EXPECT_EQ(startListening(), 17);
}

TEST_F(Registry, StartReturnsAtOnceAndProceduresRunInTheOrderOfTheirStarts)
{
    std::vector<int> ran;
    for (int i = 0; i < 4; ++i) {
        auto number = registry.start([&ran, this](Context &c) {
            ran.push_back(c.number());
            listen(c);
        });
        ASSERT_TRUE(number.ok());
    }
    EXPECT_TRUE(ran.empty());
    registry.end(3); // ended before its procedure ran: the procedure never runs
    drain();
    EXPECT_EQ(ran, (std::vector<int>{2, 4, 5}));
}

TEST_F(Registry, PostsArriveInTheOrderTheyWereMadeAcrossContexts)
{
    const int a = startListening();
    const int b = startListening();
    // Posted before the procedures ran: they wait for the receivers.
    EXPECT_TRUE(registry.post(a, Events::Refresh, QStringLiteral("|Bugs|")));
    EXPECT_TRUE(registry.post(b, Events::ToolbarRefresh));
    drain();
    EXPECT_TRUE(registry.post(a, Events::SettingsChanged));
    EXPECT_TRUE(registry.post(b, Events::CloseWindow));
    EXPECT_TRUE(registry.post(a, Events::GainFocus));
    drain();
    EXPECT_EQ(numbersAndEvents(), (std::vector<std::pair<int, int>>{{a, Events::Refresh},
                                                                    {b, Events::ToolbarRefresh},
                                                                    {a, Events::SettingsChanged},
                                                                    {b, Events::CloseWindow},
                                                                    {a, Events::GainFocus}}));
    EXPECT_EQ(got.front().data.toString(), QStringLiteral("|Bugs|"));
}

TEST_F(Registry, PostFrontOvertakesTheEventsWaitingForThatContext)
{
    const int a = startListening();
    registry.post(a, Events::Refresh);
    registry.post(a, Events::ToolbarRefresh);
    registry.postFront(a, Events::CloseWindow);
    drain();
    EXPECT_EQ(numbersAndEvents(),
              (std::vector<std::pair<int, int>>{
                  {a, Events::CloseWindow}, {a, Events::Refresh}, {a, Events::ToolbarRefresh}}));
}

TEST_F(Registry, PostsToAClosedOrReusedNumberAreDropped)
{
    EXPECT_FALSE(registry.post(9, Events::Refresh)); // never used
    const int a = startListening();
    drain();
    const ContextRef oldA = registry.ref(a);

    // Queued, then the context ends before delivery, and a new context takes the same number.
    ASSERT_TRUE(registry.post(a, Events::Refresh));
    registry.end(a);
    EXPECT_FALSE(registry.post(a, Events::CloseWindow));
    ASSERT_EQ(startListening(), a);
    drain();
    EXPECT_FALSE(registry.postTo(oldA, Events::CloseWindow));
    drain();
    EXPECT_TRUE(got.empty());

    ASSERT_TRUE(registry.postTo(registry.ref(a), Events::GainFocus));
    drain();
    EXPECT_EQ(numbersAndEvents(), (std::vector<std::pair<int, int>>{{a, Events::GainFocus}}));
}

TEST_F(Registry, TheLatestReceiverTakesEventsUntilItGoes)
{
    Context &frame = registry.openFirst();
    listen(frame);
    std::vector<int> formGot;
    const auto form = frame.addReceiver([&formGot](const PostedEvent &e) { formGot.push_back(e.event); });
    registry.post(1, Events::CloseWindow);
    drain();
    frame.removeReceiver(form);
    registry.post(1, Events::CloseWindow);
    drain();
    EXPECT_EQ(formGot, (std::vector<int>{Events::CloseWindow}));
    EXPECT_EQ(numbersAndEvents(), (std::vector<std::pair<int, int>>{{1, Events::CloseWindow}}));
    EXPECT_TRUE(registry.context(1)) << "the frame's context only ends when the shutdown ends it";
}

TEST_F(Registry, AContextEndsWhenItsProcedureLeavesNoWindowOrItsLastWindowGoes)
{
    Context::ReceiverId window = 0;
    Context *kept = nullptr;
    const int refused = *registry.start([](Context &) {});
    const int opened = *registry.start([&](Context &c) {
        kept = &c;
        window = listen(c);
    });
    drain();
    EXPECT_EQ(registry.context(refused), nullptr);
    ASSERT_EQ(registry.context(opened), kept);

    kept->removeReceiver(window);
    EXPECT_TRUE(registry.context(opened)) << "the end waits for the event loop";
    drain();
    EXPECT_EQ(registry.context(opened), nullptr);
}

TEST_F(Registry, HooksRunOncePerContextTheFirstIncluded)
{
    std::vector<std::pair<char, int>> calls;
    registry.addEndHook([&calls](Context &c) { calls.emplace_back('k', c.number()); }); // DictionaryKill
    registry.openFirst();
    // Added after the frame's context opened, as the start-up does: it still runs on the frame's.
    registry.addStartHook([&calls](Context &c) {
        calls.emplace_back('s', c.number());
        c.setThreadRequest(0);
        c.attachment<int>() = c.number() * 10;
    });
    registry.addEndHook(
        [&calls](Context &c) { calls.emplace_back('e', c.attachment<int>()); }); // error object

    const int a = startListening();
    drain();
    registry.post(a, Events::CloseWindow);
    drain();
    registry.end(a);
    registry.end(a);
    registry.end(1);
    EXPECT_EQ(calls, (std::vector<std::pair<char, int>>{
                         {'s', 1}, {'s', 2}, {'e', 20}, {'k', 2}, {'e', 10}, {'k', 1}}));
}

TEST_F(Registry, EndHooksDoNotRunForAContextThatNeverStarted)
{
    int ends = 0;
    registry.addEndHook([&ends](Context &) { ++ends; });
    const int a = startListening();
    registry.end(a);
    drain();
    EXPECT_EQ(ends, 0);
}
