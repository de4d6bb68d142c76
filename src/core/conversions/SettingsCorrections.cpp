#include "core/conversions/CorrectionProgress.h"
#include "core/conversions/CorrectionRun.h"
#include "core/conversions/Corrections.h"
#include "core/startup/SettingsValues.h"
#include "platform/data/FileManager.h"

#include <functional>

namespace tarvo::core {

namespace {

// Changes the settings record, when there is one, and writes it back.
void changeSettings(CorrectionRun &run, const std::function<void(SettingsValues &)> &change)
{
    CorrectionProgress &progress = run.progress();
    progress.setTotal(1);
    const QString label = QStringLiteral("Parameter");
    if (auto settings = run.firstRecord(label)) {
        SettingsValues values(*settings);
        change(values);
        *settings = values.record();
        (void)run.write(run.file(label), *settings);
    }
    progress.step();
}

} // namespace

void primeFunctionList(CorrectionRun &run)
{
    changeSettings(run, [](SettingsValues &settings) {
        settings.setFunctionList(QStringLiteral("Investigation\r\nResolution"));
    });
}

void primeCustomerSources(CorrectionRun &run)
{
    changeSettings(run, [](SettingsValues &settings) {
        settings.setCustomerSources(
            QStringLiteral("Referral\r\nAdvertisement\r\nSearch Engine\r\nInternet\r\nFlyer\r\n"
                           "Newsgroup"));
        const QString language = settings.language();
        QString location;
        if (language == QLatin1String("English"))
            location = QStringLiteral("United States");
        else if (language == QLatin1String("English (UK)"))
            location = QStringLiteral("United Kingdom");
        else if (language == QLatin1String("Deutsch"))
            location = QStringLiteral("Germany");
        if (!location.isEmpty())
            settings.setLocation(location);
    });
}

} // namespace tarvo::core
