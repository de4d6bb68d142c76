#pragma once

#include "access/AccessRepository.h"

#include <QString>

namespace tarvo::access {

// Answers VUVUZU_CHECKCONTROL. Opening the rights tables (VUVUZU_USEFILES(1)) reads the catalogue
// and the logged-in user's grants into memory once, so that any thread can ask without touching
// the store and no answer depends on another thread's lookup.
class RightsCheck final {
  public:
    enum class State { Closed, Open, Unreadable };

    // Reads the catalogue and the grants of the given code. When that fails, guarded controls
    // are denied until a later open succeeds, and the user is told once per process.
    static void open(AccessRepository &repository, const QString &userCode);
    static void close();
    static State state();
    static bool check(const QString &rightsKey);
    // The catalogue key of a rights key: its first 50 characters, compared without regard to case.
    static QString catalogueKey(const QString &rightsKey);
    static void reset();
};

} // namespace tarvo::access
