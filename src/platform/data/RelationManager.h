#pragma once

#include "platform/data/FileDecl.h"
#include "platform/data/Record.h"
#include "platform/runtime/Result.h"

#include <functional>
#include <vector>

namespace tarvo::data {

class FileManager;
class Session;

// The relations of one file for one logical thread: changes and deletions of its records carry
// the update and delete rules to the related files, recursively, all in one transaction.
class RelationManager final {
  public:
    RelationManager(Session &session, FileManager &file);

    FileManager &file() const { return m_file; }
    // The relations in which this file is the parent, in declaration order.
    const std::vector<const RelationDecl *> &children() const { return m_children; }

    // Opens the file and, once each, every file it is related to.
    Result<void> open();
    // Writes a changed record (read before, by its row); children follow the update rules.
    Result<void> update(Record &record);
    // The same for a record whose stored values the caller read under its hold and holds still:
    // `stored` stands for the row as it is, so it is not read again.
    Result<void> update(Record &record, const Record &stored);
    // Deletes a record; children follow the delete rules.
    Result<void> remove(Record &record);

  private:
    Result<void> updateWithin(Record &record, int depth, const Record *stored = nullptr);
    Result<void> removeWithin(Record &record, int depth);
    // Row ids of the children of `parent` under one relation, and the WHERE text selecting them.
    QString childWhere(const RelationDecl &relation, FileManager &child, const Record &parent,
                       QVariantList &params) const;
    Result<std::vector<qint64>> childRows(const RelationDecl &relation, FileManager &child,
                                          const Record &parent);
    Result<void> inOneTransaction(Record &record, const std::function<Result<void>()> &work);
    // A restricted change or delete: refused with the message when the parent has children.
    Result<void> refuseIfReferenced(const RelationDecl &relation, FileManager &child, const Record &parent,
                                    int message);
    bool needsRowByRow(FileManager &child, bool forDelete);

    Session &m_session;
    FileManager &m_file;
    std::vector<const RelationDecl *> m_children;
    std::vector<const RelationDecl *> m_parents;
};

} // namespace tarvo::data
