#pragma once

#include "platform/runtime/Result.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace tarvo::access {

// One record of a security file: a procedure row or a control row.
struct SecurityRow final {
    QString resource; // procedure name, or rights key "<Procedure>:?<Control>[:n]"
    QString description;
    QString description2;
    QString typ; // "PROCEDURE", "FUNCTION", "APPLICATION" or a control type
    bool isProcedure() const { return typ == u"PROCEDURE" || typ == u"FUNCTION"; }
    bool isApplication() const { return typ == u"APPLICATION"; }
};

// Reads a product's security file: comma-separated text, one record per line, four fields, texts
// in double quotes ("" stands for one quote inside). A file that holds no procedure, or a record
// that is cut short (fewer or more than four fields, an open quote), is refused as a whole.
class SecurityFile final {
  public:
    static constexpr int ErrorIncomplete = 1;
    static Result<std::vector<SecurityRow>> parse(const QByteArray &content);
};

} // namespace tarvo::access
