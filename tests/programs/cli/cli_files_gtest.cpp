// The files qx260-cli writes and reads, run as the real program: written whole or not at
// all, the target respected, inputs it cannot read named at once, and edits of one file
// taking turns.

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <sys/stat.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/FileLock.h"
#include "tests/programs/cli/CliFolder.h"
#include "tests/support/BuildPaths.h"
#include "tests/support/FullDisk.h"

namespace qx260
{
namespace
{

const char* const kIni =
    "[Setup]\r\nLanguage=English\r\nAppName=QX Test\r\nType1=QX-260\r\nField1=130 - 160MHz\r\n";

using test::CliRun;

// How one run is made.
struct RunAs {
    qint64 fileSizeLimit = 0; // > 0: no file it writes may grow past this, as on a full disk
    QString program{};        // another copy of qx260-cli (default: the one built)
    QString settings{};       // QX260_SETTINGS (default: user.ini in the test folder)
};

class CliFiles : public test::CliFolder
{
  protected:
    void SetUp() override
    {
        CliFolder::SetUp();
        writeFile("Program.ini", kIni);
        writeImage("radio.dat", RadioImage::newImage());
    }

    std::unique_ptr<QProcess> start(const QStringList& args, const RunAs& as = {}) const
    {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(
            test::cliEnvironment(as.settings.isEmpty() ? path("user.ini") : as.settings));
        p->setWorkingDirectory(dir.path());
        test::limitFileSize(*p, as.fileSizeLimit);
        p->start(as.program.isEmpty() ? qx260::testpaths::binDir() + QStringLiteral("/qx260-cli")
                                      : as.program,
                 args);
        return p;
    }
    static CliRun finish(QProcess& p) { return test::finishCli(p, 15000); }
    CliRun cli(const QStringList& args, const RunAs& as = {}) const { return finish(*start(args, as)); }

    // A copy of qx260-cli in the folder `bin`, beside a Program.ini that setUp makes.
    QString programBeside(const QString& bin, const std::function<void(const QString& ini)>& setUp) const
    {
        EXPECT_TRUE(QDir(dir.path()).mkpath(bin));
        const QString program = path(bin + "/qx260-cli");
        EXPECT_TRUE(QFile::copy(qx260::testpaths::binDir() + QStringLiteral("/qx260-cli"), program));
        setUp(path(bin + "/Program.ini"));
        return program;
    }
};

bool makeFifo(const QString& file)
{
    return ::mkfifo(QFile::encodeName(file).constData(), 0600) == 0;
}

unsigned mode(const QString& file)
{
    struct stat st {
    };
    return ::stat(QFile::encodeName(file).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST_F(CliFiles, EveryFileIsReplacedWholeOrNotAtAll)
{
    // A disk that fills up part-way through the new file: the command fails with the
    // system's reason, and the old file is there as it was, with nothing left beside it.
    writeFile("ch.csv", "the old channel list");
    writeFile("out.pdf", "the old printout");
    writeFile("user.ini", "[Ports]\nCOM1=/dev/ttyUSB0\n");
    const QString doc = path("radio.dat");
    const QString config = path("Program.ini");
    const QString longText(300, QLatin1Char('x'));
    const struct {
        QStringList args;
        QString says;
    } cases[] = {
        {{"export", doc, "-o", path("ch.csv")}, "File too large"},
        {{"print", doc, "-o", path("out.pdf"), "--config", config}, "File too large"},
        {{"config", "set", config, "Setup", "Note", longText}, "File too large"},
        {{"set", doc, "3", "Rx Frequency=150", "--config", config}, "File too large"},
        {{"ports", "set", "COM2", "/dev/" + longText}, "could not store"},
    };
    const auto before = files();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliRun r = cli(c.args, {.fileSizeLimit = 200});
        EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
        EXPECT_EQ(files(), before);
    }
}

// A command that fails on a full disk leaves no new file, and no new folder, behind: not
// the empty file its edit lock made, nor the folder of new per-user settings.
TEST_F(CliFiles, AFailedCommandLeavesNoNewFile)
{
    const QString longText(300, QLatin1Char('x'));
    const struct {
        QStringList args;
        RunAs as;
        QString says;
    } cases[] = {
        {{"config", "set", path("new.ini"), "Setup", "Note", longText}, {}, "File too large"},
        {{"ports", "set", "COM2", "/dev/" + longText}, {.settings = path("new-user.ini")}, "could not store"},
        {{"ports", "set", "COM2", "/dev/" + longText},
         {.settings = path("made/sub/qx260.ini")},
         "could not store"},
    };
    const auto before = files();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        RunAs as = c.as;
        as.fileSizeLimit = 200;
        const CliRun r = cli(c.args, as);
        EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
        EXPECT_EQ(files(), before);
    }
}

// What the next read would refuse, or what is no settings file, is not written: the
// command says why and what to do, and the file is as it was.
TEST_F(CliFiles, AWriteTheReaderWouldRefuseIsRefused)
{
    QByteArray nearlyFull = kIni;
    nearlyFull += "Filler=" + QByteArray(1024 * 1024 - nearlyFull.size() - 200, 'f') + "\r\n";
    writeFile("full.ini", nearlyFull);
    QByteArray garbage(2048, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 73 + 11) % 256);
    writeFile("garbage.ini", garbage);
    const struct {
        QStringList args;
        RunAs as;
        QString says;
    } cases[] = {
        {{"config", "set", path("full.ini"), "Setup", "Note", QString(5000, QLatin1Char('n'))},
         {},
         "larger than the 1 MiB the program reads; nothing was changed"},
        {{"ports", "set", "COM2", "/dev/ttyUSB1"},
         {.settings = path("garbage.ini")},
         "garbage.ini is not a settings file (it cannot be read as one); move it aside or remove it"},
    };
    const auto before = files();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliRun r = cli(c.args, c.as);
        EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
        EXPECT_EQ(files(), before);
    }
    EXPECT_EQ(cli({"config", "get", path("full.ini"), "Setup", "Language"}).out, "English\n");
}

// The next save of a file removes the temporaries that saves of it killed part-way left,
// and nothing else.
TEST_F(CliFiles, ASaveRemovesItsOwnStaleTemporaries)
{
    const QStringList stale{"Program.ini.tmp-Ab12Cd", "radio.dat.tmp-zz99ZZ"};
    const QStringList kept{"Program.ini.tmp-Ab12C", "Program.ini.tmp-fresh1", "other.dat.tmp-Ab12Cd"};
    for (const QString& name : stale + kept) {
        writeFile(name, "left by a killed save");
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        const QDateTime when = QDateTime::currentDateTime().addSecs(name.endsWith("fresh1") ? 3600 : -3600);
        ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
    }
    ASSERT_EQ(cli({"config", "set", path("Program.ini"), "Setup", "Note", "x"}).exitCode, 0);
    ASSERT_EQ(
        cli({"set", path("radio.dat"), "3", "Rx Frequency=150", "--config", path("Program.ini")}).exitCode,
        0);
    for (const QString& name : stale)
        EXPECT_FALSE(QFile::exists(path(name))) << name.toStdString();
    for (const QString& name : kept)
        EXPECT_TRUE(QFile::exists(path(name))) << name.toStdString();
}

// Installed, the user's own Program.ini keeps only the language; types and bands come from
// the shipped file, also for a user who still has an old full copy of it.
TEST_F(CliFiles, AnInstalledProgramReadsTheShippedTypesUnderTheUsersLanguage)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath("usr/bin") && QDir(dir.path()).mkpath("usr/share/qx260") &&
                QDir(dir.path()).mkpath("home/.config/qx260"));
    const QString program = path("usr/bin/qx260-cli");
    ASSERT_TRUE(QFile::copy(qx260::testpaths::binDir() + QStringLiteral("/qx260-cli"), program));
    writeFile("usr/share/qx260/Program.ini",
              "[Setup]\r\nLanguage=English\r\nType1=QX-NEW\r\nField1=136 - 174MHz\r\n"
              "[English]\r\nAppName=EN-NAME\r\n[Chinese]\r\nAppName=ZH-NAME\r\n");
    const QString userFile = "home/.config/qx260/Program.ini";
    const struct {
        const char* name;
        QByteArray userFile; // empty: none
        const char* caption; // in the user's language
    } cases[] = {
        {"no file of the user's", {}, "Caption:     EN-NAME  [ Type:QX-NEW"},
        {"the language alone", "[Setup]\r\nLanguage=Chinese\r\n", "Caption:     ZH-NAME  [ 类型:QX-NEW"},
        {"an old full copy", "[Setup]\r\nLanguage=Chinese\r\nType1=QX-OLD\r\nField1=130 - 160MHz\r\n",
         "Caption:     ZH-NAME  [ 类型:QX-NEW"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path(userFile));
        if (!c.userFile.isEmpty())
            writeFile(userFile, c.userFile);
        QProcess p;
        QProcessEnvironment env = test::cliEnvironment(path("user.ini"));
        env.insert("XDG_CONFIG_HOME", path("home/.config"));
        p.setProcessEnvironment(env);
        p.start(program, {"show", path("radio.dat")});
        const CliRun r = finish(p);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains("QX-NEW")) << r.out.toStdString();
        EXPECT_FALSE(r.out.contains("QX-OLD")) << r.out.toStdString();
        EXPECT_TRUE(r.out.contains("136 - 174MHz")) << r.out.toStdString();
        EXPECT_TRUE(r.out.contains(QString::fromUtf8(c.caption))) << r.out.toStdString();
        EXPECT_EQ(QFile::exists(path(userFile)), !c.userFile.isEmpty()); // reading made nothing
    }
}

// Without XDG_RUNTIME_DIR (cron, su) the toolkit says nothing on standard error: the
// private folder it falls back to is named for it.
TEST_F(CliFiles, NoToolkitNoiseWithoutARuntimeFolder)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath("tmp"));
    QProcess p;
    QProcessEnvironment env = test::cliEnvironment(path("user.ini"));
    env.remove("XDG_RUNTIME_DIR");
    env.insert("TMPDIR", path("tmp"));
    p.setProcessEnvironment(env);
    p.start(qx260::testpaths::binDir() + QStringLiteral("/qx260-cli"),
            {"print", path("radio.dat"), "-o", path("out.pdf"), "--config", path("Program.ini")});
    const CliRun r = finish(p);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, QString());
    EXPECT_EQ(QDir(path("tmp")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1); // runtime-USER
}

TEST_F(CliFiles, TheTargetIsRespected)
{
    const QString doc = path("radio.dat");
    const QString config = path("Program.ini");
    ASSERT_TRUE(QFile::link("radio.dat", path("link.dat")));
    ASSERT_TRUE(QFile::link("Program.ini", path("link.ini")));
    writeFile("real.csv", "old");
    ASSERT_TRUE(QFile::link("real.csv", path("link.csv")));
    ASSERT_TRUE(QFile::setPermissions(doc, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_TRUE(QFile::setPermissions(config, QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_TRUE(makeFifo(path("pipe")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    ASSERT_TRUE(QFile::copy(doc, path("locked.dat")));
    ASSERT_TRUE(QFile::copy(config, path("locked.ini")));
    for (const char* name : {"locked.csv", "locked.pdf", "locked.log"})
        writeFile(name, "old");
    for (const char* name : {"locked.dat", "locked.ini", "locked.csv", "locked.pdf", "locked.log"})
        ASSERT_TRUE(
            QFile::setPermissions(path(name), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QByteArray lockedDoc = readFile("locked.dat");

    const struct {
        QStringList args;
        int exitCode;
        QString says;
    } cases[] = {
        // through a link: the file it points to is replaced, the link and the permissions stay
        {{"set", path("link.dat"), "3", "Rx Frequency=150", "--config", config}, 0, ""},
        {{"config", "set", path("link.ini"), "Setup", "Note", "kept"}, 0, ""},
        {{"export", doc, "-o", path("link.csv")}, 0, ""},
        // what is no file is not replaced by one
        {{"export", doc, "-o", "/dev/null"}, 1, "/dev/null: not a regular file"},
        {{"print", doc, "-o", path("pipe"), "--config", config}, 1, "not a regular file"},
        {{"export", doc, "-o", path("folder")}, 1, "Is a directory"},
        // read-only stays read-only, also for an administrator
        {{"set", path("locked.dat"), "3", "Rx Frequency=150", "--config", config},
         1,
         "the file is read-only"},
        {{"config", "set", path("locked.ini"), "Setup", "Note", "x"}, 1, "the file is read-only"},
        {{"export", doc, "-o", path("locked.csv")}, 1, "the file is read-only"},
        {{"print", doc, "-o", path("locked.pdf"), "--config", config}, 1, "the file is read-only"},
        {{"write", "--port", "/dev/null", doc, "--report", path("locked.csv")}, 1, "the file is read-only"},
        {{"read", "--port", "/dev/null", "-o", path("new.dat"), "--log", path("locked.log")},
         1,
         "the file is read-only"},
        // the document is not its own output
        {{"export", doc, "-o", path("link.dat")}, 64, "names the document itself"},
        {{"print", doc, "-o", doc}, 64, "names the document itself"},
    };
    for (const auto& c : cases) {
        const CliRun r = cli(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
    }

    for (const char* link : {"link.dat", "link.ini", "link.csv"})
        EXPECT_TRUE(QFileInfo(path(link)).isSymLink()) << link;
    EXPECT_EQ(readImage("radio.dat").rxFrequency(3), 15000000u);
    EXPECT_EQ(mode(doc), 0640u);
    EXPECT_TRUE(readFile("Program.ini").contains("Note=kept"));
    EXPECT_EQ(mode(config), 0600u);
    EXPECT_TRUE(readFile("real.csv").startsWith("CH,Rx Frequency"));
    EXPECT_EQ(QFileInfo(path("pipe")).isFile(), false);
    EXPECT_TRUE(QFileInfo(path("pipe")).exists());
    EXPECT_EQ(readFile("locked.dat"), lockedDoc);
    EXPECT_EQ(readFile("locked.ini"), QByteArray(kIni));
    for (const char* name : {"locked.csv", "locked.pdf", "locked.log"})
        EXPECT_EQ(readFile(name), "old") << name;
    EXPECT_FALSE(QFile::exists(path("new.dat")));

    // "-o -": the channel list goes to standard output.
    const CliRun r = cli({"export", doc, "-o", "-"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith("CH,Rx Frequency")) << r.out.toStdString();
}

// A pipe nobody writes to, an endless device, a huge file or a folder, given as the
// configuration (also the Program.ini beside the program), the settings or a channel list:
// refused at once with what it is, every file as it was. (diff exits 2 for trouble.)
TEST_F(CliFiles, InputsItCannotReadAreNamedAtOnce)
{
    const QString doc = path("radio.dat");
    ASSERT_TRUE(makeFifo(path("pipe")));
    writeFile("big.ini", QByteArray(kIni) + QByteArray(1024 * 1024, ';'));
    writeFile("ch.csv", "CH,Rx Frequency\r\n1,150\r\n");
    const QString besidePipe = programBeside("pipe-bin", [](const QString& ini) { makeFifo(ini); });
    const QString besideFolder = programBeside("bin", [](const QString& ini) { QDir().mkdir(ini); });
    const QString notAFile = "pipe-bin/Program.ini: not a regular file";
    const QString aFolder = "bin/Program.ini: Is a directory";
    const struct {
        QStringList args;
        RunAs as;
        QString says;
        int exitCode = 1;
    } cases[] = {
        {{"show", doc, "--config", path("pipe")}, {}, "pipe: not a regular file"},
        {{"show", doc, "--config", "/dev/zero"}, {}, "/dev/zero: not a regular file"},
        {{"show", doc, "--config", path("big.ini")}, {}, "big.ini: larger than 1 MiB"},
        {{"show", doc}, {.settings = path("pipe")}, "pipe: not a regular file"},
        {{"show", doc}, {.settings = path("big.ini")}, "big.ini: larger than 1 MiB"},
        {{"import", doc, path("pipe")}, {}, "pipe: not a regular file"},
        {{"import", doc, "/dev/zero"}, {}, "/dev/zero: not a regular file"},
        {{"show", doc}, {.program = besidePipe}, notAFile},
        {{"set", doc, "1", "Rx Frequency=150"}, {.program = besidePipe}, notAFile},
        {{"show", doc}, {.program = besideFolder}, aFolder},
        {{"new", path("new.dat")}, {.program = besideFolder}, aFolder},
        {{"set", doc, "1", "Rx Frequency=150"}, {.program = besideFolder}, aFolder},
        {{"options", doc}, {.program = besideFolder}, aFolder},
        {{"export", doc}, {.program = besideFolder}, aFolder},
        {{"import", doc, path("ch.csv")}, {.program = besideFolder}, aFolder},
        {{"print", doc, "-o", path("out.pdf")}, {.program = besideFolder}, aFolder},
        {{"diff", doc, doc}, {.program = besideFolder}, aFolder, 2},
    };
    const auto before = files();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliRun r = cli(c.args, c.as);
        EXPECT_TRUE(r.finished) << "hung";
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
        EXPECT_EQ(files(), before);
    }
}

TEST_F(CliFiles, EditsOfOneFileTakeTurns)
{
    // Editors of one document and of one Program.ini, all at once: every change arrives.
    const QString doc = path("radio.dat");
    const QString config = path("Program.ini");
    writeFile("ch.csv", "CH,Rx Frequency\r\n5,155\r\n");
    std::vector<std::unique_ptr<QProcess>> running;
    for (int channel = 1; channel <= 4; ++channel)
        running.push_back(start({"set", doc, QString::number(channel),
                                 QStringLiteral("Rx Frequency=15%1").arg(channel), "--config", config}));
    running.push_back(start({"import", doc, path("ch.csv"), "--config", config}));
    running.push_back(start({"options", doc, "Beep=on", "--config", config}));
    for (int key = 1; key <= 4; ++key)
        running.push_back(start({"config", "set", config, "Setup", QStringLiteral("Key%1").arg(key), "set"}));
    for (const auto& p : running) {
        const CliRun r = finish(*p);
        EXPECT_EQ(r.exitCode, 0) << p->arguments().join(' ').toStdString() << ": " << r.err.toStdString();
    }
    const RadioImage image = readImage("radio.dat");
    for (int channel = 1; channel <= 5; ++channel)
        EXPECT_EQ(image.rxFrequency(channel), 15000000u + 100000u * static_cast<unsigned>(channel))
            << channel;
    EXPECT_TRUE(cli({"options", doc, "--json", "--config", config}).out.contains("\"Beep\": true"));
    for (int key = 1; key <= 4; ++key)
        EXPECT_TRUE(readFile("Program.ini").contains(QStringLiteral("Key%1=set").arg(key).toUtf8())) << key;

    // An edit that does not end: the next one waits a few seconds, then gives up and says so.
    FileLock held;
    ASSERT_TRUE(held.lock(doc.toStdString()).ok());
    const QByteArray before = readFile("radio.dat");
    const CliRun r = cli({"set", doc, "6", "Rx Frequency=156", "--config", config});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(doc + ": another program is changing it")) << r.err.toStdString();
    EXPECT_EQ(readFile("radio.dat"), before);
}

} // namespace
} // namespace qx260
