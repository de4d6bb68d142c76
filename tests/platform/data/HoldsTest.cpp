#include "DataTestSupport.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/RecordHolds.h"

#include <QThread>

using namespace tarvo::data;

namespace tarvo::test {

class HoldsTest : public StoreTest {};
TARVO_STORE_TEST_SUITE(HoldsTest);

TEST_P(HoldsTest, AnotherOwnersHoldIsRefusedUntilReleasedOrExpired)
{
    openDictionary();
    Record r = add("Customer", {{"Name", "held"}});
    auto second = m_dict->createSession(2, &m_reporter);
    FileManager &mine = fm("Customer");
    FileManager &theirs = *second->file("Customer");

    ASSERT_TRUE(m_session->holds().hold(mine, r).ok());
    ASSERT_TRUE(m_session->holds().hold(mine, r).ok()) << "holding again renews the own hold";
    auto refused = second->holds().hold(theirs, r);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().code, ErrorCode::RecordHeld);

    m_session->holds().release(mine, r);
    ASSERT_TRUE(second->holds().hold(theirs, r).ok());
    second->holds().releaseAll();

    // A holder that stops renewing (a crashed copy) loses the hold when its lease runs out.
    m_session->holds().setLeaseMilliseconds(150);
    ASSERT_TRUE(m_session->holds().hold(mine, r).ok());
    EXPECT_FALSE(second->holds().hold(theirs, r).ok());
    QThread::msleep(300);
    EXPECT_TRUE(second->holds().hold(theirs, r).ok());
    EXPECT_FALSE(m_session->holds().hold(mine, r).ok());
}

} // namespace tarvo::test
