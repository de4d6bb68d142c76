#include "core/frame/RecordButtons.h"

namespace tarvo::core {

int recordButtonIndex(int number)
{
    for (std::size_t i = 0; i < RecordButtons.size(); ++i)
        if (RecordButtons[i].number == number)
            return int(i);
    return -1;
}

int recordButtonIndex(const QString &objectName)
{
    for (std::size_t i = 0; i < RecordButtons.size(); ++i)
        if (objectName.compare(QLatin1String(RecordButtons[i].objectName), Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

} // namespace tarvo::core
