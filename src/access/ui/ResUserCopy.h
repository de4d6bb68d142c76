#pragma once

#include <QDialog>

class QLineEdit;

namespace tarvo::access {

// Asks for the user whose rights the user form takes over.
class ResUserCopy final : public QDialog {
    Q_OBJECT
  public:
    explicit ResUserCopy(QWidget *parent = nullptr);
    // The chosen user code, or "" when cancelled.
    static QString choose(QWidget *parent);

    QLineEdit *codeField() const { return m_code; }
    QString result() const { return m_result; }
    void accept() override;
    void done(int result) override;

  private:
    void codeLeft();
    void pick();

    QLineEdit *m_code;
    QString m_result;
};

} // namespace tarvo::access
