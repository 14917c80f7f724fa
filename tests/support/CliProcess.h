#pragma once
// Runs the built qx260-cli as a user runs it from a terminal, for the command-line tests:
// its own per-user store, a chosen locale, and what it printed and returned collected.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include "tests/support/BuildPaths.h"

namespace qx260::test
{

struct CliRun {
    bool finished = false; // false: it was still running at the time limit and was killed
    int exitCode = -1;     // -2 when it did not end by itself (a crash or a kill)
    QString out;
    QString err;
};

// This process's environment with the user store in `settings` (QX260_SETTINGS) and the
// locale `locale`, so that no test reads or writes the real user's settings.
inline QProcessEnvironment cliEnvironment(const QString& settings, const QString& locale = "C.UTF-8")
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!settings.isEmpty())
        env.insert("QX260_SETTINGS", settings);
    env.insert("LC_ALL", locale);
    return env;
}

// Waits for a started run, killing it after `timeoutMs`, and collects what it said.
inline CliRun finishCli(QProcess& p, int timeoutMs = 30000)
{
    CliRun r;
    r.finished = p.waitForFinished(timeoutMs);
    if (!r.finished) {
        p.kill();
        p.waitForFinished();
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// One run of the built qx260-cli with `args`, in `workingDir` when one is given.
inline CliRun runCli(const QStringList& args, const QProcessEnvironment& env, const QString& workingDir = {},
                     int timeoutMs = 30000)
{
    QProcess p;
    p.setProcessEnvironment(env);
    if (!workingDir.isEmpty())
        p.setWorkingDirectory(workingDir);
    p.start(qx260::testpaths::binDir() + QStringLiteral("/qx260-cli"), args);
    return finishCli(p, timeoutMs);
}

} // namespace qx260::test
