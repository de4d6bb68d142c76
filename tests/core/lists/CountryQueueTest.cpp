#include "core/lists/CountryQueue.h"

#include <QSet>

#include <gtest/gtest.h>
#include <thread>

using namespace tarvo::core;

namespace {

TEST(FillCountryQueue, FillsTheBuiltInListOnce)
{
    CountryQueue queue;
    FillCountryQueue(queue);
    FillCountryQueue(queue);
    const auto rows = queue.rows();
    ASSERT_EQ(rows.size(), 238u);
    EXPECT_EQ(rows.front(), (CountryQueueEntry{"Afghanistan", "AF"}));
    EXPECT_EQ(rows.back(), (CountryQueueEntry{"Zimbabwe", "ZW"}));

    QSet<QString> codes;
    for (const auto &row : rows) {
        EXPECT_EQ(row.locId.size(), 2) << row.loc.toStdString();
        EXPECT_LE(row.loc.size(), CountryQueueEntry::NameWidth);
        codes.insert(row.locId);
    }
    EXPECT_EQ(codes.size(), 238) << "every code once";
    for (const char *missing : {"AQ", "AX", "TL", "UM"})
        EXPECT_FALSE(codes.contains(missing)) << missing;
}

TEST(FillCountryQueue, OwnCodesAndNames)
{
    const auto rows = countryList();
    const auto nameOf = [&](const QString &code) {
        for (const auto &row : rows)
            if (row.locId == code)
                return row.loc;
        return QString();
    };
    EXPECT_EQ(nameOf("TP"), "East Timor");
    EXPECT_EQ(nameOf("GZ"), "Gaza Strip");
    EXPECT_EQ(nameOf("PS"), "West Bank");
    EXPECT_EQ(nameOf("CI"), "Cote d'Ivoire");
}

TEST(FillCountryQueue, ConcurrentFirstFillsAddTheListOnce)
{
    CountryQueue queue;
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i)
        threads.emplace_back([&queue] { FillCountryQueue(queue); });
    for (auto &thread : threads)
        thread.join();
    EXPECT_EQ(queue.size(), 238u);
}

} // namespace
