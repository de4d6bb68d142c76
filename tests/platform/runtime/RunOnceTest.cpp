#include "platform/runtime/RunOnce.h"

#include "platform/runtime/ContextRegistry.h"

#include <QCoreApplication>

#include <gtest/gtest.h>
#include <vector>

using tarvo::Context;
using tarvo::ContextRegistry;
using tarvo::PostedEvent;
using tarvo::RunOnce;
namespace Events = tarvo::Events;
namespace Request = tarvo::Request;

namespace {

void drain()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::sendPostedEvents();
}

// A window that may run once, reduced to what the slot sees: it opens when admitted, takes its
// context's events, and releases the slot when it closes.
class OnceOnly : public ::testing::Test {
  protected:
    struct Window {
        Context *context = nullptr;
        Context::ReceiverId receiver = 0;
        bool held = false;
        std::vector<int> events;
    };

    int startWindow(int request = Request::None)
    {
        return *registry.start([this, request](Context &c) {
            c.setThreadRequest(request);
            openOn(c);
        });
    }
    void openOn(Context &c)
    {
        const auto admission = slot.admit(c);
        if (admission == RunOnce::Admission::Refused)
            return;
        auto &w = windows[c.number()];
        w.context = &c;
        w.held = admission == RunOnce::Admission::AdmittedAndHeld;
        w.receiver = c.addReceiver([&w](const PostedEvent &e) { w.events.push_back(e.event); });
    }
    void closeWindow(int number)
    {
        Window &w = windows[number];
        if (w.held)
            slot.release(w.context->ref());
        w.context->removeReceiver(w.receiver);
        w.context = nullptr;
    }

    ContextRegistry registry;
    RunOnce slot{registry};
    Window windows[ContextRegistry::MaxNumber + 1];
};

} // namespace

TEST_F(OnceOnly, ASecondStartBringsTheRunningOneForwardAndOpensNothing)
{
    const int first = startWindow();
    drain();
    EXPECT_EQ(slot.number(), first);
    const int second = startWindow();
    drain();
    EXPECT_EQ(windows[second].context, nullptr);
    EXPECT_EQ(registry.context(second), nullptr) << "the refused start ends its context";
    EXPECT_EQ(windows[first].events, (std::vector<int>{Events::GainFocus}));
    EXPECT_EQ(slot.number(), first);
}

TEST_F(OnceOnly, AfterTheRunningOneClosesItOpensAgain)
{
    const int first = startWindow();
    drain();
    closeWindow(first);
    drain();
    EXPECT_EQ(slot.number(), 0);
    const int again = startWindow();
    drain();
    ASSERT_NE(windows[again].context, nullptr);
    EXPECT_EQ(slot.number(), again);
}

TEST_F(OnceOnly, ASelectionOpensBesideTheRunningOneWithoutTakingTheSlot)
{
    const int running = startWindow();
    drain();
    // A picker runs on its caller's context, here the frame's.
    Context &frame = registry.openFirst();
    frame.setThreadRequest(Request::Select);
    openOn(frame);
    ASSERT_NE(windows[1].context, nullptr);
    EXPECT_TRUE(windows[running].events.empty());
    closeWindow(1);
    EXPECT_EQ(slot.number(), running) << "the picker's close leaves the running one's slot alone";
}

TEST_F(OnceOnly, ASlotWhoseContextEndedWithoutReleaseIsFree)
{
    const int first = startWindow();
    drain();
    registry.end(first);
    EXPECT_EQ(slot.number(), 0);
    const int next = startWindow();
    drain();
    EXPECT_NE(windows[next].context, nullptr);
}
