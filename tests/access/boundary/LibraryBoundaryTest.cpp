#include "access/Vuvuzu.h"
#include "support/ScriptedMessages.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

// The access library as its host sees it: the shared library and nothing of its inside.
namespace tarvo::test {

namespace {

// The standard output of a tool run on a built file; fails the test when the tool fails.
QString toolOutput(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << tool.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

} // namespace

TEST(LibraryBoundaryTest, TheLibraryShowsItsMessagesThroughTheHostsHandler)
{
    ScriptedMessages messages;
    access::VUVUZU(); // nobody is logged in
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_EQ(messages.texts().front(),
              QStringLiteral("Sie besitzen nicht die Berechtigung für die Vuvuzusverwaltung!"));
}

TEST(LibraryBoundaryTest, TheLibraryExportsOnlyItsBoundary)
{
    const QString symbols =
        toolOutput(QStringLiteral("nm"), {QStringLiteral("-D"), QStringLiteral("--defined-only"),
                                          QStringLiteral("-C"), QStringLiteral(VUVUZU_LIBRARY_FILE)});
    const QSet<QString> boundary{"VUVUZU_LOGIN",
                                 "VUVUZU_CHECKCONTROL",
                                 "VUVUZU_GETVALUE",
                                 "VUVUZU_CHANGEPASSWORD",
                                 "VUVUZU_BROWSEUSERS",
                                 "VUVUZU_USEFILES",
                                 "VUVUZU",
                                 "VUVUZU_TPSFIX",
                                 "VUVUZU_UNLOAD",
                                 "MAK",
                                 "MAKORDNER",
                                 "FARBE",
                                 "setFARBE",
                                 "PFAD",
                                 "setPFAD",
                                 "ComputerName",
                                 "setVuvuzu_ProgramSelect",
                                 "Vuvuzu_ProgramSelect",
                                 "setVuvuzuLookUp_BrowseArchivOrdner",
                                 "VuvuzuLookUp_BrowseArchivOrdner",
                                 "translateVuvuzu"};
    // "0000000000012340 T tarvo::access::MAK()": the name of a function of the boundary.
    static const QRegularExpression entry(QStringLiteral("^[0-9a-f]+ [A-Za-z] tarvo::access::(\\w+)\\("));
    QSet<QString> exported;
    QStringList others;
    for (const QString &line : symbols.split(u'\n', Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch m = entry.match(line);
        if (m.hasMatch() && boundary.contains(m.captured(1)))
            exported.insert(m.captured(1));
        else
            others << line;
    }
    EXPECT_EQ(exported, boundary);
    EXPECT_TRUE(others.isEmpty()) << others.join(u'\n').toStdString();
}

// The program and the library each take the platform from its one shared library: neither holds
// a copy of its own, whose message handler or contexts the other would not see.
TEST(LibraryBoundaryTest, TheProgramAndTheLibraryShareOnePlatformLibrary)
{
    for (const QString &file : {QStringLiteral(TARVO_PROGRAM_FILE), QStringLiteral(VUVUZU_LIBRARY_FILE)}) {
        const QString dynamic = toolOutput(QStringLiteral("readelf"), {QStringLiteral("-d"), file});
        EXPECT_TRUE(dynamic.contains(QStringLiteral("[libtarvo_platform.so]"))) << file.toStdString();
        const QString defined =
            toolOutput(QStringLiteral("nm"), {QStringLiteral("--defined-only"), QStringLiteral("-C"), file});
        for (const QString &platformCode : {QStringLiteral("tarvo::Messages::setHandler"),
                                            QStringLiteral("tarvo::ContextRegistry::instance"),
                                            QStringLiteral("tarvo::data::Session::report")})
            EXPECT_FALSE(defined.contains(platformCode))
                << file.toStdString() << " holds " << platformCode.toStdString();
    }
}

} // namespace tarvo::test
