#include "masterdata/ui/customers/CustomerForms.h"

#include "core/services/MailServices.h"
#include "core/services/Services.h"
#include "core/startup/SettingsRecord.h"
#include "listext/ui/IssueFolder.h"
#include "masterdata/ui/customers/UpdateCustomer.h"
#include "masterdata/ui/customers/UpdateCustomerPrograms.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QDir>

#include <gtest/gtest.h>

namespace tarvo::masterdata::ui {
namespace {

void drain()
{
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Keeps the refresh notices the forms send.
class SentNotices final : public core::RefreshNotices {
  public:
    void sendRefresh(const QString &files, int) override { sent << files; }
    bool needsRefresh(int, qint32 &, qint32 &, const QString &) override { return false; }
    QStringList sent;
};

// The customer forms on a real data folder, with settings whose currency is the euro.
class CustomerForms : public ::testing::Test {
  protected:
    void SetUp() override
    {
        dir.useAsConfigHome();
        const QString folder = dir.file(QStringLiteral("data"));
        QDir().mkpath(folder);
        data = std::make_unique<listext::test::IssueFolder>(folder);
        ASSERT_TRUE(data->ok()) << data->error().toStdString();
        data::Record settings = data->file(QStringLiteral("Parameter")).newRecord();
        settings.setValue(QStringLiteral("Currency"), QStringLiteral("EUR"));
        core::SettingsRecord::instance().set(settings);
        core::Services::setRefreshNotices(&notices);
        data::FileManager &customers = data->file(QStringLiteral("Customer"));
        customers.buffer() = customers.newRecord();
        customers.buffer().setValue(QStringLiteral("Lastname"), QStringLiteral("x & rm -rf ~"));
        ASSERT_TRUE(customers.insert(customers.buffer()).ok());
    }
    void TearDown() override
    {
        if (form)
            form->close();
        drain();
        core::SettingsRecord::instance().clear();
        core::Services::setRefreshNotices(nullptr);
    }

    template <class Form> Form *open(int request)
    {
        Context &c = *context;
        c.setThreadRequest(request);
        auto *opened = new Form(c, data->session());
        opened->openModal(nullptr, [](int) {});
        form = opened;
        drain();
        return opened;
    }

    tarvo::test::TempDir dir;
    tarvo::test::ScriptedMessages messages;
    SentNotices notices;
    // The thread the forms run on.
    std::shared_ptr<Context> context = std::make_shared<Context>(2);
    std::unique_ptr<listext::test::IssueFolder> data;
    QPointer<tarvo::ui::UpdateForm> form;
};

TEST_F(CustomerForms, ANewPurchaseTakesTheSettingsCurrencyAndTheFirstPeriod)
{
    auto *purchase = open<UpdateCustomerPrograms>(Request::Insert);
    ASSERT_TRUE(purchase->isOpen());
    const data::Record &r = purchase->record();
    EXPECT_EQ(r.text(QStringLiteral("PurchasedCurrency")), QStringLiteral("EUR"));
    EXPECT_EQ(r.text(QStringLiteral("ContractCurrency")), QStringLiteral("EUR"));
    EXPECT_EQ(r.text(QStringLiteral("ContractPeriod")), QStringLiteral("monthly"));
    EXPECT_EQ(r.integer(QStringLiteral("ID")),
              data->file(QStringLiteral("Customer")).buffer().integer(QStringLiteral("ID")));
}

TEST_F(CustomerForms, AnEmptyOrFailingCommandIsReportedAndTheFormStaysOpen)
{
    auto *purchase = open<UpdateCustomerPrograms>(Request::Insert);
    purchase->runCommand();
    core::SettingsRecord::instance().update([](data::Record &settings) {
        settings.setValue(QStringLiteral("CUSTOMERREGCODEPROGRAM"),
                          QStringLiteral("/no/such/tool ^CUS:Lastname^"));
    });
    purchase->runCommand();
    EXPECT_EQ(messages.texts(),
              (QStringList{QStringLiteral("No program is set for customer programs."),
                           QStringLiteral("The program /no/such/tool cannot be started.")}));
    EXPECT_TRUE(purchase->isOpen());
}

TEST_F(CustomerForms, ACompanyHasNoFirstNameAndANewCustomerIsFoundByItsLastName)
{
    auto *customer = open<UpdateCustomer>(Request::Insert);
    ASSERT_TRUE(customer->isOpen());
    const PersonPages &pages = customer->pages();
    pages.salutation()->setCurrentText(QStringLiteral("Company"));
    EXPECT_EQ(pages.lastnamePrompt()->text(), QStringLiteral("Company:"));
    EXPECT_TRUE(pages.firstnamePrompt()->text().isEmpty());
    pages.salutation()->setCurrentText(QStringLiteral("Mrs."));
    EXPECT_EQ(pages.firstnamePrompt()->text(), QStringLiteral("Firstname:"));

    pages.lastname()->setText(QStringLiteral("Acme"));
    Q_EMIT pages.lastname()->editingFinished();
    ASSERT_TRUE(customer->ok());
    drain();
    // The open lists of customers, their purchases, issues and contacts read again.
    EXPECT_EQ(notices.sent, QStringList{QStringLiteral("|Customer|CustomerPrograms|Bugs|CustomerContacts|")});
    EXPECT_EQ(
        data->column(QStringLiteral("SELECT \"Searchname\" FROM \"Customer\" WHERE \"Lastname\" = 'Acme'")),
        QVariantList{QStringLiteral("Acme")});
}

TEST_F(CustomerForms, WithTheBritishInterfaceTheCountyIsChosenFromTheListAndStoredAsTheProvince)
{
    core::SettingsRecord::instance().update([](data::Record &settings) {
        settings.setValue(QStringLiteral("Language"), QStringLiteral("English (UK)"));
    });
    auto *customer = open<UpdateCustomer>(Request::Insert);
    auto *county = customer->window()->findChild<QComboBox *>(QStringLiteral("CUS:Province:2"));
    ASSERT_TRUE(county);
    EXPECT_EQ(county->count(), 92);
    county->setCurrentText(QStringLiteral("Newry & Mourne"));
    customer->pages().lastname()->setText(QStringLiteral("Belfast Ltd"));
    ASSERT_TRUE(customer->ok());
    EXPECT_EQ(data->column(
                  QStringLiteral("SELECT \"Province\" FROM \"Customer\" WHERE \"Lastname\" = 'Belfast Ltd'")),
              QVariantList{QStringLiteral("Newry & Mourne")});
}

} // namespace
} // namespace tarvo::masterdata::ui
