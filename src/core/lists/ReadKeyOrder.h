#pragma once

#include "platform/runtime/Result.h"

#include <QString>
#include <QVariantList>

#include <functional>
#include <optional>

namespace tarvo::data {
class Record;
class Session;
} // namespace tarvo::data

namespace tarvo::core {

// Rows fetched per query by the list sources: a drop-down list never needs more than it shows,
// and the file is never held in memory as a whole.
constexpr int ListSourcePageRows = 100;

// Reads the session's file `label` in the order of `keyName`, only the rows whose leading key
// values equal `range` (all rows when empty), a page at a time, handing each record to `take`.
// The answer is the read error that ended the reading early, if any.
std::optional<Error> readKeyOrder(data::Session &session, const QString &label, const QString &keyName,
                                  const QVariantList &range,
                                  const std::function<void(const data::Record &)> &take);

} // namespace tarvo::core
