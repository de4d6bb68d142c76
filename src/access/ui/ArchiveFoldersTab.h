#pragma once

#include <QWidget>

class QComboBox;
class QListWidget;

namespace tarvo::access {

class UserAccount;

// The archive tab of the user form: the archive folders of one category the user may not open.
class ArchiveFoldersTab final : public QWidget {
    Q_OBJECT
  public:
    ArchiveFoldersTab(UserAccount &account, const QString &securityFile, QWidget *parent = nullptr);

    QComboBox *categoryBox() const { return m_category; }
    QListWidget *list() const { return m_list; }
    // What edits one row (request 1 insert, 2 change; "" = cancelled); the form UpdateArchivOrdner by
    // default.
    void setEditor(std::function<QString(int request, int category, const QString &row)> editor)
    {
        m_editor = std::move(editor);
    }
    void fill();
    void insertRow();
    void changeRow();
    void deleteRow();

  private:
    int category() const;

    UserAccount &m_account;
    QComboBox *m_category;
    QListWidget *m_list;
    std::function<QString(int, int, const QString &)> m_editor;
};

} // namespace tarvo::access
