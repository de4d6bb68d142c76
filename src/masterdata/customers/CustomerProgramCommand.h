#pragma once

#include "platform/runtime/Result.h"

#include <QString>
#include <QStringList>

namespace tarvo::data {
class Record;
}

namespace tarvo::masterdata {

// The program that the settings name for customer programs, started for one purchase: the
// command line is split into the program and its arguments first, and only then are the
// placeholders of the customer ("^CUS:Lastname^"), of the purchase ("^CUP:RegCode^"), "^DATE^" and
// "^TIME^" filled in, so that a value stays one argument whatever it holds. Nothing runs
// through a shell. Placeholders of other files stay as written.
class CustomerProgramCommand final {
  public:
    // The command line with its placeholders, the customer and the purchase; date and time
    // are the day number and the time (hundredths + 1) that "^DATE^" and "^TIME^" stand for.
    CustomerProgramCommand(const QString &commandLine, const data::Record &customer,
                           const data::Record &purchase, qint32 date, qint32 time);

    // Empty when the command line names no program.
    const QString &program() const { return m_program; }
    const QStringList &arguments() const { return m_arguments; }

    // Starts the program without waiting for it; an error names the command when there is no
    // program or it cannot be started.
    Result<void> start() const;

  private:
    QString fill(const QString &text, const data::Record &customer, const data::Record &purchase) const;

    QString m_program;
    QStringList m_arguments;
    qint32 m_date;
    qint32 m_time;
};

} // namespace tarvo::masterdata
