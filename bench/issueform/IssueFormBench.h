#pragma once

#include <QString>

namespace tarvo::bench {

// Opening the issue form's data (the issue, its history, notes, attachments and responsible
// persons) and saving a change of five fields through the issue save, side by side with the raw
// SQLite statements that read and write the same rows.
class IssueFormBench final {
  public:
    struct Options {
        QString folder;
        qint64 issue = 0; // 0: the middle issue of the folder
        int repetitions = 7;
    };

    explicit IssueFormBench(Options options) : m_options(std::move(options)) {}
    // Prints the medians; 0, or 1 when the two sides read different rows. What the runs wrote is
    // put back afterwards, so the folder may be shared with benchmarks that read it meanwhile.
    int run();

  private:
    int measure(qint64 id);
    Options m_options;
};

} // namespace tarvo::bench
