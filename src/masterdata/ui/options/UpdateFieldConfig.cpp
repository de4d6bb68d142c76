#include "masterdata/ui/options/UpdateFieldConfig.h"

#include "core/lists/ReadKeyOrder.h"
#include "masterdata/options/FieldRuleStore.h"
#include "masterdata/ui/options/FieldRuleFormKit.h"
#include "masterdata/ui/options/SelectFields.h"
#include "masterdata/ui/options/UpdateFieldConditions.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Text.h"
#include "platform/ui/FormList.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvo::masterdata::ui {

namespace {
constexpr int UpdateFieldConditionsProcedure = 1;
const QString Field = QStringLiteral("FIE:FIELD");
} // namespace

UpdateFieldConfig::UpdateFieldConfig(Context &context, data::Session &session, QObject *parent)
    : UpdateForm(context, QStringLiteral("UpdateFieldConfig"), session, QStringLiteral("FieldConfig"), parent)
{
    using Kit = FieldRuleFormKit;
    const Kit::Frame f = Kit::frame(*this, QStringLiteral("UpdateFieldConfig"));
    m_field = Kit::fieldLabel(Field);
    m_pickField = Kit::selectFieldButton(QStringLiteral("SelectField"));
    m_required = new QCheckBox(Kit::translated("Required"));
    m_force = new QCheckBox(Kit::translated("Force selection (no manual entry)"));
    m_default = new QLineEdit;
    m_default->setMaxLength(255);
    m_pickDefault = Kit::selectFieldButton(QStringLiteral("SelectDefault"));
    m_noMassUpdate = new QCheckBox(Kit::translated("Exclude from Mass Update"));
    m_header = new QLabel;
    m_header->setObjectName(QStringLiteral("ConditionHeader"));
    m_conditions = Kit::rowList(
        session, QStringLiteral("ConditionList"), {Kit::translated("Condition")},
        QStringLiteral("FieldConditions"), QStringLiteral("KeyFieldCondition"),
        [this]() -> std::optional<QVariantList> {
            if (ruledField().isEmpty())
                return std::nullopt;
            return QVariantList{record().value(Field)};
        },
        [](const data::Record &r) { return QStringList{Text::clip(r.text(QStringLiteral("CONDITION")))}; });
    list(m_conditions, UpdateFieldConditionsProcedure);
    setProcedure(UpdateFieldConditionsProcedure, [this](std::function<void()> finished) {
        // A condition belongs to a field: none is added before the rule has one.
        if (this->context().threadRequest() == Request::Insert && ruledField().isEmpty()) {
            Messages::beep(MessageIcon::Exclamation);
            this->context().setThreadResponse(Response::Cancelled);
            finished();
            return;
        }
        auto *form = new UpdateFieldConditions(this->context(), this->session(), ruledField());
        form->openModal(window(), [finished = std::move(finished)](int) { finished(); });
    });

    f.general->addWidget(new QLabel(Kit::translated("Field:")), 0, 0);
    f.general->addWidget(m_field, 0, 1);
    f.general->addWidget(m_pickField, 0, 2);
    f.general->addWidget(m_required, 1, 1, 1, 2);
    f.general->addWidget(m_force, 2, 1, 1, 2);
    f.general->addWidget(new QLabel(Kit::translated("Default value:")), 3, 0);
    f.general->addWidget(m_default, 3, 1);
    f.general->addWidget(m_pickDefault, 3, 2);
    f.general->addWidget(m_noMassUpdate, 4, 1, 1, 2);
    auto *explained = new QGroupBox(Kit::translated("Conditionally..."));
    auto *texts = new QVBoxLayout(explained);
    texts->addWidget(new QLabel(Kit::translated("...fill in other fields")));
    texts->addWidget(new QLabel(Kit::translated("...setup fields as required")));
    f.general->addWidget(explained, 5, 0, 1, 3);
    f.general->addWidget(m_header, 6, 0, 1, 3);
    f.general->addWidget(m_conditions, 7, 0, 1, 3);
    f.general->setRowStretch(7, 1);
    f.general->setColumnStretch(1, 1);
    m_field->setObjectName(Field);
    field(Field, m_field);
    m_required->setObjectName(QStringLiteral("FIE:REQUIRED"));
    field(QStringLiteral("FIE:REQUIRED"), m_required);
    m_force->setObjectName(QStringLiteral("FIE:READONLY"));
    field(QStringLiteral("FIE:READONLY"), m_force);
    m_default->setObjectName(QStringLiteral("FIE:DEFAULT"));
    field(QStringLiteral("FIE:DEFAULT"), m_default);
    m_noMassUpdate->setObjectName(QStringLiteral("FIE:NOMASSUPDATE"));
    field(QStringLiteral("FIE:NOMASSUPDATE"), m_noMassUpdate);
    setButtons(f.ok, f.cancel);
    onCheck([this](data::Record &rule) {
        if (!Text::clip(rule.text(Field)).isEmpty())
            return true;
        Messages::beep(MessageIcon::Exclamation);
        return false;
    });
    onCancel([this](const data::Record &, const data::Record &) { return dropNewConditions(); });
    connect(m_pickField, &QPushButton::clicked, this, &UpdateFieldConfig::pickField);
    connect(m_pickDefault, &QPushButton::clicked, this, &UpdateFieldConfig::pickDefault);
}

QString UpdateFieldConfig::ruledField()
{
    return Text::clip(record().text(Field));
}

bool UpdateFieldConfig::open()
{
    if (isOpen())
        return true;
    FieldRuleFormKit::setTitle(*this);
    if (!UpdateForm::open())
        return false;
    if (request() == Request::Change || request() == Request::View) {
        // The field of a stored rule stays; a rule for another field is a new rule.
        m_pickField->setEnabled(false);
        fieldChosen();
    } else {
        // Until its field is chosen, a new rule offers neither option.
        FieldRuleFormKit::applyOptionRule(QString(), m_force, m_pickDefault);
    }
    return true;
}

void UpdateFieldConfig::fieldChosen()
{
    FieldRuleFormKit::applyOptionRule(record().text(Field), m_force, m_pickDefault);
    m_header->setText(FieldRuleFormKit::equalsTo(record().text(Field)));
}

void UpdateFieldConfig::pickField()
{
    if (!takeControls())
        return;
    record().setValue(Field, SelectFields::pick(0, 1, window()));
    showRecord();
    fieldChosen();
    reloadLists();
}

void UpdateFieldConfig::pickDefault()
{
    if (!takeControls())
        return;
    record().setValue(QStringLiteral("FIE:DEFAULT"), SelectFields::pick(1, 99, window()));
    showRecord();
}

Result<void> UpdateFieldConfig::dropNewConditions()
{
    const QString ruled = ruledField();
    if (request() != Request::Insert || ruled.isEmpty())
        return {};
    data::FileManager *rules = session().file(QStringLiteral("FieldConfig"));
    data::Record stored = rules->newRecord();
    stored.setValue(QStringLiteral("FIELD"), record().value(Field));
    auto found = rules->fetch(QStringLiteral("FIE:KeyField"), stored);
    if (found)
        return {};
    if (found.error().code != data::ErrorCode::RecordNotFound)
        return found.error();
    std::vector<qint64> numbers;
    if (const auto failed = core::readKeyOrder(
            session(), QStringLiteral("FieldConditions"), QStringLiteral("KeyFieldCondition"),
            {record().value(Field)},
            [&numbers](const data::Record &r) { numbers.push_back(r.integer(QStringLiteral("ID"))); }))
        return *failed;
    FieldRuleStore store(session());
    for (const qint64 number : numbers)
        if (auto removed = store.removeCondition(number); !removed)
            return removed;
    return {};
}

} // namespace tarvo::masterdata::ui
