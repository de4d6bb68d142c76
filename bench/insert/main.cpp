// tarvo-bench-insert: issues inserted through the file manager against raw SQLite inserts, and
// several copies inserting into one folder at once.
#include "ConcurrentInsertBench.h"
#include "InsertBench.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <exception>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Times inserting issues through the file manager and raw SQLite."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("issues"), QStringLiteral("Issues per run (100000)."),
                      QStringLiteral("n"), QStringLiteral("100000")});
    parser.addOption({QStringLiteral("folder"),
                      QStringLiteral("Parent of the new data folders (a temporary one)."),
                      QStringLiteral("dir")});
    parser.addOption({QStringLiteral("repetitions"),
                      QStringLiteral("Runs of each way, the sides alternating; medians are printed (1)."),
                      QStringLiteral("r"), QStringLiteral("1")});
    parser.addOption({QStringLiteral("concurrent"),
                      QStringLiteral("Instead: n copies inserting --issues each into one folder at once."),
                      QStringLiteral("n")});
    parser.addOption(
        {QStringLiteral("database-ini"),
         QStringLiteral("With --concurrent: a Database.ini naming the PostgreSQL server to use."),
         QStringLiteral("file")});
    parser.addOption({QStringLiteral("copy-of"), QStringLiteral("(one copy of a --concurrent run)"),
                      QStringLiteral("dir")});
    parser.addOption(
        {QStringLiteral("copy"), QStringLiteral("(its number)"), QStringLiteral("k"), QStringLiteral("0")});
    parser.process(app);
    const int issues = parser.value(QStringLiteral("issues")).toInt();
    try {
        if (parser.isSet(QStringLiteral("copy-of")))
            return tarvo::bench::ConcurrentInsertBench::insertAsCopy(
                parser.value(QStringLiteral("copy-of")), issues,
                parser.value(QStringLiteral("copy")).toInt());
        if (parser.isSet(QStringLiteral("concurrent"))) {
            tarvo::bench::ConcurrentInsertBench::Options concurrent;
            concurrent.folder = parser.value(QStringLiteral("folder"));
            concurrent.databaseIni = parser.value(QStringLiteral("database-ini"));
            concurrent.processes = std::max(1, parser.value(QStringLiteral("concurrent")).toInt());
            concurrent.issues = std::max(1, issues);
            return tarvo::bench::ConcurrentInsertBench(concurrent).run();
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "tarvo-bench-insert: %s\n", e.what());
        return 1;
    }
    tarvo::bench::InsertBench::Options options;
    options.issues = std::max<qint64>(1, parser.value(QStringLiteral("issues")).toLongLong());
    options.folder = parser.value(QStringLiteral("folder"));
    options.repetitions = std::max(1, parser.value(QStringLiteral("repetitions")).toInt());
    try {
        return tarvo::bench::InsertBench(options).run();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "tarvo-bench-insert: %s\n", e.what());
        return 1;
    }
}
