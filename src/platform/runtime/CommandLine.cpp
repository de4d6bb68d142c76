#include "platform/runtime/CommandLine.h"

#include <QCoreApplication>

#include <utility>

namespace tarvo {

namespace {

bool isSwitch(const QString &argument, QStringView name)
{
    return argument.compare(name, Qt::CaseInsensitive) == 0;
}

bool isSwitchWithValue(const QString &argument, QStringView name)
{
    return argument.size() > name.size() && argument[name.size()] == QLatin1Char('=') &&
           QStringView(argument).first(name.size()).compare(name, Qt::CaseInsensitive) == 0;
}

} // namespace

CommandLine::CommandLine(QStringList arguments, QString program)
    : m_arguments(std::move(arguments)), m_program(std::move(program))
{
}

CommandLine CommandLine::fromProcess()
{
    QStringList arguments = QCoreApplication::arguments();
    const QString program = arguments.isEmpty() ? QString() : arguments.takeFirst();
    return CommandLine(arguments, program);
}

bool CommandLine::hasSwitch(QStringView name) const
{
    if (name.isEmpty())
        return false;
    for (const QString &argument : m_arguments) {
        if (isSwitch(argument, name) || isSwitchWithValue(argument, name))
            return true;
    }
    return false;
}

QString CommandLine::value(QStringView name) const
{
    if (name.isEmpty())
        return {};
    for (qsizetype i = 0; i < m_arguments.size(); ++i) {
        const QString &argument = m_arguments.at(i);
        if (isSwitchWithValue(argument, name))
            return argument.mid(name.size() + 1);
        if (isSwitch(argument, name))
            return i + 1 < m_arguments.size() ? m_arguments.at(i + 1) : QString();
    }
    return {};
}

QString CommandLine::parameter(int n) const
{
    if (n == 0)
        return m_program;
    if (n < 0 || n > m_arguments.size())
        return {};
    return m_arguments.at(n - 1);
}

} // namespace tarvo
