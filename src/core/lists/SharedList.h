#pragma once

#include <cstddef>
#include <mutex>
#include <utility>
#include <vector>

namespace tarvo::core {

// A drop-down list that all windows share for the whole run. Readers take a copy and writers
// replace the whole contents at once, so a window never sees a half-filled list.
template <typename Row> class SharedList final {
  public:
    // The one list of this row type in the process.
    static SharedList &global()
    {
        static SharedList list;
        return list;
    }

    std::vector<Row> rows() const
    {
        std::lock_guard guard(m_lock);
        return m_rows;
    }

    void replace(std::vector<Row> rows)
    {
        std::lock_guard guard(m_lock);
        m_rows = std::move(rows);
    }

    // Fills the list only when it is empty; true when this call filled it. The check and the fill
    // are one step, so two windows that find the list empty at once never fill it twice.
    template <typename MakeRows> bool fillOnce(MakeRows makeRows)
    {
        std::lock_guard guard(m_lock);
        if (!m_rows.empty())
            return false;
        m_rows = makeRows();
        return true;
    }

    void clear() { replace({}); }

    std::size_t size() const
    {
        std::lock_guard guard(m_lock);
        return m_rows.size();
    }

    bool isEmpty() const { return size() == 0; }

  private:
    mutable std::mutex m_lock;
    std::vector<Row> m_rows;
};

} // namespace tarvo::core
