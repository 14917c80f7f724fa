#pragma once
// Starts qx260-radio-sim for a test and stops it at the end.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <signal.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/BuildPaths.h"

namespace qx260::test
{

class SimRadio
{
  public:
    explicit SimRadio(const QStringList& arguments)
    {
        process_.setProgram(qx260::testpaths::binDir() + QStringLiteral("/qx260-radio-sim"));
        process_.setArguments(arguments);
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        process_.start();
        if (process_.waitForStarted(5000) && process_.waitForReadyRead(5000)) {
            while (!process_.canReadLine() && process_.waitForReadyRead(2000)) {
            }
            device_ = QString::fromUtf8(process_.readLine()).trimmed();
        }
    }
    ~SimRadio()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!process_.waitForFinished(3000))
                process_.kill();
            process_.waitForFinished(1000);
        }
    }
    SimRadio(const SimRadio&) = delete;
    SimRadio& operator=(const SimRadio&) = delete;

    const QString& device() const { return device_; }
    bool running() { return process_.state() == QProcess::Running; }
    // SIGUSR1 takes the radio off the line, SIGUSR2 puts the next one on.
    void sendSignal(int signalNumber) { ::kill(static_cast<pid_t>(process_.processId()), signalNumber); }

  private:
    QProcess process_;
    QString device_;
};

inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// A 1040-byte document whose image bytes follow a pattern.
inline QByteArray patternDocument(int seed)
{
    QByteArray doc("Q9F2", 4);
    doc.append(QByteArray(12, '\0'));
    for (int i = 0; i < 1024; ++i)
        doc.append(static_cast<char>((i * 11 + seed) & 0xFF));
    return doc;
}

} // namespace qx260::test
