#include <QCoreApplication>

#include <gtest/gtest.h>

// Test main for libraries without widgets: a core application, so that events and timers run.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
