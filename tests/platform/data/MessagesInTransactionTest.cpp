#include "DataTestSupport.h"
#include "platform/data/Connection.h"
#include "platform/data/ErrorClassReporter.h"
#include "platform/data/RecordHolds.h"
#include "platform/runtime/ErrorClass.h"
#include "platform/runtime/Messages.h"

#include <QEventLoop>
#include <QSqlQuery>
#include <QTimer>

using namespace tarvo::data;

namespace tarvo::test {

namespace {

// Answers messages as a message box does: its event loop runs until the user clicks, so the
// holds' renew timer and other windows go on meanwhile.
class ClickedLater final : public MessageHandler {
  public:
    explicit ClickedLater(Connection &connection) : m_connection(connection) { Messages::setHandler(this); }
    ~ClickedLater() override { Messages::setHandler(nullptr); }

    int show(const MessageRequest &request) override
    {
        texts << request.text;
        depthWhileShown.push_back(m_connection.transactionDepth());
        QEventLoop loop;
        QTimer::singleShot(400, &loop, &QEventLoop::quit);
        loop.exec();
        return defaultButtonOf(request);
    }
    bool stop(const QString &) override { return true; }

    QStringList texts;
    std::vector<int> depthWhileShown;

  private:
    Connection &m_connection;
};

// Reports through the error object and notes what the user had seen when the report was made.
class NotingReporter final : public ErrorReporter {
  public:
    NotingReporter(ErrorClass &errors, const ClickedLater &boxes) : m_inner(errors), m_boxes(boxes) {}
    int report(const FileError &error) override
    {
        const int answer = m_inner.report(error);
        shownWhenReported.push_back(int(m_boxes.texts.size()));
        keptWhenReported.push_back(Messages::kept());
        return answer;
    }
    std::vector<int> shownWhenReported;
    std::vector<int> keptWhenReported;

  private:
    ErrorClassReporter m_inner;
    const ClickedLater &m_boxes;
};

} // namespace

class MessagesInTransactionTest : public StoreTest {
  protected:
    qint64 leaseExpiry()
    {
        auto conn = m_session->connection();
        auto q = (*conn)->exec(QStringLiteral("SELECT \"expires\" FROM \"_tarvo_holds\""));
        EXPECT_TRUE(q.ok() && q.value()->next());
        return q ? q.value()->value(0).toLongLong() : 0;
    }
};
TARVO_STORE_TEST_SUITE(MessagesInTransactionTest);

// A refused delete reports inside its transaction: the report waits for the rollback, and the
// renewals the timer writes while the user reads it are not rolled back with the delete.
TEST_P(MessagesInTransactionTest, AReportInsideATransactionIsShownAfterItAndLosesNoWrite)
{
    openDictionary();
    const Record customer = add("Customer", {{"Name", "Owing"}});
    add("Invoice", {{"CustomerID", customer.integer("ID")}, {"Amount", 10}});
    auto other = m_dict->createSession(2, &m_reporter);
    Record held = customer;
    other->holds().setLeaseMilliseconds(150);
    ASSERT_TRUE(other->holds().hold(*other->file("Customer"), held).ok());
    const qint64 leaseBefore = leaseExpiry();

    ErrorClass errors;
    errors.init(QStringLiteral("English"));
    ClickedLater boxes(**m_session->connection());
    NotingReporter reporter(errors, boxes);
    m_session->setReporter(&reporter);
    Record victim = customer;
    const auto removed = rm("Customer").remove(victim);
    m_session->setReporter(&m_reporter);

    EXPECT_FALSE(removed.ok());
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_EQ(reporter.shownWhenReported, std::vector<int>{0}) << "held, not shown, inside the transaction";
    EXPECT_EQ(reporter.keptWhenReported, std::vector<int>{1});
    EXPECT_EQ(boxes.depthWhileShown, std::vector<int>{0}) << "shown once the transaction had ended";
    EXPECT_EQ(Messages::kept(), 0);
    EXPECT_EQ(count("Customer"), 1);
    EXPECT_GE(leaseExpiry(), leaseBefore + 200) << "the renewals during the message were kept";
    other->holds().releaseAll();
}

} // namespace tarvo::test
