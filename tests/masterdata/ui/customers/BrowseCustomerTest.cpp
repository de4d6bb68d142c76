#include "masterdata/ui/customers/BrowseCustomer.h"

#include "listext/ui/IssueFolder.h"
#include "listext/ui/MassUpdateWindow.h"
#include "masterdata/customers/CustomerTagQueue.h"
#include "platform/data/Store.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/Events.h"
#include "platform/ui/WindowManager.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/TestFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>
#include <map>
#include <optional>

namespace tarvo::masterdata::ui {
namespace {

using listext::test::IssueFolder;

// The customer browse on a real data folder: three customers, two of them with contacts, and
// purchases of two programs.
class BrowseCustomerWindow : public ::testing::TestWithParam<data::StoreKind> {
  protected:
    void SetUp() override
    {
        dir.useAsConfigHome();
        QString skipReason;
        const QString folder = tarvo::test::dataFolder(dir, GetParam(), skipReason);
        if (folder.isEmpty())
            GTEST_SKIP() << skipReason.toStdString();
        data = std::make_unique<IssueFolder>(folder);
        ASSERT_TRUE(data->ok()) << data->error().toStdString();
        ferry = addCustomer("Ferry Ltd", "Take the ferry");
        plain = addCustomer("Plain Inc", "");
        none = addCustomer("Nothing bought", "");
        moved = addContact(ferry, "Mover");
        copied = addContact(ferry, "Twin");
        addPurchase(ferry, 1);
        addPurchase(plain, 2);
        user.mak = QStringLiteral("ABCD");
        user.userIniPath = dir.file(QStringLiteral("User.ini"));
    }
    void TearDown() override
    {
        if (browse)
            registry.post(browse->context().number(), Events::CloseWindow);
        tarvo::test::drainEvents();
    }

    qint64 addCustomer(const char *name, const char *direction)
    {
        data::FileManager &customers = data->file(QStringLiteral("Customer"));
        data::Record record = customers.newRecord();
        record.setValue(QStringLiteral("Searchname"), QString::fromUtf8(name));
        record.setValue(QStringLiteral("Lastname"), QString::fromUtf8(name));
        record.setValue(QStringLiteral("Direction"), QString::fromUtf8(direction));
        EXPECT_TRUE(customers.insert(record).ok());
        return record.integer(QStringLiteral("ID"));
    }
    qint64 addContact(qint64 customer, const char *name)
    {
        data::FileManager &contacts = data->file(QStringLiteral("CustomerContacts"));
        data::Record record = contacts.newRecord();
        record.setValue(QStringLiteral("ID"), customer);
        record.setValue(QStringLiteral("Lastname"), QString::fromUtf8(name));
        EXPECT_TRUE(contacts.insert(record).ok());
        return record.integer(QStringLiteral("CID"));
    }
    void addPurchase(qint64 customer, qint64 program)
    {
        data::FileManager &purchases = data->file(QStringLiteral("CustomerPrograms"));
        data::Record record = purchases.newRecord();
        record.setValue(QStringLiteral("ID"), customer);
        record.setValue(QStringLiteral("PrgID"), program);
        EXPECT_TRUE(purchases.insert(record).ok());
    }

    void openBrowse(int request = Request::None)
    {
        auto started = registry.start([this, request](Context &c) {
            c.setThreadRequest(request);
            browse = new BrowseCustomer(c, data->session(), user);
            browse->open();
        });
        ASSERT_TRUE(started.ok());
        tarvo::test::drainEvents();
        ASSERT_TRUE(browse);
        browse->frame()->resize(1000, 700);
        tarvo::test::drainEvents();
    }

    QStringList shown(listext::ui::BrowseList &list, const QString &field)
    {
        auto &model = list.model();
        while (model.canFetchMore({}))
            model.fetchMore({});
        QStringList values;
        for (int r = 0; r < model.rowCount(); ++r)
            values << model.rawValue(r, field).toString().trimmed();
        return values;
    }

    int rowOf(const QString &searchname)
    {
        return int(shown(browse->customerList(), QStringLiteral("CUS:Searchname")).indexOf(searchname));
    }

    tarvo::test::TempDir dir;
    tarvo::test::ScriptedMessages messages;
    ContextRegistry registry;
    std::unique_ptr<IssueFolder> data;
    BrowseCustomerUser user;
    QPointer<BrowseCustomer> browse;
    qint64 ferry = 0, plain = 0, none = 0, moved = 0, copied = 0;
};

TEST_P(BrowseCustomerWindow, ASearchTagsItsHitsAndTheExportImportRoundTripBringsThemBack)
{
    openBrowse();
    browse->searchText(QStringLiteral("FERRY"), false);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("No matching records found!")});
    EXPECT_TRUE(CustomerTagQueue::global().isEmpty());
    auto *onlyTagged = browse->window()->findChild<QCheckBox *>(QStringLiteral("?SFLFILTER"));
    EXPECT_FALSE(onlyTagged->isEnabled());

    // The text only stands in the directions of one customer.
    browse->searchText(QStringLiteral("FERRY"), true);
    EXPECT_EQ(CustomerTagQueue::global().ids(), std::vector<qint64>{ferry});
    EXPECT_TRUE(onlyTagged->isChecked());
    EXPECT_EQ(shown(browse->customerList(), QStringLiteral("CUS:Searchname")),
              QStringList{QStringLiteral("Ferry Ltd")});
    EXPECT_EQ(browse->window()->findChild<QLabel *>(QStringLiteral("?STR"))->text(),
              QStringLiteral("1 record marked."));

    const QString path = dir.file(QStringLiteral("customers.csv"));
    auto written = browse->exportTagged(path);
    ASSERT_TRUE(written.ok()) << written.error().message.toStdString();
    EXPECT_EQ(*written, 1);
    // Untagging the last tag shows every customer again.
    browse->tagCurrent(false);
    EXPECT_FALSE(onlyTagged->isChecked());
    EXPECT_EQ(shown(browse->customerList(), QStringLiteral("CUS:Searchname")).size(), 3);

    data->column(QStringLiteral("DELETE FROM \"Customer\" WHERE \"ID\" = %1").arg(ferry));
    auto imported = browse->importFile(path);
    ASSERT_TRUE(imported.ok()) << imported.error().message.toStdString();
    EXPECT_EQ(imported->imported, 1);
    EXPECT_TRUE(shown(browse->customerList(), QStringLiteral("CUS:Searchname"))
                    .contains(QStringLiteral("Ferry Ltd")));
    EXPECT_EQ(
        data->column(QStringLiteral("SELECT \"Direction\" FROM \"Customer\" WHERE \"ID\" = %1").arg(ferry)),
        QVariantList{QStringLiteral("Take the ferry")});
}

TEST_P(BrowseCustomerWindow, AContactDroppedOnACustomerMovesOrIsCopied)
{
    openBrowse();
    auto move = browse->dropContact(moved, rowOf(QStringLiteral("Plain Inc")), false);
    ASSERT_TRUE(move.ok());
    // The contacts list follows the customer the contact was dropped on.
    EXPECT_EQ(shown(browse->contactList(), QStringLiteral("CCO:Lastname")),
              QStringList{QStringLiteral("Mover")});
    auto copy = browse->dropContact(copied, rowOf(QStringLiteral("Plain Inc")), true);
    ASSERT_TRUE(copy.ok());
    EXPECT_NE(*copy, copied);
    EXPECT_EQ(shown(browse->contactList(), QStringLiteral("CCO:Lastname")),
              (QStringList{QStringLiteral("Mover"), QStringLiteral("Twin")}));
    EXPECT_EQ(
        data->column(
            QStringLiteral("SELECT \"Lastname\" FROM \"CustomerContacts\" WHERE \"ID\" = %1").arg(ferry)),
        QVariantList{QStringLiteral("Twin")});
}

TEST_P(BrowseCustomerWindow, ThePickerListsBuyersOfTheProgramAndCustomersWithoutPurchases)
{
    // The program of the issue that asks for its reporter.
    user.prgId = 1;
    openBrowse(Request::Select);
    EXPECT_EQ(shown(browse->customerList(), QStringLiteral("CUS:Searchname")),
              (QStringList{QStringLiteral("Ferry Ltd"), QStringLiteral("Nothing bought")}));
    // A second picker opens beside the first.
    QPointer<BrowseCustomer> first = browse;
    openBrowse(Request::Select);
    EXPECT_NE(first, browse);
    EXPECT_TRUE(first && first->isOpen());
    if (first)
        registry.post(first->context().number(), Events::CloseWindow);

    browse->customerList().goToRow(rowOf(QStringLiteral("Ferry Ltd")));
    tarvo::test::drainEvents();
    browse->contactList().goToRow(1);
    browse->pick(BrowseCustomer::PickedContact);
    EXPECT_EQ(browse->picked(), BrowseCustomer::PickedContact);
    EXPECT_EQ(data->session().file(QStringLiteral("Customer"))->buffer().integer(QStringLiteral("ID")),
              ferry);
    EXPECT_EQ(
        data->session().file(QStringLiteral("CustomerContacts"))->buffer().integer(QStringLiteral("CID")),
        copied);
}

// Window places kept in memory, by section.
class MemoryPositions final : public tarvo::ui::WindowPositionStore {
  public:
    std::optional<tarvo::ui::WindowPosition> load(const QString &section) const override
    {
        const auto it = saved.find(section);
        return it != saved.end() ? std::optional(it->second) : std::nullopt;
    }
    void save(const QString &section, const tarvo::ui::WindowPosition &position) override
    {
        saved[section] = position;
    }
    std::map<QString, tarvo::ui::WindowPosition> saved;
};

// A picker keeps its place apart: picking a reporter neither moves nor resizes the customer
// window, nor does the customer window move the next picker.
TEST_P(BrowseCustomerWindow, ThePickerKeepsItsPlaceApartFromTheCustomerWindow)
{
    MemoryPositions positions;
    tarvo::ui::WindowManager::setDefaultPositionStore(&positions);
    // Both wider than the window's least width.
    const auto openAndClose = [this](int request, QSize size) {
        openBrowse(request);
        browse->frame()->resize(size);
        tarvo::test::drainEvents();
        registry.post(browse->context().number(), Events::CloseWindow);
        tarvo::test::drainEvents();
    };
    openAndClose(Request::None, QSize(1100, 640));
    openAndClose(Request::Select, QSize(1000, 410));
    tarvo::ui::WindowManager::setDefaultPositionStore(nullptr);
    ASSERT_TRUE(positions.saved.count(QStringLiteral("BrowseCustomer")));
    EXPECT_EQ(positions.saved[QStringLiteral("BrowseCustomer")].geometry.size(), QSize(1100, 640));
    ASSERT_TRUE(positions.saved.count(QStringLiteral("BrowseCustomerSelect")));
    EXPECT_EQ(positions.saved[QStringLiteral("BrowseCustomerSelect")].geometry.size(), QSize(1000, 410));
}

TEST_P(BrowseCustomerWindow, ItsHelpButtonAsksForThePageOfCustomers)
{
    openBrowse();
    browse->frame()->findChild<QPushButton *>(QStringLiteral("?HELP"))->click();
    EXPECT_EQ(messages.texts(),
              QStringList{QStringLiteral("The help page \"%1/help/Maintaining Customer Information.htm\" "
                                         "could not be found!")
                              .arg(QCoreApplication::applicationDirPath())});
}

TEST_P(BrowseCustomerWindow, MassUpdateWritesTheChosenValuesIntoEveryTaggedCustomerAlone)
{
    openBrowse();
    browse->customerList().goToRow(rowOf(QStringLiteral("Ferry Ltd")));
    browse->tagCurrent(true);
    browse->customerList().goToRow(rowOf(QStringLiteral("Plain Inc")));
    browse->tagCurrent(true);
    int offered = -1;
    listext::ui::MassUpdateWindow::setAsker([&](QWidget *, query::MassUpdate &update, int tagged) {
        offered = tagged;
        // The number is no field to change; a salutation must be one of the list's.
        EXPECT_FALSE(update.setValue(QStringLiteral("CUS:ID"), QStringLiteral("7")).ok());
        EXPECT_FALSE(update.setValue(QStringLiteral("CUS:Address"), QStringLiteral("Sir")).ok());
        EXPECT_TRUE(update.setValue(QStringLiteral("CUS:Status"), QStringLiteral("disabled")).ok());
        return true;
    });
    browse->takeAccepted(QStringLiteral("?AKTUALISIEREN"));
    listext::ui::MassUpdateWindow::setAsker({});
    EXPECT_EQ(offered, 2);
    EXPECT_EQ(data->column(QStringLiteral("SELECT \"ID\" FROM \"Customer\" WHERE \"Status\" = 'disabled' "
                                          "AND \"ChangedBy\" = 'ABC' ORDER BY \"ID\"")),
              (QVariantList{ferry, plain}));
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Stores, BrowseCustomerWindow,
                         ::testing::Values(data::StoreKind::Sqlite, data::StoreKind::Postgres),
                         [](const ::testing::TestParamInfo<data::StoreKind> &info) {
                             return std::string(info.param == data::StoreKind::Sqlite ? "SQLite"
                                                                                      : "PostgreSQL");
                         });

} // namespace
} // namespace tarvo::masterdata::ui
