// tarvo-bench-insert: issues inserted through the file manager against raw SQLite inserts.
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
    parser.process(app);
    tarvo::bench::InsertBench::Options options;
    options.issues = std::max<qint64>(1, parser.value(QStringLiteral("issues")).toLongLong());
    options.folder = parser.value(QStringLiteral("folder"));
    try {
        return tarvo::bench::InsertBench(options).run();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "tarvo-bench-insert: %s\n", e.what());
        return 1;
    }
}
