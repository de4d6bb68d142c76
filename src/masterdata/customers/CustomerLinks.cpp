#include "masterdata/customers/CustomerLinks.h"

#include "core/lists/CountryQueue.h"
#include "core/startup/SettingsRecord.h"
#include "platform/desktop/Desktop.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Translator.h"

namespace tarvo::masterdata {

namespace {

bool refuseBlank()
{
    Messages::beep(MessageIcon::Exclamation);
    Messages::show(Translator::instance().translate(QStringLiteral("No address specified!")),
                   Translator::instance().translate(QStringLiteral("Error")), MessageIcon::Exclamation);
    return false;
}

} // namespace

bool CustomerLinks::showAddressMap(const MapAddress &address)
{
    core::FillCountryQueue();
    std::vector<MapCountry> countries;
    for (const core::CountryQueueEntry &c : core::CountryQueue::global().rows())
        countries.push_back({c.loc, c.locId});
    const core::SettingsValues settings = core::SettingsRecord::instance().values();
    return Desktop::instance().openUrl(
        AddressLinks::mapUrl(address, settings.language(), settings.location(), countries));
}

bool CustomerLinks::sendMailTo(const QString &address)
{
    const QUrl url = AddressLinks::mailUrl(address);
    return url.isValid() ? Desktop::instance().openUrl(url) : refuseBlank();
}

bool CustomerLinks::openWebAddress(const QString &address)
{
    const QUrl url = AddressLinks::webUrl(address);
    return url.isValid() ? Desktop::instance().openUrl(url) : refuseBlank();
}

void CustomerLinks::dialPhone(const QString &number)
{
    (void)Desktop::instance().openUrl(AddressLinks::telUrl(number));
}

} // namespace tarvo::masterdata
