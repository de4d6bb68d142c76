#include "platform/runtime/Context.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using tarvo::Context;

namespace {

// Records its own destruction, to see the order in which a context lets go of its objects.
struct Logged {
    std::vector<std::string> *log = nullptr;
    std::string name;
    ~Logged()
    {
        if (log)
            log->push_back(name);
    }
};
struct ErrorObject : Logged {};
struct FileManagers : Logged {};
struct Counter {
    int value = 0;
};

} // namespace

TEST(Context, AttachmentIsMadeOnceAndKeptPerContext)
{
    Context a(2), b(3);
    EXPECT_EQ(a.findAttachment<Counter>(), nullptr);
    a.attachment<Counter>().value = 5;
    a.attachment<Counter>().value += 1;
    EXPECT_EQ(a.attachment<Counter>().value, 6);
    EXPECT_EQ(b.attachment<Counter>().value, 0);
    EXPECT_NE(&a.attachment<Counter>(), &b.attachment<Counter>());

    a.emplaceAttachment<Counter>(Counter{42});
    EXPECT_EQ(a.attachment<Counter>().value, 42);
    a.removeAttachment<Counter>();
    EXPECT_EQ(a.findAttachment<Counter>(), nullptr);
}

TEST(Context, AttachmentsAreDestroyedLastMadeFirst)
{
    std::vector<std::string> log;
    {
        Context context(2);
        auto &errors = context.attachment<ErrorObject>();
        errors.log = &log;
        errors.name = "errors";
        auto &files = context.attachment<FileManagers>();
        files.log = &log;
        files.name = "files";
    }
    EXPECT_EQ(log, (std::vector<std::string>{"files", "errors"}));
}

TEST(Context, ProcedureStackTakesOnlyTheClosingProceduresEntry)
{
    Context context(2);
    context.pushProcedure(QStringLiteral("BrowseBugs"));
    context.pushProcedure(QStringLiteral("UpdateBugs"));
    context.pushProcedure(QStringLiteral("UpdateNotes"));
    EXPECT_EQ(context.currentProcedure(), QStringLiteral("UpdateNotes"));
    context.popProcedure(QStringLiteral("UpdateBugs"));
    EXPECT_EQ(context.procedures(),
              (QStringList{QStringLiteral("BrowseBugs"), QStringLiteral("UpdateNotes")}));
    context.popProcedure(QStringLiteral("NotThere"));
    EXPECT_EQ(context.procedures().size(), 2);
}
