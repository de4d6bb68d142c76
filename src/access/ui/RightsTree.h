#pragma once

#include <QWidget>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tarvo::access {

class UserAccount;

// The rights tab of the user form: the catalogue of guarded controls by procedure and control
// type, each marked granted or denied for the user, with toggling, granting or denying all, and
// copying another user's rights. It changes the form's account only; the form saves it.
class RightsTree final : public QWidget {
    Q_OBJECT
  public:
    // Tree levels, kept in each line's data.
    enum Level { ProcedureLine = 1, GroupLine = 2, ControlLine = 3 };
    static constexpr int ResourceRole = Qt::UserRole;
    static constexpr int LevelRole = Qt::UserRole + 1;

    RightsTree(UserAccount &account, QWidget *parent = nullptr);

    // Reads the catalogue and shows it for the account.
    void fill();
    QTreeWidget *tree() const { return m_tree; }
    QPushButton *toggleButton() const { return m_toggle; }
    // What asks for the user to copy from ("" = cancelled); the dialog ResUserCopy by default.
    void setCopyChooser(std::function<QString()> chooser) { m_chooser = std::move(chooser); }

    void toggle();
    void grantAll();
    void denyAll();
    void copyFromUser();

    // The group heading of a control type ("BUTTON" "Schaltflächen"), in German.
    static QString groupName(const QString &type);

  private:
    void markLine(QTreeWidgetItem *line, bool granted) const;
    void selectionChanged();

    UserAccount &m_account;
    QTreeWidget *m_tree;
    QPushButton *m_toggle;
    std::function<QString()> m_chooser;
};

} // namespace tarvo::access
