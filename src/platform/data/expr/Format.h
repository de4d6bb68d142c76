#pragma once

#include <QString>

namespace tarvo::data::expr {

// The FORMAT function of the language. Filters only format whole numbers with a fixed width
// ("@N03": three digits, zero-filled; "@N3": blank-filled), so only those pictures are accepted.
class Format final {
  public:
    static bool supports(const QString &picture);
    // A value wider than the picture shows as "#" characters of the picture's width.
    static QString apply(double value, const QString &picture);
};

} // namespace tarvo::data::expr
