#pragma once

#include "platform/data/Record.h"
#include "platform/runtime/Result.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace tarvo::data {
class FileManager;
class Session;
class View;
} // namespace tarvo::data

namespace tarvo::core {

class CorrectionProgress;

// What every data correction works with: managers whose failed writes stay quiet (the
// corrections go on past a record that cannot be written), its progress, one transaction for
// all its writes, and walks over a file a page at a time.
class CorrectionRun final {
  public:
    CorrectionRun(data::Session &session, CorrectionProgress &progress);
    ~CorrectionRun();
    CorrectionRun(const CorrectionRun &) = delete;
    CorrectionRun &operator=(const CorrectionRun &) = delete;

    data::FileManager &file(const QString &label);
    CorrectionProgress &progress() const { return m_progress; }

    // The number of records of a file (0 when it cannot be read).
    qint64 count(const QString &label);
    // Calls visit for every record of the view in its order, reading a page at a time.
    Result<void> forEach(data::View &view, const std::function<void(data::Record &)> &visit);
    // Every record of a file in stored order, which writes to the visited records do not move.
    Result<void> forEach(const QString &label, const std::function<void(data::Record &)> &visit);
    // The file's first record in stored order, none when it is empty.
    std::optional<data::Record> firstRecord(const QString &label);

    // Writes a record read before, or adds a new one; a failure is returned, not reported, and
    // leaves the other writes of the correction in place.
    Result<void> write(data::FileManager &file, data::Record &record);
    Result<void> add(data::FileManager &file, data::Record &record);

    // Runs the correction in one transaction, so that it is either fully written or not at all.
    // A transaction that cannot start or commit shows the stop message.
    void inTransaction(const std::function<void()> &body);

    // PRG:ID of the program with exactly this name, none when no program has it.
    std::optional<qint64> programId(const QString &name);

  private:
    Result<void> guarded(const std::function<Result<void>()> &write);

    std::unique_ptr<data::Session> m_session;
    CorrectionProgress &m_progress;
    std::optional<data::Record> m_program;
};

} // namespace tarvo::core
