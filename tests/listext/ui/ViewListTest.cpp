#include "listext/ViewRowSource.h"
#include "listext/ui/ModelCheck.h"
#include "listext/ui/XploreClass.h"
#include "platform/data/Dictionary.h"
#include "platform/data/Session.h"
#include "support/ScriptedMessages.h"
#include "support/SmallBugStore.h"
#include "support/TempDir.h"

#include <QTableView>

#include <gtest/gtest.h>

using namespace tarvo;
using namespace tarvo::listext;
using namespace tarvo::listext::ui;

namespace {

ColumnDefinitions bugColumns()
{
    ColumnDefinition id;
    id.field = QStringLiteral("BUG:ID");
    id.header = id.description = QStringLiteral("ID");
    id.picture = QStringLiteral("@n_7");
    id.sortable = true;
    ColumnDefinition status;
    status.field = QStringLiteral("BUG:Status");
    status.header = status.description = QStringLiteral("Status");
    status.picture = QStringLiteral("@s20");
    status.sortable = true;
    return {id, status};
}

// The browse extension over a real view of an SQLite store.
TEST(ViewList, PagesSortsAndFiltersAViewOfTheStore)
{
    tarvo::test::TempDir dir;
    tarvo::test::ScriptedMessages messages;
    tarvo::test::SilentReporter reporter;
    auto dict = data::Dictionary::open(tarvo::test::smallBugDictionary(), dir.path());
    ASSERT_TRUE(dict.ok()) << dict.error().message.toStdString();
    auto session = dict.value()->createSession(1, &reporter);
    data::FileManager &bugs = *session->file(QStringLiteral("Bugs"));
    ASSERT_TRUE(bugs.open().ok());
    const QStringList statuses{QStringLiteral("open"), QStringLiteral("Open"), QStringLiteral("<>odd*'s")};
    for (int i = 1; i <= 120; ++i) {
        data::Record r = bugs.newRecord();
        r.setValue(QStringLiteral("ID"), i);
        r.setValue(QStringLiteral("Status"), statuses.at(i % 3));
        r.setValue(QStringLiteral("Description"), QStringLiteral("Issue %1").arg(i));
        ASSERT_TRUE(bugs.insert(r).ok());
    }

    ViewRowSource source(bugs, QStringLiteral("BUG:KeyID"));
    QTableView view;
    XploreClass xplore(&view, source, bugColumns(), 0x2E1FFEF7);
    xplore.model()->setPageSize(25);
    xplore.buildPopup();
    tarvo::listext::test::ModelCheck check(xplore.model());
    ASSERT_TRUE(xplore.model()->reload().ok());
    EXPECT_EQ(xplore.model()->rowCount(), 120);
    EXPECT_EQ(xplore.model()->heldCount(), 25);

    xplore.headerClicked(0);
    xplore.headerClicked(0);
    EXPECT_EQ(xplore.model()->rawValue(0, QStringLiteral("BUG:ID")).toInt(), 120);

    const int odd = 1; // ID 119 in descending order: status "<>odd*'s"
    ASSERT_EQ(xplore.model()->rawValue(odd, QStringLiteral("BUG:Status")).toString(),
              QStringLiteral("<>odd*'s"));
    xplore.prepareCell(xplore.model()->index(odd, 1));
    xplore.takeEvent(XploreEvent::FilterEqual);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(source.count().value(), 40);
    xplore.prepareCell(xplore.model()->index(0, 0));
    xplore.takeEvent(XploreEvent::FilterLess); // ID < 119, beside the status filter
    EXPECT_EQ(source.count().value(), 39);
    xplore.takeEvent(XploreEvent::VoidFilters);
    EXPECT_EQ(source.count().value(), 120);

    // "open" without regard to case: both spellings.
    xplore.prepareCell(xplore.model()->index(2, 1));
    ASSERT_EQ(xplore.model()->rawValue(2, QStringLiteral("BUG:Status")).toString().toUpper(),
              QStringLiteral("OPEN"));
    xplore.takeEvent(XploreEvent::FilterEqual);
    EXPECT_EQ(source.count().value(), 80);
}

} // namespace
