#include "access/ui/AddressLink.h"

#include "platform/desktop/Desktop.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Text.h"

#include <QUrl>

namespace tarvo::access {

void AddressLink::open(const QString &scheme, const QString &address)
{
    const QString clipped = Text::clip(address);
    if (clipped.isEmpty()) {
        Messages::show(QStringLiteral("No address specified!"), QStringLiteral("Error"),
                       MessageIcon::Exclamation);
        return;
    }
    Desktop::instance().openUrl(scheme.isEmpty() ? QUrl::fromUserInput(clipped) : QUrl(scheme + clipped));
}

} // namespace tarvo::access
