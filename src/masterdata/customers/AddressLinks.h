#pragma once

#include <QString>
#include <QUrl>

#include <vector>

namespace tarvo::data {
class Record;
}

namespace tarvo::masterdata {

// The address a map link shows.
struct MapAddress final {
    QString street;
    QString zip;
    QString city;
    QString state;
    QString country;
    QString description;
};

// A country of the map link's country choice: its English name and two-letter code.
struct MapCountry final {
    QString name;
    QString code;
};

// The links of the customer windows: an address on a web map, a mail, a web address and a
// telephone call, each as the URL the desktop opens. Every value put into a URL is
// percent-encoded, so no character of an address can change the URL's query.
class AddressLinks final {
  public:
    // Hosts of the two web map services.
    static const QString FirstMapHost;
    static const QString SecondMapHost;

    // The first service serves the English interfaces, the second every other language. The
    // country code is that of the address's country, else of the settings' location, else "US".
    static QUrl mapUrl(const MapAddress &address, const QString &language, const QString &location,
                       const std::vector<MapCountry> &countries);
    // Invalid for a blank address.
    static QUrl mailUrl(const QString &address);
    // A web address is opened whole; one without a scheme is taken as http. Invalid when blank.
    static QUrl webUrl(const QString &address);
    // A "tel:" URL of the clipped number.
    static QUrl telUrl(const QString &number);

    // The customer's address, and the contact's, whose blank parts the customer's fill.
    static MapAddress customerAddress(const data::Record &customer);
    static MapAddress contactAddress(const data::Record &contact, const data::Record &customer);
};

} // namespace tarvo::masterdata
