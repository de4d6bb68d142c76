#include "platform/data/SqliteFunctions.h"

#include "platform/data/TextCollation.h"

#include <QString>

#include <algorithm>
#include <sqlite3.h>
#include <vector>

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

// tarvo_tiles(index, plan): whether the row the FTS5 index is on holds one of the texts the plan
// describes. The plan gives each text as the phrases of its trigrams that tile it, each with its
// offset in the text: "0:0,2:3;1:0,2:3" holds two texts, each tiled by two phrases. A text is there
// where its tiles stand in one field, each at its offset from the first: the trigram tokenizer
// numbers a field's trigrams by the character they begin at, so that is exactly the text.
struct Tile {
    int phrase = 0;
    int offset = 0;
};
using TilePlan = std::vector<std::vector<Tile>>;

TilePlan parsePlan(const char *text)
{
    TilePlan plan(1);
    Tile tile;
    int *number = &tile.phrase;
    bool digits = false;
    for (const char *p = text ? text : "";; ++p) {
        if (*p >= '0' && *p <= '9') {
            *number = std::min(*number * 10 + (*p - '0'), 1 << 24);
            digits = true;
            continue;
        }
        if (*p == ':') {
            number = &tile.offset;
            continue;
        }
        if (digits)
            plan.back().push_back(tile);
        tile = Tile{};
        number = &tile.phrase;
        digits = false;
        if (*p == ';')
            plan.emplace_back();
        if (*p == '\0')
            break;
    }
    std::erase_if(plan, [](const std::vector<Tile> &text) { return text.empty(); });
    return plan;
}

void tilesFunction(const Fts5ExtensionApi *api, Fts5Context *fts, sqlite3_context *ctx, int argc,
                   sqlite3_value **argv)
{
    auto *plan = static_cast<TilePlan *>(api->xGetAuxdata(fts, 0));
    if (!plan) {
        plan = new TilePlan(
            parsePlan(argc > 0 ? reinterpret_cast<const char *>(sqlite3_value_text(argv[0])) : nullptr));
        if (api->xSetAuxdata(fts, plan, [](void *p) { delete static_cast<TilePlan *>(p); }) != SQLITE_OK) {
            sqlite3_result_error_nomem(ctx);
            return;
        }
    }
    // Each phrase's places in this row, (field, trigram) ascending, read when first asked for.
    const int phrases = api->xPhraseCount(fts);
    thread_local std::vector<std::vector<std::pair<int, int>>> places;
    thread_local std::vector<char> read;
    places.resize(size_t(std::max(phrases, 0)));
    read.assign(size_t(std::max(phrases, 0)), 0);
    const auto placesOf = [&](int phrase) -> const std::vector<std::pair<int, int>> & {
        auto &list = places[size_t(phrase)];
        if (!read[size_t(phrase)]) {
            read[size_t(phrase)] = 1;
            list.clear();
            Fts5PhraseIter it;
            int column = 0, offset = 0;
            if (api->xPhraseFirst(fts, phrase, &it, &column, &offset) == SQLITE_OK)
                for (; column >= 0; api->xPhraseNext(fts, &it, &column, &offset))
                    list.emplace_back(column, offset);
        }
        return list;
    };
    for (const std::vector<Tile> &text : *plan) {
        if (std::any_of(text.begin(), text.end(), [&](const Tile &t) { return t.phrase >= phrases; }))
            continue;
        for (const auto &[column, start] : placesOf(text.front().phrase)) {
            const bool whole = std::all_of(text.begin() + 1, text.end(), [&](const Tile &t) {
                const auto &list = placesOf(t.phrase);
                return std::binary_search(list.begin(), list.end(),
                                          std::make_pair(column, start + t.offset - text.front().offset));
            });
            if (whole) {
                sqlite3_result_int(ctx, 1);
                return;
            }
        }
    }
    sqlite3_result_int(ctx, 0);
}

// The FTS5 extension interface of the connection, or null where SQLite has no FTS5.
fts5_api *fts5Api(sqlite3 *db)
{
    fts5_api *api = nullptr;
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT fts5(?1)", -1, &st, nullptr) == SQLITE_OK) {
        sqlite3_bind_pointer(st, 1, &api, "fts5_api_ptr", nullptr);
        sqlite3_step(st);
    }
    sqlite3_finalize(st);
    return api;
}

bool installTiles(sqlite3 *db)
{
    // Without FTS5 there is no text index to search either.
    fts5_api *api = fts5Api(db);
    return !api || api->xCreateFunction(api, "tarvo_tiles", nullptr, tilesFunction, nullptr) == SQLITE_OK;
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
                                      nullptr) == SQLITE_OK &&
           installTiles(db);
}

} // namespace tarvo::data
