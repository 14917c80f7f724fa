// qx260-cli read / write / ports against the simulated radio on a real pseudo-terminal:
// what the commands say and exit with, the files they write or leave alone, Ctrl+C, several
// radios at once and radio after radio, and what only a real line shows (its timing, its
// faults, its permissions). The transfer and the write workflow themselves are the core's,
// one row per ending there.

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <memory>

#include "platform/QtSerialLink.h"
#include "tests/programs/cli/CliFolder.h"
#include "tests/support/BuildPaths.h"
#include "tests/support/FullDisk.h"
#include "tests/support/SimRadio.h"

using qx260::test::patternDocument;
using qx260::test::SimRadio;

namespace
{

using qx260::test::CliRun;

class CliTransfer : public qx260::test::CliFolder
{
  protected:
    QProcessEnvironment environment(const QString& com1 = {}) const
    {
        QProcessEnvironment env = qx260::test::cliEnvironment(path("settings.ini"));
        for (int n = 1; n <= 16; ++n)
            env.remove(QStringLiteral("QX260_PORT_COM%1").arg(n));
        if (!com1.isEmpty())
            env.insert("QX260_PORT_COM1", com1);
        return env;
    }

    CliRun cli(const QStringList& args, const QString& com1 = {}, int interruptAfterMs = -1,
               qint64 fileSizeLimit = 0)
    {
        QProcess p;
        p.setProcessEnvironment(environment(com1));
        p.setWorkingDirectory(dir.path());
        qx260::test::limitFileSize(p, fileSizeLimit);
        p.start(qx260::testpaths::binDir() + QStringLiteral("/qx260-cli"), args);
        EXPECT_TRUE(p.waitForStarted(5000));
        if (interruptAfterMs >= 0) {
            QThread::msleep(static_cast<unsigned long>(interruptAfterMs));
            ::kill(static_cast<pid_t>(p.processId()), SIGINT);
        }
        const CliRun r = qx260::test::finishCli(p);
        EXPECT_TRUE(r.finished) << "qx260-cli hung";
        return r;
    }

    // The radio's memory as the simulated radio saved it holds the first `blocks` blocks of
    // the document, and its own memory from the next one on.
    void expectHolds(const QString& memoryFile, const QByteArray& document, int blocks) const
    {
        const QByteArray memory = readFile(memoryFile);
        ASSERT_EQ(memory.size(), 1040);
        EXPECT_EQ(memory.mid(16, blocks * 16), document.mid(16, blocks * 16));
        EXPECT_NE(memory.mid(16 + blocks * 16, 16), document.mid(16 + blocks * 16, 16));
    }
};

constexpr const char* kOpenFailed =
    "Could not Open the Port,Please check whether the Port are occupied or the device are ok";
constexpr const char* kCommunicationError =
    "Communication Error,Please check all the connections and the radio power";
constexpr const char* kProgramInterrupt = "Program Interrupt, Please reset the radio and try again";
constexpr const char* kTypeMismatch = "Becuase the type of radio does not match";

} // namespace

TEST_F(CliTransfer, WriteThenReadReturnsTheSameBytesAndTheRestNeverTravels)
{
    const QByteArray radioStart = patternDocument(3);
    const QByteArray sent = patternDocument(100);
    writeFile("radio.dat", radioStart);
    writeFile("sent.dat", sent);
    SimRadio radio({"--load", path("radio.dat"), "--save", path("saved.dat")});
    ASSERT_FALSE(radio.device().isEmpty());

    // Through COM1, mapped for this run by the environment.
    CliRun w = cli({"write", "--port", "COM1", "sent.dat"}, radio.device());
    ASSERT_EQ(w.exitCode, 0) << w.err.toStdString();
    const QByteArray saved = readFile("saved.dat");
    ASSERT_EQ(saved.size(), 1040);
    EXPECT_EQ(saved.mid(16, 0x330), sent.mid(16, 0x330));
    EXPECT_EQ(saved.mid(16 + 0x330), radioStart.mid(16 + 0x330)) << "0x330..0x3FF were written";

    CliRun r = cli({"read", "--port", radio.device(), "-o", "read.dat"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray got = readFile("read.dat");
    ASSERT_EQ(got.size(), 1040);
    EXPECT_EQ(got.left(4), QByteArray("Q9F2"));
    EXPECT_EQ(got.mid(16, 0x330), sent.mid(16, 0x330));
    // The rest is what a new document holds, not the radio's bytes.
    const auto fresh = qx260::RadioImage::newImage();
    for (int i = 0x330; i < 1024; ++i)
        ASSERT_EQ(static_cast<std::uint8_t>(got[16 + i]), fresh.byte(static_cast<std::size_t>(i))) << i;
    EXPECT_TRUE(r.err.contains("radio variant 1")) << r.err.toStdString();
}

// How a Read ends, as a real line plays it: the program's message (with the system's reason
// for a dropped line), a Retry announced, and the file left as it was unless it completed.
TEST_F(CliTransfer, ReadEndingsAreReportedAndLeaveTheFileAlone)
{
    const QString retrying = QString(kCommunicationError) + " (retrying)";
    const struct {
        QStringList simArgs;
        QStringList extra;
        int exitCode;
        QString message;
        const char* alsoSays;
    } cases[] = {
        {{"--silent"}, {"--retries", "1"}, 1, retrying, ""},
        {{"--no-answer", "2"}, {"--retries", "2"}, 0, retrying, ""}, // switched on late
        {{"--ident", "50313230370000FF"}, {}, 1, kTypeMismatch, ""},
        {{"--wrong-read-ack", "40"}, {}, 1, kProgramInterrupt, ""},
        {{"--gap-at", "77", "--gap-ms", "60"}, {}, 1, kProgramInterrupt, ""},
        {{"--drop-at", "50"}, {}, 1, kProgramInterrupt, "pts"},
        // The brief look for an early answer still sees an echo on a paced line, so the echo
        // never passes for the late answer (the type test or the prompt then stops it, as the
        // echo of "M" falls).
        {{"--echo-handshake", "--pace", "9600"}, {}, 1, "qx260-cli: ", ""},
    };
    const QByteArray previous = patternDocument(9);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.simArgs.join(' ').toStdString());
        writeFile("out.dat", previous);
        SimRadio radio(c.simArgs);
        ASSERT_FALSE(radio.device().isEmpty());
        CliRun r = cli(QStringList{"read", "--port", radio.device(), "-o", "out.dat"} + c.extra);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.alsoSays)) << r.err.toStdString();
        if (c.exitCode == 0) {
            EXPECT_EQ(readFile("out.dat").size(), 1040);
            EXPECT_NE(readFile("out.dat"), previous);
        } else {
            EXPECT_EQ(readFile("out.dat"), previous);
        }
    }
}

// A write that cannot be made safe is refused before anything is sent (64: wrong usage, 1:
// a folder or file that is not there), or ends before anything is written into the radio:
// no file is made or changed, and the radio keeps its memory.
TEST_F(CliTransfer, RefusedOrFailedBeforeWritingChangesNothing)
{
    writeFile("sent.dat", patternDocument(100));
    writeFile("old.dat", patternDocument(100));
    ASSERT_TRUE(QFile::link(path("sent.dat"), path("link.dat")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("radio"));
    const QString doc = path("sent.dat");
    const QString log = "which the log would replace";
    const struct {
        QStringList simArgs;
        QStringList args; // PORT: the simulated radio's device
        int exitCode;
        QString says;
    } cases[] = {
        // the backup: the radio not read for it, or no place for it
        {{"--silent"},
         {"write", "--port", "PORT", doc, "--backup", path("backup.dat")},
         1,
         "nothing was written"},
        {{},
         {"write", "--port", "PORT", doc, "--backup", path("no-such-folder/backup.dat")},
         1,
         "does not exist"},
        {{}, {"write", "--port", "PORT", doc, "--backup", doc}, 64, "would overwrite"},
        {{}, {"read", "--port", "PORT", "-o", path("no-such-folder/x.dat")}, 1, "does not exist"},
        // the wire log never takes a document's place
        {{}, {"write", "--port", "PORT", doc, "--log", doc}, 64, log},
        {{}, {"write", "--port", "PORT", doc, "--log", path("link.dat")}, 64, log},
        {{},
         {"write", "--port", "PORT", doc, "--backup", path("old.dat"), "--log", path("old.dat")},
         64,
         log},
        {{},
         {"read", "--port", "PORT", "-o", path("new.dat"), "--log", dir.path() + "/x/../new.dat"},
         64,
         log},
        // several radios
        {{},
         {"write", doc, "--port", "/dev/null", "--port", "PORT", "--backup", path("x.dat")},
         64,
         "--backup-dir DIR"},
        {{}, {"write", doc, "--port", "PORT", "--port", "PORT"}, 64, "are the same port"},
        {{}, {"write", doc, "--port", "PORT", "--report", doc}, 64, "--report names"},
        {{}, {"write", doc, "--port", "PORT", "--repeat", "--backup-dir", path("none")}, 1, "no such folder"},
        {{}, {"write", doc, "--port", "PORT", "--repeat", "--backup-dir", doc}, 1, "is a file, not a folder"},
        {{}, {"write", doc, "--port", "PORT", "--report", path("none/r.csv")}, 1, "does not exist"},
    };
    const auto before = files();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QFile::remove(path("radio/saved.dat"));
        QFile::remove(path("radio/wire.log"));
        SimRadio radio(c.simArgs +
                       QStringList{"--save", path("radio/saved.dat"), "--log", path("radio/wire.log")});
        ASSERT_FALSE(radio.device().isEmpty());
        QStringList args = c.args;
        args.replaceInStrings(QRegularExpression("^PORT$"), radio.device());
        const CliRun r = cli(args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
        QThread::msleep(100);
        EXPECT_FALSE(QFile::exists(path("radio/saved.dat"))) << "the radio was written";
        if (c.simArgs.isEmpty()) {
            EXPECT_EQ(readFile("radio/wire.log"), QByteArray()) << "something reached the radio";
        }
        EXPECT_EQ(files(), before);
    }
}

// Backup, write and verify on the port opened once, in one wire log; the log replaces its
// file once, at the end, whole or not at all.
TEST_F(CliTransfer, WriteWithBackupVerifyAndWireLog)
{
    const QByteArray radioStart = patternDocument(3);
    const QByteArray sent = patternDocument(100);
    writeFile("radio.dat", radioStart);
    writeFile("sent.dat", sent);
    SimRadio radio({"--load", path("radio.dat"), "--save", path("saved.dat")});
    CliRun w = cli({"write", "--port", radio.device(), "sent.dat", "--backup", "backup.dat", "--verify",
                    "--log", "wire.log"});
    ASSERT_EQ(w.exitCode, 0) << w.err.toStdString();
    EXPECT_EQ(w.out, "Verified: the radio holds what was written.\n");

    // The backup is the radio before the write, saved as "read -o" saves it.
    const QByteArray backup = readFile("backup.dat");
    ASSERT_EQ(backup.size(), 1040);
    EXPECT_EQ(backup.mid(16, 0x330), radioStart.mid(16, 0x330));
    CliRun r = cli({"read", "--port", radio.device(), "-o", "after.dat", "--quiet"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(readFile("after.dat").mid(16, 0x330), sent.mid(16, 0x330));
    EXPECT_EQ(backup.mid(16 + 0x330), readFile("after.dat").mid(16 + 0x330));

    const QString log = QString::fromUtf8(readFile("wire.log"));
    EXPECT_EQ(log.count(" open "), 1) << log.left(400).toStdString();
    EXPECT_EQ(log.count(" > 4D\n"), 3) << log.left(400).toStdString(); // the "M" of each handshake

    // On a disk that fills up after the document was saved, the old log stays.
    writeFile("wire.log", "the old log");
    r = cli({"read", "--port", radio.device(), "-o", "new.dat", "--log", path("wire.log")}, {}, -1, 2000);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("cannot write the log file " + path("wire.log") + ": File too large"))
        << r.err.toStdString();
    EXPECT_EQ(readFile("wire.log"), QByteArray("the old log"));
    EXPECT_EQ(readFile("new.dat").size(), 1040);
}

TEST_F(CliTransfer, VerifyReportsWhatTheRadioDidNotStore)
{
    ASSERT_EQ(cli({"new", "sent.dat"}).exitCode, 0);
    CliRun set = cli({"set", "sent.dat", "1", "Rx Frequency=145.125"});
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    // Sub-block 2 holds the start of channel 1's receive frequency.
    SimRadio radio({"--corrupt-write", "2", "--save", path("saved.dat")});
    CliRun w = cli({"write", "--port", radio.device(), "sent.dat", "--verify", "--quiet"});
    EXPECT_EQ(w.exitCode, 1);
    EXPECT_FALSE(w.out.contains("Verified")) << w.out.toStdString();
    EXPECT_TRUE(w.out.contains("+++ the radio (read back)\nChannel 1 Rx Frequency: 145.12500 -> "))
        << w.out.toStdString();
    EXPECT_EQ(w.out.count('\n'), 3) << w.out.toStdString();
    EXPECT_TRUE(w.err.contains("does not hold what was written")) << w.err.toStdString();
}

// A port another program holds: the program's message and the system's reason.
TEST_F(CliTransfer, PortThatCannotBeOpened)
{
    SimRadio radio({});
    qx260::link::QtSerialLink holder;
    ASSERT_TRUE(holder.open(radio.device().toStdString()).ok());
    const CliRun r = cli({"read", "--port", radio.device(), "-o", "x.dat"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(kOpenFailed)) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("another program")) << r.err.toStdString();
    holder.close();
    EXPECT_FALSE(QFile::exists(path("x.dat")));
}

// Access denied says how to get access. Needs a user without the right: the test
// runs the tool as "nobody" when it can (it runs as root in the build container).
TEST_F(CliTransfer, PermissionDeniedSaysHowToGetAccess)
{
    if (::geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty())
        GTEST_SKIP() << "needs root and setpriv to run the tool as another user";
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("out"));
    ASSERT_EQ(::chmod(QFile::encodeName(path("out")).constData(), 0777), 0);
    struct Case {
        const char* name;
        gid_t group;
        mode_t mode;
        const char* expected;
    } cases[] = {
        {"dev-dialout", 20, 0660, "become a member of the group \"dialout\" that owns the device"},
        {"dev-owner-only", 0, 0600, "Only its owner may use the device now"},
    };
    for (const Case& c : cases) {
        const QString device = path(c.name);
        writeFile(c.name, {});
        ASSERT_EQ(::chown(QFile::encodeName(device).constData(), 0, c.group), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(device).constData(), c.mode), 0);
        QProcess p;
        QProcessEnvironment env = environment();
        env.insert("QX260_SETTINGS", "/nonexistent/settings.ini");
        p.setProcessEnvironment(env);
        p.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups",
                            qx260::testpaths::binDir() + "/qx260-cli", "read", "--port", device, "-o",
                            path("out/denied.dat")});
        ASSERT_TRUE(p.waitForFinished(30000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        EXPECT_EQ(p.exitCode(), 1) << c.name;
        EXPECT_TRUE(err.contains(kOpenFailed)) << err.toStdString();
        EXPECT_TRUE(err.contains("Permission denied")) << err.toStdString();
        EXPECT_TRUE(err.contains(c.expected)) << err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(path("out/denied.dat")));
}

TEST_F(CliTransfer, CtrlCCancelsAndLeavesTheFileUntouched)
{
    // Paced like a real line, a Read takes a few seconds: time to interrupt it.
    SimRadio radio({"--pace", "9600"});
    const QByteArray previous = patternDocument(1);
    writeFile("out.dat", previous);
    CliRun r = cli({"read", "--port", radio.device(), "-o", "out.dat"}, {}, 700);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("cancelled")) << r.err.toStdString();
    EXPECT_EQ(readFile("out.dat"), previous);

    // The port was closed: the next Read gets it.
    r = cli({"read", "--port", radio.device(), "-o", "out.dat", "--quiet"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
}

TEST_F(CliTransfer, CtrlCDuringAWriteSaysWhatTheRadioNowHolds)
{
    SimRadio radio({"--pace", "9600", "--save", path("radio.dat")});
    const QByteArray document = patternDocument(3);
    writeFile("new.dat", document);
    CliRun r = cli({"write", "--port", radio.device(), path("new.dat")}, {}, 700);
    EXPECT_EQ(r.exitCode, 1);
    const QRegularExpressionMatch held =
        QRegularExpression("cancelled: the radio now holds the first (\\d+) of 51 blocks of ").match(r.err);
    ASSERT_TRUE(held.hasMatch()) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("write " + path("new.dat") + " again")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("--backup")) << r.err.toStdString();
    const int blocks = held.captured(1).toInt();
    ASSERT_GT(blocks, 0);
    ASSERT_LT(blocks, 51);
    expectHolds("radio.dat", document, blocks);
}

// However a write ends, the program's message stays as it is and a line after it says what
// the radio now holds, exact to the half block; the radio's saved memory says the same. A
// line that drops says so in words, not in the system's.
TEST_F(CliTransfer, AFailedWriteSaysWhatTheRadioNowHolds)
{
    const QByteArray radioStart = patternDocument(3);
    const QByteArray document = patternDocument(100);
    writeFile("radio.dat", radioStart);
    writeFile("sent.dat", document);
    const QString halfOf =
        "the radio now holds the first %1 of 51 blocks of the document and the first half of "
        "block %2, and its earlier memory after them.\n";
    const QString nothing = "qx260-cli: nothing was written to the radio.\n";
    const QString dropped = "stopped answering";
    const struct {
        QStringList simArgs;
        QString message;
        QString reason;
        QString holds; // the line after them
        int subBlocks; // of the document, now in the radio
    } cases[] = {
        {{"--drop-at", "21"}, kProgramInterrupt, dropped, halfOf.arg(10).arg(11), 21},
        {{"--drop-at", "65"}, kProgramInterrupt, dropped, halfOf.arg(32).arg(33), 65},
        {{"--drop-at", "40"},
         kProgramInterrupt,
         dropped,
         "the radio now holds the first 20 of 51 blocks of the document and its earlier memory after them.\n",
         40},
        {{"--wrong-write-ack", "31"}, kProgramInterrupt, "", halfOf.arg(15).arg(16), 31},
        {{"--silent"}, kCommunicationError, "", nothing, 0},
        {{"--bad-handshake-acks", "1"}, kCommunicationError, "", nothing, 0},
        {{"--ident", "50313230370000FF"}, kTypeMismatch, "", nothing, 0},
        {{}, "Wrote 51 blocks to ", "", "", 102},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.simArgs.join(' ').toStdString());
        QFile::remove(path("saved.dat"));
        SimRadio radio(c.simArgs + QStringList{"--load", path("radio.dat"), "--save", path("saved.dat")});
        ASSERT_FALSE(radio.device().isEmpty());
        const CliRun r = cli({"write", "--port", radio.device(), "sent.dat"});
        EXPECT_EQ(r.exitCode, c.subBlocks == 102 ? 0 : 1);
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.reason)) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains("ioctl") || r.err.contains("Input/output")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.holds)) << r.err.toStdString();
        EXPECT_EQ(r.err.contains("To put it right, write sent.dat again"),
                  c.subBlocks > 0 && c.subBlocks < 102)
            << r.err.toStdString();
        QThread::msleep(100);
        if (c.subBlocks == 0) {
            EXPECT_FALSE(QFile::exists(path("saved.dat"))) << "the radio was written";
            continue;
        }
        const QByteArray memory = readFile("saved.dat");
        ASSERT_EQ(memory.size(), 1040);
        const int written = c.subBlocks * 8;
        EXPECT_EQ(memory.mid(16, written), document.mid(16, written));
        EXPECT_EQ(memory.mid(16 + written, 0x330 - written), radioStart.mid(16 + written, 0x330 - written));
    }
}

// Ctrl+C during a write into several radios ends each at its next block, and each result
// line says how much of the document that radio now holds.
TEST_F(CliTransfer, CtrlCDuringSeveralWritesSaysWhatEachRadioHolds)
{
    const QByteArray document = patternDocument(3);
    writeFile("new.dat", document);
    SimRadio first({"--pace", "9600", "--save", path("radio0.dat")});
    SimRadio second({"--pace", "9600", "--save", path("radio1.dat")});
    const CliRun r =
        cli({"write", "--port", first.device(), "--port", second.device(), path("new.dat")}, {}, 900);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.contains("Stopped by Ctrl+C. 2 radios: 0 written, 2 failed")) << r.out.toStdString();
    int index = 0;
    for (const SimRadio* radio : {&first, &second}) {
        const QRegularExpressionMatch held =
            QRegularExpression(
                QRegularExpression::escape(radio->device()) +
                ": cancelled; the radio now holds the first (\\d+) of 51 blocks of the document")
                .match(r.out);
        ASSERT_TRUE(held.hasMatch()) << r.out.toStdString();
        expectHolds("radio" + QString::number(index++) + ".dat", document, held.captured(1).toInt());
    }
    EXPECT_TRUE(r.out.contains("to put it right, write " + path("new.dat") + " into it again"));
}

TEST_F(CliTransfer, PortsListAndSet)
{
    SimRadio radio({});
    CliRun r = cli({"ports", "set", "COM3", radio.device()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = cli({"ports"});
    ASSERT_EQ(r.exitCode, 0);
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 16);
    EXPECT_TRUE(lines[0].startsWith("COM1 ") && lines[0].contains("/dev/ttyUSB0"));
    EXPECT_TRUE(lines[2].contains(radio.device()) && lines[2].endsWith("free")) << lines[2].toStdString();
    EXPECT_TRUE(lines[15].contains("/dev/ttyS3"));

    // The stored device is used by COM3 transfers.
    r = cli({"read", "--port", "COM3", "-o", "c3.dat", "--quiet"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();

    EXPECT_EQ(cli({"ports", "set", "COM17", "/dev/null"}).exitCode, 64);
    EXPECT_EQ(cli({"ports", "set", "LPT1", "/dev/null"}).exitCode, 64);
}

// A write frame and its data reach the radio with the pause between them, whatever the
// line: the data never queue up right behind the frame.
TEST_F(CliTransfer, TheRadioSeesThePauseBetweenAWriteFrameAndItsData)
{
    SimRadio radio({"--pace", "9600", "--log", path("radio.log")});
    writeFile("sent.dat", patternDocument(5));
    const CliRun w = cli({"write", "--port", radio.device(), "sent.dat", "--quiet"});
    ASSERT_EQ(w.exitCode, 0) << w.err.toStdString();
    QThread::msleep(100);

    // "  1234.567 < 57": when the radio had each byte.
    std::vector<std::pair<double, int>> received;
    for (const QString& line : QString::fromUtf8(readFile("radio.log")).split('\n')) {
        const QStringList parts = line.simplified().split(' ');
        if (parts.size() == 3 && parts[1] == "<")
            received.push_back({parts[0].toDouble(), parts[2].toInt(nullptr, 16)});
    }
    std::vector<double> gaps;
    for (std::size_t i = 0; i + 4 < received.size(); ++i) {
        if (received[i].second == 'W' && received[i + 3].second == 8 && received[i + 1].second < 4) {
            gaps.push_back(received[i + 4].first - received[i + 3].first);
            i += 11;
        }
    }
    ASSERT_EQ(gaps.size(), 102u);
    // The first data byte takes 1.04 ms on the line after the pause of 1 ms. (The simulated
    // radio times a byte from when it got to read it, so a busy machine shortens a few.)
    std::nth_element(gaps.begin(), gaps.begin() + 51, gaps.end());
    EXPECT_GE(gaps[51], 2.0);
}

// Several radios at once: every one gets its result line, its backup and its report line;
// one that fails (silent, another type, a byte it did not keep) stops none of the others.
// (All written: the summary and exit code of repeat mode below, which say it the same way.)
TEST_F(CliTransfer, WriteSeveralRadiosAtOnce)
{
    ASSERT_EQ(cli({"new", "sent.dat"}).exitCode, 0);
    ASSERT_EQ(cli({"set", "sent.dat", "1", "Rx Frequency=145.125"}).exitCode, 0);
    const QByteArray sent = readFile("sent.dat");
    const QByteArray radioStart = patternDocument(3);
    writeFile("radio.dat", radioStart);
    ASSERT_TRUE(QDir(dir.path()).mkdir("backups"));
    const struct {
        QStringList simArgs;
        const char* result; // its result line, after "PORT: "
        bool written;
        int flippedAt; // the byte it keeps inverted
    } cases[] = {
        {{}, "ok, verified (", true, -1},
        {{"--silent"}, "FAILED: not read for the backup: no answer", false, -1},
        {{"--ident", "50313230370000FF"},
         "FAILED: not read for the backup: the radio is of another type",
         false,
         -1},
        {{"--corrupt-write", "2"}, "FAILED: written, but the radio does not hold what was written", true, 16},
    };
    std::vector<std::unique_ptr<SimRadio>> radios;
    QStringList args{"write",         "sent.dat", "--verify",  "--backup-dir",
                     path("backups"), "--report", "report.csv"};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        radios.push_back(
            std::make_unique<SimRadio>(cases[i].simArgs + QStringList{"--load", path("radio.dat"), "--save",
                                                                      path("saved%1.dat").arg(i)}));
        args << "--port" << radios.back()->device();
    }
    const CliRun w = cli(args);
    EXPECT_EQ(w.exitCode, 1) << w.err.toStdString();
    EXPECT_TRUE(w.out.contains("4 radios: 2 written, 1 verified, 3 failed (")) << w.out.toStdString();
    // The ports that failed, in the order given, ready to be given to the write again.
    EXPECT_TRUE(w.out.endsWith(QString("\nTo write the failed radios again: --port %1 --port %2 --port %3\n")
                                   .arg(radios[1]->device(), radios[2]->device(), radios[3]->device())))
        << w.out.toStdString();
    // The flipped byte is named.
    EXPECT_TRUE(w.out.contains("\n    Channel 1 Rx Frequency: 145.12500 -> ")) << w.out.toStdString();
    const QStringList report = QString::fromUtf8(readFile("report.csv")).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(report.size(), 5) << report.join('\n').toStdString();
    EXPECT_EQ(report[0], "time,port,result,seconds,verify,backup");
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.simArgs.join(' ').toStdString());
        const QString port = radios[i]->device();
        EXPECT_TRUE(w.out.contains(port + ": " + c.result)) << w.out.toStdString();
        const QByteArray saved = readFile(QString("saved%1.dat").arg(i));
        if (c.written) {
            QByteArray held = sent.mid(16, 0x330);
            if (c.flippedAt >= 0)
                held[c.flippedAt] = static_cast<char>(~held[c.flippedAt]);
            EXPECT_EQ(saved.mid(16, 0x330), held);
        } else {
            EXPECT_TRUE(saved.isEmpty()) << "the radio was written";
            EXPECT_TRUE(w.out.section("failed (", 1).contains(port));
        }
        const QStringList line = report.filter("," + port + ",");
        ASSERT_EQ(line.size(), 1);
        EXPECT_TRUE(line[0].contains(c.written ? "," + path("backups") + "/" : ",not verified,"))
            << line[0].toStdString();
    }
    // Each backup holds its radio's memory before the write.
    const QStringList kept = QDir(path("backups")).entryList({"*.dat"}, QDir::Files);
    EXPECT_EQ(kept.size(), 2);
    for (const QString& name : kept)
        EXPECT_EQ(readFile("backups/" + name).mid(16, 0x330), radioStart.mid(16, 0x330))
            << name.toStdString();
}

// Repeat mode on one cable: three radios one after another, each written once it answers
// and the next awaited once it is taken off; Ctrl+C while waiting ends the run.
TEST_F(CliTransfer, RepeatModeWritesRadioAfterRadioUntilCtrlC)
{
    const QByteArray sent = patternDocument(7);
    writeFile("sent.dat", sent);
    SimRadio radio({"--save", path("saved.dat")});
    QProcess p;
    p.setProcessEnvironment(environment());
    p.start(qx260::testpaths::binDir() + QStringLiteral("/qx260-cli"),
            {"write", "--port", radio.device(), path("sent.dat"), "--repeat", "--verify", "--report",
             path("report.csv")});
    ASSERT_TRUE(p.waitForStarted(5000));
    QString out;
    QString err;
    auto waitFor = [&](const QString& text, QString& in) {
        for (int i = 0; i < 300 && !in.contains(text); ++i) {
            p.waitForReadyRead(100);
            out += QString::fromUtf8(p.readAllStandardOutput());
            err += QString::fromUtf8(p.readAllStandardError());
        }
        return in.contains(text);
    };
    for (int n = 1; n <= 3; ++n) {
        ASSERT_TRUE(waitFor(QStringLiteral("radio %1: ok, verified (").arg(n), out)) << out.toStdString();
        EXPECT_EQ(readFile("saved.dat").mid(16, 0x330), sent.mid(16, 0x330)) << n;
        QFile::remove(path("saved.dat"));
        radio.sendSignal(SIGUSR1); // taken off the cable
        ASSERT_TRUE(waitFor(QStringLiteral("waiting for radio %1").arg(n + 1), err)) << err.toStdString();
        if (n < 3)
            radio.sendSignal(SIGUSR2); // the next one on it
    }
    ::kill(static_cast<pid_t>(p.processId()), SIGINT);
    ASSERT_TRUE(p.waitForFinished(10000));
    out += QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_EQ(p.exitCode(), 0) << err.toStdString();
    EXPECT_TRUE(out.endsWith("Stopped by Ctrl+C. 3 radios: 3 written, 3 verified, 0 failed.\n"))
        << out.toStdString();
    EXPECT_FALSE(QFile::exists(path("saved.dat"))) << "a fourth radio was written";
    const QStringList report = QString::fromUtf8(readFile("report.csv")).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(report.size(), 4);
    for (int n = 1; n <= 3; ++n)
        EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d," +
                                       QRegularExpression::escape(radio.device()) +
                                       ",ok,\\d+\\.\\d,verified,$")
                        .match(report[n])
                        .hasMatch())
            << report[n].toStdString();
}

// A disk too full for the backups: no radio is written, each says why, no file is left half.
TEST_F(CliTransfer, ABackupThatCannotBeKeptWritesNothing)
{
    ASSERT_EQ(cli({"new", "sent.dat"}).exitCode, 0);
    writeFile("radio.dat", patternDocument(3));
    const QString folder = path("backups");
    ASSERT_TRUE(QDir().mkpath(folder));
    std::vector<std::unique_ptr<SimRadio>> radios;
    QStringList args{"write", "sent.dat", "--backup-dir", folder};
    for (int i = 0; i < 2; ++i) {
        radios.push_back(std::make_unique<SimRadio>(
            QStringList{"--load", path("radio.dat"), "--save", path("saved") + QString::number(i) + ".dat"}));
        args << "--port" << radios.back()->device();
    }
    const CliRun w = cli(args, {}, -1, 512);
    EXPECT_EQ(w.exitCode, 1) << w.err.toStdString();
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(w.out.contains(radios[i]->device() + ": FAILED: the backup could not be kept: "))
            << w.out.toStdString();
        EXPECT_TRUE(readFile("saved" + QString::number(i) + ".dat").isEmpty()) << "radio " << i << " written";
    }
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// A report on a disk that fills up: its line goes in whole or not at all, and the run says
// the system's reason.
TEST_F(CliTransfer, AReportLineThatDoesNotFitIsNotAddedInPart)
{
    ASSERT_EQ(cli({"new", "sent.dat"}).exitCode, 0);
    const QByteArray earlier = "time,port,result,seconds,verify,backup\r\n" + QByteArray(200, 'x') + "\r\n";
    writeFile("report.csv", earlier);
    SimRadio radio({"--save", path("saved.dat")});
    const CliRun w = cli({"write", "sent.dat", "--port", radio.device(), "--report", path("report.csv")}, {},
                         -1, earlier.size() + 10);
    EXPECT_EQ(w.exitCode, 1) << w.err.toStdString();
    EXPECT_TRUE(
        w.err.contains("the report could not be added to: " + path("report.csv") + ": File too large"))
        << w.err.toStdString();
    EXPECT_EQ(readFile("report.csv"), earlier);
}
