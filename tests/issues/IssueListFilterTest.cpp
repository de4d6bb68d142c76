#include "issues/IssueListFilter.h"

#include "core/dictionary/TarvoStoreTest.h"
#include "issues/IssueFields.h"
#include "platform/data/View.h"
#include "platform/data/expr/Expression.h"

namespace tarvo::issues {

namespace {

using Range = IssueListFilter::Order::Range;

struct OrderCase {
    qint64 prgId;
    const char *release;
    const char *programFile;
    int tab;
    bool fixed;
    int number;
    const char *key;
    Range range;
    const char *filter;
};

class IssueListFilterTest : public test::TarvoStoreTest {
  protected:
    // The IDs the limit filter lets through, with the user's code and program limits.
    std::vector<qint64> visible(const IssueListFilter &filter, const QString &mak)
    {
        data::FileManager &bugs = fm(QStringLiteral("Bugs"));
        auto file = registeredIssues(bugs.layoutPtr());
        EXPECT_TRUE(file.ok());
        data::expr::NameTable names;
        file->addColumns(names);
        names.bind(QStringLiteral("SecP"), filter.secP);
        names.bind(QStringLiteral("MAK"), mak);
        data::View view(bugs, QStringLiteral("BUG:KeyID"));
        const QString text = filter.limitFilter();
        if (!text.isEmpty()) {
            auto expression = data::expr::Expression::parse(text, names);
            EXPECT_TRUE(expression.ok()) << expression.error().message.toStdString();
            auto sql = expression->toSql(m_dict->store().kind() == data::StoreKind::Sqlite
                                             ? data::expr::Dialect::Sqlite
                                             : data::expr::Dialect::PostgreSql,
                                         names);
            EXPECT_TRUE(sql.ok()) << sql.error().message.toStdString();
            view.setFilter(*sql);
        }
        auto rows = view.rowsAfter(nullptr, 100);
        EXPECT_TRUE(rows.ok());
        std::vector<qint64> ids;
        for (const auto &r : *rows)
            ids.push_back(r.integer(QStringLiteral("ID")));
        std::sort(ids.begin(), ids.end());
        return ids;
    }
};

} // namespace

TEST(IssueListOrderTest, ChoosesTheOrderOfTheSelectionTabAndSwitch)
{
    const OrderCase cases[] = {
        {0, "", "", 1, false, 1, "BUG:KeyGrayCategoryID", Range::None, "(BUG:Gray=0 and BUG:Category=T)"},
        {0, "", "", 3, true, 2, "BUG:KeyCategoryID", Range::Category, ""},
        {0, "", "", 5, false, 3, "BUG:KeyGrayID", Range::None, "(BUG:Gray=0)"},
        {0, "1.0", "main.cpp", 5, true, 4, "BUG:KeyID", Range::None, ""},
        {4, "1.0", "main.cpp", 2, false, 5, "BUG:KeyPrgIDProgramfileGrayCategoryID", Range::ProgramFile,
         "(BUG:Gray=0 and BUG:Category=T)"},
        {4, "", "main.cpp", 5, true, 8, "BUG:KeyPrgIDProgramfileID", Range::ProgramFile, ""},
        {4, "1.0", "", 1, true, 10, "BUG:KeyPrgIDVersionCategoryID", Range::Release, "(BUG:Category=T)"},
        {4, "1.0", "", 5, false, 11, "BUG:KeyPrgIDVersionGrayID", Range::Release, "(BUG:Gray=0)"},
        {4, "", "", 4, false, 13, "BUG:KeyPrgIDGrayCategoryID", Range::Program,
         "(BUG:Gray=0 and BUG:Category=T)"},
        {4, "  ", "", 5, true, 16, "BUG:KeyPrgIDID", Range::Program, ""},
    };
    for (const OrderCase &c : cases) {
        IssueListFilter f;
        f.prgId = c.prgId;
        f.release = QLatin1String(c.release);
        f.programFile = QLatin1String(c.programFile);
        f.tab = c.tab;
        f.showFixed = c.fixed;
        const IssueListFilter::Order o = f.order();
        EXPECT_EQ(o.number, c.number) << c.key;
        EXPECT_EQ(o.key, QLatin1String(c.key)) << c.number;
        EXPECT_EQ(o.range, c.range) << c.number;
        EXPECT_EQ(o.filter, QLatin1String(c.filter)) << c.number;
    }
    EXPECT_EQ(IssueListFilter::order(17).key, QString());
}

TEST_P(IssueListFilterTest, LimitsToAllowedProgramsAndTheUsersWholeCode)
{
    const std::pair<int, const char *> issues[] = {
        {3, "MAX|ABC"}, {7, "abc"}, {9, "AB"}, {7, ""}, {3, "XY|max"}};
    for (const auto &[program, persons] : issues)
        add(QStringLiteral("Bugs"), {{QStringLiteral("PrgID"), program},
                                     {QStringLiteral("AllResponsiblePersons"), QLatin1String(persons)}});
    IssueListFilter filter;
    EXPECT_EQ(visible(filter, QStringLiteral("AB")), (std::vector<qint64>{1, 2, 3, 4, 5}));

    filter.secP = QStringLiteral("|3|7|");
    EXPECT_EQ(visible(filter, QStringLiteral("AB")), (std::vector<qint64>{1, 2, 4, 5}));
    filter.prgId = 9; // a selected program: the tree already shows only the programs allowed
    EXPECT_EQ(visible(filter, QStringLiteral("AB")), (std::vector<qint64>{1, 2, 3, 4, 5}));

    filter.onlyMine = true;
    // A whole entry, without regard to case: "AB" is not "ABC".
    EXPECT_EQ(visible(filter, QStringLiteral("ab")), (std::vector<qint64>{3}));
    EXPECT_EQ(visible(filter, QStringLiteral("ABC")), (std::vector<qint64>{1, 2}));
    // A code longer than the stored initials finds the issues stored under them.
    EXPECT_EQ(visible(filter, QStringLiteral("Maxwell")), (std::vector<qint64>{1, 5}));
    filter.prgId = 0;
    EXPECT_EQ(visible(filter, QStringLiteral("Maxwell")), (std::vector<qint64>{1, 5}));
    filter.secP = QStringLiteral("|7|9|");
    EXPECT_EQ(visible(filter, QStringLiteral("Maxwell")), (std::vector<qint64>{}));
}

TARVO_REAL_STORE_SUITE(IssueListFilterTest);

} // namespace tarvo::issues
