#pragma once

#include "issues/IssueColumnFilters.h"

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QTreeWidget>

#include <functional>
#include <vector>

namespace tarvo::issues::ui {

// The small window in which the user of the issue browse removes column filters: it lists the
// active filters and answers "°VOID ALL°", the field of the one filter to void, or nothing. The
// list it was given loses what the user voided.
class VoidFilters final : public QDialog {
    Q_OBJECT
  public:
    static const QString VoidAll;
    using Asker = std::function<QString(QWidget *parent, std::vector<ActiveFilter> &filters)>;

    VoidFilters(std::vector<ActiveFilter> &filters, QWidget *parent = nullptr);

    // The answer once the window has closed.
    QString answer() const { return m_answer; }
    QTreeWidget *list() const { return m_list; }

    // Runs the window and returns its answer.
    static QString ask(QWidget *parent, std::vector<ActiveFilter> &filters);
    // Tests answer the window through this seam; an empty asker restores the window.
    static void setAsker(Asker asker);

  private:
    void voidAll();
    void voidSelected();

    std::vector<ActiveFilter> &m_filters;
    QPointer<QTreeWidget> m_list;
    QString m_answer;
};

} // namespace tarvo::issues::ui
