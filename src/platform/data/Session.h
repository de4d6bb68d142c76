#pragma once

#include "platform/runtime/Result.h"

#include <QHash>
#include <QString>

#include <memory>

namespace tarvo::data {

class Connection;
class Dictionary;
class ErrorReporter;
class FileManager;
class RecordHolds;
class RelationManager;
class Store;
struct FileError;

// The data of one logical thread: its file and relation managers (built on first use), its
// record buffers, its holds and the error reporter of its error object.
class Session final {
  public:
    Session(const Dictionary &dictionary, int context, ErrorReporter *reporter);
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    const Dictionary &dictionary() const { return m_dictionary; }
    Store &store() const;
    int context() const { return m_context; }
    Result<Connection *> connection() const;

    // Null for a label the dictionary does not declare or declares without managers.
    FileManager *file(const QString &label);
    RelationManager *relations(const QString &label);
    RecordHolds &holds();

    void setReporter(ErrorReporter *reporter) { m_reporter = reporter; }
    ErrorReporter *reporter() const { return m_reporter; }
    // Without a reporter a question is answered No and a notice is dropped.
    int report(const FileError &error) const;

  private:
    const Dictionary &m_dictionary;
    int m_context;
    ErrorReporter *m_reporter;
    QHash<QString, std::shared_ptr<FileManager>> m_files;
    QHash<QString, std::shared_ptr<RelationManager>> m_relations;
    std::unique_ptr<RecordHolds> m_holds;
};

} // namespace tarvo::data
