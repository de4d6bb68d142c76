#pragma once

#include "access/AccessRecords.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLineEdit;
class QSpinBox;
class QTabWidget;

namespace tarvo::access {

// The options form "Allgemeine Vuvuzuseinstellungen": the one Options record that governs the
// access system. Only a master login sees the master access; its password field starts empty
// and means "set a new master password".
class Parameter final : public QDialog {
    Q_OBJECT
  public:
    explicit Parameter(QWidget *parent = nullptr);
    // True when the options were saved.
    static bool run(QWidget *parent);

    bool isReady() const { return m_ready; }
    QTabWidget *tabs() const { return m_tabs; }
    QCheckBox *box(const char *name) const;
    QSpinBox *number(const char *name) const;
    QLineEdit *masterCode() const { return m_masterCode; }
    QLineEdit *masterPassword() const { return m_masterPassword; }

    void accept() override;
    void done(int result) override;

  private:
    void applyRules();

    bool m_ready = false;
    std::optional<OptionsRecord> m_before;
    OptionsRecord m_options;
    QTabWidget *m_tabs;
    QLineEdit *m_masterCode;
    QLineEdit *m_masterPassword;
    QWidget *m_numbers = nullptr;
    QWidget *m_master = nullptr;
};

} // namespace tarvo::access
