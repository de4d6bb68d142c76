#include "platform/runtime/Result.h"

#include <gtest/gtest.h>

using tarvo::Result;

TEST(Result, CarriesValueOrError)
{
    Result<int> good = 7;
    ASSERT_TRUE(good.ok());
    EXPECT_EQ(*good, 7);

    Result<int> bad = tarvo::makeError(2, QStringLiteral("File not found"));
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.error().code, 2);
    EXPECT_EQ(bad.error().message, QStringLiteral("File not found"));

    Result<void> done;
    EXPECT_TRUE(done.ok());
}
