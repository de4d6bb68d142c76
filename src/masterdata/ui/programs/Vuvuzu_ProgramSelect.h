#pragma once

#include "masterdata/programs/ProgramChoice.h"
#include "platform/ui/WindowManager.h"

class QTreeWidget;

namespace tarvo::data {
class Session;
}

namespace tarvo::masterdata::ui {

// The program picker of the access administration: the administrator chooses one of the
// programs from the program tree for a user's program limit. OK needs a program.
class Vuvuzu_ProgramSelect final : public tarvo::ui::WindowManager {
    Q_OBJECT

  public:
    // mode 1 adds an entry, 2 changes `value` ("name°ID").
    Vuvuzu_ProgramSelect(Context &context, data::Session &session, int mode, const QString &value,
                         QObject *parent = nullptr);

    // Runs the picker modally: the chosen program as "name°ID", or an empty text on Cancel.
    static QString run(Context &context, data::Session &session, int mode, const QString &value);

    bool open() override;
    void takeAccepted(const QString &controlName) override;
    // The choice now; the result once the picker has closed (empty when cancelled).
    const ProgramChoice &choice() const { return m_choice; }
    const QString &result() const { return m_result; }
    QTreeWidget *tree() const { return m_tree; }

  private:
    void build();
    void fillTree();
    void choose();

    data::Session &m_session;
    int m_mode;
    ProgramChoice m_choice;
    QString m_result;
    QTreeWidget *m_tree = nullptr;
};

} // namespace tarvo::masterdata::ui
