#pragma once

#include "listext/ui/RelationTreeSection.h"
#include "platform/data/View.h"

#include <functional>

namespace tarvo::data {
class FileManager;
}

namespace tarvo::listext::ui {

// A tree section over the records of one data file under the row above: a view in a key whose
// first component is the owner's number (0 at the top). Each record's values are its own number
// (the named field, or the row's ID where none is named) and the field it shows.
class ViewTreeFile : public RelationTreeFile {
  public:
    // top: the section also fills the top level, with the records whose owner is 0.
    ViewTreeFile(data::FileManager &file, const QString &key, const QString &shownField,
                 const QString &numberField, bool top);

    // Keeps only the top-level records whose number it accepts (a user's program limit); the
    // records below them are all shown.
    void setTopLimit(std::function<bool(const QVariant &number)> limit) { m_topLimit = std::move(limit); }

    Result<std::vector<TreeRecord>> records(const TreePath &parents, bool recursion) override;
    QString fileName() const override;
    void formatRow(TreeRowFormat &row, const TreePath &path, bool expanded, bool contracted,
                   bool empty) override;

  private:
    data::FileManager &m_file;
    data::View m_view;
    QString m_shown;
    QString m_number;
    bool m_top;
    std::function<bool(const QVariant &)> m_topLimit;
};

} // namespace tarvo::listext::ui
