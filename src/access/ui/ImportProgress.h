#pragma once

#include "access/AccessRepository.h"

#include <QDialog>

class QLabel;
class QProgressBar;

namespace tarvo::access {

// The window that shows how far the import of the security file has come.
class ImportProgress final : public QDialog {
    Q_OBJECT
  public:
    explicit ImportProgress(QWidget *parent = nullptr);

    // Imports the security file with this window showing; the import reports its own failures.
    static Result<void> import(AccessRepository &repository, const QString &securityFile,
                               QWidget *parent = nullptr);

    // One step of the import: the bar and the percent text.
    void step(int percent);
    QProgressBar *bar() const { return m_bar; }
    QLabel *percent() const { return m_percent; }

  private:
    QProgressBar *m_bar;
    QLabel *m_percent;
};

} // namespace tarvo::access
