#pragma once

#include "platform/data/expr/NameResolver.h"
#include "platform/runtime/Result.h"

#include <QString>

#include <vector>

namespace tarvo::query {

// A query as the user saved it: what the list shows for it and its filter expression.
struct SavedQuery final {
    QString description;
    QString filter;
};

// The saved queries of one caller's key ("BROWSEBUGS") in a data folder, kept in its
// "Queries.ini" so that every user of the folder sees them. A filter is stored only when it is
// a valid filter expression over the caller's names, and checked again when it is chosen: a
// query whose fields have gone since is refused rather than applied half.
class SavedQueries final {
  public:
    SavedQueries(const QString &dataFolder, QString key);

    std::vector<SavedQuery> list() const;
    // Adds the query, or replaces the one with the same description (without regard to case).
    Result<void> save(const SavedQuery &query, const data::expr::NameResolver &names);
    Result<void> remove(const QString &description);
    // The query of that description, its filter checked against the names.
    Result<SavedQuery> choose(const QString &description, const data::expr::NameResolver &names) const;

  private:
    Result<void> store(const std::vector<SavedQuery> &queries);

    QString m_path;
    QString m_key;
};

} // namespace tarvo::query
