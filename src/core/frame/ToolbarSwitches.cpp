#include "core/frame/ToolbarSwitches.h"

namespace tarvo::core {

ToolbarSwitches parseToolbarSwitches(const QString &value)
{
    ToolbarSwitches switches{};
    for (int i = 0; i < ToolbarCount; ++i)
        switches[std::size_t(i)] = i < value.size() && value.at(i) == u'1';
    return switches;
}

QString formatToolbarSwitches(const ToolbarSwitches &switches)
{
    QString text;
    for (bool on : switches)
        text += on ? u'1' : u'0';
    return text;
}

} // namespace tarvo::core
