#pragma once

#include "Rng.h"

#include <QString>

namespace tarvo::bench {

// Text of varied words that reads like what people write into issues, in sentences, of a length
// chosen from a range: memo texts, notes and one-line descriptions.
class TextMaker final {
  public:
    // Sentences until the text is between minChars and maxChars long (never longer).
    static QString text(Rng &rng, int minChars, int maxChars);
    // One sentence without the final stop, cut to maxChars.
    static QString line(Rng &rng, int maxChars);
};

} // namespace tarvo::bench
