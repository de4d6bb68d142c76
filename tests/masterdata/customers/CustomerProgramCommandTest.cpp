#include "masterdata/customers/CustomerProgramCommand.h"

#include "core/conversions/TarvoDataFixture.h"
#include "platform/data/FileManager.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

namespace tarvo::masterdata {
namespace {

class CustomerProgramCommandTest : public test::TarvoDataFixture {
  protected:
    void SetUp() override
    {
        TarvoDataFixture::SetUp();
        m_customer = session().file(QStringLiteral("Customer"))->newRecord();
        m_customer.setValue(QStringLiteral("ID"), 42);
        m_customer.setValue(QStringLiteral("Lastname"), QStringLiteral("x & rm -rf ~"));
        m_customer.setValue(QStringLiteral("Firstname"), QStringLiteral("$(touch pwned) `id`; \"q\""));
        m_purchase = session().file(QStringLiteral("CustomerPrograms"))->newRecord();
        m_purchase.setValue(QStringLiteral("PrgID"), 7);
        m_purchase.setValue(QStringLiteral("RegCode"), QStringLiteral("AB CD"));
    }

    CustomerProgramCommand command(const QString &line)
    {
        return CustomerProgramCommand(line, m_customer, m_purchase, 80000, 100);
    }

    data::Record m_customer;
    data::Record m_purchase;
};

TEST_F(CustomerProgramCommandTest, EachFilledValueIsOneArgumentWhateverItHolds)
{
    const CustomerProgramCommand c =
        command(QStringLiteral("\"/opt/reg tool/run\" --customer=^CUS:ID^ ^cus:lastname^ ^CUS:Firstname^ "
                               "\"^CUP:RegCode^\" ^CUP:PrgID^-^BUG:Status^ ^Nothing:here^"));
    EXPECT_EQ(c.program(), QStringLiteral("/opt/reg tool/run"));
    EXPECT_EQ(c.arguments(),
              (QStringList{QStringLiteral("--customer=42"), QStringLiteral("x & rm -rf ~"),
                           QStringLiteral("$(touch pwned) `id`; \"q\""), QStringLiteral("AB CD"),
                           QStringLiteral("7-^BUG:Status^"), QStringLiteral("^Nothing:here^")}));
}

TEST_F(CustomerProgramCommandTest, EmptyOrMissingProgramIsAnErrorAndNothingRuns)
{
    EXPECT_FALSE(command(QStringLiteral("   ")).start().ok());
    const auto missing = command(QStringLiteral("/no/such/program ^CUS:Lastname^")).start();
    ASSERT_FALSE(missing.ok());
    EXPECT_TRUE(missing.error().message.contains(QStringLiteral("/no/such/program")));
}

// The real program receives the customer's name as one argument, untouched by any shell.
TEST_F(CustomerProgramCommandTest, TheStartedProgramReceivesTheNameAsOneArgument)
{
    const QString script = m_dir.path() + QStringLiteral("/args.sh");
    const QString out = m_dir.path() + QStringLiteral("/args.txt");
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.part\"\nmv \"$0.part\" \"" +
               out.toUtf8() + "\"\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    ASSERT_TRUE(command(script + QStringLiteral(" ^CUS:Lastname^ ^CUS:ID^")).start().ok());
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(out) && waited.elapsed() < 10000)
        QThread::msleep(20);
    QFile result(out);
    ASSERT_TRUE(result.open(QIODevice::ReadOnly));
    EXPECT_EQ(result.readAll(), QByteArray("x & rm -rf ~\n42\n"));
}

} // namespace
} // namespace tarvo::masterdata
