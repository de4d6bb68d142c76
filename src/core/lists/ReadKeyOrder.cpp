#include "core/lists/ReadKeyOrder.h"

#include "platform/data/Cursor.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/data/View.h"

namespace tarvo::core {

std::optional<Error> readKeyOrder(data::Session &session, const QString &label, const QString &keyName,
                                  const QVariantList &range,
                                  const std::function<void(const data::Record &)> &take)
{
    data::FileManager *file = session.file(label);
    if (!file)
        return makeError(data::ErrorCode::InvalidRecordDeclaration,
                         QStringLiteral("The data file %1 is not declared").arg(label));
    data::View view(*file, keyName);
    if (!view.isValid())
        return makeError(data::ErrorCode::InvalidRecordDeclaration,
                         QStringLiteral("The data file %1 has no key %2").arg(label, keyName));
    if (!range.isEmpty())
        view.setRange(range);
    data::Cursor cursor(view);
    for (;;) {
        auto page = cursor.nextPage(ListSourcePageRows);
        if (!page)
            return page.error();
        for (const data::Record &record : *page)
            take(record);
        if (int(page->size()) < ListSourcePageRows)
            return std::nullopt;
    }
}

} // namespace tarvo::core
