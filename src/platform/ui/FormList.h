#pragma once

#include "platform/runtime/Result.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

class QBoxLayout;
class QPushButton;
class QTreeWidget;

namespace tarvo::ui {

// A list of the rows that belong to a form's record (its notes, its history) on one of the
// form's tabs: read when it is first shown and again whenever the form asks, with buttons that
// ask the form to run its called procedure under a request for the current row.
class FormList final : public QWidget {
    Q_OBJECT

  public:
    struct Row final {
        qint64 key = 0; // the row's number in its file
        QStringList cells;
    };
    using Loader = std::function<Result<std::vector<Row>>()>;
    // Makes the row of that key the current record of its file before a change or delete.
    using Fetcher = std::function<Result<void>(qint64 key)>;

    FormList(const QString &name, const QStringList &headers, Loader loader, QWidget *parent = nullptr);

    // A button under the list for a request (Insert, Change, Delete); a change also runs on a
    // double click.
    QPushButton *addButton(const QString &name, const QString &caption, int request);
    void onFetch(Fetcher fetch) { m_fetch = std::move(fetch); }
    // What the form does with a request of a button.
    void onRequest(std::function<void(int request)> request) { m_request = std::move(request); }
    // The row made current, with its key (-1 for none).
    void onCurrent(std::function<void(qint64 key)> current) { m_current = std::move(current); }

    Result<void> reload();
    bool isLoaded() const { return m_loaded; }
    QTreeWidget *view() const { return m_view; }
    int rowCount() const;
    QStringList cells(int row) const;
    qint64 currentKey() const;
    // Presses the button of that request, as the user would.
    void press(int request);

  Q_SIGNALS:
    // The rows were read again.
    void reloaded();

  protected:
    void showEvent(QShowEvent *event) override;

  private:
    QTreeWidget *m_view = nullptr;
    QBoxLayout *m_buttons = nullptr;
    Loader m_loader;
    Fetcher m_fetch;
    std::function<void(int)> m_request;
    std::function<void(qint64)> m_current;
    bool m_loaded = false;
};

} // namespace tarvo::ui
