#pragma once

#include "platform/data/Record.h"
#include "platform/runtime/Result.h"

#include <QString>

#include <vector>

namespace tarvo::data {
class Session;
}

namespace tarvo::masterdata {

// One of the reference lists that hold a single text per entry (reproducibility texts,
// resolutions, contract types, predefined descriptions): read in their order, added and deleted
// one entry at a time, a repeated text refused by the file's key.
class TextList final {
  public:
    enum class Kind { Reproducible, Resolution, ContractTypes, Descriptions };

    TextList(data::Session &session, Kind kind);

    QString label() const;
    QString textField() const;

    // Alphabetical, but the descriptions in the order they were added.
    Result<std::vector<data::Record>> entries() const;
    Result<void> insert(const QString &text);
    // Writes a changed entry; a text that repeats another's is refused by the file's key.
    Result<void> change(data::Record entry);
    Result<void> remove(const data::Record &entry);

  private:
    data::Session &m_session;
    Kind m_kind;
};

} // namespace tarvo::masterdata
