// qx260-cli as a terminal and a script use it: ports (absent, no permission, free, as text
// and as JSON), ports --probe against simulated radios and a silent port, output that
// cannot be written, "-" for standard input, and the bash completion made from the
// declarations.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

#include "tests/programs/cli/CliFolder.h"
#include "tests/support/BuildPaths.h"
#include "tests/support/SimRadio.h"

using qx260::test::CliRun;
using qx260::test::patternDocument;
using qx260::test::SimRadio;

namespace
{

class CliPorts : public qx260::test::CliFolder
{
  protected:
    // Every COM name mapped for the run: the ones given, and a missing device for the others.
    QProcessEnvironment environment(const QMap<int, QString>& ports) const
    {
        QProcessEnvironment env = qx260::test::cliEnvironment(path("settings.ini"));
        for (int n = 1; n <= 16; ++n)
            env.insert(QStringLiteral("QX260_PORT_COM%1").arg(n), ports.value(n, path("missing")));
        return env;
    }

    CliRun cli(const QStringList& args, const QMap<int, QString>& ports = {}, const QString& input = {},
               const QString& output = {},
               const QString& program = qx260::testpaths::binDir() + QStringLiteral("/qx260-cli"),
               const QStringList& before = {}) const
    {
        QProcess p;
        p.setProcessEnvironment(environment(ports));
        p.setWorkingDirectory(dir.path());
        p.setStandardInputFile(input.isEmpty() ? QProcess::nullDevice() : path(input));
        if (!output.isEmpty())
            p.setStandardOutputFile(output);
        p.start(program, before + args);
        EXPECT_TRUE(p.waitForStarted(5000));
        const CliRun r = qx260::test::finishCli(p);
        EXPECT_TRUE(r.finished) << "qx260-cli hung: " << args.join(' ').toStdString();
        return r;
    }

    static QJsonArray jsonArray(const QString& text)
    {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << text.toStdString();
        return doc.array();
    }
};

} // namespace

// Each port's state as text and as JSON: a device that is there and free, one that is not
// there, one this user may not open (as another user: the tests run as root), and no
// warning of the serial port's machinery on the way.
TEST_F(CliPorts, ListingTellsAbsentNoPermissionAndFreeApart)
{
    SimRadio radio({});
    ASSERT_FALSE(radio.device().isEmpty());
    writeFile("denied", {});
    ASSERT_EQ(::chmod(QFile::encodeName(path("denied")).constData(), 0600), 0);
    const QMap<int, QString> ports = {{1, radio.device()}, {2, path("denied")}};

    const CliRun text = cli({"ports"}, ports);
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_FALSE(text.err.contains("QSocketNotifier")) << text.err.toStdString();
    const QStringList lines = text.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 16);
    EXPECT_TRUE(lines[0].startsWith("COM1 ") && lines[0].contains(radio.device()) &&
                lines[0].endsWith(" free"))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[2].endsWith(" absent")) << lines[2].toStdString();

    const QJsonArray all = jsonArray(cli({"ports", "--json"}, ports).out);
    ASSERT_EQ(all.size(), 16);
    EXPECT_EQ(all[0].toObject()["port"].toString(), "COM1");
    EXPECT_EQ(all[0].toObject()["device"].toString(), radio.device());
    EXPECT_EQ(all[0].toObject()["state"].toString(), "free");
    EXPECT_TRUE(all[0].toObject()["usb"].isNull()); // a pseudo-terminal has no USB adapter
    EXPECT_EQ(all[15].toObject()["state"].toString(), "absent");

    if (::geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty())
        GTEST_SKIP() << "the denied port needs root and setpriv to run the tool as another user";
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    const QString program = qx260::testpaths::binDir() + QStringLiteral("/qx260-cli");
    const QStringList asNobody{"--reuid=65534", "--regid=65534", "--clear-groups"};
    // A build under a folder closed to other users (such as /root) cannot be run as nobody.
    if (QProcess::execute("setpriv", asNobody + QStringList{"test", "-x", program}) != 0)
        GTEST_SKIP() << "the build folder is closed to other users";
    const CliRun denied = cli({"ports", "--json"}, ports, {}, {}, "setpriv", asNobody + QStringList{program});
    const QJsonObject com2 = jsonArray(denied.out)[1].toObject();
    EXPECT_EQ(com2["state"].toString(), "no-permission");
    EXPECT_EQ(com2["text"].toString(), "no permission: sudo usermod -aG dialout $USER, then log in again");
}

// Two radios and a silent port, asked at once: the radios answer with their variants, the
// silent port does not; nothing is written into a radio; --port asks only the ports named.
TEST_F(CliPorts, ProbeFindsTheRadiosAndTheirVariants)
{
    writeFile("one.dat", patternDocument(1));
    SimRadio first({"--load", path("one.dat"), "--save", path("one-saved.dat")});
    SimRadio second({"--variant-byte", "F5"});
    SimRadio silent({"--silent"});
    const QMap<int, QString> ports = {{1, first.device()}, {4, second.device()}, {9, silent.device()}};

    const CliRun r = cli({"ports", "--probe", "--json"}, ports);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("a few bytes")) << r.err.toStdString();
    const QJsonArray answers = jsonArray(r.out);
    ASSERT_EQ(answers.size(), 3) << r.out.toStdString(); // only the free ports are asked
    struct Row {
        const char* port;
        const char* answer;
        int variant;
    } rows[] = {{"COM1", "radio", 1}, {"COM4", "radio", 2}, {"COM9", "no-answer", 0}};
    for (int i = 0; i < 3; ++i) {
        const QJsonObject a = answers[i].toObject();
        EXPECT_EQ(a["port"].toString(), rows[i].port);
        EXPECT_EQ(a["answer"].toString(), rows[i].answer) << rows[i].port;
        EXPECT_EQ(a["variant"].toInt(), rows[i].variant) << rows[i].port;
    }
    EXPECT_FALSE(QFile::exists(path("one-saved.dat"))) << "the probe wrote into the radio";

    // A radio that was asked reads as ever.
    const CliRun read = cli({"read", "--port", "COM1", "-o", "read.dat", "--quiet"}, ports);
    EXPECT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_EQ(readFile("read.dat").mid(16, 0x330), patternDocument(1).mid(16, 0x330));

    const CliRun named = cli({"ports", "--probe", "--port", "COM9", "--port", second.device()}, ports);
    EXPECT_EQ(named.exitCode, 0);
    EXPECT_EQ(named.out.split('\n', Qt::SkipEmptyParts).size(), 2) << named.out.toStdString();
    EXPECT_TRUE(named.out.contains("QX-260 answers, radio variant 2")) << named.out.toStdString();

    const CliRun none = cli({"ports", "--probe", "--port", "COM9"}, ports);
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.out.contains("no answer")) << none.out.toStdString();
}

// Output that cannot be written is a failure, whichever command printed it.
TEST_F(CliPorts, OutputThatCannotBeWrittenFails)
{
    if (!QFile::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    writeFile("a.dat", patternDocument(2));
    writeFile("p.ini", "[Setup]\nLanguage=English\n");
    const QStringList commands[] = {
        {"show", "a.dat"},  {"options", "a.dat"},
        {"ports"},          {"config", "get", "p.ini", "Setup", "Language"},
        {"--help"},         {"--version"},
        {"show", "--help"},
    };
    for (const QStringList& args : commands) {
        const CliRun r = cli(args, {}, {}, "/dev/full");
        EXPECT_EQ(r.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("cannot write the output"))
            << args.join(' ').toStdString() << r.err.toStdString();
    }
}

// "-" reads a document or a channel list from standard input, with the bound of a file.
TEST_F(CliPorts, DashReadsStandardInput)
{
    writeFile("a.dat", patternDocument(3));
    writeFile("b.dat", patternDocument(4));
    const CliRun fromFile = cli({"show", "a.dat"});
    ASSERT_EQ(fromFile.exitCode, 0);
    const CliRun fromInput = cli({"show", "-"}, {}, "a.dat");
    EXPECT_EQ(fromInput.exitCode, 0) << fromInput.err.toStdString();
    // All but the first line, which names the file.
    EXPECT_EQ(fromInput.out.section('\n', 1), fromFile.out.section('\n', 1));

    EXPECT_EQ(cli({"diff", "-", "a.dat"}, {}, "a.dat").exitCode, 0);
    EXPECT_EQ(cli({"diff", "-", "b.dat"}, {}, "a.dat").exitCode, 1);
    const CliRun twice = cli({"diff", "-", "-"}, {}, "a.dat");
    EXPECT_EQ(twice.exitCode, 2);
    EXPECT_TRUE(twice.err.contains("only once")) << twice.err.toStdString();

    // A channel typed into one new document, imported into another through standard input.
    ASSERT_EQ(cli({"new", "typed.dat"}).exitCode, 0);
    ASSERT_EQ(cli({"new", "empty.dat"}).exitCode, 0);
    ASSERT_EQ(cli({"set", "typed.dat", "3", "Rx Frequency=146.52", "--variant", "1"}).exitCode, 0);
    ASSERT_EQ(cli({"export", "typed.dat", "-o", "typed.csv"}).exitCode, 0);
    const CliRun imported = cli({"import", "empty.dat", "-", "--variant", "1"}, {}, "typed.csv");
    EXPECT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_EQ(readFile("empty.dat"), readFile("typed.dat"));
    EXPECT_EQ(cli({"import", "-", "typed.csv"}, {}, "a.dat").exitCode, 64);

    // Past the bound of a channel list: refused, the document as it was.
    writeFile("huge", QByteArray(1024 * 1024 + 1, 'x'));
    const QByteArray before = readFile("empty.dat");
    const CliRun huge = cli({"import", "empty.dat", "-", "--variant", "1"}, {}, "huge");
    EXPECT_EQ(huge.exitCode, 1);
    EXPECT_TRUE(huge.err.contains("larger than 1 MB")) << huge.err.toStdString();
    EXPECT_EQ(readFile("empty.dat"), before);
    const CliRun hugeDocument = cli({"show", "-"}, {}, "huge");
    EXPECT_EQ(hugeDocument.exitCode, 1);
    EXPECT_TRUE(hugeDocument.err.contains("standard input")) << hugeDocument.err.toStdString();
}

// The completion bash reads: command names, a command's options, and an option's values.
TEST_F(CliPorts, BashCompletionFollowsTheDeclarations)
{
    if (QStandardPaths::findExecutable("bash").isEmpty())
        GTEST_SKIP() << "no bash";
    const CliRun script = cli({"--help-completion"});
    ASSERT_EQ(script.exitCode, 0);
    writeFile("completion.bash", script.out.toUtf8());
    struct Row {
        QString line;
        QString expected;
    } rows[] = {
        {"qx260-cli sh", "show"},
        {"qx260-cli ports --pr", "--probe"},
        {"qx260-cli ports --probe --port COM1", "COM1 COM10 COM11 COM12 COM13 COM14 COM15 COM16"},
        {"qx260-cli show a.dat --language Ch", "Chinese"},
    };
    for (const Row& row : rows) {
        const QString program =
            "source completion.bash; COMP_WORDS=(" + row.line +
            "); COMP_CWORD=$((${#COMP_WORDS[@]}-1)); _qx260_cli; echo \"${COMPREPLY[*]}\"";
        QProcess bash;
        bash.setWorkingDirectory(dir.path());
        bash.start("bash", {"-c", program});
        ASSERT_TRUE(bash.waitForFinished(10000));
        EXPECT_EQ(QString::fromUtf8(bash.readAllStandardOutput()).trimmed(), row.expected)
            << row.line.toStdString();
    }
}
