#include "core/startup/ProgramProcedures.h"

namespace tarvo::core {

namespace {
ProgramProcedures::Procedure g_datenkonvertieren;
ProgramProcedures::Procedure g_tarvo;
} // namespace

void ProgramProcedures::setDatenkonvertieren(Procedure procedure)
{
    g_datenkonvertieren = std::move(procedure);
}
ProgramProcedures::Procedure ProgramProcedures::datenkonvertieren()
{
    return g_datenkonvertieren;
}
void ProgramProcedures::setTarvo(Procedure procedure)
{
    g_tarvo = std::move(procedure);
}
ProgramProcedures::Procedure ProgramProcedures::tarvo()
{
    return g_tarvo;
}

} // namespace tarvo::core
