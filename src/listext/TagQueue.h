#pragma once

#include "platform/runtime/Result.h"

#include <QString>

#include <functional>
#include <vector>

namespace tarvo::listext {

// The tagged rows of a list: their IDs, kept sorted. Mass update, export, print and "show only
// tagged records" work on them; each kind of record keeps one queue for the whole run.
class TagQueue {
  public:
    virtual ~TagQueue() = default;

    bool contains(qint64 id) const;
    // Tags an untagged row and untags a tagged one; true when it is tagged now.
    bool toggle(qint64 id);
    void add(qint64 id);
    void clear() { m_ids.clear(); }
    int size() const { return int(m_ids.size()); }
    bool isEmpty() const { return m_ids.empty(); }
    const std::vector<qint64> &ids() const { return m_ids; }

    // Tag all: the queue is emptied, then every ID that `nextPage` hands over is added, a page at
    // a time until it hands over none. A read error ends it; the IDs read so far stay tagged.
    Result<void> tagAll(const std::function<Result<std::vector<qint64>>()> &nextPage);

    // "3 records marked." (blank when nothing is tagged), through the translator.
    QString countText(const std::function<QString(const QString &)> &translate) const;

  private:
    std::vector<qint64> m_ids;
};

} // namespace tarvo::listext
