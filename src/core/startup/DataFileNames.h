#pragma once

#include <QString>

#include <span>

namespace tarvo::core {

// The names of the data files in the data folder. Every file lives in the one store "Tarvo.db";
// these names are what messages call a file (%File), as users and the help know them.
class DataFileNames final {
  public:
    struct Entry {
        const char *label;
        const char *physicalName; // below the data folder, with a leading "/"
    };

    // Every data file and alias with its name; an alias carries its base file's name.
    static std::span<const Entry> table();

    // Names every file after the data folder (one trailing "/" of the folder is not doubled).
    static void nameAll(const QString &dataFolder);
    // The full name of a file by label (case-insensitive); empty before nameAll or for an
    // unknown label.
    static QString name(const QString &label);
    // The data folder the files were named after; empty before nameAll.
    static QString dataFolder();
};

} // namespace tarvo::core
