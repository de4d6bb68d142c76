// tarvo-bench-lists: the issue list through the list model against raw SQLite.
#include "ListsBench.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <exception>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times the issue list's moves on a generated folder."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("folder"), QStringLiteral("A data folder filled by tarvo-generate."),
                      QStringLiteral("dir")});
    parser.addOption({QStringLiteral("repetitions"), QStringLiteral("Timed runs per move (7)."),
                      QStringLiteral("n"), QStringLiteral("7")});
    parser.addOption({QStringLiteral("walk"),
                      QStringLiteral("Pages read each way for the memory figure (5000)."),
                      QStringLiteral("pages"), QStringLiteral("5000")});
    parser.process(app);
    if (!parser.isSet(QStringLiteral("folder"))) {
        std::fprintf(stderr, "tarvo-bench-lists: --folder is required\n");
        return 2;
    }
    tarvo::bench::ListsBench::Options options;
    options.folder = parser.value(QStringLiteral("folder"));
    options.repetitions = std::max(1, parser.value(QStringLiteral("repetitions")).toInt());
    options.walkPages = std::max(1, parser.value(QStringLiteral("walk")).toInt());
    try {
        return tarvo::bench::ListsBench(options).run();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "tarvo-bench-lists: %s\n", e.what());
        return 1;
    }
}
