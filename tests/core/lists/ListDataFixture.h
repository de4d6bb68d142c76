#pragma once

#include "core/conversions/TarvoDataFixture.h"

namespace tarvo::test {

// The program's data fixture for the list fillers that read through its session, with the
// settings record of the run cleared after each test.
class ListDataFixture : public TarvoDataFixture {
  protected:
    void TearDown() override;

    // Removes a file's table behind the manager's back, so that the next read fails.
    void dropTable(const QString &label);
    // Makes the settings record of the run hold these values.
    void setSettings(const FieldValues &values);
};

} // namespace tarvo::test
