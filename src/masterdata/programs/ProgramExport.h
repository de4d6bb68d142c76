#pragma once

#include "listext/TagQueue.h"
#include "platform/data/Record.h"
#include "platform/query/RegisteredFile.h"
#include "platform/runtime/Result.h"

#include <QIODevice>

#include <vector>

namespace tarvo::data {
class Session;
}

namespace tarvo::masterdata {

// The export of the purchases tagged on a program's customers tab: the attachment, buyer,
// purchase, note and program files registered together, one line per tagged purchase.
class ProgramExport final {
  public:
    // The five files with the pictures, notes and choices their fields are exported with.
    static Result<ProgramExport> create(data::Session &session);

    // The files in the order of their fields on each line.
    const std::vector<query::RegisteredFile> &files() const { return m_files; }

    // One line per purchase (customer, program, purchase date), in the order given: the
    // attachment and the note the form shows, the buyer and the purchase read afresh, and the
    // program. A purchase whose buyer is gone is skipped; a purchase gone since it was tagged is
    // written blank beside its buyer. The number of lines written.
    Result<int> write(const data::Record &program, const data::Record &note, const data::Record &attachment,
                      const std::vector<listext::TagQueue::Tag> &purchases, QIODevice &out) const;

  private:
    explicit ProgramExport(data::Session &session) : m_session(&session) {}

    data::Session *m_session;
    std::vector<query::RegisteredFile> m_files;
};

} // namespace tarvo::masterdata
