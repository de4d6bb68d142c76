#pragma once

#include <span>

namespace tarvo {

// One English text of the interface and the German text that replaces it.
struct TranslationPair final {
    const char *english;
    const char *german;
};

// The product's slogan, alone and as the frame's title; both are rows of the table.
inline constexpr const char *kProductSlogan = "Issue tracking for software makers";
inline constexpr const char *kFrameTitleWithSlogan = "Tarvo - Issue tracking for software makers";

// The English/German pairs of the interface in table order (UTF-8, constant data). A key may
// occur more than once; the first row of a key is the one that counts.
std::span<const TranslationPair> translationTable();

// The English/German pairs of the program's own messages (a missing file, a function not built
// yet), kept apart from the interface table.
std::span<const TranslationPair> messageTable();

} // namespace tarvo
