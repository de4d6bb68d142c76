#pragma once

#include "support/TempDir.h"

#include <QProcess>
#include <QStringList>

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace tarvo::test {

struct ProcessRun {
    int exitCode = -1;
    bool finished = false;
    QString errors;
};

// Runs the real program with its own program folder and without a display.
class ProgramProcess : public ::testing::Test {
  protected:
    // Runs the program to its end (at most a minute).
    ProcessRun tarvo(const QStringList &arguments);
    // Starts the program and leaves it running; environment adds to or replaces variables.
    std::unique_ptr<QProcess> startTarvo(const QStringList &arguments,
                                         const QList<std::pair<QString, QString>> &environment = {});
    // Lets a running program work until the condition holds, collecting its standard error;
    // false when the program ended or the time ran out first.
    static bool waitUntil(QProcess &process, QString &errors, const std::function<bool()> &condition,
                          int milliseconds = 60000);
    // Sends SIGTERM and waits for the program to end.
    static ProcessRun terminate(QProcess &process, QString errors);

    QString folder(const QString &name);
    // Rows of a query on an SQLite file, each row's columns joined by "|".
    static QStringList rows(const QString &file, const QString &sql);
    QString pathsFile() const { return m_home.file(QStringLiteral("Tarvo/PATHS.db")); }

    TempDir m_home;
};

} // namespace tarvo::test
