#include "masterdata/customers/AddressLinks.h"

#include "core/dictionary/TarvoDictionary.h"
#include "platform/data/Record.h"
#include "platform/data/RecordLayout.h"

#include <QUrlQuery>

#include <gtest/gtest.h>

namespace tarvo::masterdata {
namespace {

const std::vector<MapCountry> Countries{{QStringLiteral("Germany"), QStringLiteral("DE")},
                                        {QStringLiteral("United States"), QStringLiteral("US")},
                                        {QStringLiteral("Austria"), QStringLiteral("AT")}};

struct MapCase {
    const char *name;
    MapAddress address;
    const char *language;
    const char *location;
    // The query items the service reads, decoded as it decodes them.
    std::vector<std::pair<const char *, const char *>> items;
};

class MapUrlTest : public testing::TestWithParam<MapCase> {};

// A value holding "&", "#", "+", "%" or "=" stays one value of its key; blanks come back as blanks.
TEST_P(MapUrlTest, EveryValueStaysInItsOwnQueryItem)
{
    const MapCase &c = GetParam();
    const QUrl url = AddressLinks::mapUrl(c.address, QString::fromUtf8(c.language),
                                          QString::fromUtf8(c.location), Countries);
    ASSERT_TRUE(url.isValid()) << url.errorString().toStdString();
    EXPECT_EQ(url.scheme(), QStringLiteral("https"));
    EXPECT_TRUE(url.fragment().isEmpty());
    // The map services read "+" as a blank.
    QString query = url.query(QUrl::FullyEncoded);
    query.replace(QLatin1Char('+'), QStringLiteral("%20"));
    const QUrlQuery items(query);
    for (const auto &[key, value] : c.items)
        EXPECT_EQ(items.queryItemValue(QString::fromUtf8(key), QUrl::FullyDecoded), QString::fromUtf8(value))
            << key;
    // Nothing in a value adds an item of its own.
    EXPECT_EQ(items.queryItems().size(),
              QString::fromUtf8(c.language).startsWith(QStringLiteral("English")) ? 6 : 8)
        << url.toString().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, MapUrlTest,
    testing::Values(
        MapCase{"EnglishAmpersandAndHash",
                {QStringLiteral("Main St & 5th #2"),
                 QStringLiteral("10001"),
                 QStringLiteral("New York"),
                 QStringLiteral("NY"),
                 QStringLiteral("United States"),
                 {}},
                "English",
                "Germany",
                {{"country", "US"},
                 {"city", "New York"},
                 {"state", "NY"},
                 {"address", "Main St & 5th #2"},
                 {"zip", "10001"},
                 {"zoom", "5"}}},
        MapCase{
            "EnglishPlusPercentEquals",
            {QStringLiteral("a+b=c 100%"), {}, QStringLiteral("x&zoom=9"), {}, QStringLiteral("Nowhere"), {}},
            "English (UK)",
            "Austria",
            {{"country", "AT"}, {"city", "x&zoom=9"}, {"address", "a+b=c 100%"}, {"zoom", "5"}}},
        MapCase{"EnglishNoCountryAnywhere",
                {{}, {}, {}, {}, {}, {}},
                "English",
                "Atlantis",
                {{"country", "US"}, {"city", ""}, {"zoom", "5"}}},
        MapCase{"GermanUmlautsAndAmpersand",
                {QStringLiteral("Königstraße 1 & 2"),
                 QStringLiteral("80331"),
                 QStringLiteral("München"),
                 {},
                 QStringLiteral("Germany"),
                 QStringLiteral("Müller & Söhne #1")},
                "Deutsch",
                "Germany",
                {{"lid", "a41c7e2d"},
                 {"street0", "Königstraße 1 & 2"},
                 {"zip0", "80331"},
                 {"city0", "München"},
                 {"country0", "DE"},
                 {"description0", "Müller & Söhne #1"}}}),
    [](const testing::TestParamInfo<MapCase> &info) { return std::string(info.param.name); });

TEST(AddressLinksTest, MailWebAndTelephoneUrlsAreWholeAndBlankAddressesGiveNone)
{
    EXPECT_FALSE(AddressLinks::mailUrl(QStringLiteral("   ")).isValid());
    EXPECT_FALSE(AddressLinks::webUrl(QString()).isValid());
    const QUrl mail = AddressLinks::mailUrl(QStringLiteral("a&b?c=d@example.com  "));
    EXPECT_EQ(mail.scheme(), QStringLiteral("mailto"));
    EXPECT_TRUE(mail.query().isEmpty());
    EXPECT_EQ(mail.path(QUrl::FullyDecoded), QStringLiteral("a&b?c=d@example.com"));
    // An https address keeps its path, query and fragment; one without a scheme is http.
    const QString https = QStringLiteral("https://example.com/a/b?x=1&y=2#top");
    EXPECT_EQ(AddressLinks::webUrl(https).toString(), https);
    EXPECT_EQ(AddressLinks::webUrl(QStringLiteral("www.example.com/shop")).toString(),
              QStringLiteral("http://www.example.com/shop"));
    const QUrl tel = AddressLinks::telUrl(QStringLiteral("+49 (89) 123-456#9   "));
    EXPECT_EQ(tel.scheme(), QStringLiteral("tel"));
    EXPECT_EQ(tel.path(QUrl::FullyDecoded), QStringLiteral("+49 (89) 123-456#9"));
    EXPECT_TRUE(tel.fragment().isEmpty());
}

// A contact's map shows its own address, each blank part taken from its customer.
TEST(AddressLinksTest, AContactsBlankAddressPartsAreItsCustomers)
{
    data::Record customer(std::make_shared<const data::RecordLayout>(core::customerFile()));
    data::Record contact(std::make_shared<const data::RecordLayout>(core::customerContactsFile()));
    for (const auto &[field, value] :
         {std::pair{"Address1", "Customer Street 1"}, std::pair{"City", "Bonn"}, std::pair{"Zip", "53111"},
          std::pair{"Country", "Germany"}, std::pair{"Searchname", "ACME"}})
        customer.setValue(QString::fromLatin1(field), QString::fromLatin1(value));
    contact.setValue(QStringLiteral("City"), QStringLiteral("Köln  "));
    contact.setValue(QStringLiteral("Address1"), QStringLiteral("   "));
    const MapAddress address = AddressLinks::contactAddress(contact, customer);
    EXPECT_EQ(address.street, QStringLiteral("Customer Street 1"));
    EXPECT_EQ(address.city, QStringLiteral("Köln"));
    EXPECT_EQ(address.zip, QStringLiteral("53111"));
    EXPECT_EQ(address.country, QStringLiteral("Germany"));
    EXPECT_EQ(address.description, QStringLiteral("ACME"));
}

} // namespace
} // namespace tarvo::masterdata
