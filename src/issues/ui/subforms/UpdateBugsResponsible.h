#pragma once

#include "core/lists/UserQueue.h"
#include "platform/ui/UpdateForm.h"

#include <QStringList>

#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace tarvo::issues::ui {

// The form of one further person responsible for an issue: the user (by initials, chosen from
// the users of the access system) and the function in which he is responsible.
class UpdateBugsResponsible final : public tarvo::ui::UpdateForm {
    Q_OBJECT
  public:
    UpdateBugsResponsible(Context &context, data::Session &session, qint64 issueId,
                          QObject *parent = nullptr);

    bool open() override;

    // The settings' function list, one function a line, as the drop-down's choices.
    static QStringList functionChoices(const QString &functionList);
    // Takes the entered initials: shows the user's name, or blanks unknown initials with a beep.
    void acceptResponsible();
    // The "..." button: the access library's user picker.
    void pickUser();

    QComboBox *responsibleBox() const { return m_responsible; }
    QComboBox *functionBox() const { return m_function; }
    QLabel *nameDisplay() const { return m_name; }
    QPushButton *pickButton() const { return m_pick; }

  private:
    void build();
    // The entry of the user list with these initials, or null.
    const core::UserQueueEntry *userOf(const QString &initials) const;

    qint64 m_issueId;
    std::vector<core::UserQueueEntry> m_users;
    QComboBox *m_responsible = nullptr;
    QComboBox *m_function = nullptr;
    QLabel *m_name = nullptr;
    QPushButton *m_pick = nullptr;
};

} // namespace tarvo::issues::ui
