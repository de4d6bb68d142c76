#pragma once

#include "Rng.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace tarvo::bench {

// One program of the generated tree with what issues refer to: its releases (oldest first) and
// program files.
struct ProgramEntry final {
    qint64 id = 0;     // the number the program gets in a new data folder (inserted in this order)
    qint64 parent = 0; // 0 for a top-level product
    int sort = 0;
    QString name;
    QStringList releases;
    QStringList files;
    int weight = 1; // share of the issues
};

// The fixed world the generated issues live in: a tree of 50 programs (10 products with 4 modules
// each), the status, priority, severity and classification lists and the users' initials.
class Catalogue final {
  public:
    Catalogue();

    const std::vector<ProgramEntry> &programs() const { return m_programs; }
    // A program chosen by weight.
    const ProgramEntry &pickProgram(Rng &rng) const;

    struct Status {
        QString text;
        int sort;
        bool gray;
    };
    static const std::vector<Status> &statuses();
    static const QStringList &priorities(); // sort number = position + 1
    static const QStringList &severities();
    static const QStringList &classifications();
    static const QStringList &initials();
    // The ID list of the programs a restricted user may see, "|3|7|...|", `count` of them.
    QString programLimit(int count) const;

  private:
    std::vector<ProgramEntry> m_programs;
    int m_totalWeight = 0;
};

} // namespace tarvo::bench
