#pragma once
// The command-line tests' fixture: a temporary folder that qx260-cli runs in (relative
// names on its command line are files of the folder, its user store is user.ini there),
// with the files a test gives it and looks at afterwards.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>

#include "core/radio/CProgramDoc.h"
#include "core/radio/RadioImage.h"
#include "tests/support/CliProcess.h"

namespace qx260::test
{

class CliFolder : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString path(const QString& name) const { return dir.filePath(name); }
    QByteArray readFile(const QString& name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    void writeImage(const QString& name, const RadioImage& image) const
    {
        const auto bytes = serializeDat(image);
        writeFile(name,
                  QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size())));
    }
    RadioImage readImage(const QString& name) const
    {
        RadioImage image;
        EXPECT_TRUE(loadDatFile(path(name).toStdString(), image).ok()) << name.toStdString();
        return image;
    }
    // Each entry of the folder, hidden ones too, with the bytes of a regular file: what a
    // refused command leaves exactly as it was.
    QMap<QString, QByteArray> files() const
    {
        QMap<QString, QByteArray> all;
        for (const QFileInfo& entry :
             QDir(dir.path())
                 .entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
            all.insert(entry.fileName(),
                       entry.isFile() ? readFile(entry.fileName()) : QByteArray("<no file>"));
        return all;
    }

    CliRun run(const QStringList& args, const QString& locale = "C.UTF-8") const
    {
        const CliRun r = runCli(args, cliEnvironment(path("user.ini"), locale), dir.path());
        EXPECT_TRUE(r.finished) << "qx260-cli hung: " << args.join(' ').toStdString();
        return r;
    }

    QTemporaryDir dir;
};

} // namespace qx260::test
