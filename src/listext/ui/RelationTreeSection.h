#pragma once

#include "platform/runtime/Result.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace tarvo::listext::ui {

class RelationTree;

// One record as a tree row carries it: its position in its view (what reads it again) and the
// values the row shows.
struct TreeRecord final {
    QString position;
    QVariantList values;
};

// The records on the path to a row, top first: (section number, record) per record row.
using TreePath = std::vector<std::pair<int, TreeRecord>>;

// What a section's FormatRow fills in for one row.
struct TreeRowFormat final {
    QStringList texts; // per display column
    std::map<int, std::array<int, 4>>
        colours;                  // column -> text, background, selected text, selected background
    std::map<int, QString> icons; // column -> icon name
};

// One kind of row of a relation tree: a header's caption row or a file's record rows. Holds what
// the user may do with its rows and how they look (colour sets and icons per column and state).
class RelationTreeSection {
  public:
    enum class Kind { File = 2, Header = 4 };
    // Icon states of a row.
    enum State { Plain = 0, Expanded = 1, Contracted = 2, Empty = 3 };

    virtual ~RelationTreeSection() = default;
    virtual Kind kind() const = 0;

    int id() const { return m_id; }
    RelationTree *tree() const { return m_tree; }

    bool allowInsert = false;
    bool allowChange = false;
    bool allowDelete = false;
    bool allowSelect = false;
    bool excludeChildless = false; // rows without children are left out
    bool assumeChildren = false;   // a contracted row counts as having children without a read

    // The number the window runs for this section's form, and what the user may do.
    void setUpdateOptions(int updateNumber, bool insert, bool change, bool remove);
    int updateNumber() const { return m_update; }
    // A colour set for one display column (column -1: every column), 00BBGGRR, -1 the default.
    void setColumnColors(int column, int set, int text, int background, int selectedText,
                         int selectedBackground);
    // An icon for one display column in one state; the tree numbers icon names once.
    void addIcon(int column, State state, const QString &iconName);

    // Called when the section joins its tree.
    virtual void init() {}
    // Fills in a row: its texts, and through applyColors/setIcon its colours and icons.
    virtual void formatRow(TreeRowFormat &row, const TreePath &path, bool expanded, bool contracted,
                           bool empty);
    // Prepares a new record under the parent path before the window's form inserts it.
    virtual void primeInsert(const TreePath &parent) { (void)parent; }

    // Helpers for formatRow.
    void applyColors(TreeRowFormat &row, int column, int set) const;
    void setIcon(TreeRowFormat &row, int column, State state) const;

  private:
    friend class RelationTree;
    int m_id = 0;
    RelationTree *m_tree = nullptr;
    int m_update = 0;
    std::map<std::pair<int, int>, std::array<int, 4>> m_colours; // (column, set)
    std::map<std::pair<int, int>, QString> m_icons;              // (column, state)
};

// A section with one row per record of a view, read under the records of the rows above.
class RelationTreeFile : public RelationTreeSection {
  public:
    Kind kind() const override { return Kind::File; }
    // The section's records under the parent path (empty at the top), in the section's order;
    // `recursion` when the parent row is a record of this same section.
    virtual Result<std::vector<TreeRecord>> records(const TreePath &parents, bool recursion) = 0;
    // Whether any record exists there; the base reads the records.
    virtual Result<bool> hasRecords(const TreePath &parents, bool recursion);
    // The file's name for messages.
    virtual QString fileName() const { return QString(); }
};

// A section that shows one caption row above the rows of the section it heads.
class RelationTreeHeader : public RelationTreeSection {
  public:
    explicit RelationTreeHeader(QStringList captions = {}) : m_captions(std::move(captions)) {}
    Kind kind() const override { return Kind::Header; }
    QStringList captions() const { return m_captions; }
    void setCaptions(QStringList captions) { m_captions = std::move(captions); }
    void formatRow(TreeRowFormat &row, const TreePath &path, bool expanded, bool contracted,
                   bool empty) override;

  private:
    QStringList m_captions;
};

} // namespace tarvo::listext::ui
