#pragma once

#include "platform/data/Dictionary.h"
#include "platform/data/ErrorReporter.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"

#include <QString>

#include <memory>

namespace tarvo::bench {

// A data folder opened through the real data layer with the program's dictionary: one session,
// whose file errors are printed (a benchmark has no one to answer them).
class BenchFolder final : private data::ErrorReporter {
  public:
    // Throws std::runtime_error when the folder's store cannot be opened.
    explicit BenchFolder(const QString &folder);
    ~BenchFolder() override;

    data::Session &session() { return *m_session; }
    // The opened file manager of a file; throws when it cannot be opened.
    data::FileManager &file(const QString &label);
    QString databasePath() const;

  private:
    int report(const data::FileError &error) override;

    std::unique_ptr<data::Dictionary> m_dictionary;
    std::unique_ptr<data::Session> m_session;
};

} // namespace tarvo::bench
