#include "core/frame/FrameProcedures.h"

#include <QHash>

namespace tarvo::core {

namespace {
QHash<QString, FrameProcedures::Procedure> &procedures()
{
    static QHash<QString, FrameProcedures::Procedure> table;
    return table;
}
} // namespace

void FrameProcedures::set(const QString &name, Procedure procedure)
{
    procedures().insert(name, std::move(procedure));
}

FrameProcedures::Procedure FrameProcedures::get(const QString &name)
{
    return procedures().value(name);
}

void FrameProcedures::clear()
{
    procedures().clear();
}

} // namespace tarvo::core
