#pragma once

#include "platform/runtime/Result.h"

#include <QString>

#include <compare>
#include <functional>
#include <vector>

namespace tarvo::listext {

// The tagged rows of a list, kept sorted. Mass update, export, print and "show only tagged
// records" work on them; each kind of record keeps one queue for the whole run. Most lists tag a
// row by its ID alone; a list whose rows share an ID (the purchases of one customer) tags a row by
// the ID and the further key values that tell those rows apart.
class TagQueue {
  public:
    // One tagged row: the ID and up to two further key values, 0 where the list has none.
    struct Tag final {
        qint64 id = 0;
        qint64 second = 0;
        qint64 third = 0;
        auto operator<=>(const Tag &) const = default;
    };

    virtual ~TagQueue() = default;

    bool contains(const Tag &tag) const;
    // Tags an untagged row and untags a tagged one; true when it is tagged now.
    bool toggle(const Tag &tag);
    void add(const Tag &tag);
    // A row tagged by its ID alone.
    bool contains(qint64 id) const { return contains(Tag{id}); }
    bool toggle(qint64 id) { return toggle(Tag{id}); }
    void add(qint64 id) { add(Tag{id}); }
    void clear() { m_tags.clear(); }
    int size() const { return int(m_tags.size()); }
    bool isEmpty() const { return m_tags.empty(); }
    const std::vector<Tag> &tags() const { return m_tags; }
    // The IDs of the tagged rows, each once, in order.
    std::vector<qint64> ids() const;

    // Tag all: the queue is emptied, then every row that `nextPage` hands over is added, a page at
    // a time until it hands over none. A read error ends it; the rows read so far stay tagged.
    Result<void> tagAll(const std::function<Result<std::vector<Tag>>()> &nextPage);
    Result<void> tagAll(const std::function<Result<std::vector<qint64>>()> &nextPage);

    // "3 records marked." (blank when nothing is tagged), through the translator.
    QString countText(const std::function<QString(const QString &)> &translate) const;
    static QString countText(int n, const std::function<QString(const QString &)> &translate);

  private:
    std::vector<Tag> m_tags;
};

} // namespace tarvo::listext
