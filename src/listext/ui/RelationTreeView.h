#pragma once

#include "listext/ui/RelationTree.h"
#include "platform/runtime/IniFile.h"

#include <QMenu>
#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QAbstractButton;

namespace tarvo::listext::ui {

// The user's side of a relation tree in its window: the keys, buttons, popup menu and toolbar
// buttons that act on the selected row, inserts, changes and deletes through the window's own
// forms, selection for pickers, and the column widths kept per user.
class RelationTreeView : public QObject {
    Q_OBJECT
  public:
    // Runs the form of an update number with a request (1 insert, 2 change, 3 delete) and
    // answers with its response (1 completed).
    using Runner = std::function<void(int update, int request, std::function<void(int response)> done)>;
    // Whether a control may act on the selected row.
    using RowCheck = std::function<bool(const QModelIndex &current)>;

    RelationTreeView(RelationTree &tree, QTreeView *view, QObject *parent = nullptr);

    RelationTree &tree() const { return m_tree; }
    QTreeView *view() const { return m_view; }

    void setButtons(QAbstractButton *insert, QAbstractButton *change, QAbstractButton *remove,
                    QAbstractButton *select, QAbstractButton *expandNode = nullptr,
                    QAbstractButton *contractNode = nullptr, QAbstractButton *expandTree = nullptr,
                    QAbstractButton *contractTree = nullptr);
    void setRunner(Runner runner) { m_runner = std::move(runner); }
    // A window opened only to view shows no popup.
    void setViewOnly(bool viewOnly) { m_viewOnly = viewOnly; }

    QMenu *popup() const { return m_popup; }
    // Items whose names the tree knows: "Insert", "Change", "Delete", "Select", "ExpandAll",
    // "ContractAll", "ExpandNode", "ContractNode", "RefreshNode", "RefreshTree". An item is owned
    // by this object, not by the window, whose rights it does not take.
    QAction *addPopupItem(const QString &text, const QString &name);
    QAction *popupItem(const QString &name) const;
    // A button or popup item of the window that acts on the selected row: enabled only while a
    // row is selected and `allowed` passes it, checked again with every selection and reload.
    void addRowControl(QAbstractButton *button, RowCheck allowed);
    void addRowControl(QAction *item, RowCheck allowed);
    // The row has a sibling of its own kind `step` rows away (-1 above, +1 below) to change
    // places with.
    bool canMove(const QModelIndex &row, int step) const;

    // An event of the list: 4064 load, 4065 reload, 561 sized. 0 when not the tree's.
    int takeEvent(int event);
    void takePopupAction(const QString &name);
    // Toolbar buttons: 3001 insert, 3002 change, 3003 delete, 3005 to 3010 navigation.
    void takeToolbarKey(int button);
    // Enables the popup items, the buttons and the toolbar buttons by the selected row's rights.
    virtual void setPopupState();
    RelationTree::Rights currentRights() const { return m_rights; }

    // Request 1 insert, 2 change, 3 delete on the selected row.
    void update(int request);
    // Completes a picker with the selected row.
    void select();

    Result<void> saveColumnWidths(IniFile &ini, const QString &section, int listNumber) const;
    void restoreColumnWidths(const IniFile &ini, const QString &section, int listNumber);

  Q_SIGNALS:
    void toolbarStateChanged(bool insert, bool change, bool remove, bool select);
    // The selected row's records were read (the new selection).
    void rowFetched(const TreePath &path);
    // A picker's choice was made.
    void selected(const TreePath &path);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void newSelection();
    void press(QAbstractButton *button);

    RelationTree &m_tree;
    QPointer<QTreeView> m_view;
    QPointer<QMenu> m_popup;
    Runner m_runner;
    bool m_viewOnly = false;
    RelationTree::Rights m_rights;
    struct RowControl {
        QPointer<QAbstractButton> button;
        QPointer<QAction> item;
        RowCheck allowed;
    };
    std::vector<RowControl> m_rowControls;
    QPointer<QAbstractButton> m_insert, m_change, m_remove, m_select, m_expandNode, m_contractNode,
        m_expandTree, m_contractTree;
};

} // namespace tarvo::listext::ui
