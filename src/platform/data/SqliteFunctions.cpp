#include "platform/data/SqliteFunctions.h"

#include <QCollator>
#include <QLocale>
#include <QString>

#include <cstring>
#include <sqlite3.h>

namespace tarvo::data {

namespace {

// One collator per connection (and so per thread): ICU collators are not shared across threads.
struct CollationState {
    QCollator collator{QLocale(QLocale::English, QLocale::UnitedStates)};
    bool binaryTieBreak = true;
};

int compareText(void *arg, int len1, const void *s1, int len2, const void *s2)
{
    auto *state = static_cast<CollationState *>(arg);
    const QString a = QString::fromUtf8(static_cast<const char *>(s1), len1);
    const QString b = QString::fromUtf8(static_cast<const char *>(s2), len2);
    const int c = state->collator.compare(a, b);
    if (c != 0 || !state->binaryTieBreak)
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    // Texts the collation calls equal but that differ in bytes still get a fixed order, so
    // that "=" and ordering agree for the case-sensitive collation.
    const int n = std::memcmp(s1, s2, size_t(std::min(len1, len2)));
    return n != 0 ? n : (len1 < len2 ? -1 : (len1 > len2 ? 1 : 0));
}

void destroyState(void *arg)
{
    delete static_cast<CollationState *>(arg);
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
    auto *cs = new CollationState;
    cs->collator.setCaseSensitivity(Qt::CaseSensitive);
    auto *ci = new CollationState;
    ci->collator.setCaseSensitivity(Qt::CaseInsensitive);
    ci->binaryTieBreak = false;
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    return sqlite3_create_collation_v2(db, "tarvo_cs", SQLITE_UTF8, cs, compareText, destroyState) ==
               SQLITE_OK &&
           sqlite3_create_collation_v2(db, "tarvo_ci", SQLITE_UTF8, ci, compareText, destroyState) ==
               SQLITE_OK &&
           sqlite3_create_function_v2(db, "upper", 1, flags, nullptr, upperFunction, nullptr, nullptr,
                                      nullptr) == SQLITE_OK &&
           sqlite3_create_function_v2(db, "lower", 1, flags, nullptr, lowerFunction, nullptr, nullptr,
                                      nullptr) == SQLITE_OK;
}

} // namespace tarvo::data
