#include "core/startup/IniManager.h"

#include "platform/runtime/IniFile.h"

#include <memory>

namespace tarvo::core {

namespace {
std::unique_ptr<IniFile> g_ini;
} // namespace

void IniManager::open(const QString &path)
{
    g_ini = std::make_unique<IniFile>(path);
}
IniFile *IniManager::ini()
{
    return g_ini.get();
}
void IniManager::end()
{
    g_ini.reset();
}

} // namespace tarvo::core
