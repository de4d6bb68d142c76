#include "core/dictionary/TarvoStoreTest.h"
#include "issues/IssueFields.h"
#include "platform/data/Store.h"
#include "platform/data/TextIndex.h"
#include "platform/data/Transaction.h"
#include "platform/data/View.h"
#include "platform/query/TextSearch.h"

namespace tarvo::issues {

namespace {

struct SearchCase {
    const char *name;
    QString text;
    bool ignoreCase;
    std::vector<qint64> expected;
};

// Every search is run through the text index and as a plain scan; both must find the same.
class IssueTextSearchTest : public test::TarvoStoreTest {
  protected:
    void SetUp() override
    {
        TarvoStoreTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        auto file = registeredIssues(fm(QStringLiteral("Bugs")).layoutPtr());
        ASSERT_TRUE(file.ok());
        m_file = std::make_unique<query::RegisteredFile>(std::move(file).value());
        m_search = std::make_unique<query::TextSearch>(*m_file, QStringLiteral("BUG:ID"));
        const std::vector<test::FieldValues> issues = {
            {{QStringLiteral("Description"), QStringLiteral("Crash when saving")},
             {QStringLiteral("BugText"), QStringLiteral("Grüße aus KÖLN: the editor crashes.")}},
            {{QStringLiteral("Description"), QStringLiteral("Printing is slow")},
             {QStringLiteral("CustomField7"), QStringLiteral("Straße 100%_done \"quoted\"")}},
            {{QStringLiteral("Description"), QStringLiteral("köln office")}, {QStringLiteral("Gray"), 1}},
            {{QStringLiteral("Status"), QStringLiteral("CRASHED")},
             {QStringLiteral("PrgID"), 4711},
             {QStringLiteral("RecreateText"), QStringLiteral("Printer fails twice")}},
            {{QStringLiteral("Description"), QStringLiteral("ab")},
             {QStringLiteral("TestingText"), QStringLiteral("x")},
             {QStringLiteral("WorkaroundText"), QStringLiteral("printer FAILS twice")}},
            // Characters that fold to others: the Kelvin sign, the long s, the final sigma.
            {{QStringLiteral("Description"), QStringLiteral("Sensor at 5\u212A")},
             {QStringLiteral("BugText"),
              QStringLiteral("\u017Fpeed of \u03C3\u03BF\u03C6\u03AF\u03B1\u03C2")},
             // What the spellings of "printer fails twice" share, in none of them.
             {QStringLiteral("ReleaseNotes"), QStringLiteral("Brinter fails twice")}},
            // The trigrams of "freeze" that tile it, apart in one field and at the right distance
            // in two; then the word itself.
            {{QStringLiteral("Description"), QStringLiteral("Defrost the fre")},
             {QStringLiteral("BugText"), QString(QString(15, u'x') + QStringLiteral("eze"))},
             {QStringLiteral("RecreateText"), QStringLiteral("free breeze")}},
            {{QStringLiteral("ResolutionText"), QStringLiteral("Antifreeze!")},
             // Characters beyond 16 bits, and what the index's query language would read as its own.
             {QStringLiteral("VerifiedText"), QStringLiteral("Smile \U0001F600\U0001F600 done; NEAR(x* ^y")}},
        };
        for (const auto &values : issues)
            add(QStringLiteral("Bugs"), values);
    }

    std::vector<qint64> search(const QString &text, bool ignoreCase, bool useIndex, const QString &where = {})
    {
        data::View view(fm(QStringLiteral("Bugs")), QStringLiteral("BUG:KeyID"));
        if (!where.isEmpty())
            view.setFilter(data::SqlCondition{where, {}});
        auto found = m_search->search(view, text, ignoreCase, {}, useIndex);
        EXPECT_TRUE(found.ok()) << found.error().message.toStdString();
        std::vector<qint64> ids = found ? *found : std::vector<qint64>{};
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    std::unique_ptr<query::RegisteredFile> m_file;
    std::unique_ptr<query::TextSearch> m_search;
};

const SearchCase kCases[] = {
    {"Short", QStringLiteral("ab"), false, {5}},
    {"ShortAnyCase", QStringLiteral("AB"), true, {5}},
    {"Long", QStringLiteral("the editor crashes."), false, {1}},
    {"CaseMatters", QStringLiteral("crash"), false, {1}},
    {"CaseInsensitive", QStringLiteral("crash"), true, {1, 4}},
    {"Umlauts", QStringLiteral("köln"), false, {3}},
    {"UmlautsAnyCase", QStringLiteral("KöLN"), true, {1, 3}},
    {"SharpS", QStringLiteral("Straße"), false, {2}},
    {"TrailingBlanksIgnored", QStringLiteral("Printing   "), false, {2}},
    {"LikeCharacters", QStringLiteral("100%_d"), false, {2}},
    {"LikeCharactersAnyCase", QStringLiteral("0%_D"), true, {2}},
    {"LikeCharactersShort", QStringLiteral("%_"), true, {2}},
    {"Quotes", QStringLiteral("\"quoted\""), false, {2}},
    {"NumberAsShown", QStringLiteral("4,711"), false, {4}},
    {"NumberOnlyAsShown", QStringLiteral("4711"), false, {}},
    {"NoHit", QStringLiteral("nowhere to be found"), true, {}},
    {"PhraseCaseMatters", QStringLiteral("printer FAILS"), false, {5}},
    {"PhraseSpeltTwoWays", QStringLiteral("PRINTER FAILS TWICE"), true, {4, 5}},
    {"SharedRunOnly", QStringLiteral("INTER FAILS"), true, {4, 5, 6}},
    {"NotAcrossFields", QStringLiteral("slowStra"), false, {}},
    {"KelvinSignShort", QStringLiteral("5k"), true, {6}},
    {"KelvinSign", QStringLiteral("AT 5k"), true, {6}},
    {"LongS", QStringLiteral("speed"), true, {6}},
    {"LongSOnlyAnyCase", QStringLiteral("speed"), false, {}},
    {"FinalSigma", QStringLiteral("\u03A3\u039F\u03A6\u038A\u0391\u03A3"), true, {6}},
    {"Blank", QStringLiteral("   "), true, {}},
    {"TilesApartOrInTwoFields", QStringLiteral("freeze"), false, {8}},
    {"TilesAnyCase", QStringLiteral("FREEZE"), true, {8}},
    {"LastTileOverlaps", QStringLiteral("tifreez"), false, {8}},
    {"OneTile", QStringLiteral("eze"), false, {7, 8}},
    {"BeyondSixteenBits", QStringLiteral("\U0001F600\U0001F600 do"), false, {8}},
    {"QueryLanguageIsText", QStringLiteral("near(X* ^"), true, {8}},
};

} // namespace

TEST_P(IssueTextSearchTest, IndexAndPlainScanFindTheSameIssues)
{
    // The index is there and serves every search of three characters or more.
    auto conn = session().connection();
    ASSERT_TRUE(conn.ok());
    const data::RecordLayout &layout = fm(QStringLiteral("Bugs")).layout();
    for (const auto &[text, served] :
         {std::pair{QStringLiteral("köl"), true}, std::pair{QStringLiteral("kö"), false}}) {
        for (bool ignoreCase : {false, true}) {
            auto lookup = data::TextIndex::lookup(**conn, layout, text, ignoreCase);
            ASSERT_TRUE(lookup.ok()) << lookup.error().message.toStdString();
            EXPECT_EQ(lookup->has_value(), served) << text.toStdString() << ignoreCase;
        }
    }

    // Among eight issues the index finds many, so the list is read and its found rows kept; among
    // a hundred it finds few, which are looked up by row id.
    for (const bool fewFound : {false, true}) {
        if (fewFound)
            for (int i = 0; i < 92; ++i)
                add(QStringLiteral("Bugs"), {{QStringLiteral("Description"), QStringLiteral("Unrelated")}});
        for (const SearchCase &c : kCases) {
            const std::vector<qint64> scanned = search(c.text, c.ignoreCase, false);
            EXPECT_EQ(scanned, c.expected) << c.name << fewFound;
            EXPECT_EQ(search(c.text, c.ignoreCase, true), scanned) << c.name << fewFound;
        }
    }
}

TEST_P(IssueTextSearchTest, IndexFollowsChangesAndNeverSeesStoredNumberBytes)
{
    data::FileManager &bugs = fm(QStringLiteral("Bugs"));
    data::Record issue = one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), 1}});
    issue.setValue(QStringLiteral("BugText"), QStringLiteral("Rewritten entirely"));
    ASSERT_TRUE(bugs.update(issue).ok());
    data::Record gone = one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), 2}});
    ASSERT_TRUE(bugs.remove(gone).ok());
    for (bool index : {true, false}) {
        EXPECT_EQ(search(QStringLiteral("köln"), true, index), (std::vector<qint64>{3})) << index;
        EXPECT_EQ(search(QStringLiteral("rewritten"), true, index), (std::vector<qint64>{1})) << index;
        EXPECT_EQ(search(QStringLiteral("Straße"), false, index), (std::vector<qint64>{})) << index;
        // 4711 is stored as the bytes 67 12 00 00: "g" is in no issue as shown.
        EXPECT_EQ(search(QStringLiteral("g\x12"), false, index), (std::vector<qint64>{})) << index;
        // Only the rows of the list's view are searched.
        EXPECT_EQ(search(QStringLiteral("köln"), true, index, QStringLiteral("\"Gray\" = 0")),
                  (std::vector<qint64>{}))
            << index;
        EXPECT_EQ(search(QStringLiteral("ab"), false, index, QStringLiteral("\"Gray\" = 0")),
                  (std::vector<qint64>{5}))
            << index;
    }

    // Inside a transaction the search sees what the transaction wrote and has not committed.
    auto conn = session().connection();
    ASSERT_TRUE(conn.ok());
    data::Transaction tx(**conn);
    ASSERT_TRUE(tx.started().ok());
    for (int id : {3, 8}) {
        data::Record changed = one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}});
        changed.setValue(QStringLiteral("BugText"), QStringLiteral("Rewritten once more"));
        ASSERT_TRUE(bugs.update(changed).ok());
    }
    for (bool index : {true, false})
        EXPECT_EQ(search(QStringLiteral("once more"), false, index), (std::vector<qint64>{3, 8})) << index;
}

TEST_P(IssueTextSearchTest, AnIndexMadeOtherwiseIsMadeAgain)
{
    auto conn = session().connection();
    ASSERT_TRUE(conn.ok());
    if ((*conn)->store().kind() != data::StoreKind::Sqlite)
        GTEST_SKIP() << "the index of an older SQLite folder";
    const data::RecordLayout &layout = fm(QStringLiteral("Bugs")).layout();
    const QString fts = data::RecordLayout::quote(data::TextIndex::tableName(layout));
    // As an older folder holds it: case folded, without positions, so no phrase can be asked.
    for (const QString &sql :
         {QStringLiteral("DROP TABLE %1").arg(fts),
          QStringLiteral("CREATE VIRTUAL TABLE %1 USING fts5(\"Description\", \"BugText\", content=\"Bugs\", "
                         "content_rowid='_rid', tokenize='trigram', detail=none)")
              .arg(fts),
          QStringLiteral("INSERT INTO %1 (%1) VALUES ('rebuild')").arg(fts)})
        ASSERT_TRUE((*conn)->execDirect(sql).ok()) << sql.toStdString();
    auto old = data::TextIndex::lookup(**conn, layout, QStringLiteral("editor"), false);
    ASSERT_TRUE(old.ok());
    EXPECT_FALSE(old->has_value());
    EXPECT_EQ(search(QStringLiteral("the editor crashes."), false, true), (std::vector<qint64>{1}));

    data::Transaction tx(**conn);
    ASSERT_TRUE(tx.started().ok());
    ASSERT_TRUE(data::TextIndex::ensure(**conn, layout).ok());
    ASSERT_TRUE(tx.commit().ok());
    auto made = data::TextIndex::lookup(**conn, layout, QStringLiteral("editor"), false);
    ASSERT_TRUE(made.ok());
    EXPECT_TRUE(made->has_value());
    for (bool ignoreCase : {false, true})
        EXPECT_EQ(search(QStringLiteral("the editor crashes."), ignoreCase, true), (std::vector<qint64>{1}));

    // The index merges its segments less often than FTS5 would (its default is 4), and an index
    // made with the default is set so when the folder is next opened for writing.
    const auto automerge = [&] {
        auto q = (*conn)->exec(QStringLiteral("SELECT v FROM %1 WHERE k = 'automerge'")
                                   .arg(data::RecordLayout::quote(data::TextIndex::tableName(layout) +
                                                                  QStringLiteral("_config"))));
        return q && q.value()->next() ? q.value()->value(0).toInt() : -1;
    };
    const int merging = automerge();
    EXPECT_GT(merging, 4);
    ASSERT_TRUE((*conn)
                    ->execDirect(QStringLiteral("INSERT INTO %1 (%1, rank) VALUES ('automerge', 4)").arg(fts))
                    .ok());
    ASSERT_EQ(automerge(), 4);
    data::Transaction again(**conn);
    ASSERT_TRUE(again.started().ok());
    ASSERT_TRUE(data::TextIndex::ensure(**conn, layout).ok());
    ASSERT_TRUE(again.commit().ok());
    EXPECT_EQ(automerge(), merging);
}

TARVO_REAL_STORE_SUITE(IssueTextSearchTest);

} // namespace tarvo::issues
