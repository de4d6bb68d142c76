// tarvo-bench-browse: the issue browse's key orders through the data layer against raw SQL on the
// folder's store (SQLite, or PostgreSQL when its Database.ini names a server).
#include "BrowseBench.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <exception>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Times the issue browse's key orders on a generated folder."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("folder"), QStringLiteral("A data folder filled by tarvo-generate."),
                      QStringLiteral("dir")});
    parser.addOption({QStringLiteral("repetitions"), QStringLiteral("Timed runs per move (7)."),
                      QStringLiteral("n"), QStringLiteral("7")});
    parser.addOption({QStringLiteral("plans"), QStringLiteral("Show the query plans of every order.")});
    parser.addOption(
        {QStringLiteral("pin-in-range"),
         QStringLiteral("Pass the values the orders' filters pin (Gray 0, the tab) as range too.")});
    parser.process(app);
    if (!parser.isSet(QStringLiteral("folder"))) {
        std::fprintf(stderr, "tarvo-bench-browse: --folder is required\n");
        return 2;
    }
    tarvo::bench::BrowseBench::Options options;
    options.folder = parser.value(QStringLiteral("folder"));
    options.repetitions = std::max(1, parser.value(QStringLiteral("repetitions")).toInt());
    options.allPlans = parser.isSet(QStringLiteral("plans"));
    options.pinInRange = parser.isSet(QStringLiteral("pin-in-range"));
    try {
        return tarvo::bench::BrowseBench(options).run();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "tarvo-bench-browse: %s\n", e.what());
        return 1;
    }
}
