#include "issues/BugTagQueue.h"

#include <gtest/gtest.h>

namespace tarvo::issues {

TEST(BugTagQueueTest, KeepsIdsSortedAndCountsThem)
{
    BugTagQueue tags;
    EXPECT_TRUE(tags.toggle(9));
    EXPECT_TRUE(tags.toggle(2));
    tags.add(5);
    tags.add(5);
    EXPECT_EQ(tags.ids(), (std::vector<qint64>{2, 5, 9}));
    EXPECT_FALSE(tags.toggle(5));
    EXPECT_FALSE(tags.contains(5));
    const auto german = [](const QString &t) { return t == u"record" ? QStringLiteral("Datensatz") : t; };
    EXPECT_EQ(tags.countText(german), QStringLiteral("2 records marked."));
    tags.toggle(9);
    EXPECT_EQ(tags.countText(german), QStringLiteral("1 Datensatz marked."));
    tags.clear();
    EXPECT_EQ(tags.countText(german), QString());
}

TEST(BugTagQueueTest, TagAllReplacesTheTagsPageByPageAndKeepsWhatWasReadOnError)
{
    BugTagQueue tags;
    tags.add(100);
    std::vector<std::vector<qint64>> pages = {{7, 3}, {5, 3}, {}};
    size_t next = 0;
    ASSERT_TRUE(tags.tagAll([&]() -> Result<std::vector<qint64>> { return pages[next++]; }).ok());
    EXPECT_EQ(tags.ids(), (std::vector<qint64>{3, 5, 7}));

    next = 0;
    auto failed = tags.tagAll([&]() -> Result<std::vector<qint64>> {
        if (next++ == 0)
            return std::vector<qint64>{8};
        return makeError(90, QStringLiteral("disk gone"));
    });
    EXPECT_FALSE(failed.ok());
    EXPECT_EQ(tags.ids(), (std::vector<qint64>{8}));
}

} // namespace tarvo::issues
