#pragma once

#include "RecordingMail.h"
#include "core/dictionary/TarvoStoreTest.h"
#include "core/lists/FakeAccessServices.h"
#include "core/startup/SettingsValues.h"

#include <memory>

namespace tarvo::test {

// An issue tracker's data folder (SQLite and PostgreSQL) with a logged-in user JDO, a fixed
// clock, the settings record the test chooses and a mail preview that records what it is asked.
class IssueStoreTest : public TarvoStoreTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The settings record with these values over the defaults of a new record.
    void setSettings(const FieldValues &values);
    core::SettingsValues settings() const { return core::SettingsValues(m_settings); }
    // Moves the fixed clock.
    void setNow(const QDateTime &now);
    // Adds a notification rule.
    void addRule(const QString &description, int category, const QString &eventField,
                 const QString &eventValue = QString(), bool onInsert = false);
    data::Record &bugBuffer();

    FakeAccessServices m_access;
    std::unique_ptr<RecordingMail> m_mail;
    data::Record m_settings;
    QDateTime m_now;
};

} // namespace tarvo::test
