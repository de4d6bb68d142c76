#include "masterdata/ui/options/UpdateFieldConditions.h"

#include "masterdata/ui/options/FieldRuleFormKit.h"
#include "masterdata/ui/options/UpdateFieldSetValue.h"
#include "platform/data/Session.h"
#include "platform/runtime/Text.h"
#include "platform/ui/FormList.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvo::masterdata::ui {

namespace {
constexpr int UpdateFieldSetValueProcedure = 1;
} // namespace

UpdateFieldConditions::UpdateFieldConditions(Context &context, data::Session &session,
                                             const QString &ruledField, QObject *parent)
    : UpdateForm(context, QStringLiteral("UpdateFieldConditions"), session, QStringLiteral("FieldConditions"),
                 parent)
{
    using Kit = FieldRuleFormKit;
    const Kit::Frame f = Kit::frame(*this, QStringLiteral("UpdateFieldConditions"));
    m_header = Kit::fieldLabel(QStringLiteral("FieldHeader"));
    m_condition = new QLineEdit;
    m_condition->setMaxLength(255);
    m_rows = Kit::rowList(
        session, QStringLiteral("SetValueList"),
        {Kit::translated("Field"), QString(), Kit::translated("Value")}, QStringLiteral("FieldSetValue"),
        QStringLiteral("KeyIDRequiredField"),
        [this]() {
            return std::optional<QVariantList>(QVariantList{record().value(QStringLiteral("FIC:ID"))});
        },
        [](const data::Record &r) {
            return QStringList{Text::clip(r.text(QStringLiteral("FIELD"))), QStringLiteral("="),
                               Text::clip(r.text(QStringLiteral("VALUE")))};
        });
    list(m_rows, UpdateFieldSetValueProcedure);
    setProcedure(UpdateFieldSetValueProcedure, [this](std::function<void()> finished) {
        auto *form = new UpdateFieldSetValue(this->context(), this->session(),
                                             record().integer(QStringLiteral("FIC:ID")));
        form->openModal(window(), [finished = std::move(finished)](int) { finished(); });
    });
    f.general->addWidget(m_header, 0, 0, 1, 2);
    f.general->addWidget(new QLabel(Kit::translated("Condition:")), 1, 0);
    f.general->addWidget(m_condition, 1, 1);
    f.general->addWidget(
        new QLabel(Kit::translated(
            "These fields are setup as required or will be filled with the specified value:")),
        2, 0, 1, 2);
    f.general->addWidget(m_rows, 3, 0, 1, 2);
    f.general->setRowStretch(3, 1);
    m_condition->setObjectName(QStringLiteral("FIC:CONDITION"));
    field(QStringLiteral("FIC:CONDITION"), m_condition);
    setButtons(f.ok, f.cancel);
    onPrime([ruledField](data::Record &condition) {
        condition.setValue(QStringLiteral("FIC:FIELD"), ruledField);
    });
}

bool UpdateFieldConditions::open()
{
    if (isOpen())
        return true;
    FieldRuleFormKit::setTitle(*this);
    if (!UpdateForm::open())
        return false;
    m_header->setText(FieldRuleFormKit::equalsTo(record().text(QStringLiteral("FIC:FIELD"))));
    return true;
}

} // namespace tarvo::masterdata::ui
