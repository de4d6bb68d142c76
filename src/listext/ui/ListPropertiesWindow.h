#pragma once

#include "listext/ListFormat.h"

#include <QDialog>

#include <map>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace tarvo::listext::ui {

class XploreClass;

// Chooses which columns of a list are shown and in what order, edits the selected column's
// header, width and flags, and the list's line height, scroll bar and font; every change goes
// to the list at once.
class ListPropertiesWindow final : public QDialog {
    Q_OBJECT
  public:
    explicit ListPropertiesWindow(XploreClass &list, QWidget *parent = nullptr);

    QListWidget *availableList() const { return m_available; }
    QListWidget *visibleList() const { return m_visible; }
    void addSelected();
    void removeSelected();
    void moveSelected(int step);
    void resetToDefault();

  private:
    void fillLists();
    void showSelected();
    void changeSelected(const std::function<void(ColumnState &)> &change);
    QString selectedVisibleField() const;

    XploreClass &m_list;
    std::map<QString, ColumnState> m_removed; // columns as they were when hidden
    QListWidget *m_available = nullptr;
    QListWidget *m_visible = nullptr;
    QLineEdit *m_header = nullptr;
    QSpinBox *m_width = nullptr;
    QCheckBox *m_fixed = nullptr;
    QCheckBox *m_underline = nullptr;
    QCheckBox *m_border = nullptr;
    QSpinBox *m_lineHeight = nullptr;
    QCheckBox *m_hscroll = nullptr;
    bool m_filling = false;
};

} // namespace tarvo::listext::ui
