#pragma once

#include <QString>
#include <QTemporaryDir>

namespace tarvo::test {

// A temporary folder that also serves as XDG_CONFIG_HOME, so that the program's folder
// ("Tarvo" below it) never touches the user's own configuration.
class TempDir final {
  public:
    TempDir();
    ~TempDir();
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    // Points XDG_CONFIG_HOME here for the life of this object.
    void useAsConfigHome();

  private:
    QTemporaryDir m_dir;
    QByteArray m_oldConfigHome;
    bool m_hadConfigHome = false;
    bool m_configHomeSet = false;
};

} // namespace tarvo::test
