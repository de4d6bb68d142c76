#pragma once

#include "platform/runtime/Result.h"

#include <QString>

namespace tarvo {
class Context;
class ContextRegistry;
} // namespace tarvo

namespace tarvo::data {
class Dictionary;
class Session;
} // namespace tarvo::data

namespace tarvo::core {

// The data of the run: the dictionary on the data folder's store and each context's file and
// relation managers.
class TarvoData final {
  public:
    // Registers every data file of the dictionary on the folder's store; messages name each by
    // the store's file and its table. The data layer converts a file stored in an older layout when it
    // is next opened, so this is the whole registration.
    static Result<void> open(const QString &dataFolder);
    static data::Dictionary *dictionary();
    // Ends every context's managers and the dictionary (tests, and the end of the process).
    static void close(ContextRegistry *registry = nullptr);

    // DictionaryInit: the context's file and relation managers, reporting to its error object.
    // Does nothing before open(); open() gives the contexts of the registry theirs.
    static void DictionaryInit(Context &context);
    // DictionaryKill: removes them.
    static void DictionaryKill(Context &context);
    // The context's managers; null before open() or for a context without them.
    static data::Session *session(Context &context);
};

} // namespace tarvo::core
