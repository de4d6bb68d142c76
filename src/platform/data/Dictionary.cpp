#include "platform/data/Dictionary.h"

#include "platform/data/Session.h"
#include "platform/data/Store.h"

namespace tarvo::data {

Dictionary::Dictionary(DictionaryDecl decl, QString folder, std::unique_ptr<Store> store)
    : m_decl(std::move(decl)), m_folder(std::move(folder)), m_store(std::move(store))
{
    for (const FileDecl &f : m_decl.files)
        m_layouts.insert(f.label.toLower(), RecordLayout::make(f));
}

Dictionary::~Dictionary() = default;

Result<std::unique_ptr<Dictionary>> Dictionary::open(DictionaryDecl decl, const QString &dataFolder,
                                                     const QString &storeName)
{
    auto store = Store::forFolder(dataFolder, storeName);
    if (!store)
        return store.error();
    return std::unique_ptr<Dictionary>(new Dictionary(std::move(decl), dataFolder, std::move(store).value()));
}

LayoutPtr Dictionary::layout(const QString &label) const
{
    return m_layouts.value(label.toLower());
}

std::unique_ptr<Session> Dictionary::createSession(int context, ErrorReporter *reporter) const
{
    return std::make_unique<Session>(*this, context, reporter);
}

} // namespace tarvo::data
