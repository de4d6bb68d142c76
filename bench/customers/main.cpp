// tarvo-bench-customers: the customer browse's first page and text search against raw SQLite.
#include "CustomerBench.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <exception>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times the customer browse on many customers."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("folder"),
                      QStringLiteral("A data folder; customers are added when too few."),
                      QStringLiteral("dir")});
    parser.addOption({QStringLiteral("customers"),
                      QStringLiteral("Customers the folder is to hold (100000)."), QStringLiteral("n"),
                      QStringLiteral("100000")});
    parser.addOption({QStringLiteral("repetitions"), QStringLiteral("Timed runs per case (7)."),
                      QStringLiteral("n"), QStringLiteral("7")});
    parser.process(app);
    if (!parser.isSet(QStringLiteral("folder"))) {
        std::fprintf(stderr, "tarvo-bench-customers: --folder is required\n");
        return 2;
    }
    tarvo::bench::CustomerBench::Options options;
    options.folder = parser.value(QStringLiteral("folder"));
    options.customers = std::max(1, parser.value(QStringLiteral("customers")).toInt());
    options.repetitions = std::max(1, parser.value(QStringLiteral("repetitions")).toInt());
    try {
        return tarvo::bench::CustomerBench(options).run();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "tarvo-bench-customers: %s\n", e.what());
        return 1;
    }
}
