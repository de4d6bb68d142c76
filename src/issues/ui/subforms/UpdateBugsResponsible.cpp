#include "issues/ui/subforms/UpdateBugsResponsible.h"

#include "core/services/AccessServices.h"
#include "core/services/Services.h"
#include "core/startup/SettingsRecord.h"
#include "issues/ui/subforms/SubFormTexts.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWidget>

namespace tarvo::issues::ui {

UpdateBugsResponsible::UpdateBugsResponsible(Context &context, data::Session &session, qint64 issueId,
                                             QObject *parent)
    : UpdateForm(context, QStringLiteral("UpdateBugsResponsible"), session, QStringLiteral("BugsResponsible"),
                 parent),
      m_issueId(issueId)
{
    build();
    onPrime([this](data::Record &responsible) { responsible.setValue(QStringLiteral("BUR:ID"), m_issueId); });
}

void UpdateBugsResponsible::build()
{
    auto *window = new QWidget;
    window->setObjectName(QStringLiteral("UpdateBugsResponsible"));
    auto *layout = new QVBoxLayout(window);
    auto *tabs = new QTabWidget(window);
    auto *general = new QWidget;
    general->setObjectName(QStringLiteral("?Tab:1"));
    tabs->addTab(general, SubFormTexts::translated("General"));
    auto *grid = new QGridLayout(general);
    m_responsible = new QComboBox(general);
    m_responsible->setObjectName(QStringLiteral("BUR:RESPONSIBLE"));
    m_responsible->setEditable(true);
    m_name = new QLabel(general);
    m_name->setObjectName(QStringLiteral("Name"));
    m_name->setMinimumWidth(180);
    m_pick = new QPushButton(QStringLiteral("..."), general);
    m_pick->setObjectName(QStringLiteral("CallLookup"));
    m_function = new QComboBox(general);
    m_function->setObjectName(QStringLiteral("BUR:RESPONSIBLEFUNCTION"));
    m_function->setEditable(true);
    grid->addWidget(new QLabel(SubFormTexts::translated("Responsible:"), general), 0, 0);
    grid->addWidget(m_responsible, 0, 1);
    grid->addWidget(m_name, 0, 2);
    grid->addWidget(m_pick, 0, 3);
    grid->addWidget(new QLabel(SubFormTexts::translated("Function:"), general), 1, 0);
    grid->addWidget(m_function, 1, 1, 1, 3);
    grid->setRowStretch(2, 1);
    layout->addWidget(tabs, 1);
    auto *buttons = new QDialogButtonBox(window);
    auto *ok = buttons->addButton(SubFormTexts::translated("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    auto *cancel = buttons->addButton(SubFormTexts::translated("&Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Cancel"));
    layout->addWidget(buttons);
    setWindow(window);
    field(QStringLiteral("BUR:RESPONSIBLE"), m_responsible);
    field(QStringLiteral("BUR:RESPONSIBLEFUNCTION"), m_function);
    setButtons(ok, cancel);
    connect(m_responsible->lineEdit(), &QLineEdit::editingFinished, this,
            &UpdateBugsResponsible::acceptResponsible);
    connect(m_responsible, &QComboBox::activated, this, [this](int) { acceptResponsible(); });
    connect(m_pick, &QPushButton::clicked, this, &UpdateBugsResponsible::pickUser);
}

QStringList UpdateBugsResponsible::functionChoices(const QString &functionList)
{
    QString joined = functionList;
    joined.replace(QStringLiteral("\r\n"), QStringLiteral("|"));
    if (Text::clip(joined).isEmpty())
        return {};
    return joined.split(QLatin1Char('|'));
}

bool UpdateBugsResponsible::open()
{
    if (isOpen())
        return true;
    const int request = context().threadRequest();
    window()->setWindowTitle(SubFormTexts::caption(request, "Add Responsible...", "Change Responsible..."));
    m_users = core::UserQueue::global().rows();
    m_responsible->clear();
    for (const core::UserQueueEntry &user : m_users)
        m_responsible->addItem(user.userMak, user.userName);
    m_function->clear();
    m_function->addItems(
        functionChoices(core::SettingsRecord::instance().record().text(QStringLiteral("PAR:FunctionList"))));
    SubFormTexts::colourText(m_name, SubFormTexts::displayColour());
    if (!UpdateForm::open())
        return false;
    if (request != Request::Delete) {
        // The drop-downs' choices must not replace the stored values.
        showRecord();
        if (const core::UserQueueEntry *user = userOf(record().text(QStringLiteral("BUR:RESPONSIBLE"))))
            m_name->setText(user->userName.left(35));
    }
    return true;
}

const core::UserQueueEntry *UpdateBugsResponsible::userOf(const QString &initials) const
{
    const QString wanted = Text::clip(initials);
    if (wanted.isEmpty())
        return nullptr;
    for (const core::UserQueueEntry &user : m_users)
        if (Text::clip(user.userMak) == wanted)
            return &user;
    return nullptr;
}

void UpdateBugsResponsible::acceptResponsible()
{
    const QString entered = Text::clip(m_responsible->currentText());
    if (const core::UserQueueEntry *user = userOf(entered)) {
        m_name->setText(user->userName.left(35));
        return;
    }
    m_name->clear();
    if (entered.isEmpty())
        return;
    m_responsible->setEditText(QString());
    Messages::beep();
    m_responsible->setFocus(Qt::OtherFocusReason);
}

void UpdateBugsResponsible::pickUser()
{
    core::AccessServices *access = core::Services::access();
    if (!access || !takeControls())
        return;
    const QString chosen = access->browseUsers(record().text(QStringLiteral("BUR:RESPONSIBLE"))).left(3);
    record().setValue(QStringLiteral("BUR:RESPONSIBLE"), chosen);
    m_responsible->setEditText(Text::clip(chosen));
    if (const core::UserQueueEntry *user = userOf(chosen)) {
        m_name->setText(user->userName.left(35));
        m_responsible->setCurrentIndex(int(user - m_users.data()));
    }
}

} // namespace tarvo::issues::ui
