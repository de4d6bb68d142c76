#pragma once

#include <QString>

namespace tarvo::issues {

// What the issue list shows: the selection of the program tree, the category tab, the switches
// and the user's program limits. Turns them into the list's sort order and its filters, all in
// the language of the lists' filters with the bound names SecP, MAK, T and the fields of Bugs.
struct IssueListFilter final {
    // The category tabs 1 to 4 show one category; tab 5 shows all.
    static constexpr int AllTab = 5;

    qint64 prgId = 0;    // PrgID: the program selected in the tree; 0 none
    QString release;     // Rel: the release selected below it
    QString programFile; // Prgfile: the program file selected below it
    int tab = 1;         // T
    bool showFixed = false;
    bool onlyMine = false; // R: only issues the user is responsible for
    QString secP;          // "|3|7|": the programs the user may see; blank: all

    // One of the list's seventeen sort orders: its key, what of the tree's selection limits the
    // key (none, the program, its release or its program file) and its own filter.
    struct Order final {
        enum class Range { None, Category, Program, Release, ProgramFile };
        int number = 17;
        QString key; // empty for order 17 (no key)
        Range range = Range::None;
        QString filter;
    };
    Order order() const;
    static Order order(int number);

    // The filter that limits the list to the programs the user may see (only when no program is
    // selected: the tree shows only those) and, with "only my issues", to the issues whose
    // responsible persons name the user. Blank when neither applies.
    //
    // Responsible persons are stored as the users' codes cut to their stored width, separated by
    // "|": the user matches a whole entry, without regard to case, by the whole code or by the
    // code as the records store it; never a longer code that merely begins with it.
    QString limitFilter() const;
};

} // namespace tarvo::issues
