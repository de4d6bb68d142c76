#include "masterdata/ui/options/FieldRuleList.h"

#include "masterdata/ui/options/FieldRuleFormKit.h"
#include "masterdata/ui/options/UpdateFieldConfig.h"
#include "platform/data/Session.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Text.h"
#include "platform/ui/FormList.h"

#include <QPointer>
#include <QVBoxLayout>

namespace tarvo::masterdata::ui {

FieldRuleList::FieldRuleList(Context &context, data::Session &session, QWidget *parent)
    : QWidget(parent), m_context(context.shared_from_this()), m_session(session)
{
    using Kit = FieldRuleFormKit;
    auto *layout = new QVBoxLayout(this);
    const auto mark = [](const data::Record &r, const char *flag) {
        return r.integer(QString::fromLatin1(flag)) != 0 ? QStringLiteral("\u2713") : QString();
    };
    m_list = Kit::rowList(
        session, QStringLiteral("FieldRuleList"),
        {Kit::translated("Field"), Kit::translated("R."), Kit::translated("F."),
         Kit::translated("Default value")},
        QStringLiteral("FieldConfig"), QStringLiteral("KeyField"), []() { return QVariantList(); },
        [mark](const data::Record &r) {
            return QStringList{Text::clip(r.text(QStringLiteral("FIELD"))), mark(r, "REQUIRED"),
                               mark(r, "READONLY"), Text::clip(r.text(QStringLiteral("DEFAULT")))};
        });
    m_list->onRequest([this](int request) { run(request); });
    layout->addWidget(m_list);
}

void FieldRuleList::run(int request)
{
    m_context->setThreadRequest(request);
    auto *form = new UpdateFieldConfig(*m_context, m_session);
    form->openModal(window(), [list = QPointer<tarvo::ui::FormList>(m_list)](int) {
        if (!list)
            return;
        if (auto read = list->reload(); !read)
            Messages::show(read.error().message, list->window()->windowTitle(), MessageIcon::Exclamation);
    });
}

} // namespace tarvo::masterdata::ui
