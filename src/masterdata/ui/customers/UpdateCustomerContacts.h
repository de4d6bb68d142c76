#pragma once

#include "masterdata/ui/customers/PersonPages.h"
#include "platform/ui/UpdateForm.h"

#include <memory>

namespace tarvo::masterdata::ui {

// The form of one contact person of the customer in the thread's customer buffer.
class UpdateCustomerContacts final : public tarvo::ui::UpdateForm {
    Q_OBJECT
  public:
    UpdateCustomerContacts(Context &context, data::Session &session, QObject *parent = nullptr);
    ~UpdateCustomerContacts() override;

    bool open() override;
    const PersonPages &pages() const { return *m_pages; }

  private:
    std::unique_ptr<PersonPages> m_pages;
};

// Says which data files a form changed once it has ended with Completed, or after a delete.
void sendRefreshWhenClosed(tarvo::ui::UpdateForm &form, const QString &files);
// The caption of a form for its request: "View Record", or the insert or change caption.
void setFormCaption(tarvo::ui::UpdateForm &form, const char *insertCaption, const char *changeCaption);

} // namespace tarvo::masterdata::ui
