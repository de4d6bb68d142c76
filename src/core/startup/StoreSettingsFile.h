#pragma once

#include "core/startup/SettingsFile.h"

#include <memory>

namespace tarvo::data {
class Dictionary;
class FileManager;
class Session;
} // namespace tarvo::data

namespace tarvo::core {

// The settings file in the data folder's store. Its managers answer to nobody: the start-up
// shows its own messages for the settings, and a failure must not be shown twice.
class StoreSettingsFile final : public SettingsFile {
  public:
    StoreSettingsFile(const data::Dictionary &dictionary, int contextNumber);
    ~StoreSettingsFile() override;

    Result<void> open() override;
    Result<void> create() override;
    Result<bool> readFirst() override;
    Result<void> addDefaults() override;
    Result<void> close() override;
    QString name() const override;
    QString text(const QString &field) const override;

    // Switches the settings record of a data folder to German (installer): Germany, Deutsch,
    // EUR, no override of the Insert caption. A folder without settings is left as it is:
    // nothing is created, and the error says why and what to do.
    static Result<void> switchToGerman(const QString &dataFolder);

  private:
    std::unique_ptr<data::Session> m_session;
    data::FileManager *m_file = nullptr;
};

} // namespace tarvo::core
