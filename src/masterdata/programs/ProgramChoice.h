#pragma once

#include <QString>

namespace tarvo::masterdata {

// A program as the access system keeps it in a user's program limit: the program's name, "°" and
// its ID ("Tarvo°12").
struct ProgramChoice final {
    QString name;
    qint64 id = 0;

    // The name is the text before the first "°", the ID the number after it (0 when there is none).
    static ProgramChoice parse(const QString &value);
    QString text() const;
    // A choice names a program only with an ID above 0: the tree's root row "Programs" is none.
    bool isProgram() const { return id > 0; }
};

} // namespace tarvo::masterdata
