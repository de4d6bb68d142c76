#include "core/conversions/HotKeysFortschritt.h"

#include "core/conversions/ConversionDisplay.h"
#include "core/conversions/CorrectionProgress.h"
#include "core/conversions/CorrectionRun.h"
#include "core/conversions/Corrections.h"
#include "platform/data/FileManager.h"
#include "platform/data/RelationManager.h"
#include "platform/data/Session.h"

namespace tarvo::core {

void HotKeysFortschritt(data::Session &session, int number, ConversionDisplay *display)
{
    const Correction *correction = findCorrection(number);
    if (!correction)
        return;
    // Opened through the thread's own managers, so that a file that cannot be opened is reported.
    if (auto *bugs = session.relations(QStringLiteral("Bugs")))
        (void)bugs->open();
    for (const QString &label : {QStringLiteral("Print"), QStringLiteral("Status")})
        if (auto *file = session.file(label))
            (void)file->open();
    if (display) {
        display->openProgressWindow();
        display->setProgressText(correction->progressText);
    }
    CorrectionProgress progress([display](int percent) {
        if (display)
            display->setProgressPercent(percent);
    });
    CorrectionRun run(session, progress);
    runCorrection(number, run);
    if (display)
        display->closeProgressWindow();
}

} // namespace tarvo::core
