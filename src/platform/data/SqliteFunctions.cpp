#include "platform/data/SqliteFunctions.h"

#include "platform/data/TextCollation.h"

#include <QString>

#include <sqlite3.h>

namespace tarvo::data {

namespace {

int compareText(void *arg, int len1, const void *s1, int len2, const void *s2)
{
    const bool caseInsensitive = arg != nullptr;
    return TextCollation::compare(QString::fromUtf8(static_cast<const char *>(s1), len1),
                                  QString::fromUtf8(static_cast<const char *>(s2), len2), caseInsensitive);
}

void changeCase(sqlite3_context *ctx, int argc, sqlite3_value **argv, bool upper)
{
    if (argc != 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const int len = sqlite3_value_bytes(argv[0]);
    const QString s = QString::fromUtf8(text, len);
    const QByteArray out = (upper ? s.toUpper() : s.toLower()).toUtf8();
    sqlite3_result_text(ctx, out.constData(), int(out.size()), SQLITE_TRANSIENT);
}

void upperFunction(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    changeCase(ctx, argc, argv, true);
}

void lowerFunction(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    changeCase(ctx, argc, argv, false);
}

} // namespace

bool SqliteFunctions::install(sqlite3 *db)
{
    // The collation's argument only tells the two apart: any non-null pointer means case ignored.
    static int caseIgnored = 1;
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    return sqlite3_create_collation_v2(db, "tarvo_cs", SQLITE_UTF8, nullptr, compareText, nullptr) ==
               SQLITE_OK &&
           sqlite3_create_collation_v2(db, "tarvo_ci", SQLITE_UTF8, &caseIgnored, compareText, nullptr) ==
               SQLITE_OK &&
           sqlite3_create_function_v2(db, "upper", 1, flags, nullptr, upperFunction, nullptr, nullptr,
                                      nullptr) == SQLITE_OK &&
           sqlite3_create_function_v2(db, "lower", 1, flags, nullptr, lowerFunction, nullptr, nullptr,
                                      nullptr) == SQLITE_OK;
}

} // namespace tarvo::data
