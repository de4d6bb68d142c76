#pragma once

#include "platform/ui/UpdateForm.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;

namespace tarvo::masterdata::ui {

// The form of one entry of a program's web links: a link with its login information, or a folder
// (an entry without a link) that groups other entries. The password and the PIN are kept sealed
// with the user's own key and shown masked.
class UpdateWebLinks final : public tarvo::ui::UpdateForm {
    Q_OBJECT

  public:
    UpdateWebLinks(Context &context, data::Session &session, qint64 programId, QObject *parent = nullptr);

    bool open() override;
    void takeAccepted(const QString &controlName) override;

  private:
    // A secret field and the control that shows it in plain text.
    struct Secret {
        QString field;
        QLineEdit *control = nullptr;
        // The stored value could not be opened (another user's key): it stays as stored unless
        // a new one is typed.
        bool unreadable = false;
    };

    void applyFolderRule();
    void showSecrets();
    bool sealSecrets(data::Record &entry);

    qint64 m_programId;
    qint64 m_parent = 0;
    QCheckBox *m_folder = nullptr;
    QGroupBox *m_linkGroup = nullptr;
    QLineEdit *m_link = nullptr;
    std::vector<Secret> m_secrets;
};

} // namespace tarvo::masterdata::ui
