// tarvo-generate: fills a new data folder with a reproducible set of issues for the benchmarks.
#include "DataGenerator.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <exception>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Fills a new data folder with generated issues."));
    parser.addHelpOption();
    parser.addOption(
        {QStringLiteral("folder"), QStringLiteral("The data folder to fill (new)."), QStringLiteral("dir")});
    parser.addOption({QStringLiteral("issues"), QStringLiteral("Number of issues (100000)."),
                      QStringLiteral("n"), QStringLiteral("100000")});
    parser.addOption({QStringLiteral("seed"), QStringLiteral("Seed of the generator."),
                      QStringLiteral("seed"), QStringLiteral("20240501")});
    parser.addOption({QStringLiteral("batch"), QStringLiteral("Issues per transaction (1000)."),
                      QStringLiteral("n"), QStringLiteral("1000")});
    parser.process(app);
    if (!parser.isSet(QStringLiteral("folder"))) {
        std::fprintf(stderr, "tarvo-generate: --folder is required\n");
        return 2;
    }
    tarvo::bench::DataGenerator::Options options;
    options.folder = parser.value(QStringLiteral("folder"));
    options.issues = parser.value(QStringLiteral("issues")).toLongLong();
    options.seed = parser.value(QStringLiteral("seed")).toULongLong();
    options.batch = std::max(1, parser.value(QStringLiteral("batch")).toInt());
    try {
        const auto totals = tarvo::bench::DataGenerator(options).run();
        std::printf(
            "generated %lld issues, %lld history rows, %lld notes in %.1f s (%.0f issues/s) into %s\n",
            static_cast<long long>(totals.issues), static_cast<long long>(totals.history),
            static_cast<long long>(totals.notes), totals.seconds, double(totals.issues) / totals.seconds,
            qPrintable(options.folder));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "tarvo-generate: %s\n", e.what());
        return 1;
    }
    return 0;
}
