#include "listext/ViewRowSource.h"

#include "platform/data/Dictionary.h"
#include "platform/data/Session.h"
#include "support/SmallBugStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tarvo;
using namespace tarvo::listext;

namespace {

// Every row of a source, read `page` rows at a time.
std::vector<QVariantList> readAll(RowSource &source, int page)
{
    std::vector<QVariantList> rows;
    auto reader = readAllRows(source, page);
    SourceRow row;
    for (auto more = reader->next(row); more.ok() && *more; more = reader->next(row))
        rows.push_back(row.values);
    return rows;
}

std::vector<QVariantList> projected(const std::vector<QVariantList> &rows, const std::vector<int> &columns)
{
    std::vector<QVariantList> out;
    for (const QVariantList &r : rows) {
        QVariantList values;
        for (const int c : columns)
            values << r.at(c);
        out.push_back(values);
    }
    return out;
}

// Issues whose statuses and priorities repeat, so that orders on them have ties to break.
class NarrowedViewSource : public ::testing::Test {
  protected:
    void SetUp() override
    {
        auto dict = data::Dictionary::open(test::smallBugDictionary(true), m_dir.path());
        ASSERT_TRUE(dict.ok()) << dict.error().message.toStdString();
        m_dictionary = std::move(dict.value());
        m_session = m_dictionary->createSession(1, &m_reporter);
        m_bugs = m_session->file(QStringLiteral("Bugs"));
        ASSERT_TRUE(m_bugs->open().ok());
        const QStringList statuses{QStringLiteral("open"), QStringLiteral("closed"), QStringLiteral("Open"),
                                   QStringLiteral("waiting")};
        for (int i = 1; i <= 53; ++i) {
            data::Record r = m_bugs->newRecord();
            r.setValue(QStringLiteral("ID"), i);
            r.setValue(QStringLiteral("Status"), statuses.at(i % 4));
            r.setValue(QStringLiteral("Priority"), i * 7 % 5);
            r.setValue(QStringLiteral("Description"), QStringLiteral("Issue %1").arg(i));
            ASSERT_TRUE(m_bugs->insert(r).ok());
        }
    }

    test::TempDir m_dir;
    test::SilentReporter m_reporter;
    std::unique_ptr<data::Dictionary> m_dictionary;
    std::unique_ptr<data::Session> m_session;
    data::FileManager *m_bugs = nullptr;
};

// A narrowed source reads only some fields; it must list the same rows as the whole source, in
// the same order, across every page, whether or not the order's fields are among its own.
TEST_F(NarrowedViewSource, ListsTheRowsOfTheWholeSourceInItsOrder)
{
    const std::vector<SortKey> byStatusThenPriority{{QStringLiteral("BUG:Status"), true, true},
                                                    {QStringLiteral("BUG:Priority"), false, false}};
    struct Case {
        const char *what;
        QStringList fields;
        std::vector<SortKey> order;
        QString filter;
    };
    const std::vector<Case> cases{
        {"a field that is not the order's", {QStringLiteral("BUG:Status")}, {}, {}},
        {"the order's field among them", {QStringLiteral("BUG:Status"), QStringLiteral("BUG:ID")}, {}, {}},
        {"a field asked for twice", {QStringLiteral("BUG:Status"), QStringLiteral("BUG:Status")}, {}, {}},
        {"a sort with ties on other fields", {QStringLiteral("BUG:Description")}, byStatusThenPriority, {}},
        {"a sort on its own fields",
         {QStringLiteral("BUG:ID"), QStringLiteral("BUG:Status")},
         {{QStringLiteral("BUG:Status"), false, true}},
         QStringLiteral("BUG:Priority > 0")},
        {"a filter on another field",
         {QStringLiteral("BUG:Description")},
         {},
         QStringLiteral("BUG:Priority > 1")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ViewRowSource whole(*m_bugs, QStringLiteral("BUG:KeyID"));
        ASSERT_TRUE(whole.setOrder(c.order).ok());
        ASSERT_TRUE(whole.setFilter(c.filter).ok());
        std::vector<int> columns;
        for (const QString &f : c.fields)
            columns.push_back(whole.fieldIndex(f));
        const auto expected = projected(readAll(whole, 1000), columns);
        ASSERT_FALSE(expected.empty());

        auto narrowed = whole.narrowed(c.fields);
        ASSERT_NE(narrowed, nullptr);
        EXPECT_EQ(narrowed->fields().size(), c.fields.size());
        for (const int page : {1, 4, 7})
            EXPECT_EQ(readAll(*narrowed, page), expected) << "pages of " << page;
    }
}

// Any row the source gave, not only the last of a page, marks a place to go on from.
TEST_F(NarrowedViewSource, AnyRowGoesOnFromItsPlace)
{
    for (const QStringList &fields : {QStringList{QStringLiteral("BUG:Status")},
                                      QStringList{QStringLiteral("BUG:ID"), QStringLiteral("BUG:Status")}}) {
        SCOPED_TRACE(fields.join(QLatin1Char(',')).toStdString());
        ViewRowSource whole(*m_bugs, QStringLiteral("BUG:KeyID"));
        auto narrowed = whole.narrowed(fields);
        ASSERT_NE(narrowed, nullptr);
        auto page = narrowed->rowsAfter(nullptr, 6);
        ASSERT_TRUE(page.ok());
        ASSERT_EQ(page->size(), 6u);
        auto next = narrowed->rowsAfter(&page->at(2), 3);
        ASSERT_TRUE(next.ok());
        auto all = narrowed->rowsAfter(nullptr, 6);
        ASSERT_TRUE(all.ok());
        ASSERT_EQ(next->size(), 3u);
        for (size_t i = 0; i < 3; ++i)
            EXPECT_EQ(next->at(i).values, all->at(3 + i).values) << "row " << i;
    }
}

} // namespace
