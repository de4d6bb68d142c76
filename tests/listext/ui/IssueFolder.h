#pragma once

#include "platform/data/Dictionary.h"
#include "platform/data/ErrorReporter.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"

#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

namespace tarvo::listext::test {

// A data folder of the program's own dictionary, filled through the data layer with a fixed set
// of programs (one with a sub-program), their releases and program files, and issues spread over
// them. The last issues belong to the program "Delta" and carry texts that exports must quote
// or escape.
class IssueFolder final : private data::ErrorReporter {
  public:
    static constexpr int Issues = 300;
    static constexpr int DeltaIssues = 6;
    static const QStringList &statuses();

    // Fills the folder; check ok() before use.
    explicit IssueFolder(const QString &folder);
    ~IssueFolder() override;

    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    data::Session &session() { return *m_session; }
    // The opened file by label.
    data::FileManager &file(const QString &label);
    qint64 programId(const QString &name) const;

    // The values of the first column of an SQL query on the folder's store, as the store returns them.
    QVariantList column(const QString &sql, const QVariantList &params = {});

  private:
    int report(const data::FileError &error) override;
    bool fill();

    std::unique_ptr<data::Dictionary> m_dictionary;
    std::unique_ptr<data::Session> m_session;
    QString m_error;
};

} // namespace tarvo::listext::test
