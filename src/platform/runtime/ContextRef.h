#pragma once

#include <QtGlobal>

namespace tarvo {

// Names one context for as long as it lives: its number and the generation of that number, so
// that a reference kept past the context's end never reaches a newer context of the same number.
struct ContextRef final {
    int number = 0;
    quint32 generation = 0;

    bool isNull() const { return number == 0; }
    friend bool operator==(const ContextRef &, const ContextRef &) = default;
};

} // namespace tarvo
