#pragma once

#include "masterdata/customers/AddressLinks.h"

#include <QString>

namespace tarvo::masterdata {

// The map, mail, web and telephone buttons of the customer windows: each builds its link with
// the settings in force and hands it to the desktop. A blank mail or web address is refused
// with a message; false when nothing was opened.
class CustomerLinks final {
  public:
    static bool showAddressMap(const MapAddress &address);
    static bool sendMailTo(const QString &address);
    static bool openWebAddress(const QString &address);
    // A blank number is still handed over; the desktop's answer is not reported.
    static void dialPhone(const QString &number);
};

} // namespace tarvo::masterdata
