#include "listext/ui/RelationTree.h"

#include "listext/ui/ColourValue.h"
#include "platform/runtime/Messages.h"

#include <QColor>
#include <QIcon>
#include <QScopedValueRollback>
#include <QTreeView>

#include <algorithm>

namespace tarvo::listext::ui {

struct RelationTree::Node {
    Node *parent = nullptr;
    int section = 0;
    bool header = false;
    TreeRecord record;
    std::vector<std::unique_ptr<Node>> children;
    bool childrenLoaded = false;
    bool hasChildren = false;
    bool expanded = false;
    bool fetching = false;
    TreeRowFormat format;
};

struct RelationTree::SectionEntry {
    int id = 0;
    std::shared_ptr<RelationTreeSection> section;
    bool isChild = false;
    int parent = 0;
    int header = 0; // the section's header section
    int headed = 0; // for a header: the section it heads
    bool recursive = false;
    std::vector<std::pair<int, int>> children; // (place, child), by place
};

RelationTree::RelationTree(QObject *parent) : QAbstractItemModel(parent), m_root(std::make_unique<Node>())
{
    m_root->childrenLoaded = true;
}

RelationTree::~RelationTree() = default;

// ---- set-up ----

void RelationTree::setColumnHeaders(const QStringList &headers)
{
    beginResetModel();
    m_headers = headers;
    endResetModel();
}

const RelationTree::SectionEntry *RelationTree::entry(int id) const
{
    return id >= 1 && id <= static_cast<int>(m_sections.size()) ? &m_sections[id - 1] : nullptr;
}

RelationTree::SectionEntry *RelationTree::entry(int id)
{
    return id >= 1 && id <= static_cast<int>(m_sections.size()) ? &m_sections[id - 1] : nullptr;
}

RelationTreeSection *RelationTree::section(int id) const
{
    const SectionEntry *e = entry(id);
    return e ? e->section.get() : nullptr;
}

int RelationTree::addFileSection(std::shared_ptr<RelationTreeFile> section)
{
    SectionEntry e;
    e.id = static_cast<int>(m_sections.size()) + 1;
    section->m_id = e.id;
    section->m_tree = this;
    e.section = std::move(section);
    m_sections.push_back(e);
    m_sections.back().section->init();
    return e.id;
}

int RelationTree::addHeaderSection(std::shared_ptr<RelationTreeHeader> header, int headedSection)
{
    SectionEntry e;
    e.id = static_cast<int>(m_sections.size()) + 1;
    e.headed = headedSection;
    header->m_id = e.id;
    header->m_tree = this;
    e.section = std::move(header);
    m_sections.push_back(e);
    if (SectionEntry *headed = entry(headedSection))
        headed->header = e.id;
    m_sections.back().section->init();
    return e.id;
}

void RelationTree::addChildSection(int child, int parent, int place)
{
    SectionEntry *p = entry(parent);
    SectionEntry *c = entry(child);
    if (!p || !c)
        return;
    auto at = std::upper_bound(p->children.begin(), p->children.end(), place,
                               [](int pl, const std::pair<int, int> &e) { return pl < e.first; });
    p->children.insert(at, {place, child});
    if (child != parent) {
        c->isChild = true;
        c->parent = parent;
    }
}

Result<void> RelationTree::addRecursion(int sectionId, int place)
{
    SectionEntry *e = entry(sectionId);
    if (!e || e->section->kind() != RelationTreeSection::Kind::File) {
        const QString text = QStringLiteral("Programming Error! Recursion supported only for views.");
        Messages::stop(text);
        return makeError(1, text);
    }
    e->recursive = true;
    if (place < 0)
        place = e->children.empty() ? 0 : e->children.back().first + 1;
    addChildSection(sectionId, sectionId, place);
    return {};
}

void RelationTree::setOption(int option, bool value)
{
    if (option >= 3 && option <= 8)
        m_options[option] = value;
}

bool RelationTree::option(int option) const
{
    return option >= 3 && option <= 8 && m_options[option];
}

int RelationTree::registerIcon(const QString &name)
{
    int i = m_iconNames.indexOf(name);
    if (i < 0) {
        m_iconNames << name;
        i = m_iconNames.size() - 1;
    }
    return i + 1;
}

void RelationTree::attachView(QTreeView *view)
{
    m_view = view;
    view->setModel(this);
    connect(view, &QTreeView::expanded, this, [this](const QModelIndex &index) {
        if (m_loading)
            return;
        if (Node *n = node(index)) {
            ensureLoaded(n);
            n->expanded = true;
            m_expanded.insert(keyOf(n));
            format(n);
        }
    });
    connect(view, &QTreeView::collapsed, this, [this](const QModelIndex &index) {
        if (m_loading)
            return;
        if (Node *n = node(index)) {
            n->expanded = false;
            m_expanded.remove(keyOf(n));
            format(n);
        }
    });
}

// ---- nodes ----

RelationTree::Node *RelationTree::node(const QModelIndex &index) const
{
    return index.isValid() ? static_cast<Node *>(index.internalPointer()) : nullptr;
}

QModelIndex RelationTree::indexOf(const Node *n) const
{
    if (!n || n == m_root.get() || !n->parent)
        return {};
    const auto &siblings = n->parent->children;
    for (size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == n)
            return createIndex(static_cast<int>(i), 0, const_cast<Node *>(n));
    return {};
}

TreePath RelationTree::pathOf(const Node *n) const
{
    TreePath path;
    for (; n && n != m_root.get(); n = n->parent)
        if (!n->header)
            path.insert(path.begin(), {n->section, n->record});
    return path;
}

void RelationTree::openTopHeader(int header)
{
    m_expanded.insert(QStringLiteral("h%1").arg(header));
}

QString RelationTree::keyOf(const Node *n) const
{
    QStringList parts;
    for (; n && n != m_root.get(); n = n->parent)
        parts.prepend(n->header ? QStringLiteral("h%1").arg(n->section)
                                : QString::number(n->section) + QLatin1Char(':') + n->record.position);
    return parts.join(QLatin1Char('/'));
}

void RelationTree::format(Node *n)
{
    RelationTreeSection *s = section(n->section);
    if (!s)
        return;
    n->format = {};
    const bool contracted = n->hasChildren && !n->expanded;
    s->formatRow(n->format, pathOf(n), n->hasChildren && n->expanded, contracted, !n->hasChildren);
    if (const QModelIndex i = indexOf(n); i.isValid())
        Q_EMIT dataChanged(i, i.siblingAtColumn(std::max(0, columnCount() - 1)));
}

Result<bool> RelationTree::checkChildren(const Node *n)
{
    const SectionEntry *e = entry(n->section);
    const TreePath path = pathOf(n);
    for (const auto &[place, child] : e->children) {
        const SectionEntry *c = entry(child);
        auto *file = static_cast<RelationTreeFile *>(c->section.get());
        if (file->assumeChildren)
            return true;
        auto has = file->hasRecords(path, child == n->section);
        if (!has) {
            failLoad(has.error(), child);
            return has.error();
        }
        // A recursive section's header heads its top level only.
        if (*has || (c->header && child != n->section && !m_hideChildlessHeader))
            return true;
    }
    return false;
}

Result<std::unique_ptr<RelationTree::Node>> RelationTree::recordNode(Node *parent, int sectionId,
                                                                     TreeRecord record, bool recursion)
{
    (void)recursion;
    auto n = std::make_unique<Node>();
    n->parent = parent;
    n->section = sectionId;
    n->record = std::move(record);
    auto has = checkChildren(n.get());
    if (!has)
        return has.error();
    n->hasChildren = *has;
    if (!n->hasChildren) {
        n->childrenLoaded = true;
        if (section(sectionId)->excludeChildless)
            return std::unique_ptr<Node>();
    }
    format(n.get());
    return n;
}

std::unique_ptr<RelationTree::Node> RelationTree::headerNode(Node *parent, int header,
                                                             std::vector<std::unique_ptr<Node>> rows)
{
    auto h = std::make_unique<Node>();
    h->parent = parent;
    h->section = header;
    h->header = true;
    h->record.position = parent && parent != m_root.get() ? parent->record.position : QString();
    for (auto &r : rows)
        r->parent = h.get();
    h->children = std::move(rows);
    h->childrenLoaded = true;
    h->hasChildren = !h->children.empty();
    format(h.get());
    return h;
}

Result<std::vector<std::unique_ptr<RelationTree::Node>>> RelationTree::loadTop()
{
    std::vector<std::unique_ptr<Node>> top;
    for (const SectionEntry &e : m_sections) {
        if (e.section->kind() != RelationTreeSection::Kind::File || e.isChild)
            continue;
        auto *file = static_cast<RelationTreeFile *>(e.section.get());
        auto records = file->records({}, false);
        if (!records) {
            failLoad(records.error(), e.id);
            return records.error();
        }
        std::vector<std::unique_ptr<Node>> rows;
        for (auto &r : records.value()) {
            auto n = recordNode(m_root.get(), e.id, std::move(r), false);
            if (!n)
                return n.error();
            if (n.value())
                rows.push_back(std::move(n.value()));
        }
        if (e.header) {
            top.push_back(headerNode(m_root.get(), e.header, std::move(rows)));
        } else {
            for (auto &r : rows)
                top.push_back(std::move(r));
        }
    }
    return top;
}

Result<std::vector<std::unique_ptr<RelationTree::Node>>> RelationTree::loadChildren(Node *parent)
{
    std::vector<std::unique_ptr<Node>> out;
    const SectionEntry *e = entry(parent->section);
    const TreePath path = pathOf(parent);
    for (const auto &[place, child] : e->children) {
        const SectionEntry *c = entry(child);
        auto *file = static_cast<RelationTreeFile *>(c->section.get());
        const bool recursion = child == parent->section;
        auto records = file->records(path, recursion);
        if (!records) {
            failLoad(records.error(), child);
            return records.error();
        }
        std::vector<std::unique_ptr<Node>> rows;
        for (auto &r : records.value()) {
            auto n = recordNode(parent, child, std::move(r), recursion);
            if (!n)
                return n.error();
            if (n.value())
                rows.push_back(std::move(n.value()));
        }
        if (c->header && !recursion) {
            if (!rows.empty() || !m_hideChildlessHeader)
                out.push_back(headerNode(parent, c->header, std::move(rows)));
        } else {
            for (auto &r : rows)
                out.push_back(std::move(r));
        }
    }
    return out;
}

void RelationTree::failLoad(const Error &error, int sectionId)
{
    QString name;
    if (const SectionEntry *e = entry(sectionId); e && e->section->kind() == RelationTreeSection::Kind::File)
        name = static_cast<RelationTreeFile *>(e->section.get())->fileName();
    Messages::stop(QStringLiteral("Status ") + QString::number(error.code) +
                   QStringLiteral(" attempting to load ") + name);
    Messages::show(QStringLiteral("Closing active window due to unrecoverable error."),
                   QStringLiteral("Tree Error"), MessageIcon::Exclamation);
    Q_EMIT closeRequested();
}

bool RelationTree::ensureLoaded(Node *n)
{
    if (!n->childrenLoaded)
        fetchMore(indexOf(n));
    return n->childrenLoaded;
}

// ---- loading ----

void RelationTree::refresh(int mode, int depth)
{
    beforeLoad();
    QString selected;
    if ((mode & Reload) && m_view)
        selected = rowKey(m_view->currentIndex());
    if (mode == ExpandAll || mode == ContractAll)
        m_expanded.clear();
    if (depth != 0)
        m_loadDepth = depth;
    if (mode & ExpandAll)
        m_explode = true;
    {
        const QScopedValueRollback<bool> loading(m_loading, true);
        auto top = loadTop();
        {
            const QScopedValueRollback<bool> changing(m_changing, true);
            beginResetModel();
            m_root->children.clear();
            if (top)
                m_root->children = std::move(top.value());
            endResetModel();
        }
        if (top)
            expandRemembered(m_root.get(), 0);
    }
    if (m_view && rowCount() > 0) {
        QModelIndex current;
        if (mode & Reload) {
            // The selected node, or the deepest of its rows above that still exists.
            for (QString key = selected; !key.isEmpty() && !current.isValid();
                 key = key.section(QLatin1Char('/'), 0, -2))
                current = findRow(key);
            if (!current.isValid())
                current = index(0, 0);
        }
        if (option(OptionSelectAfterRefresh)) {
            m_view->setFocus();
            if (!current.isValid())
                current = m_view->currentIndex().isValid() ? m_view->currentIndex() : index(0, 0);
        }
        if (current.isValid()) {
            m_view->setCurrentIndex(current);
            m_view->scrollTo(current);
        }
    }
    // However the load ended, the next one starts from a clean state.
    m_explode = false;
    afterLoad();
}

void RelationTree::expandRemembered(Node *n, int depth)
{
    for (size_t i = 0; i < n->children.size(); ++i) {
        Node *c = n->children[i].get();
        if (!c->hasChildren)
            continue;
        const QString key = keyOf(c);
        if (!(m_explode || m_expanded.contains(key) || depth + 1 < m_loadDepth))
            continue;
        if (!ensureLoaded(c))
            return;
        c->expanded = true;
        m_expanded.insert(key);
        if (m_view)
            m_view->expand(indexOf(c));
        format(c);
        expandRemembered(c, depth + 1);
    }
}

void RelationTree::expandNode(const QModelIndex &index, bool withSubtree)
{
    Node *n = node(index);
    if (!n)
        return;
    if (!n->hasChildren) {
        format(n);
        return;
    }
    const QScopedValueRollback<bool> loading(m_loading, true);
    if (withSubtree)
        m_explode = true;
    ensureLoaded(n);
    n->expanded = true;
    m_expanded.insert(keyOf(n));
    if (m_view)
        m_view->expand(index);
    format(n);
    expandRemembered(n, 0);
    m_explode = false;
}

void RelationTree::contractNode(const QModelIndex &index, bool forgetSubtree)
{
    Node *n = node(index);
    if (!n)
        return;
    const QScopedValueRollback<bool> loading(m_loading, true);
    const QString key = keyOf(n);
    m_expanded.remove(key);
    if (forgetSubtree)
        for (auto it = m_expanded.begin(); it != m_expanded.end();)
            it = it->startsWith(key + QLatin1Char('/')) ? m_expanded.erase(it) : std::next(it);
    n->expanded = false;
    if (m_view)
        m_view->collapse(index);
    if (!n->header && !n->children.empty()) {
        // Collapsed record rows drop their rows; they are read again when the node opens.
        const QScopedValueRollback<bool> changing(m_changing, true);
        beginRemoveRows(index, 0, static_cast<int>(n->children.size()) - 1);
        n->children.clear();
        n->childrenLoaded = false;
        endRemoveRows();
    }
    format(n);
}

void RelationTree::refreshNode(const QModelIndex &index)
{
    Node *n = node(index);
    if (!n)
        return;
    if (!n->header) {
        auto has = checkChildren(n);
        n->hasChildren = has && *has;
    }
    contractNode(index, false);
    expandNode(indexOf(n), false);
}

// ---- rows ----

int RelationTree::sectionOf(const QModelIndex &index) const
{
    const Node *n = node(index);
    return n ? n->section : 0;
}

bool RelationTree::isHeaderRow(const QModelIndex &index) const
{
    const Node *n = node(index);
    return n && n->header;
}

TreePath RelationTree::fetchRow(const QModelIndex &index) const
{
    const QModelIndex row = index.isValid() ? index : this->index(0, 0);
    return pathOf(node(row));
}

QModelIndex RelationTree::parentRecordRow(const QModelIndex &index) const
{
    const Node *n = node(index);
    for (n = n ? n->parent : nullptr; n && n != m_root.get(); n = n->parent)
        if (!n->header)
            return indexOf(n);
    return {};
}

RelationTree::Rights RelationTree::rights(const QModelIndex &index) const
{
    Rights r;
    const Node *n = node(index);
    if (!n)
        return r;
    const SectionEntry *e = entry(n->section);
    const RelationTreeSection *s = e->section.get();
    r.insert = insertTarget(index).first != 0;
    r.change = s->allowChange;
    r.remove = s->allowDelete;
    r.select = s->allowSelect;
    return r;
}

std::pair<int, QModelIndex> RelationTree::insertTarget(const QModelIndex &index) const
{
    const Node *n = node(index);
    if (!n)
        return {0, {}};
    const SectionEntry *e = entry(n->section);
    int target = 0;
    QModelIndex parent;
    if (n->header) {
        target = e->headed;
        parent = parentRecordRow(index);
    } else if (!e->children.empty()) {
        target = e->children.front().second;
        parent = index;
    } else if (option(OptionLastLevelInserts)) {
        target = n->section;
        parent = parentRecordRow(index);
    }
    if (target == 0 || !section(target)->allowInsert)
        return {0, {}};
    return {target, parent};
}

QString RelationTree::rowKey(const QModelIndex &index) const
{
    return index.isValid() ? keyOf(node(index)) : QString();
}

QModelIndex RelationTree::findRow(const QString &key) const
{
    const Node *n = m_root.get();
    QString built;
    for (const QString &part : key.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        built = built.isEmpty() ? part : built + QLatin1Char('/') + part;
        const Node *next = nullptr;
        for (const auto &c : n->children)
            if (keyOf(c.get()) == built) {
                next = c.get();
                break;
            }
        if (!next)
            return {};
        n = next;
    }
    return indexOf(n);
}

bool RelationTree::isRemembered(const QModelIndex &index) const
{
    return index.isValid() && m_expanded.contains(keyOf(node(index)));
}

// ---- model ----

QModelIndex RelationTree::index(int row, int column, const QModelIndex &parent) const
{
    const Node *p = parent.isValid() ? node(parent) : m_root.get();
    if (!p || row < 0 || column < 0 || column >= columnCount() || row >= static_cast<int>(p->children.size()))
        return {};
    return createIndex(row, column, p->children[row].get());
}

QModelIndex RelationTree::parent(const QModelIndex &child) const
{
    const Node *n = node(child);
    if (!n || !n->parent || n->parent == m_root.get())
        return {};
    return indexOf(n->parent);
}

int RelationTree::rowCount(const QModelIndex &parent) const
{
    if (parent.column() > 0)
        return 0;
    const Node *p = parent.isValid() ? node(parent) : m_root.get();
    return p ? static_cast<int>(p->children.size()) : 0;
}

int RelationTree::columnCount(const QModelIndex &) const
{
    return std::max<int>(1, m_headers.size());
}

QVariant RelationTree::data(const QModelIndex &index, int role) const
{
    const Node *n = node(index);
    if (!n)
        return {};
    const int c = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return n->format.texts.value(c);
    case Qt::ForegroundRole:
        if (auto it = n->format.colours.find(c); it != n->format.colours.end())
            if (const QColor col = colourOf(it->second[0]); col.isValid())
                return col;
        return {};
    case Qt::BackgroundRole:
        if (auto it = n->format.colours.find(c); it != n->format.colours.end())
            if (const QColor col = colourOf(it->second[1]); col.isValid())
                return col;
        return {};
    case Qt::DecorationRole:
        if (auto it = n->format.icons.find(c); it != n->format.icons.end())
            return icon(it->second);
        return {};
    default:
        return {};
    }
}

const QIcon &RelationTree::icon(const QString &name) const
{
    // A QIcon opens its file when it is made: rows that are painted again reuse it.
    auto it = m_icons.find(name);
    if (it == m_icons.end())
        it = m_icons.emplace(name, QIcon(name)).first;
    return it->second;
}

QVariant RelationTree::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_headers.size())
        return m_headers.at(section);
    return QAbstractItemModel::headerData(section, orientation, role);
}

bool RelationTree::hasChildren(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return !m_root->children.empty();
    if (parent.column() > 0)
        return false;
    const Node *n = node(parent);
    return n && (n->childrenLoaded ? !n->children.empty() : n->hasChildren);
}

bool RelationTree::canFetchMore(const QModelIndex &parent) const
{
    const Node *n = node(parent);
    return n && parent.column() == 0 && !n->childrenLoaded && !n->fetching && !m_changing;
}

void RelationTree::fetchMore(const QModelIndex &parent)
{
    Node *n = node(parent);
    if (!n || n->childrenLoaded || n->fetching || m_changing || parent.column() != 0)
        return;
    const QScopedValueRollback<bool> fetching(n->fetching, true);
    auto kids = loadChildren(n);
    if (!kids)
        return;
    n->childrenLoaded = true;
    if (kids->empty()) {
        n->hasChildren = false;
        format(n);
        return;
    }
    const QScopedValueRollback<bool> changing(m_changing, true);
    beginInsertRows(parent, 0, static_cast<int>(kids->size()) - 1);
    n->children = std::move(kids.value());
    endInsertRows();
}

} // namespace tarvo::listext::ui
