#pragma once

#include "common/Catalogue.h"

#include <QString>

#include <cstdint>

namespace tarvo::bench {

class BenchFolder;

// Fills a new data folder through the data layer's file managers: the program tree with its
// releases and program files, the reference lists, and `issues` issues with about three history
// rows and one note each, in transactions of `batch` issues.
class DataGenerator final {
  public:
    struct Options {
        QString folder;
        qint64 issues = 100000;
        std::uint64_t seed = 20240501;
        int batch = 1000;
        bool progress = true;
    };
    struct Totals {
        qint64 issues = 0;
        qint64 history = 0;
        qint64 notes = 0;
        double seconds = 0;
    };

    explicit DataGenerator(Options options) : m_options(std::move(options)) {}
    // Throws std::runtime_error on the first failed write, or when the folder already has data.
    Totals run();

  private:
    void writeLists(BenchFolder &folder);
    void writePrograms(BenchFolder &folder);

    Options m_options;
    Catalogue m_catalogue;
};

} // namespace tarvo::bench
