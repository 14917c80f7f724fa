// The platform's durable-save hook: it flushes what the core replaces, and a path it
// cannot flush fails with the system's reason instead of passing silently.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/FileSync.h"

using qx260::FileResult;
using qx260::SyncTarget;

TEST(FileSync, FlushesFilesAndFoldersAndNamesWhatFails)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string folder = dir.path().toStdString();
    const std::string file = dir.filePath("a.dat").toStdString();
    {
        QFile f(QString::fromStdString(file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("data");
    }

    struct Case {
        std::string path;
        SyncTarget target;
        std::string reason; // empty: it works
    } const cases[] = {
        {file, SyncTarget::File, ""},
        {folder, SyncTarget::Folder, ""},
        {folder + "/missing.dat", SyncTarget::File, "No such file or directory"},
        {file, SyncTarget::Folder, "Not a directory"},
    };
    for (const Case& c : cases) {
        const FileResult r = qx260::syncToDisk(c.path, c.target);
        EXPECT_EQ(r.ok(), c.reason.empty()) << c.path;
        EXPECT_EQ(r.reason, c.reason) << c.path;
    }

    // Installed, it takes part in every replacement the core makes.
    qx260::installFileSync();
    const FileResult written = qx260::replaceFile(file, "new contents");
    EXPECT_EQ(qx260::setFileSyncHook(nullptr), &qx260::syncToDisk);
    ASSERT_TRUE(written.ok()) << written.reason;
    QFile f(QString::fromStdString(file));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("new contents"));
}
