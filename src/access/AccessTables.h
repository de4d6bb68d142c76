#pragma once

#include "platform/data/FileDecl.h"

namespace tarvo::access {

// The declaration of the access tables in "Vuvuzu.db": the one source of their schema, keys,
// insert defaults, relations and layout versions.
const data::DictionaryDecl &accessDictionary();

// Labels of the access tables.
namespace table {
inline constexpr const char *Benutzer = "Benutzer";
inline constexpr const char *Options = "Options";
inline constexpr const char *Proc = "Proc";
inline constexpr const char *Resource = "Resource";
inline constexpr const char *Password = "Password";
inline constexpr const char *ResUser = "ResUser";
inline constexpr const char *Logins = "Logins";
inline constexpr const char *ProgramLimit = "ProgramLimit";
} // namespace table

// Width of the fields that hold password hashes (Argon2id strings are under 128 characters).
inline constexpr int kPasswordHashWidth = 128;

} // namespace tarvo::access
