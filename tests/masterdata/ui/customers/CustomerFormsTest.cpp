#include "masterdata/ui/customers/CustomerForms.h"

#include "core/services/AccessStandIn.h"
#include "core/services/IssueStandIn.h"
#include "core/services/MailServices.h"
#include "core/services/Services.h"
#include "core/startup/SettingsRecord.h"
#include "listext/ui/IssueFolder.h"
#include "masterdata/ui/customers/UpdateCustomer.h"
#include "masterdata/ui/customers/UpdateCustomerContacts.h"
#include "masterdata/ui/customers/UpdateCustomerPrograms.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <QTableView>

#include <functional>
#include <gtest/gtest.h>
#include <utility>

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

// Each form's Help button asks for the form's own page of the help (the contact has none and asks
// for the contents); the pages are missing here, which is said with the page's path.
TEST_F(CustomerForms, EachFormsHelpButtonAsksForItsOwnPage)
{
    const std::pair<std::function<tarvo::ui::UpdateForm *()>, QString> forms[] = {
        {[this]() { return open<UpdateCustomer>(Request::Insert); },
         QStringLiteral("Adding Updating Customers.htm")},
        {[this]() { return open<UpdateCustomerContacts>(Request::Insert); }, QStringLiteral("Tarvo.html")},
        {[this]() { return open<UpdateCustomerPrograms>(Request::Insert); },
         QStringLiteral("UpdatingCustomerPrograms.htm")},
    };
    for (const auto &[opener, page] : forms) {
        tarvo::ui::UpdateForm *opened = opener();
        ASSERT_TRUE(opened->isOpen()) << qPrintable(page);
        messages.clear();
        auto *help = opened->window()->findChild<QPushButton *>(QStringLiteral("HELP"));
        ASSERT_TRUE(help && help->isEnabled()) << qPrintable(page);
        help->click();
        EXPECT_EQ(messages.texts(),
                  QStringList{QStringLiteral("The help page \"%1/help/%2\" could not be found!")
                                  .arg(QCoreApplication::applicationDirPath(), page)});
        opened->close();
        drain();
    }
}

// The issue form as the customer form calls it: which issue its buffer held, under which request.
class CalledIssues final : public core::IssueStandIn {
  public:
    void updateBugs(int, core::FormDone done) override
    {
        called.emplace_back(bugs->buffer().integer(QStringLiteral("BUG:ID")), context->threadRequest());
        done(Response::Completed);
    }
    data::FileManager *bugs = nullptr;
    Context *context = nullptr;
    std::vector<std::pair<qint64, int>> called;
};

TEST_F(CustomerForms, AReportedIssueOpensInTheIssueFormWhichIsTheListsOnlyButton)
{
    data::FileManager &customers = data->file(QStringLiteral("Customer"));
    const qint64 customerId = customers.buffer().integer(QStringLiteral("ID"));
    data::FileManager &bugs = data->file(QStringLiteral("Bugs"));
    const qint64 issueId =
        data->column(QStringLiteral("SELECT MIN(\"ID\") FROM \"Bugs\"")).value(0).toLongLong();
    data->column(QStringLiteral("UPDATE \"Bugs\" SET \"ReportedByID\" = ? WHERE \"ID\" = ?"),
                 {customerId, issueId});
    CalledIssues issues;
    issues.bugs = &bugs;
    issues.context = context.get();
    core::Services::setIssues(&issues);

    auto *customer = open<UpdateCustomer>(Request::Change);
    ASSERT_TRUE(customer->isOpen());
    QWidget *window = customer->window();
    EXPECT_EQ(window->findChild<QPushButton *>(QStringLiteral("Insert:2")), nullptr);
    EXPECT_EQ(window->findChild<QPushButton *>(QStringLiteral("Delete:2")), nullptr);
    QPushButton *change = window->findChild<QPushButton *>(QStringLiteral("Change:2"));
    ASSERT_NE(change, nullptr);
    QTableView *list = window->findChild<QWidget *>(QStringLiteral("T4"))->findChild<QTableView *>();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->model()->rowCount(), 1);
    list->setCurrentIndex(list->model()->index(0, 0));
    change->click();
    drain();
    core::Services::setIssues(nullptr);
    EXPECT_EQ(issues.called, (std::vector<std::pair<qint64, int>>{{issueId, Request::Change}}));
}

// A user "AB" who may see only the issues he is responsible for.
class BoundUser final : public core::AccessStandIn {
  public:
    QString getValue(const QString &key, const QString &) override
    {
        return key == QLatin1String("BEN:UserByte1") ? QStringLiteral("1") : QString();
    }
    QString mak() const override { return QStringLiteral("ab"); }
};

TEST_F(CustomerForms, ABoundUserSeesOnlyTheReportedIssuesNamingHisInitialsWholeUntilTheStateIsOff)
{
    const qint64 customerId = data->file(QStringLiteral("Customer")).buffer().integer(QStringLiteral("ID"));
    const QVariantList ids =
        data->column(QStringLiteral("SELECT \"ID\" FROM \"Bugs\" ORDER BY \"ID\" LIMIT 3"));
    ASSERT_EQ(ids.size(), 3);
    const char *persons[] = {"AB|CD", "ABC", "cd|ab"};
    for (int i = 0; i < 3; ++i)
        data->column(QStringLiteral("UPDATE \"Bugs\" SET \"ReportedByID\" = ?, \"AllResponsiblePersons\" = ? "
                                    "WHERE \"ID\" = ?"),
                     {customerId, QString::fromLatin1(persons[i]), ids.at(i)});
    BoundUser user;
    core::Services::setAccess(&user);

    auto *customer = open<UpdateCustomer>(Request::Change);
    ASSERT_TRUE(customer->isOpen());
    ASSERT_NE(customer->onlyMine(), nullptr);
    EXPECT_TRUE(customer->onlyMine()->isChecked());
    EXPECT_FALSE(customer->onlyMine()->isVisible());
    EXPECT_EQ(customer->issues().model().rowCount(), 2);
    customer->onlyMine()->setChecked(false);
    drain();
    EXPECT_EQ(customer->issues().model().rowCount(), 3);
    customer->close();
    drain();
    core::Services::setAccess(nullptr);
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
