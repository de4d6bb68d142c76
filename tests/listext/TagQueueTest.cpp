#include "listext/TagQueue.h"

#include <gtest/gtest.h>

namespace tarvo::listext {

// Rows that share an ID (one customer's purchases) are tagged apart by their further values; a
// row tagged by its ID alone is another tag, and the IDs are named once each.
TEST(TagQueueTest, RowsSharingAnIdAreTaggedApart)
{
    TagQueue tags;
    EXPECT_TRUE(tags.toggle({7, 1, 80100}));
    EXPECT_TRUE(tags.toggle({7, 1, 80000}));
    tags.add({3, 1, 0});
    EXPECT_FALSE(tags.contains(7));
    EXPECT_TRUE(tags.contains({7, 1, 80000}));
    EXPECT_EQ(tags.ids(), (std::vector<qint64>{3, 7}));
    EXPECT_EQ(tags.size(), 3);
    EXPECT_EQ(tags.tags().front(), (TagQueue::Tag{3, 1, 0}));

    EXPECT_FALSE(tags.toggle({7, 1, 80100}));
    EXPECT_TRUE(tags.contains({7, 1, 80000}));

    std::vector<std::vector<TagQueue::Tag>> pages = {{{9, 2, 5}, {9, 2, 4}}, {{9, 2, 5}}, {}};
    size_t next = 0;
    ASSERT_TRUE(tags.tagAll([&]() -> Result<std::vector<TagQueue::Tag>> { return pages[next++]; }).ok());
    EXPECT_EQ(tags.tags(), (std::vector<TagQueue::Tag>{{9, 2, 4}, {9, 2, 5}}));
}

} // namespace tarvo::listext
