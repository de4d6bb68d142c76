#pragma once

#include "listext/ui/ListWindow.h"
#include "masterdata/releasenotes/ReleaseNotesRows.h"

#include <QPointer>
#include <QPushButton>

#include <memory>

namespace tarvo::data {
class Session;
}

namespace tarvo::masterdata::ui {

// "Release Notes Generation": the list of release-notes definitions, their form, and the
// generation of the selected definition's release notes.
class BrowseReleaseNotes final : public listext::ui::ListWindow {
    Q_OBJECT
  public:
    static constexpr int UpdateReleaseNotes = 1;

    BrowseReleaseNotes(Context &context, data::Session &session, QObject *parent = nullptr);
    ~BrowseReleaseNotes() override;

    bool open() override;
    bool takeEvent(int event, const QVariant &data) override;
    void takeAccepted(const QString &controlName) override;

    // Asks, writes the release notes of the selected definition and tells how it went.
    void generate();

    QPushButton *generateButton() const { return m_generate; }

  private:
    QWidget *buildWindow();
    // The selected definition into the thread's buffer, for the form to change or delete.
    bool readSelected();

    data::Session &m_session;
    std::unique_ptr<ReleaseNotesRows> m_rows;
    QPointer<QPushButton> m_generate;
};

} // namespace tarvo::masterdata::ui
