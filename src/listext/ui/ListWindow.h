#pragma once

#include "core/frame/RecordButtons.h"
#include "listext/XploreSort.h"
#include "listext/ui/BrowseList.h"
#include "platform/runtime/IniFile.h"
#include "platform/ui/WindowManager.h"

#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QTabBar;

namespace tarvo::listext::ui {

// A sort order that a tab of the window chooses for its first list.
struct SortOrder final {
    QString caption;
    std::vector<SortKey> keys; // empty: the list's own key
};

// The base of every list window: lists over the two-way model with the browse extension, their
// locators and record buttons, the record buttons of the toolbars, forms called under a request
// that the list follows when they close, sort-order tabs, refreshes on notices, and layouts per
// user. A window declares its lists, tabs and called procedures and opens.
class ListWindow : public tarvo::ui::WindowManager {
    Q_OBJECT
  public:
    ListWindow(Context &context, QString procedureName, QObject *parent = nullptr);
    ~ListWindow() override;

    // Adds a list below the tabs; the first one added is the one the tabs and toolbars act on
    // until another takes the focus.
    BrowseList &addList(ListDeclaration declaration, RowSource &source);
    // The same for a source that the window keeps for as long as the list.
    BrowseList &addList(ListDeclaration declaration, std::unique_ptr<RowSource> source);
    BrowseList &list(int index = 0) const { return *m_lists.at(size_t(index)); }
    int listCount() const { return int(m_lists.size()); }
    // The list the toolbars' record buttons act on.
    BrowseList &currentList() const;
    void setSortOrders(std::vector<SortOrder> orders);
    QTabBar *tabs() const { return m_tabs; }
    // The tab bar of the sort orders, for a window that lays out its own widgets; null without
    // sort orders. Made once.
    QTabBar *sortTabs(QWidget *parent);
    // The user's INI file that keeps the lists' layouts and sorts, and the chosen tab.
    void setUserIni(const IniFile &ini) { m_userIni = ini; }
    // The list goes to the row of this key when the running form closes (a form that inserted
    // tells its new row this way).
    void followKey(qint64 key) { m_followKey = key; }

    // Builds the window (when no widget was set), lays out the lists and reads them.
    bool open() override;
    // Saves the layouts.
    bool close() override;
    bool takeEvent(int event, const QVariant &data) override;
    void takeAccepted(const QString &controlName) override;

    // Calls the list's form under the request and follows its end (RecordButtons, Insert ...).
    void callForm(BrowseList &list, int request);
    // Shows the error under the window's name.
    void showError(const Error &error) const;
    // Which record buttons are disabled now, in the order of RecordButtons.
    core::RecordButtonStates recordButtonStates() const;
    // The same for any of its lists.
    core::RecordButtonStates recordButtonStates(const BrowseList &list) const;
    // The list's button of that request is denied to the user.
    bool isRequestDenied(const BrowseList &list, int request) const;

  Q_SIGNALS:
    // The record buttons' states changed: what the toolbars that act on this window show.
    void recordButtonsChanged(const core::RecordButtonStates &disabled);
    // A called form ended and the list followed it.
    void formFinished(int request, int response);

  protected:
    // The refresh notice event: true when a list watches one of the changed files.
    virtual bool needsRefresh(int event);

  private:
    QWidget *build();
    void chooseTab(int index);
    void updateButtons();
    void afterForm(BrowseList &list, int request, int response);

    // Before the lists, so that every list goes before the source it reads.
    std::vector<std::unique_ptr<RowSource>> m_sources;
    std::vector<std::unique_ptr<BrowseList>> m_lists;
    BrowseList *m_current = nullptr;
    std::vector<SortOrder> m_orders;
    QTabBar *m_tabs = nullptr;
    std::optional<IniFile> m_userIni;
    std::optional<qint64> m_followKey;
    std::optional<core::RecordButtonStates> m_lastStates;
    qint32 m_readDate = 0;
    qint32 m_readTime = 0;
    bool m_formRunning = false;
};

} // namespace tarvo::listext::ui
