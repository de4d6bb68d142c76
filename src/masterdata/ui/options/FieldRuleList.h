#pragma once

#include "platform/runtime/Context.h"

#include <QWidget>

#include <memory>

namespace tarvo::data {
class Session;
}
namespace tarvo::ui {
class FormList;
}

namespace tarvo::masterdata::ui {

// The field rules on the Options window's "Fields" tab: every rule with its marks and default,
// and the buttons that open the rule's form under a request; the list is read again afterwards.
class FieldRuleList final : public QWidget {
    Q_OBJECT

  public:
    FieldRuleList(Context &context, data::Session &session, QWidget *parent = nullptr);

    tarvo::ui::FormList *list() const { return m_list; }

  private:
    void run(int request);

    std::shared_ptr<Context> m_context;
    data::Session &m_session;
    tarvo::ui::FormList *m_list = nullptr;
};

} // namespace tarvo::masterdata::ui
