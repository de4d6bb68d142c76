#pragma once

#include "core/startup/PathFile.h"

#include <QDialog>
#include <QString>

#include <functional>

class QLineEdit;
class QPushButton;
class QToolButton;

namespace tarvo::masterdata::ui {

// Paths: the dialog "Path" that asks for the data folder and stores it in record 1 of the path
// file. Mode 1 adds the record, mode 2 shows and overwrites it; any other mode writes nothing.
class Paths final : public QDialog {
  public:
    // The platform's folder dialog: the chosen folder, empty when cancelled.
    using FolderChooser = std::function<QString(QWidget *parent, const QString &title, const QString &start)>;

    // Opens the path file (making it when it has vanished) and, in mode 2, reads record 1.
    explicit Paths(int mode, const QString &pathFile = core::PathFile::defaultPath(),
                   QWidget *parent = nullptr);
    ~Paths() override;

    // Runs the dialog modally on the caller's context.
    static void run(int mode, const QString &pathFile = core::PathFile::defaultPath());

    // A seam for tests; an empty function restores the platform's own.
    static void setFolderChooser(FolderChooser chooser);

    int mode() const { return m_mode; }
    QLineEdit *entry() const { return m_entry; }

    void accept() override;

  private:
    void lookUpDirectory();

    int m_mode;
    core::PathFile m_file;
    QLineEdit *m_entry = nullptr;
    QToolButton *m_dirLook = nullptr;
};

} // namespace tarvo::masterdata::ui
