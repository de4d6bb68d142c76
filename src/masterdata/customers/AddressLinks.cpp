#include "masterdata/customers/AddressLinks.h"

#include "platform/data/Record.h"

namespace tarvo::masterdata {

const QString AddressLinks::FirstMapHost = QStringLiteral("www.mapquest.com");
const QString AddressLinks::SecondMapHost = QStringLiteral("link2.map24.com");

namespace {

QString clipped(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

// A value of the query: every reserved character percent-encoded, blanks as "+".
QByteArray queryValue(const QString &value)
{
    return QUrl::toPercentEncoding(clipped(value), " ").replace(' ', '+');
}

QString countryCode(const QString &country, const QString &location, const std::vector<MapCountry> &countries)
{
    for (const QString &name : {clipped(country), clipped(location)})
        for (const MapCountry &c : countries)
            if (!name.isEmpty() && c.name.compare(name, Qt::CaseInsensitive) == 0)
                return c.code;
    return QStringLiteral("US");
}

QString either(const data::Record &own, const data::Record &fallback, const QString &field)
{
    const QString value = clipped(own.text(field));
    return value.isEmpty() ? clipped(fallback.text(field)) : value;
}

} // namespace

QUrl AddressLinks::mapUrl(const MapAddress &address, const QString &language, const QString &location,
                          const std::vector<MapCountry> &countries)
{
    const QString lang = clipped(language);
    QByteArray url = "https://";
    if (lang == QLatin1String("English") || lang == QLatin1String("English (UK)")) {
        url += FirstMapHost.toLatin1() +
               "/maps/map.adp?country=" + queryValue(countryCode(address.country, location, countries)) +
               "&city=" + queryValue(address.city) + "&state=" + queryValue(address.state) +
               "&address=" + queryValue(address.street) + "&zip=" + queryValue(address.zip) + "&zoom=5";
    } else {
        url += SecondMapHost.toLatin1() +
               "/?lid=a41c7e2d&maptype=JAVA&width0=1500&street0=" + queryValue(address.street) +
               "&zip0=" + queryValue(address.zip) + "&city0=" + queryValue(address.city) +
               "&country0=DE&description0=" + queryValue(address.description);
    }
    return QUrl::fromEncoded(url, QUrl::StrictMode);
}

QUrl AddressLinks::mailUrl(const QString &address)
{
    const QString to = clipped(address).trimmed();
    if (to.isEmpty())
        return {};
    return QUrl::fromEncoded("mailto:" + QUrl::toPercentEncoding(to, "@+"), QUrl::StrictMode);
}

QUrl AddressLinks::webUrl(const QString &address)
{
    const QString web = clipped(address).trimmed();
    if (web.isEmpty())
        return {};
    QUrl url(web, QUrl::TolerantMode);
    if (url.scheme().isEmpty())
        url = QUrl(QStringLiteral("http://") + web, QUrl::TolerantMode);
    return url;
}

QUrl AddressLinks::telUrl(const QString &number)
{
    return QUrl::fromEncoded("tel:" + QUrl::toPercentEncoding(clipped(number).trimmed(), "+()-. "),
                             QUrl::StrictMode);
}

MapAddress AddressLinks::customerAddress(const data::Record &customer)
{
    return {clipped(customer.text(QStringLiteral("CUS:Address1"))),
            clipped(customer.text(QStringLiteral("CUS:Zip"))),
            clipped(customer.text(QStringLiteral("CUS:City"))),
            clipped(customer.text(QStringLiteral("CUS:State"))),
            clipped(customer.text(QStringLiteral("CUS:Country"))),
            clipped(customer.text(QStringLiteral("CUS:Searchname")))};
}

MapAddress AddressLinks::contactAddress(const data::Record &contact, const data::Record &customer)
{
    return {either(contact, customer, QStringLiteral("Address1")),
            either(contact, customer, QStringLiteral("Zip")),
            either(contact, customer, QStringLiteral("City")),
            either(contact, customer, QStringLiteral("State")),
            either(contact, customer, QStringLiteral("Country")),
            clipped(customer.text(QStringLiteral("CUS:Searchname")))};
}

} // namespace tarvo::masterdata
