#include "masterdata/ui/customers/CustomerForms.h"

#include "masterdata/ui/customers/UpdateCustomer.h"
#include "masterdata/ui/customers/UpdateCustomerContacts.h"
#include "masterdata/ui/customers/UpdateCustomerPrograms.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"

namespace tarvo::masterdata::ui {

void startCustomerForm(CustomerForm form, Context &context, data::Session &session, QWidget *caller,
                       qint64 rowKey, std::function<void(qint64 rowKey)> finished)
{
    tarvo::ui::UpdateForm *opened = nullptr;
    switch (form) {
    case CustomerForm::Customer:
        opened = new UpdateCustomer(context, session);
        break;
    case CustomerForm::Contact:
        opened = new UpdateCustomerContacts(context, session);
        break;
    case CustomerForm::Purchase:
        opened = new UpdateCustomerPrograms(context, session);
        break;
    }
    if (!opened->file()) {
        opened->deleteLater();
        finished(0);
        return;
    }
    data::FileManager &file = *opened->file();
    if (context.threadRequest() != Request::Insert) {
        // The form reads the record whole by its row.
        file.buffer() = file.newRecord();
        file.buffer().setRowId(rowKey);
    }
    opened->openModal(caller, [finished = std::move(finished), &file](int response) {
        finished(response == Response::Completed ? file.buffer().rowId() : 0);
    });
}

} // namespace tarvo::masterdata::ui
