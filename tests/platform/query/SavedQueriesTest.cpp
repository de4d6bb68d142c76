#include "platform/query/SavedQueries.h"

#include "QueryFileSupport.h"
#include "platform/data/expr/Expression.h"
#include "platform/query/QueryCondition.h"

namespace tarvo::query {

namespace {

using Op = QueryCondition::Op;

class QueryFixture : public ::testing::Test {
  protected:
    void SetUp() override
    {
        m_layout = data::RecordLayout::make(test::taskDictionary().files.front());
        m_file = std::make_unique<RegisteredFile>(m_layout);
        m_file->addColumns(m_names);
    }
    data::LayoutPtr m_layout;
    std::unique_ptr<RegisteredFile> m_file;
    data::expr::NameTable m_names;
    test::TempDir m_dir;
};

} // namespace

TEST_F(QueryFixture, ConditionsBecomeExpressionsWithValuesAsLiterals)
{
    struct Case {
        std::vector<QueryCondition> conditions;
        bool anyOf;
        QString expected;
    };
    const Case cases[] = {
        {{{QStringLiteral("Title"), Op::Equal, QStringLiteral("O'Brien') OR (1=1")}},
         false,
         QStringLiteral("TSK:Title = 'O''Brien'') OR (1=1'")},
        {{{QStringLiteral("TSK:Priority"), Op::GreaterOrEqual, QStringLiteral(" 3 ")},
          {QStringLiteral("Title"), Op::Contains, QStringLiteral("bug"), true}},
         false,
         QStringLiteral("(TSK:Priority >= 3) AND (INSTRING(UPPER('bug'),UPPER(TSK:Title),1,1))")},
        {{{QStringLiteral("Priority"), Op::Less, QStringLiteral("2")},
          {QStringLiteral("Notes"), Op::NotEqual, QString()}},
         true,
         QStringLiteral("(TSK:Priority < 2) OR (TSK:Notes <> '')")},
    };
    for (const Case &c : cases) {
        auto text = QueryCondition::expression(*m_file, c.conditions, c.anyOf);
        ASSERT_TRUE(text.ok()) << text.error().message.toStdString();
        EXPECT_EQ(*text, c.expected);
        EXPECT_TRUE(data::expr::Expression::parse(*text, m_names).ok()) << text->toStdString();
    }

    // Values that do not fit their field, and contains on a number, are refused.
    const std::vector<QueryCondition> refused[] = {
        {{QStringLiteral("Priority"), Op::Equal, QStringLiteral("high")}},
        {{QStringLiteral("Due"), Op::Less, QStringLiteral("31/02/2024x")}},
        {{QStringLiteral("Priority"), Op::Contains, QStringLiteral("1")}},
        {{QStringLiteral("Colour"), Op::Equal, QStringLiteral("red")}},
    };
    for (const auto &conditions : refused)
        EXPECT_FALSE(QueryCondition::expression(*m_file, conditions).ok())
            << conditions[0].value.toStdString();
}

TEST_F(QueryFixture, SavedQueriesKeepValidFiltersPerKey)
{
    SavedQueries bugs(m_dir.path(), QStringLiteral("BROWSEBUGS"));
    SavedQueries other(m_dir.path(), QStringLiteral("BROWSECUSTOMER"));
    ASSERT_TRUE(bugs.save({QStringLiteral("Urgent"), QStringLiteral("TSK:Priority >= 4")}, m_names).ok());
    ASSERT_TRUE(bugs.save({QStringLiteral("Open"), QStringLiteral("TSK:Done = 0")}, m_names).ok());
    ASSERT_TRUE(other.save({QStringLiteral("Mine"), QStringLiteral("TSK:Title = 'x'")}, m_names).ok());
    // The same description replaces; a filter that does not parse is never stored.
    ASSERT_TRUE(bugs.save({QStringLiteral("urgent"), QStringLiteral("TSK:Priority = 5")}, m_names).ok());
    EXPECT_FALSE(bugs.save({QStringLiteral("Broken"), QStringLiteral("TSK:Colour = 1")}, m_names).ok());
    EXPECT_FALSE(bugs.save({QStringLiteral("   "), QStringLiteral("TSK:Done = 0")}, m_names).ok());

    auto listed = bugs.list();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].description, QStringLiteral("urgent"));
    EXPECT_EQ(listed[0].filter, QStringLiteral("TSK:Priority = 5"));
    EXPECT_EQ(other.list().size(), 1u);

    auto chosen = bugs.choose(QStringLiteral("OPEN"), m_names);
    ASSERT_TRUE(chosen.ok());
    EXPECT_EQ(chosen->filter, QStringLiteral("TSK:Done = 0"));

    // A query whose field the caller no longer knows is refused when chosen.
    data::expr::NameTable fewer;
    fewer.addColumn(QStringLiteral("TSK:Priority"), QStringLiteral("\"Priority\""),
                    data::expr::ValueType::Number);
    EXPECT_FALSE(bugs.choose(QStringLiteral("Open"), fewer).ok());
    EXPECT_TRUE(bugs.choose(QStringLiteral("urgent"), fewer).ok());

    ASSERT_TRUE(bugs.remove(QStringLiteral("URGENT")).ok());
    listed = bugs.list();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].description, QStringLiteral("Open"));
}

} // namespace tarvo::query
