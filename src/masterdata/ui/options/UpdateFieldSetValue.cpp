#include "masterdata/ui/options/UpdateFieldSetValue.h"

#include "masterdata/options/FieldRuleStore.h"
#include "masterdata/ui/options/FieldRuleFormKit.h"
#include "masterdata/ui/options/SelectFields.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvo::masterdata::ui {

namespace {
const QString Field = QStringLiteral("FIS:FIELD");
const QString Value = QStringLiteral("FIS:VALUE");
} // namespace

UpdateFieldSetValue::UpdateFieldSetValue(Context &context, data::Session &session, qint64 condition,
                                         QObject *parent)
    : UpdateForm(context, QStringLiteral("UpdateFieldSetValue"), session, QStringLiteral("FieldSetValue"),
                 parent)
{
    using Kit = FieldRuleFormKit;
    const Kit::Frame f = Kit::frame(*this, QStringLiteral("UpdateFieldSetValue"));
    m_field = Kit::fieldLabel(Field);
    m_pickField = Kit::selectFieldButton(QStringLiteral("SelectField"));
    m_required = new QCheckBox(Kit::translated("Required"));
    m_force = new QCheckBox(Kit::translated("Force selection (no manual entry)"));
    m_valuePrompt = new QLabel(Kit::translated("Value:"));
    m_value = new QLineEdit;
    m_value->setMaxLength(255);
    m_pickValue = Kit::selectFieldButton(QStringLiteral("SelectValue"));
    f.general->addWidget(new QLabel(Kit::translated("Field:")), 0, 0);
    f.general->addWidget(m_field, 0, 1);
    f.general->addWidget(m_pickField, 0, 2);
    f.general->addWidget(m_required, 1, 1, 1, 2);
    f.general->addWidget(m_force, 2, 1, 1, 2);
    f.general->addWidget(m_valuePrompt, 3, 0);
    f.general->addWidget(m_value, 3, 1);
    f.general->addWidget(m_pickValue, 3, 2);
    f.general->setRowStretch(4, 1);
    f.general->setColumnStretch(1, 1);
    m_field->setObjectName(Field);
    field(Field, m_field);
    m_required->setObjectName(QStringLiteral("FIS:REQUIRED"));
    field(QStringLiteral("FIS:REQUIRED"), m_required);
    m_force->setObjectName(QStringLiteral("FIS:READONLY"));
    field(QStringLiteral("FIS:READONLY"), m_force);
    m_value->setObjectName(Value);
    field(Value, m_value);
    setButtons(f.ok, f.cancel);
    onPrime([condition](data::Record &row) { row.setValue(QStringLiteral("FIS:ID"), condition); });
    connect(m_pickField, &QPushButton::clicked, this, &UpdateFieldSetValue::pickField);
    connect(m_pickValue, &QPushButton::clicked, this, &UpdateFieldSetValue::pickValue);
    connect(m_required, &QCheckBox::clicked, this, &UpdateFieldSetValue::requiredChanged);
}

bool UpdateFieldSetValue::open()
{
    if (isOpen())
        return true;
    FieldRuleFormKit::setTitle(*this);
    if (!UpdateForm::open())
        return false;
    FieldRuleFormKit::applyOptionRule(record().text(Field), m_force, m_pickValue);
    showValueControls();
    return true;
}

void UpdateFieldSetValue::showValueControls()
{
    const bool required = m_required->isChecked();
    m_valuePrompt->setVisible(!required);
    m_value->setVisible(!required);
    m_pickValue->setVisible(!required);
}

void UpdateFieldSetValue::pickField()
{
    if (!takeControls())
        return;
    record().setValue(Field, SelectFields::pick(0, 1, window()));
    showRecord();
    FieldRuleFormKit::applyOptionRule(record().text(Field), m_force, m_pickValue);
}

void UpdateFieldSetValue::pickValue()
{
    if (!takeControls())
        return;
    record().setValue(Value, SelectFields::pick(1, 99, window()));
    showRecord();
}

void UpdateFieldSetValue::requiredChanged()
{
    showValueControls();
    if (!takeControls())
        return;
    record().setValue(Value, m_required->isChecked() ? requiredRuleValue() : QString());
    showRecord();
}

} // namespace tarvo::masterdata::ui
