#include "masterdata/programs/AccessButtonCaptions.h"

#include "platform/data/Record.h"
#include "platform/runtime/IniFile.h"

namespace tarvo::masterdata {

Result<void> writeAccessButtonCaptions(IniFile &vuvuzuIni, const data::Record &settings)
{
    const char *const buttons[] = {"Insert", "Change", "Delete"};
    for (const char *button : buttons) {
        const QString name = QString::fromLatin1(button);
        const bool overridden =
            settings.isValid() && settings.integer(QStringLiteral("PAR:Override") + name) == 1;
        const QString caption =
            overridden ? settings.text(QStringLiteral("PAR:") + name + QStringLiteral("Text")) : QString();
        if (auto written = vuvuzuIni.setValue(QStringLiteral("Vuvuzu"), name, caption.trimmed()); !written)
            return written;
    }
    return {};
}

} // namespace tarvo::masterdata
