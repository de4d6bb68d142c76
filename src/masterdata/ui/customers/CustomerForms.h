#pragma once

#include "platform/runtime/Context.h"

#include <QWidget>

#include <functional>

namespace tarvo::data {
class Session;
}

namespace tarvo::masterdata::ui {

// The forms the customer lists call, by the number their lists know them by.
enum class CustomerForm { Customer, Contact, Purchase };

// Starts the form under the context's request, window-modal to the caller, for the row of that
// key (read into the thread's buffer first; none for an insert). finished runs when it has
// ended, with the row key of the record it wrote (0 when none).
void startCustomerForm(CustomerForm form, Context &context, data::Session &session, QWidget *caller,
                       qint64 rowKey, std::function<void(qint64 rowKey)> finished);

} // namespace tarvo::masterdata::ui
