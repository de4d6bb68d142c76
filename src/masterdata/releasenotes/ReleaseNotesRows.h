#pragma once

#include "listext/ViewRowSource.h"

#include <QHash>

namespace tarvo::data {
class Session;
}

namespace tarvo::masterdata {

// The release-notes definitions as their list shows them: every field of the file in the order
// of the description, and two values of each row's own, the name of its program ("<unknown>"
// when that program cannot be read) and the release it writes ("Latest Release", "All Releases"
// or the one release).
class ReleaseNotesRows final : public listext::RowSource {
  public:
    static inline const QString ProgramColumn = QStringLiteral("ProgramName");
    static inline const QString ReleaseColumn = QStringLiteral("ReleaseText");

    // translate: the program's translator for the two fixed captions; none leaves them English.
    ReleaseNotesRows(data::Session &session, std::function<QString(const QString &)> translate = {});
    ~ReleaseNotesRows() override;

    static QString releaseText(qint64 latest, qint64 all, const QString &release,
                               const std::function<QString(const QString &)> &translate);

    QStringList fields() const override;
    Result<std::vector<listext::SourceRow>> rowsAfter(const listext::SourceRow *anchor, int n) override;
    Result<std::vector<listext::SourceRow>> rowsBefore(const listext::SourceRow *anchor, int n) override;
    qint64 rowKey(const listext::SourceRow &row) const override;
    Result<std::vector<listext::SourceRow>> rowsAt(qint64 key, int n) override;
    Result<std::vector<listext::SourceRow>> locate(const QVariantList &leading, int n) override;
    Result<qint64> position(const listext::SourceRow &row) override;
    Result<std::optional<listext::SourceRow>> skip(const listext::SourceRow *anchor, qint64 distance,
                                                   bool forward) override;
    Result<qint64> count() override;
    Result<void> setOrder(const std::vector<listext::SortKey> &keys) override;
    Result<void> setFilter(const QString &expression) override;
    QString filter() const override;

  private:
    // The row as the file's own source knows it, without the two values of its own.
    listext::SourceRow plain(const listext::SourceRow &row) const;
    listext::SourceRow shown(listext::SourceRow row) const;
    Result<std::vector<listext::SourceRow>> shown(Result<std::vector<listext::SourceRow>> rows) const;
    QString programName(qint64 id) const;

    data::Session &m_session;
    std::function<QString(const QString &)> m_translate;
    std::unique_ptr<listext::ViewRowSource> m_rows;
    int m_prgId = -1;
    int m_latest = -1;
    int m_all = -1;
    int m_release = -1;
};

} // namespace tarvo::masterdata
