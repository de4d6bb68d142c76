#include "SearchBench.h"

#include "common/BenchFolder.h"
#include "common/RawDb.h"
#include "common/RawStatement.h"
#include "common/Stopwatch.h"
#include "issues/IssueFields.h"
#include "platform/data/View.h"
#include "platform/query/TextSearch.h"

#include <QDir>

#include <algorithm>
#include <cstdio>
#include <sqlite3.h>
#include <stdexcept>

namespace tarvo::bench {

namespace {

struct Case {
    const char *label;
    QString text;
    bool ignoreCase;
};

// Case folding for the raw side's searches of texts beyond ASCII, the comparison the search makes.
void foldFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const QByteArray folded = QString::fromUtf8(text ? text : "").toCaseFolded().toUtf8();
    sqlite3_result_text(context, folded.constData(), int(folded.size()), SQLITE_TRANSIENT);
}

bool isAscii(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; });
}

QString likePattern(const QString &text)
{
    QString p = text;
    p.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'%', QStringLiteral("\\%"))
        .replace(u'_', QStringLiteral("\\_"));
    return u'%' + p + u'%';
}

// The raw scan: every text field and memo of every issue, compared by SQLite itself.
std::string rawSql(const data::RecordLayout &layout, const Case &c)
{
    QStringList terms;
    for (int f = 0; f < layout.fieldCount(); ++f) {
        if (!layout.isText(f))
            continue;
        const QString col = layout.column(f);
        if (!c.ignoreCase)
            terms << QStringLiteral("instr(%1, ?1) > 0").arg(col);
        else if (isAscii(c.text))
            terms << QStringLiteral("%1 LIKE ?1 ESCAPE '\\'").arg(col);
        else
            terms << QStringLiteral("instr(tarvo_fold(%1), ?1) > 0").arg(col);
    }
    return QStringLiteral("SELECT \"ID\" FROM \"Bugs\" WHERE %1")
        .arg(terms.join(QStringLiteral(" OR ")))
        .toStdString();
}

std::string rawParameter(const Case &c)
{
    if (!c.ignoreCase)
        return c.text.toStdString();
    return isAscii(c.text) ? likePattern(c.text).toStdString() : c.text.toCaseFolded().toStdString();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int SearchBench::run()
{
    BenchFolder folder(m_options.folder);
    data::FileManager &bugs = folder.file(QStringLiteral("Bugs"));
    auto registered = issues::registeredIssues(bugs.layoutPtr());
    if (!registered)
        throw std::runtime_error(registered.error().message.toStdString());
    const query::TextSearch search(*registered, QStringLiteral("BUG:ID"));
    RawDb raw(folder.databasePath().toStdString());
    if (sqlite3_create_function_v2(raw.handle(), "tarvo_fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                   foldFunction, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error("tarvo_fold could not be registered");

    // Short searches fall back to a scan; a common word is in half the issues, so any search reads
    // them all; the others find a few.
    const Case cases[] = {
        {"short", QStringLiteral("zy"), false},
        {"short, any case", QStringLiteral("QX"), true},
        {"common word", QStringLiteral("freeze"), false},
        {"common, any case", QStringLiteral("FREEZE"), true},
        {"phrase", QStringLiteral("printer fails"), false},
        {"phrase, any case", QStringLiteral("PRINTER Fails"), true},
        {"long", QStringLiteral("screenshot attached twice"), false},
        {"long, any case", QStringLiteral("Screenshot Attached TWICE"), true},
        {"umlauts", QStringLiteral("Straße Größe"), false},
        {"umlauts, any case", QStringLiteral("ÜBERSICHT, ÄNDERUNG"), true},
        {"no hit", QStringLiteral("nowhere at all"), false},
        {"no hit, any case", QStringLiteral("NOWHERE AT ALL"), true},
    };

    std::printf("Text search over every text field and memo of Bugs, %d runs each, median:\n",
                m_options.repetitions);
    std::printf("  %-20s | %-18s | %8s | %10s | %10s | %s\n", "case", "text", "found", "search", "raw scan",
                "raw / search");
    bool same = true;
    for (const Case &c : cases) {
        if (!QString::fromUtf8(c.label).contains(m_options.only))
            continue;
        RawStatement statement(raw.handle(), rawSql(bugs.layout(), c));
        const std::string parameter = rawParameter(c);
        std::vector<double> ours, theirs;
        std::vector<qint64> ourIds, rawIds;
        for (int r = 0; r < m_options.repetitions; ++r) {
            // The sides take turns going first, so that neither always finds the cache warmed.
            for (int side = 0; side < 2; ++side) {
                if ((side == 0) == (r % 2 == 0)) {
                    Stopwatch clock;
                    auto found =
                        search.search(data::View(bugs, QStringLiteral("BUG:KeyID")), c.text, c.ignoreCase);
                    ours.push_back(clock.micros() / 1000.0);
                    if (!found)
                        throw std::runtime_error(found.error().message.toStdString());
                    ourIds = *found;
                } else {
                    Stopwatch clock;
                    statement.reset();
                    statement.bind(1, parameter);
                    rawIds.clear();
                    while (statement.step())
                        rawIds.push_back(statement.integer(0));
                    theirs.push_back(clock.micros() / 1000.0);
                }
            }
        }
        std::sort(ourIds.begin(), ourIds.end());
        std::sort(rawIds.begin(), rawIds.end());
        const bool equal = ourIds == rawIds;
        same = same && equal;
        const double a = median(ours), b = median(theirs);
        std::printf("  %-20s | %-18s | %8zu | %7.1f ms | %7.1f ms | %6.1fx%s\n", c.label, qPrintable(c.text),
                    ourIds.size(), a, b, b / a, equal ? "" : "  DIFFERENT ISSUES");
        std::fflush(stdout);
    }
    return same ? 0 : 1;
}

} // namespace tarvo::bench
