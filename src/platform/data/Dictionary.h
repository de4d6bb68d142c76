#pragma once

#include "platform/data/FileDecl.h"
#include "platform/data/RecordLayout.h"
#include "platform/runtime/Result.h"

#include <QHash>
#include <QString>

#include <memory>

namespace tarvo::data {

class ErrorReporter;
class Session;
class Store;

// The data of one data folder as the dictionary declares it: the store and one shared layout
// per file. Each logical thread takes a Session of its own from it.
class Dictionary final {
  public:
    // Opens the store of the folder ("Tarvo.db" or the schema on the server named by
    // "Database.ini"); the store itself is checked on the first file opened.
    static Result<std::unique_ptr<Dictionary>> open(DictionaryDecl decl, const QString &dataFolder,
                                                    const QString &storeName = QStringLiteral("Tarvo"));
    ~Dictionary();

    const DictionaryDecl &decl() const { return m_decl; }
    Store &store() const { return *m_store; }
    const QString &dataFolder() const { return m_folder; }
    // The shared layout of a file by label (case-insensitive); null when not declared.
    LayoutPtr layout(const QString &label) const;

    // Managers for one logical thread; cheap to make, each manager is built on first use.
    std::unique_ptr<Session> createSession(int context, ErrorReporter *reporter) const;

  private:
    Dictionary(DictionaryDecl decl, QString folder, std::unique_ptr<Store> store);

    DictionaryDecl m_decl;
    QString m_folder;
    std::unique_ptr<Store> m_store;
    QHash<QString, LayoutPtr> m_layouts;
};

} // namespace tarvo::data
