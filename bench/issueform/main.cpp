// tarvo-bench-issueform: the issue form's data opened and a change of five fields saved, through
// the data layer and the issue save against raw SQLite.
#include "IssueFormBench.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <exception>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Times opening and saving an issue through the data layer and raw SQLite."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("folder"), QStringLiteral("The data folder (from tarvo-generate)."),
                      QStringLiteral("dir")});
    parser.addOption({QStringLiteral("issue"), QStringLiteral("The issue's number (the middle one)."),
                      QStringLiteral("id"), QStringLiteral("0")});
    parser.addOption({QStringLiteral("repetitions"), QStringLiteral("Runs per side (7)."),
                      QStringLiteral("r"), QStringLiteral("7")});
    parser.process(app);
    tarvo::bench::IssueFormBench::Options options;
    options.folder = parser.value(QStringLiteral("folder"));
    options.issue = parser.value(QStringLiteral("issue")).toLongLong();
    options.repetitions = std::max(7, parser.value(QStringLiteral("repetitions")).toInt());
    if (options.folder.isEmpty()) {
        std::fprintf(stderr, "--folder is required\n");
        return 2;
    }
    try {
        return tarvo::bench::IssueFormBench(options).run();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
