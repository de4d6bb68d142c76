#pragma once

#include "listext/ColumnDefinition.h"

namespace tarvo::masterdata {

// The columns of the customer lists, shown ones first; the others the user may add. Columns that
// are no field of the list's file ("TagField", "ProgramName") are made for each row.
struct CustomerColumns final {
    static const listext::ColumnDefinitions &customers();
    static const listext::ColumnDefinitions &contacts();
    // The contacts list of the customer form shows fewer columns than the browse's.
    static const listext::ColumnDefinitions &formContacts();
    static const listext::ColumnDefinitions &purchases();
    static const listext::ColumnDefinitions &reportedIssues();
};

} // namespace tarvo::masterdata
