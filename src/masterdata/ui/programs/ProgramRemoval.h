#pragma once

namespace tarvo::data {
class Session;
}

namespace tarvo::masterdata::ui {

// The deletion of the program in the thread's buffer as the user confirms it: the program with
// what hangs on it, and its sub-programs deleted with it or moved up to its parent.
class ProgramRemoval final {
  public:
    explicit ProgramRemoval(data::Session &session) : m_session(session) {}

    // Completed when the program was deleted, Cancelled when the user declined or it failed
    // (the failure shown).
    int run();

  private:
    data::Session &m_session;
};

} // namespace tarvo::masterdata::ui
