#include "platform/query/CsvReader.h"
#include "platform/query/CsvWriter.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace tarvo::query {

namespace {

struct RoundTripCase {
    const char *name;
    QStringList fields;
};

class CsvRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

} // namespace

TEST_P(CsvRoundTripTest, ReadsBackWhatItWrote)
{
    const QStringList &fields = GetParam().fields;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CsvWriter writer(buffer);
    ASSERT_TRUE(writer.writeRecord(fields).ok());
    ASSERT_TRUE(writer.writeRecord({QStringLiteral("next")}).ok());
    const QString text = QString::fromUtf8(buffer.data());
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\nnext\r\n")));

    auto rows = CsvReader::parse(text);
    ASSERT_TRUE(rows.ok()) << rows.error().message.toStdString();
    ASSERT_EQ(rows->size(), 2u);
    EXPECT_EQ((*rows)[0].fields, fields);
    EXPECT_EQ((*rows)[0].line, 1);
    EXPECT_EQ((*rows)[1].fields, QStringList{QStringLiteral("next")});
    EXPECT_EQ((*rows)[1].line, 2 + int(fields.join(QString()).count(u'\n')));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CsvRoundTripTest,
    ::testing::Values(
        RoundTripCase{"Plain", {QStringLiteral("a"), QStringLiteral("b c"), QString()}},
        RoundTripCase{"Comma", {QStringLiteral("a,b"), QStringLiteral(",")}},
        RoundTripCase{"Quotes", {QStringLiteral("say \"hi\""), QStringLiteral("\""), QStringLiteral("\"\"")}},
        RoundTripCase{"LineBreaks",
                      {QStringLiteral("one\r\ntwo"), QStringLiteral("lf\nonly"), QStringLiteral("cr\r")}},
        RoundTripCase{"Umlauts", {QStringLiteral("Grüße aus Köln"), QStringLiteral("ÄÖÜß")}},
        RoundTripCase{"Blanks", {QStringLiteral("  lead"), QStringLiteral("trail  ")}},
        RoundTripCase{"OneEmptyField", {QString()}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CsvReaderTest, ReadsWhatSpreadsheetsWrite)
{
    // A byte-order mark, LF line ends, a quoted empty field and a blank line between records.
    auto rows = CsvReader::parse(QStringLiteral("\xFEFF"
                                                "ID,Text\n1,\"\"\n\n2,x"));
    ASSERT_TRUE(rows.ok());
    ASSERT_EQ(rows->size(), 3u);
    EXPECT_EQ((*rows)[0].fields, (QStringList{QStringLiteral("ID"), QStringLiteral("Text")}));
    EXPECT_EQ((*rows)[1].fields, (QStringList{QStringLiteral("1"), QString()}));
    EXPECT_EQ((*rows)[2].fields, (QStringList{QStringLiteral("2"), QStringLiteral("x")}));
    EXPECT_EQ((*rows)[2].line, 4);
}

TEST(CsvReaderTest, RefusesMalformedQuotingNamingItsLine)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("a,b\r\n\"open,c\r\nmore"), QStringLiteral("Line 2:")},
        {QStringLiteral("a\r\nb\r\n\"x\"y,z"), QStringLiteral("Line 3:")},
        {QStringLiteral("a\r\nb\"c"), QStringLiteral("Line 2:")},
    };
    for (const auto &[text, line] : cases) {
        auto rows = CsvReader::parse(text);
        ASSERT_FALSE(rows.ok()) << text.toStdString();
        EXPECT_TRUE(rows.error().message.startsWith(line)) << rows.error().message.toStdString();
    }
}

} // namespace tarvo::query
