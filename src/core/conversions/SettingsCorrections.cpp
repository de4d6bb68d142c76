#include "core/conversions/CorrectionProgress.h"
#include "core/conversions/CorrectionRun.h"
#include "core/conversions/Corrections.h"
#include "platform/data/FileManager.h"
#include "platform/runtime/Text.h"

#include <functional>

namespace tarvo::core {

using data::Record;

namespace {

// Changes the settings record, when there is one, and writes it back.
void changeSettings(CorrectionRun &run, const std::function<void(Record &)> &change)
{
    CorrectionProgress &progress = run.progress();
    progress.setTotal(1);
    const QString label = QStringLiteral("Parameter");
    if (auto settings = run.firstRecord(label)) {
        change(*settings);
        (void)run.write(run.file(label), *settings);
    }
    progress.step();
}

} // namespace

void primeFunctionList(CorrectionRun &run)
{
    changeSettings(run, [](Record &settings) {
        settings.setValue(QStringLiteral("FunctionList"), QStringLiteral("Investigation\r\nResolution"));
    });
}

void primeCustomerSources(CorrectionRun &run)
{
    changeSettings(run, [](Record &settings) {
        settings.setValue(QStringLiteral("CustomerSources"),
                          QStringLiteral("Referral\r\nAdvertisement\r\nSearch Engine\r\nInternet\r\nFlyer\r\n"
                                         "Newsgroup"));
        const QString language = Text::clip(settings.text(QStringLiteral("Language")));
        QString location;
        if (language == QLatin1String("English"))
            location = QStringLiteral("United States");
        else if (language == QLatin1String("English (UK)"))
            location = QStringLiteral("United Kingdom");
        else if (language == QLatin1String("Deutsch"))
            location = QStringLiteral("Germany");
        if (!location.isEmpty())
            settings.setValue(QStringLiteral("LOCATION"), location);
    });
}

} // namespace tarvo::core
