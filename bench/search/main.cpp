// tarvo-bench-search: the issue browse's text search against the raw SQLite scan.
#include "SearchBench.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <exception>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times the issue text search on a generated folder."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("folder"), QStringLiteral("A data folder filled by tarvo-generate."),
                      QStringLiteral("dir")});
    parser.addOption({QStringLiteral("repetitions"), QStringLiteral("Timed runs per search (7)."),
                      QStringLiteral("n"), QStringLiteral("7")});
    parser.addOption({QStringLiteral("only"),
                      QStringLiteral("Runs only the cases whose label holds this text."),
                      QStringLiteral("text")});
    parser.process(app);
    if (!parser.isSet(QStringLiteral("folder"))) {
        std::fprintf(stderr, "tarvo-bench-search: --folder is required\n");
        return 2;
    }
    tarvo::bench::SearchBench::Options options;
    options.folder = parser.value(QStringLiteral("folder"));
    options.repetitions = std::max(1, parser.value(QStringLiteral("repetitions")).toInt());
    options.only = parser.value(QStringLiteral("only"));
    try {
        return tarvo::bench::SearchBench(options).run();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "tarvo-bench-search: %s\n", e.what());
        return 1;
    }
}
