#pragma once

#include "listext/ui/RelationTreeSection.h"

#include <QAbstractItemModel>
#include <QIcon>
#include <QPointer>
#include <QSet>
#include <QTreeView>

#include <map>
#include <memory>
#include <vector>

namespace tarvo::listext::ui {

// The records of several related files as one tree: record sections fill one row per record of
// their view under the records of their parent section (or under a record of their own section,
// for trees of any depth over one file), header sections a caption row above them. A node's
// children are read only when it is expanded; reloads bring back the open nodes and the
// selected node.
class RelationTree : public QAbstractItemModel {
    Q_OBJECT
  public:
    // Refresh modes.
    static constexpr int Load = 0;
    static constexpr int ExpandAll = 1;
    static constexpr int ContractAll = 2;
    static constexpr int Reload = 4;
    // Options.
    static constexpr int OptionLastLevelInserts = 3;
    static constexpr int OptionSelecting = 4;
    static constexpr int OptionRefreshAfterUpdate = 5;
    static constexpr int OptionSelectAfterRefresh = 6;
    static constexpr int OptionAcceptToolbar = 7;
    static constexpr int OptionDisableLocator = 8;

    // What the user may do with a row.
    struct Rights final {
        bool insert = false;
        bool change = false;
        bool remove = false;
        bool select = false;
    };

    explicit RelationTree(QObject *parent = nullptr);
    ~RelationTree() override;

    void setColumnHeaders(const QStringList &headers);
    int addFileSection(std::shared_ptr<RelationTreeFile> section);
    int addHeaderSection(std::shared_ptr<RelationTreeHeader> header, int headedSection);
    // Children of a section are read in ascending place; equal places in the order added.
    void addChildSection(int child, int parent, int place);
    // The section becomes its own child: records under records of the same file.
    Result<void> addRecursion(int section, int place = -1);
    void setOption(int option, bool value);
    bool option(int option) const;
    void setHideChildlessHeader(bool hide) { m_hideChildlessHeader = hide; }
    // The header row of a top-level section loads expanded until the user closes it.
    void openTopHeader(int header);

    // Expansions and the selection follow this view, and reloads restore them in it.
    void attachView(QTreeView *view);
    QTreeView *view() const { return m_view; }

    // Loads (0), expands all (1), contracts all (2) or reloads keeping the open nodes and the
    // selected node (4). Depth other than 0: nodes above that depth load expanded.
    void refresh(int mode, int depth = 0);
    void expandNode(const QModelIndex &index, bool withSubtree);
    void contractNode(const QModelIndex &index, bool forgetSubtree);
    void refreshNode(const QModelIndex &index);

    RelationTreeSection *section(int id) const;
    int sectionOf(const QModelIndex &index) const;
    bool isHeaderRow(const QModelIndex &index) const;
    // The records of the row and of every record row above it, top first.
    TreePath fetchRow(const QModelIndex &index) const;
    // The nearest record row above (a header row in between is skipped).
    QModelIndex parentRecordRow(const QModelIndex &index) const;
    Rights rights(const QModelIndex &index) const;
    // Where an insert on the row goes: the target section and the row its record hangs under
    // (invalid: at the top); section 0 when the row allows no insert.
    std::pair<int, QModelIndex> insertTarget(const QModelIndex &index) const;
    // A row's identity across reloads: its section and position and those of the rows above.
    QString rowKey(const QModelIndex &index) const;
    QModelIndex findRow(const QString &key) const;
    bool isRemembered(const QModelIndex &index) const;

    int registerIcon(const QString &name);
    QStringList iconNames() const { return m_iconNames; }

    // Hooks around every load.
    virtual void beforeLoad() {}
    virtual void afterLoad() {}

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool hasChildren(const QModelIndex &parent = {}) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

  Q_SIGNALS:
    // A load failed beyond repair: the owning window is to close.
    void closeRequested();

  private:
    struct Node;
    struct SectionEntry;

    Node *node(const QModelIndex &index) const;
    QModelIndex indexOf(const Node *n) const;
    TreePath pathOf(const Node *n) const;
    QString keyOf(const Node *n) const;
    Result<std::vector<std::unique_ptr<Node>>> loadTop();
    Result<std::vector<std::unique_ptr<Node>>> loadChildren(Node *parent);
    Result<bool> checkChildren(const Node *n);
    Result<std::unique_ptr<Node>> recordNode(Node *parent, int section, TreeRecord record, bool recursion);
    std::unique_ptr<Node> headerNode(Node *parent, int header, std::vector<std::unique_ptr<Node>> rows);
    void format(Node *n);
    bool ensureLoaded(Node *n);
    void expandRemembered(Node *n, int depth);
    void failLoad(const Error &error, int section);
    const SectionEntry *entry(int id) const;
    SectionEntry *entry(int id);
    const QIcon &icon(const QString &name) const;

    std::unique_ptr<Node> m_root;
    std::vector<SectionEntry> m_sections;
    QStringList m_headers;
    QPointer<QTreeView> m_view;
    QSet<QString> m_expanded;
    QStringList m_iconNames;
    mutable std::map<QString, QIcon> m_icons; // by name, each file read once
    bool m_options[9] = {};
    bool m_hideChildlessHeader = false;
    bool m_explode = false;
    int m_loadDepth = 0;
    bool m_loading = false;
    bool m_changing = false; // rows are being inserted, removed or reset: no reads meanwhile
};

} // namespace tarvo::listext::ui
