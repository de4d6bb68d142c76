#include "core/startup/TarvoData.h"

#include "core/dictionary/TarvoDictionary.h"
#include "core/startup/ErrorObjectReporter.h"
#include "platform/data/Dictionary.h"
#include "platform/data/Session.h"
#include "platform/runtime/Context.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/ErrorClass.h"

#include <memory>

namespace tarvo::core {

namespace {

std::unique_ptr<data::Dictionary> g_dictionary;

// What a context keeps of the data layer; the reporter lives as long as the managers using it.
struct ContextData {
    std::unique_ptr<ErrorObjectReporter> reporter;
    std::unique_ptr<data::Session> session;
};

} // namespace

Result<void> TarvoData::open(const QString &dataFolder)
{
    auto opened = data::Dictionary::open(tarvoDictionary(), dataFolder);
    if (!opened)
        return opened.error();
    g_dictionary = std::move(opened).value();
    ContextRegistry &registry = ContextRegistry::instance();
    for (int number : registry.numbers())
        if (Context *context = registry.context(number))
            DictionaryInit(*context);
    return {};
}

data::Dictionary *TarvoData::dictionary()
{
    return g_dictionary.get();
}

void TarvoData::close(ContextRegistry *registry)
{
    ContextRegistry &r = registry ? *registry : ContextRegistry::instance();
    for (int number : r.numbers())
        if (Context *context = r.context(number))
            DictionaryKill(*context);
    g_dictionary.reset();
}

void TarvoData::DictionaryInit(Context &context)
{
    if (!g_dictionary)
        return;
    ContextData &data = context.attachment<ContextData>();
    if (data.session)
        return;
    data.reporter = std::make_unique<ErrorObjectReporter>(context.attachment<ErrorClass>());
    data.session = g_dictionary->createSession(context.number(), data.reporter.get());
}

void TarvoData::DictionaryKill(Context &context)
{
    context.removeAttachment<ContextData>();
}

data::Session *TarvoData::session(Context &context)
{
    ContextData *data = context.findAttachment<ContextData>();
    return data ? data->session.get() : nullptr;
}

} // namespace tarvo::core
