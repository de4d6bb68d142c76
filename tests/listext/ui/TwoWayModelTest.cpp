#include "listext/MemoryRowSource.h"
#include "listext/ui/BrowseListModel.h"
#include "listext/ui/ModelCheck.h"

#include <gtest/gtest.h>

using namespace tarvo;
using namespace tarvo::listext;
using namespace tarvo::listext::ui;

namespace {

constexpr int Rows = 10000;

std::vector<QVariantList> numbered(int from, int to)
{
    std::vector<QVariantList> rows;
    for (int id = from; id <= to; ++id)
        rows.push_back({id, QStringLiteral("Issue %1").arg(id)});
    return rows;
}

ColumnDefinitions columns()
{
    ColumnDefinition id;
    id.field = QStringLiteral("BUG:ID");
    id.header = QStringLiteral("ID");
    ColumnDefinition description;
    description.field = QStringLiteral("BUG:Description");
    description.header = QStringLiteral("Description");
    return {id, description};
}

// Ten thousand rows in pages of 20, of which the model may hold three pages.
class TwoWayModel : public ::testing::Test {
  protected:
    void SetUp() override
    {
        source.setRows(numbered(1, Rows));
        ASSERT_TRUE(source.setOrder({{QStringLiteral("BUG:ID"), false, false}}).ok());
        model.setPageSize(20);
        model.setWindowPages(3);
        ASSERT_TRUE(model.reload().ok());
    }
    int idAt(int row) const { return model.data(model.index(row, 0)).toInt(); }

    MemoryRowSource source{{QStringLiteral("BUG:ID"), QStringLiteral("BUG:Description")}};
    BrowseListModel model{source, columns()};
    test::ModelCheck check{&model};
};

// Wherever the view asks, the row there is the true one (the scroll bar stands for the whole
// list), and never more than the window is held.
TEST_F(TwoWayModel, HoldsAWindowOfPagesWhereverRowsAreAskedFor)
{
    EXPECT_EQ(model.rowCount(), Rows);
    EXPECT_EQ(model.heldCount(), 20);
    const int visits[] = {0, 45, 30, Rows - 1, Rows - 70, 5000, 4985, 5061, 4900, 123, 9950, 0, 2};
    for (const int row : visits) {
        SCOPED_TRACE(row);
        EXPECT_EQ(idAt(row), row + 1);
        EXPECT_LE(model.heldCount(), 60);
        EXPECT_LE(model.firstHeld(), row);
        EXPECT_LT(row, model.firstHeld() + model.heldCount());
    }
    // A jump far away reads the page there, not the rows between.
    const int pages = source.pagesRead();
    EXPECT_EQ(idAt(7000), 7001);
    EXPECT_EQ(source.pagesRead() - pages, 1);
}

TEST_F(TwoWayModel, LocatesAndFindsTheRowAgainAfterRowsArrivedOrWentBeforeIt)
{
    EXPECT_EQ(model.locate({QStringLiteral("7000")}).value(), 6999);
    EXPECT_EQ(model.locate({Rows + 5}).value(), Rows - 1); // none at or after: the last row

    // Ten rows that sort first arrive: the row of ID 501 is now ten rows further down.
    auto rows = numbered(1, Rows);
    for (const auto &r : numbered(-10, -1))
        rows.push_back(r);
    EXPECT_EQ(idAt(500), 501);
    source.setRows(rows);
    auto at = model.refresh(500);
    ASSERT_TRUE(at.ok());
    EXPECT_EQ(at.value(), 510);
    EXPECT_EQ(model.rowCount(), Rows + 10);
    EXPECT_EQ(idAt(510), 501);

    // The row goes: the one that took its place is current.
    rows.erase(rows.begin() + 500);
    source.setRows(rows);
    at = model.refresh(510);
    ASSERT_TRUE(at.ok());
    EXPECT_EQ(at.value(), 510);
    EXPECT_EQ(idAt(510), 502);
}

} // namespace
