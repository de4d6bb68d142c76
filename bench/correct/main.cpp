// tarvo-bench-correct: the status-sort correction that every "/C" runs, through the program's code
// path against the raw SQL statement that makes the same corrections.
#include "common/BenchFolder.h"
#include "common/RawDb.h"
#include "common/RawStatement.h"
#include "common/Stopwatch.h"
#include "core/conversions/CorrectionProgress.h"
#include "core/conversions/CorrectionRun.h"
#include "core/conversions/Corrections.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <vector>

namespace {

using tarvo::bench::BenchFolder;
using tarvo::bench::RawDb;
using tarvo::bench::RawStatement;
using tarvo::bench::Stopwatch;

// Every issue takes the sort of its status, from its program's list else the general one, written
// only where it differs: what the correction does, by hand.
const char *const kRawCorrection =
    "UPDATE Bugs SET StatusSort = COALESCE("
    "(SELECT SORT FROM Status WHERE PrgID = Bugs.PrgID AND STATUS = Bugs.Status ORDER BY _rid LIMIT 1), "
    "(SELECT SORT FROM Status WHERE PrgID = 0 AND STATUS = Bugs.Status ORDER BY _rid LIMIT 1)) "
    "WHERE COALESCE("
    "(SELECT SORT FROM Status WHERE PrgID = Bugs.PrgID AND STATUS = Bugs.Status ORDER BY _rid LIMIT 1), "
    "(SELECT SORT FROM Status WHERE PrgID = 0 AND STATUS = Bugs.Status ORDER BY _rid LIMIT 1), "
    "StatusSort) <> StatusSort";

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Seconds the program's correction takes on the folder.
double throughProgram(const QString &folder)
{
    BenchFolder bf(folder);
    tarvo::core::CorrectionProgress progress;
    Stopwatch clock;
    {
        tarvo::core::CorrectionRun run(bf.session(), progress);
        tarvo::core::runCorrection(tarvo::core::kStatusSortCorrection, run);
    }
    return clock.micros() / 1e6;
}

double raw(RawDb &db)
{
    Stopwatch clock;
    db.exec("BEGIN IMMEDIATE");
    db.exec(kRawCorrection);
    db.exec("COMMIT");
    return clock.micros() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times the status-sort correction against raw SQLite."));
    parser.addHelpOption();
    parser.addOption(
        {QStringLiteral("folder"), QStringLiteral("A generated data folder."), QStringLiteral("dir")});
    parser.addOption({QStringLiteral("repetitions"), QStringLiteral("Runs per side (7)."),
                      QStringLiteral("r"), QStringLiteral("7")});
    parser.process(app);
    const QString folder = parser.value(QStringLiteral("folder"));
    const int repetitions = std::max(1, parser.value(QStringLiteral("repetitions")).toInt());
    try {
        RawDb db(QDir(folder).filePath(QStringLiteral("Tarvo.db")).toStdString());
        RawStatement count(db.handle(), "SELECT COUNT(*) FROM Bugs");
        count.step();
        const long long issues = count.integer(0);
        count.reset(); // no read left open beside the writes
        std::printf("Status-sort correction on %lld issues, median of %d runs, sides alternating:\n", issues,
                    repetitions);
        // Every issue wrong (as after an import), then every issue already right (each later /C).
        for (const bool allWrong : {true, false}) {
            std::vector<double> program, rawTimes;
            for (int i = 0; i < 2 * repetitions; ++i) {
                if (allWrong)
                    db.exec("UPDATE Bugs SET StatusSort = 255");
                else
                    raw(db);
                if ((i % 2 == 0) == (i / 2 % 2 == 0))
                    program.push_back(throughProgram(folder));
                else
                    rawTimes.push_back(raw(db));
            }
            const double p = median(program);
            const double r = median(rawTimes);
            std::printf("  %-32s | program %7.3f s | raw %7.3f s | %.2fx (target: within 3x)\n",
                        allWrong ? "every issue's sort wrong" : "every issue's sort already right", p, r,
                        p / r);
            std::fflush(stdout);
        }
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "tarvo-bench-correct: %s\n", e.what());
        return 1;
    }
}
