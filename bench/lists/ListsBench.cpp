#include "ListsBench.h"

#include "common/BenchFolder.h"
#include "common/Median.h"
#include "common/Memory.h"
#include "common/RawDb.h"
#include "common/RawStatement.h"
#include "common/Stopwatch.h"
#include "listext/ViewRowSource.h"
#include "listext/ui/BrowseListModel.h"

#include <cstdio>
#include <functional>
#include <random>
#include <stdexcept>

namespace tarvo::bench {

namespace {

constexpr int PageRows = 100;

// The issue list newest first, read as the list window reads it: whole issues through the list
// model, which holds a window of pages over the counted list.
class ModelSide final {
  public:
    explicit ModelSide(data::FileManager &bugs)
        : m_source(bugs, QStringLiteral("BUG:KeyID")), m_model(m_source, columns())
    {
        m_model.setPageSize(PageRows);
    }

    listext::ui::BrowseListModel &model() { return m_model; }
    // A click on the status column's header: no key serves that order.
    void sortByStatus()
    {
        if (auto r = m_model.setOrder({{QStringLiteral("BUG:Status"), false, false}}); !r)
            throw std::runtime_error(r.error().message.toStdString());
    }
    void reload()
    {
        if (auto r = m_model.reload(); !r)
            throw std::runtime_error(r.error().message.toStdString());
    }
    // The issue numbers of the rows from `first` on, as a view painting them asks for them.
    std::vector<qint64> rows(int first, int n)
    {
        std::vector<qint64> ids;
        for (int row = first; row < first + n && row < m_model.rowCount(); ++row)
            ids.push_back(idAt(row));
        if (!m_model.lastError().message.isEmpty())
            throw std::runtime_error(m_model.lastError().message.toStdString());
        return ids;
    }
    // The same rows, painted from the last upwards (a view scrolled up asks for the top row last).
    std::vector<qint64> rowsUp(int first, int n)
    {
        std::vector<qint64> ids(static_cast<size_t>(n));
        for (int i = n - 1; i >= 0; --i)
            ids[size_t(i)] = idAt(first + i);
        return ids;
    }

  private:
    // The issue number as the view asks for the cell's value.
    qint64 idAt(int row) const
    {
        return m_model.data(m_model.index(row, 0), listext::ui::BrowseListModel::RawValueRole).toLongLong();
    }
    static listext::ColumnDefinitions columns()
    {
        listext::ColumnDefinition id;
        id.field = QStringLiteral("BUG:ID");
        id.picture = QStringLiteral("@n_10");
        listext::ColumnDefinition description;
        description.field = QStringLiteral("BUG:Description");
        return {id, description};
    }

    listext::ViewRowSource m_source;
    listext::ui::BrowseListModel m_model;
};

// The same rows by hand-written SQL on the C API: keyset pages by the issue number and, for a
// jump into the middle, the OFFSET that plain SQL takes.
class RawSide final {
  public:
    RawSide(RawDb &db, const QString &selectList)
    {
        const std::string head = "SELECT " + selectList.toStdString() + " FROM \"Bugs\"";
        const std::string limit = " LIMIT " + std::to_string(PageRows);
        m_first = std::make_unique<RawStatement>(db.handle(), head + " ORDER BY ID DESC" + limit);
        m_after =
            std::make_unique<RawStatement>(db.handle(), head + " WHERE ID < ? ORDER BY ID DESC" + limit);
        m_before = std::make_unique<RawStatement>(db.handle(), head + " WHERE ID > ? ORDER BY ID" + limit);
        m_last = std::make_unique<RawStatement>(db.handle(), head + " ORDER BY ID" + limit);
        m_offset =
            std::make_unique<RawStatement>(db.handle(), head + " ORDER BY ID DESC" + limit + " OFFSET ?");
        m_count = std::make_unique<RawStatement>(db.handle(), "SELECT COUNT(*) FROM \"Bugs\"");
        const std::string byStatus = " ORDER BY Status COLLATE tarvo_cs, ID DESC";
        m_sortedFirst = std::make_unique<RawStatement>(db.handle(), head + byStatus + limit);
        m_sortedAfter = std::make_unique<RawStatement>(
            db.handle(),
            head + " WHERE Status COLLATE tarvo_cs > ?1 OR (Status COLLATE tarvo_cs = ?1 AND ID < ?2)" +
                byStatus + limit);
        m_statusOf = std::make_unique<RawStatement>(db.handle(), "SELECT Status FROM \"Bugs\" WHERE ID = ?");
    }

    qint64 count()
    {
        m_count->reset();
        const qint64 n = m_count->step() ? m_count->integer(0) : 0;
        m_count->reset();
        return n;
    }
    std::vector<qint64> first() { return read(*m_first, false); }
    std::vector<qint64> last() { return read(*m_last, true); }
    std::vector<qint64> after(qint64 id)
    {
        m_after->reset();
        m_after->bind(1, std::int64_t(id));
        return read(*m_after, false);
    }
    std::vector<qint64> before(qint64 id)
    {
        m_before->reset();
        m_before->bind(1, std::int64_t(id));
        return read(*m_before, true);
    }
    std::vector<qint64> at(qint64 offset)
    {
        m_offset->reset();
        m_offset->bind(1, std::int64_t(offset));
        return read(*m_offset, false);
    }

    // The list sorted by status (ties newest first), and the page after the row of that issue.
    std::vector<qint64> sortedFirst() { return read(*m_sortedFirst, false); }
    std::vector<qint64> sortedAfter(qint64 id)
    {
        m_statusOf->reset();
        m_statusOf->bind(1, std::int64_t(id));
        m_status = m_statusOf->step() ? m_statusOf->text(0) : std::string();
        m_statusOf->reset();
        m_sortedAfter->reset();
        m_sortedAfter->bind(1, m_status);
        m_sortedAfter->bind(2, std::int64_t(id));
        return read(*m_sortedAfter, false);
    }

  private:
    std::vector<qint64> read(RawStatement &st, bool backwards)
    {
        const std::vector<std::int64_t> ids = st.readIds(backwards);
        return {ids.begin(), ids.end()};
    }

    std::unique_ptr<RawStatement> m_first, m_after, m_before, m_last, m_offset, m_count;
    std::unique_ptr<RawStatement> m_sortedFirst, m_sortedAfter, m_statusOf;
    std::string m_status;
};

// One move of the list: what is done before it (untimed) and the move itself, on each side.
struct Move {
    const char *name;
    std::function<void()> modelSetup;
    std::function<std::vector<qint64>()> model;
    std::function<void()> rawSetup;
    std::function<std::vector<qint64>()> raw;
};

} // namespace

ListsBench::ListsBench(Options options) : m_options(std::move(options)) {}

int ListsBench::run()
{
    BenchFolder folder(m_options.folder);
    data::FileManager &bugs = folder.file(QStringLiteral("Bugs"));
    RawDb db(folder.databasePath().toStdString());
    ModelSide side(bugs);
    RawSide raw(db, bugs.layout().selectList());
    side.reload();
    const int n = side.model().rowCount();
    if (n < 4 * PageRows)
        throw std::runtime_error("the folder holds too few issues");
    const int middle = n / 2;
    std::vector<qint64> rawEdge;

    const std::vector<Move> moves{
        {"open: count and first page", [] {},
         [&] {
             side.reload();
             return side.rows(0, PageRows);
         },
         [] {},
         [&] {
             (void)raw.count();
             return raw.first();
         }},
        {"next page",
         [&] {
             side.reload();
             (void)side.rows(0, PageRows);
         },
         [&] { return side.rows(PageRows, PageRows); }, [&] { rawEdge = raw.first(); },
         [&] { return raw.after(rawEdge.back()); }},
        {"jump to the end (Ctrl+End)", [&] { side.reload(); },
         [&] { return side.rowsUp(n - PageRows, PageRows); }, [] {}, [&] { return raw.last(); }},
        {"previous page from the end",
         [&] {
             side.reload();
             (void)side.rowsUp(n - PageRows, PageRows);
         },
         [&] { return side.rowsUp(n - 2 * PageRows, PageRows); }, [&] { rawEdge = raw.last(); },
         [&] { return raw.before(rawEdge.front()); }},
        {"jump to the middle (raw: OFFSET)", [&] { side.reload(); },
         [&] { return side.rows(middle, PageRows); }, [] {}, [&] { return raw.at(middle); }},
        {"header sort by status: first page", [] {},
         [&] {
             side.sortByStatus();
             return side.rows(0, PageRows);
         },
         [] {},
         [&] {
             (void)raw.count();
             return raw.sortedFirst();
         }},
        {"header sort by status: next page",
         [&] {
             side.sortByStatus();
             (void)side.rows(0, PageRows);
         },
         [&] { return side.rows(PageRows, PageRows); }, [&] { rawEdge = raw.sortedFirst(); },
         [&] { return raw.sortedAfter(rawEdge.back()); }},
    };

    std::printf(
        "%d issues, key BUG:KeyID (newest first), pages of %d, median of %d runs, sides alternating\n", n,
        PageRows, m_options.repetitions);
    std::printf("%-34s %12s %12s %8s  %s\n", "move", "list (ms)", "raw (ms)", "ratio", "same rows");
    for (const Move &m : moves) {
        std::vector<double> modelMs, rawMs;
        bool same = true;
        for (int r = 0; r < m_options.repetitions; ++r) {
            std::vector<qint64> a, b;
            auto timeModel = [&] {
                m.modelSetup();
                Stopwatch w;
                a = m.model();
                modelMs.push_back(w.micros() / 1000.0);
            };
            auto timeRaw = [&] {
                m.rawSetup();
                Stopwatch w;
                b = m.raw();
                rawMs.push_back(w.micros() / 1000.0);
            };
            if (r % 2 == 0) {
                timeModel();
                timeRaw();
            } else {
                timeRaw();
                timeModel();
            }
            same = same && a == b && !a.empty();
        }
        const double lm = median(modelMs), rm = median(rawMs);
        std::printf("%-34s %12.3f %12.3f %7.2fx  %s\n", m.name, lm, rm, rm > 0 ? lm / rm : 0.0,
                    same ? "yes" : "NO");
    }

    // Memory while the user pages on and on, both ways, and drags the scroll bar about.
    if (auto r = side.model().setOrder({}); !r)
        throw std::runtime_error(r.error().message.toStdString());
    // The whole process's peak so far: opening the folder, the count and every timed move above.
    const long openPeak = Memory::peakKb();
    Memory::resetPeak();
    const long before = Memory::residentKb();
    const int pages = std::min(n / PageRows, m_options.walkPages);
    for (int p = 0; p < pages; ++p)
        (void)side.rows(p * PageRows, PageRows);
    const long afterForward = Memory::residentKb();
    for (int p = pages - 1; p >= 0; --p)
        (void)side.rowsUp(p * PageRows, PageRows);
    std::mt19937 random(7);
    for (int j = 0; j < 20; ++j)
        (void)side.rows(int(random() % unsigned(n - PageRows)), PageRows);
    std::printf(
        "\nmemory: resident %.1f MiB before paging, %.1f MiB after %d pages forward, %.1f MiB after as "
        "many back and 20 jumps; peak %.1f MiB; rows held %d\n",
        before / 1024.0, afterForward / 1024.0, pages, Memory::residentKb() / 1024.0,
        Memory::peakKb() / 1024.0, side.model().heldCount());
    std::printf("process peak before paging (open, count and the timed moves): %.1f MiB\n",
                openPeak / 1024.0);
    // The same with the list sorted by a header click: the sorted row ids are kept once per sort.
    const long unsorted = Memory::residentKb();
    side.sortByStatus();
    const long sorted = Memory::residentKb();
    for (int p = 0; p < pages; ++p)
        (void)side.rows(p * PageRows, PageRows);
    std::printf("sorted by status: resident %.1f MiB before the sort, %.1f MiB after it, %.1f MiB after %d "
                "pages forward; peak %.1f MiB\n",
                unsorted / 1024.0, sorted / 1024.0, Memory::residentKb() / 1024.0, pages,
                Memory::peakKb() / 1024.0);
    return 0;
}

} // namespace tarvo::bench
