#include "core/ui/RecordButtonCaptions.h"

#include "platform/data/Record.h"

#include <QAbstractButton>
#include <QWidget>

namespace tarvo::core::ui {

void applyRecordButtonCaptions(QWidget *window, const data::Record &settings)
{
    if (!window || !settings.isValid())
        return;
    for (const char *kind : {"Insert", "Change", "Delete"}) {
        const QString name = QString::fromLatin1(kind);
        if (settings.integer(QStringLiteral("PAR:Override") + name) == 0)
            continue;
        const QString caption =
            settings.text(QStringLiteral("PAR:") + name + QStringLiteral("Text")).trimmed();
        // A list's buttons are named for their request, with the list's suffix ("Insert:4").
        for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
            const QString object = button->objectName();
            if (object.compare(name, Qt::CaseInsensitive) == 0 ||
                object.startsWith(name + QLatin1Char(':'), Qt::CaseInsensitive))
                button->setText(caption);
        }
    }
}

} // namespace tarvo::core::ui
