#include "listext/ListExport.h"

#include "listext/MemoryRowSource.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace tarvo::listext;

namespace {

std::unique_ptr<TableRowReader> sample(MemoryRowSource &source)
{
    return tableRows(source,
                     {{QStringLiteral("T:Name"), QStringLiteral(">Name"), QStringLiteral("@s35")},
                      {QStringLiteral("T:Count"), QStringLiteral("Count \"n\""), QStringLiteral("@n-14")}});
}

MemoryRowSource sampleSource()
{
    return MemoryRowSource({QStringLiteral("T:Name"), QStringLiteral("T:Count")},
                           {{QStringLiteral("Smith; Jones"), 1},
                            {QStringLiteral("12\" disk"), 2},
                            {QStringLiteral("a;b\"c"), 3},
                            {QStringLiteral("<b>&co   "), 4},
                            {QString(), 5},
                            {QStringLiteral("two\nlines"), 6}});
}

QString exported(bool html, MemoryRowSource &source)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    auto rows = sample(source);
    auto written = html ? ListExport::writeHtml(buffer, QStringLiteral("Issues & more"), *rows)
                        : ListExport::writeText(buffer, *rows);
    EXPECT_TRUE(written.ok());
    EXPECT_EQ(written.value(), 6);
    return QString::fromUtf8(buffer.data());
}

TEST(ListExport, TextQuotesAsRfc4180)
{
    MemoryRowSource source = sampleSource();
    EXPECT_EQ(exported(false, source), QStringLiteral("Name;\"Count \"\"n\"\"\"\r\n"
                                                      "\"Smith; Jones\";1\r\n"
                                                      "\"12\"\" disk\";2\r\n"
                                                      "\"a;b\"\"c\";3\r\n"
                                                      "<b>&co;4\r\n"
                                                      ";5\r\n"
                                                      "\"two\nlines\";6\r\n")
                                           .replace(QStringLiteral("Name;"), QStringLiteral(">Name;")));
}

TEST(ListExport, HtmlEscapesEveryText)
{
    MemoryRowSource source = sampleSource();
    const QString html = exported(true, source);
    EXPECT_EQ(
        html,
        QStringLiteral(
            "<HTML>\r\n"
            "<HEAD><META CHARSET=\"UTF-8\"><TITLE>Issues &amp; more</TITLE></HEAD>\r\n"
            "<H1>Issues &amp; more</H1><P>\r\n"
            "<TABLE BORDER=2>\r\n"
            "<TR> <TD><STRONG>&gt;Name</STRONG></TD> <TD><STRONG>Count &quot;n&quot;</STRONG></TD> </TR>\r\n"
            "<TR> <TD>Smith; Jones</TD> <TD>1</TD> </TR>\r\n"
            "<TR> <TD>12&quot; disk</TD> <TD>2</TD> </TR>\r\n"
            "<TR> <TD>a;b&quot;c</TD> <TD>3</TD> </TR>\r\n"
            "<TR> <TD>&lt;b&gt;&amp;co</TD> <TD>4</TD> </TR>\r\n"
            "<TR> <TD>&nbsp;</TD> <TD>5</TD> </TR>\r\n"
            "<TR> <TD>two\nlines</TD> <TD>6</TD> </TR>\r\n"
            "</TABLE>\r\n"
            "</HTML>\r\n"));
}

TEST(ListExport, StreamsPageByPageAndCutsLongCells)
{
    std::vector<QVariantList> rows;
    for (int i = 0; i < 1000; ++i)
        rows.push_back({QString(i == 7 ? 5000 : 3, QLatin1Char('x')), i});
    MemoryRowSource source({QStringLiteral("T:Name"), QStringLiteral("T:Count")}, rows);
    auto reader =
        tableRows(source, {{QStringLiteral("T:Name"), QStringLiteral("Name"), QStringLiteral("@s255")}},
                  plainCellText, 100);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    qint64 seen = 0;
    auto written = ListExport::writeText(buffer, *reader, [&](qint64 n) {
        seen = n;
        return true;
    });
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(written.value(), 1000);
    EXPECT_EQ(seen, 1000);
    EXPECT_EQ(source.pagesRead(), 11);
    const QStringList lines = QString::fromUtf8(buffer.data()).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.at(8).size(), ListExport::MaxCellLength);
}

TEST(ListExport, AnUnwritableFileIsAnError)
{
    MemoryRowSource source = sampleSource();
    auto rows = sample(source);
    auto result = ListExport::exportTextFile(QStringLiteral("/nonexistent-folder/x.csv"), *rows);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().code, ListExport::ErrorWrite);
}

} // namespace
