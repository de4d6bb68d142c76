#pragma once

#include "BrowseOrder.h"
#include "Pager.h"
#include "platform/data/Cursor.h"
#include "platform/data/FileManager.h"
#include "platform/data/View.h"
#include "platform/data/expr/ExprTypes.h"

#include <memory>

namespace tarvo::bench {

// Reads a browse order the way the issue list does: a View over the key with the selection's
// range and the filter compiled from the expression language, moved by a Cursor.
class DataLayerPager final : public Pager {
  public:
    // Throws when the key is unknown or the filter does not compile to the store's `dialect`. With
    // `pinInRange` the values the order's filter pins are given to the view as part of its range as well.
    DataLayerPager(data::FileManager &bugs, const BrowseOrder &order, const BrowseSelection &selection,
                   data::expr::Dialect dialect, bool pinInRange = false);

    std::vector<qint64> firstPage() override;
    std::vector<qint64> nextPage() override;
    std::vector<qint64> previousPage() override;
    std::vector<qint64> lastPage() override;
    qint64 count() override;

    data::View &view() { return *m_view; }

  private:
    std::vector<qint64> ids(const Result<std::vector<data::Record>> &rows) const;

    std::unique_ptr<data::View> m_view;
    std::unique_ptr<data::Cursor> m_cursor;
    int m_idField = 0;
};

} // namespace tarvo::bench
