#pragma once

#include "platform/data/Record.h"
#include "platform/runtime/Result.h"

#include <QString>

#include <functional>
#include <vector>

namespace tarvo::data {
class Session;
}

namespace tarvo::masterdata {

class ReleaseNotesFile;

// Writes the release notes of one definition (a record of ReleaseNotes) into its text file: the
// file header, then per fixed version of the program a group header, each issue's detail line and
// release-notes text, and a group footer, then the file footer. Groups follow the version order
// (1.9 before 1.10), issues their number within a group.
class ReleaseNotesGenerator final {
  public:
    // Fills the placeholders of a template from an issue record.
    using Filler = std::function<QString(const data::Record &issue, const QString &text)>;

    ReleaseNotesGenerator(data::Session &session, Filler fill);

    // The run for the definition of this description: the number of issues written, or the error
    // that ended it (the file is then as it was before the run).
    Result<int> generate(const QString &description);

    // <0, 0 or >0 as version a comes before, with or after version b: runs of digits compare as
    // numbers, the rest as text without regard to letter case.
    static int compareVersions(const QString &a, const QString &b);

  private:
    struct Selected {
        QString version;
        qint32 id = 0;
    };

    Result<QString> chosenRelease(const data::Record &definition);
    Result<std::vector<Selected>> select(const data::Record &definition, const QString &release);
    Result<int> write(const data::Record &definition, const std::vector<Selected> &issues,
                      ReleaseNotesFile &out);

    data::Session &m_session;
    Filler m_fill;
};

} // namespace tarvo::masterdata
