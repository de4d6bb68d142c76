#pragma once

#include <QString>

namespace tarvo::issues::ui {

// Who works in a sub-form of an issue or a program, and where the user's settings are kept.
struct SubFormUser final {
    QString mak;         // the user's code; records keep its first three characters
    QString userIniPath; // "User.ini" in the user's folder
    QString dataFolder;  // PFAD: the data folder, home of the default temporary folder

    QString initials() const { return mak.left(3); }
    // The logged-in user, as the access library knows him.
    static SubFormUser current();
};

// The issue or program a new note or attachment belongs to, as its calling window holds it.
struct SubFormOwner final {
    qint64 issueId = 0;   // BUG:ID, 0 for a program's note or attachment
    qint64 programId = 0; // PRG:ID
};

} // namespace tarvo::issues::ui
