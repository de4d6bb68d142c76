#include "core/frame/SyncToolbarStates.h"

#include "core/frame/FrameGlobals.h"
#include "platform/runtime/ContextRegistry.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace tarvo::core {
namespace {

class SyncToolbarStatesTest : public testing::Test {
  protected:
    void SetUp() override
    {
        FrameGlobals::instance().reset();
        for (ToolbarKind kind : {ToolbarKind::Navigation, ToolbarKind::Update}) {
            const int number = *m_registry.start({});
            Context *context = m_registry.context(number);
            context->addReceiver([this, kind](const PostedEvent &e) { m_events.append({kind, e.event}); });
            FrameGlobals::instance().setToolbarContext(kind, context->ref());
        }
    }
    void TearDown() override { FrameGlobals::instance().reset(); }
    void settle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

    ContextRegistry m_registry;
    QList<std::pair<ToolbarKind, int>> m_events;
};

TEST_F(SyncToolbarStatesTest, PostsRefreshOnlyToTheToolbarWhoseButtonsChanged)
{
    settle();
    RecordButtonStates disabled{};
    disabled[std::size_t(recordButtonIndex(3003))] = true; // Delete
    SyncToolbarStates(m_registry, disabled);
    settle();
    ASSERT_EQ(m_events.size(), 1);
    EXPECT_EQ(m_events[0], std::make_pair(ToolbarKind::Update, int(Events::ToolbarRefresh)));
    EXPECT_TRUE(FrameGlobals::instance().savedButtonDisabled()[std::size_t(recordButtonIndex(3003))]);

    m_events.clear();
    SyncToolbarStates(m_registry, disabled); // nothing changed
    disabled[std::size_t(recordButtonIndex(3009))] = true;
    SyncToolbarStates(m_registry, disabled);
    settle();
    ASSERT_EQ(m_events.size(), 1);
    EXPECT_EQ(m_events[0].first, ToolbarKind::Navigation);
}

TEST_F(SyncToolbarStatesTest, AClosedToolbarGetsNothing)
{
    m_registry.end(FrameGlobals::instance().toolbarContext(ToolbarKind::Update).number);
    RecordButtonStates disabled{};
    disabled.fill(true);
    SyncToolbarStates(m_registry, disabled);
    settle();
    ASSERT_EQ(m_events.size(), 1);
    EXPECT_EQ(m_events[0].first, ToolbarKind::Navigation);
}

} // namespace
} // namespace tarvo::core
