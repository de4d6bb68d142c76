#include "support/TempDir.h"

#include <cstdlib>

namespace tarvo::test {

TempDir::TempDir() = default;

TempDir::~TempDir()
{
    if (!m_configHomeSet)
        return;
    if (m_hadConfigHome)
        qputenv("XDG_CONFIG_HOME", m_oldConfigHome);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

void TempDir::useAsConfigHome()
{
    if (!m_configHomeSet) {
        m_hadConfigHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        m_oldConfigHome = qgetenv("XDG_CONFIG_HOME");
        m_configHomeSet = true;
    }
    qputenv("XDG_CONFIG_HOME", m_dir.path().toUtf8());
}

} // namespace tarvo::test
