#pragma once

#include "listext/ColumnDefinition.h"
#include "listext/RowSource.h"
#include "listext/ui/XploreClass.h"
#include "platform/runtime/IniFile.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

namespace tarvo::listext::ui {

// One list of a list window, as the window declares it.
struct ListDeclaration final {
    // The list's control name ("?Browse:1"): the section key of its layout, and the suffix of its
    // buttons' names when it is not the window's first list.
    QString control = QStringLiteral("?Browse:1");
    ColumnDefinitions columns;
    quint32 featureMask = 0x0E1FFEF7;
    // The called procedure its record buttons run; 0: the list has none.
    int updateProcedure = 0;
    // The data files whose refresh notices make it read again: labels between vertical bars.
    QString watchedFiles;
    bool locator = true;
    int pageSize = 100;
    // The requests its record buttons make, of insert, change and delete; all three when empty.
    std::vector<int> requests;
};

// A list of a list window: the table view over the two-way model with the browse extension, its
// locator and its record buttons, and the moves of the navigation buttons.
class BrowseList final : public QObject {
    Q_OBJECT
  public:
    // The buttons' object names end in this suffix (":2" for a window's second list).
    BrowseList(ListDeclaration declaration, RowSource &source, const QString &buttonSuffix,
               QObject *parent = nullptr);
    ~BrowseList() override;

    const ListDeclaration &declaration() const { return m_declaration; }
    RowSource &source() const { return m_source; }
    XploreClass &xplore() const { return *m_xplore; }
    BrowseListModel &model() const { return *m_xplore->model(); }
    QTableView *view() const { return m_view; }
    QLineEdit *locator() const { return m_locator; }
    // The panel that holds the locator, the view and the buttons.
    QWidget *panel() const { return m_panel; }
    QPushButton *button(int request) const;
    // The request of a button's object name ("Change:2" of the second list); 0 for none of this list's.
    int requestOf(const QString &controlName) const;

    // Layouts and sorts kept in the user's INI file under the window's procedure name.
    void bindLayout(const IniFile &userIni, const QString &procedureName);
    Result<void> saveLayout();

    int currentRow() const;
    // The row made current and shown; clamped to the list.
    void goToRow(int row);
    // The key of the current row (RowSource::rowKey); -1 when none.
    qint64 currentKey() const;

    Result<void> reload();
    // Reads the list again, keeping the current row (or going to the row of `key` when given).
    Result<void> refresh(std::optional<qint64> key = std::nullopt);
    // Goes to the first row at or after the text in the list's first free sort component.
    Result<void> locate(const QString &text);
    // A navigation button's step (3005 to 3010).
    void step(int buttonNumber);

  Q_SIGNALS:
    // The rows, the current row or what the buttons may do changed.
    void stateChanged();
    // A row was double-clicked: it is to be changed.
    void rowActivated();

  private:
    void showError(const Error &error) const;
    int rowsPerPage() const;

    ListDeclaration m_declaration;
    RowSource &m_source;
    QPointer<QWidget> m_panel;
    QTableView *m_view = nullptr;
    QLineEdit *m_locator = nullptr;
    std::unique_ptr<XploreClass> m_xplore;
    std::vector<std::pair<int, QPushButton *>> m_buttons;
    QString m_suffix;
};

} // namespace tarvo::listext::ui
