#pragma once

#include <QDialog>

class QLineEdit;

namespace tarvo::access {

// The form of one blocked archive folder: its name, picked through the host's lookup, and its number.
class UpdateArchivOrdner final : public QDialog {
    Q_OBJECT
  public:
    // request 1 insert, 2 change; row is the stored value on change.
    UpdateArchivOrdner(int request, int category, const QString &row, QWidget *parent = nullptr);

    QLineEdit *folderField() const { return m_folder; }
    // The row to store, valid after OK.
    QString result() const { return m_result; }
    void lookup();
    void accept() override;
    void done(int result) override;

  private:
    int m_category;
    qint32 m_number = 0;
    QLineEdit *m_folder;
    QString m_result;
};

} // namespace tarvo::access
