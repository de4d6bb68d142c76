#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace tarvo {

// The program's command line as the runtime reads it: switches such as "/C" or "/Path" and
// parameters numbered from 1 (the program itself is parameter 0).
class CommandLine final {
  public:
    // arguments: without the program, as main() gets them after argv[0].
    explicit CommandLine(QStringList arguments, QString program = {});
    // The running process's command line (needs the application object).
    static CommandLine fromProcess();

    // True when one argument is the switch itself or the switch followed by "=", letter case
    // ignored: "/C" is not found in "/Custom" nor in a folder name that contains it.
    bool hasSwitch(QStringView name) const;
    // The value of a switch: the text after "=" ("/User=ABC"), or else the argument that follows
    // the switch ("/User ABC"); empty when the switch is absent or has no value.
    QString value(QStringView name) const;
    // Parameter n, counted from 1; 0 is the program; empty beyond the last.
    QString parameter(int n) const;
    int count() const { return static_cast<int>(m_arguments.size()); }
    const QStringList &arguments() const { return m_arguments; }

  private:
    QStringList m_arguments;
    QString m_program;
};

} // namespace tarvo
