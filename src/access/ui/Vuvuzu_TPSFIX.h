#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tarvo::access {

// The data-file repair window "Dateireparatur": picks a data file, checks and, when damaged,
// rebuilds it, and shows what was found.
class Vuvuzu_TPSFIX final : public QDialog {
    Q_OBJECT
  public:
    explicit Vuvuzu_TPSFIX(QWidget *parent = nullptr);

    QLineEdit *fileField() const { return m_file; }
    QPushButton *startButton() const { return m_start; }
    QPlainTextEdit *log() const { return m_log; }
    QLabel *noErrors() const { return m_noErrors; }

    // "&Start": checks and repairs the chosen file.
    void start();
    void done(int result) override;

  private:
    void pickFile();

    QLineEdit *m_file;
    QPushButton *m_start;
    QPlainTextEdit *m_log;
    QLabel *m_noErrors;
};

} // namespace tarvo::access
