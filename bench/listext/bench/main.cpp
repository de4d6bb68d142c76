// tarvo-bench-listext: the list exports and the graph over a view against raw SQLite.
#include "ListextBench.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <exception>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Times the list exports and the status graph on a generated folder."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("folder"), QStringLiteral("A data folder filled by tarvo-generate."),
                      QStringLiteral("dir")});
    parser.addOption({QStringLiteral("repetitions"), QStringLiteral("Timed runs per side (3)."),
                      QStringLiteral("n"), QStringLiteral("3")});
    parser.addOption({QStringLiteral("no-export"), QStringLiteral("Leave out the exports.")});
    parser.addOption({QStringLiteral("no-graph"), QStringLiteral("Leave out the graph.")});
    parser.process(app);
    if (!parser.isSet(QStringLiteral("folder"))) {
        std::fprintf(stderr, "tarvo-bench-listext: --folder is required\n");
        return 2;
    }
    tarvo::bench::ListextBench::Options options;
    options.folder = parser.value(QStringLiteral("folder"));
    options.repetitions = std::max(1, parser.value(QStringLiteral("repetitions")).toInt());
    options.exports = !parser.isSet(QStringLiteral("no-export"));
    options.graph = !parser.isSet(QStringLiteral("no-graph"));
    try {
        return tarvo::bench::ListextBench(options).run();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "tarvo-bench-listext: %s\n", e.what());
        return 1;
    }
}
