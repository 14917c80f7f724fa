#pragma once
// Starts the program in-process from a temporary copy of the files beside the executable,
// with its own Program.ini and per-user settings file; and the small steps every test of
// the running program takes with it.

#include <functional>
#include <memory>

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include "core/config/ProcessValues.h"
#include "core/radio/CProgramDoc.h"
#include "core/radio/RadioImage.h"
#include "platform/Resources.h"
#include "tests/support/BuildPaths.h"
#include "windows/common/FileDialogs.h"
#include "windows/common/MessageBox.h"
#include "windows/frame/CMainFrame.h"
#include "windows/frame/CProgramApp.h"

class ShellFixture
{
  public:
    // editIni may change the text of the shipped Program.ini; leave lists files not to copy;
    // binFolder puts the program into that subfolder (as bin/ of an install), else the
    // program lies in the temporary folder itself.
    explicit ShellFixture(const std::function<void(QString&)>& editIni = {}, const QStringList& leave = {},
                          const QString& binFolder = {})
        : bin(binFolder.isEmpty() ? dir.path() : dir.filePath(binFolder))
    {
        QDir().mkpath(bin.path());
        const QDir built(qx260::testpaths::binDir());
        for (const QString name :
             {"Program.ini", "English.so", "Chinese.so", "title.ico", "background.bmp"}) {
            if (leave.contains(name) || !built.exists(name))
                continue;
            QFile::copy(built.filePath(name), bin.filePath(name));
        }
        if (editIni && !leave.contains(QStringLiteral("Program.ini"))) {
            QFile f(bin.filePath("Program.ini"));
            f.open(QIODevice::ReadOnly);
            QString text = QString::fromUtf8(f.readAll());
            f.close();
            editIni(text);
            f.open(QIODevice::WriteOnly | QIODevice::Truncate);
            f.write(text.toUtf8());
        }
        qputenv("QX260_SETTINGS", dir.filePath("user.ini").toUtf8());
        qx260::msgtest::reset();
        qx260::msgtest::setAutoAnswer(true); // a box nobody expected must not hang the test
        qx260::filetest::reset();
    }
    ~ShellFixture()
    {
        app.reset();
        qx260::unloadResourceLibrary();
    }

    QString programPath() const { return bin.filePath("qx260"); }
    QString path(const QString& name) const { return dir.filePath(name); }

    bool start(const QStringList& arguments = {})
    {
        app = std::make_unique<CProgramApp>();
        app->restarter = [this](const QString& program, const QString& workingDirectory) {
            restarts.append(program + QLatin1Char('|') + workingDirectory);
            return true;
        };
        return app->InitInstance(programPath(), arguments);
    }

    CMainFrame* frame() const { return app->mainFrame(); }
    CProgramApp::Document* active() const { return app->activeDocument(); }

    QString statusText() const { return frame()->statusBar()->currentMessage(); }

    QString iniText() const
    {
        QFile f(bin.filePath("Program.ini"));
        f.open(QIODevice::ReadOnly);
        return QString::fromUtf8(f.readAll());
    }

    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    static QByteArray readFile(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // A document file of the image.
    static QByteArray documentBytes(const qx260::RadioImage& image)
    {
        const auto bytes = qx260::serializeDat(image);
        return QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size()));
    }
    // A valid document file with the new-document image.
    static QByteArray newDocumentBytes() { return documentBytes(qx260::RadioImage::newImage()); }
    // The image as the document file NAME in the temporary folder; its path.
    QString writeDocument(const QString& name, const qx260::RadioImage& image) const
    {
        writeFile(path(name), documentBytes(image));
        return path(name);
    }

    QTemporaryDir dir;
    QDir bin; // the program's folder
    std::unique_ptr<CProgramApp> app;
    QStringList restarts;
};

// For ShellFixture: KEY=VALUE in the [Setup] section of the program's configuration.
inline void setIniValue(QString& ini, const QString& key, const QString& value)
{
    const QRegularExpression line(QStringLiteral("(?m)^%1=.*$").arg(QRegularExpression::escape(key)));
    if (ini.contains(line))
        ini.replace(line, key + QLatin1Char('=') + value);
    else
        ini.replace(QStringLiteral("[Setup]\n"), QStringLiteral("[Setup]\n%1=%2\n").arg(key, value));
}

// The texts of the message boxes shown since the last look, oldest first.
inline QStringList shownTexts()
{
    QStringList texts;
    for (const qx260::msgtest::Shown& box : qx260::msgtest::takeShown())
        texts << box.text;
    return texts;
}

// The items of a menu, "-" for a separator.
inline QStringList menuTexts(const QMenu* menu)
{
    QStringList texts;
    for (QAction* a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

// Makes the window the active one, as a click on it does.
inline void activate(QWidget* window)
{
    window->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), window);
}

// With the environment variable set (QX260_SCREENSHOT_DIR, or QX260_SHOT_DIR for a run under
// a real display), keeps a picture of the widget there as NAME.png for a person to look at.
inline void snapshot(QWidget* widget, const QString& name, const char* variable = "QX260_SCREENSHOT_DIR")
{
    const QString dir = qEnvironmentVariable(variable);
    if (!dir.isEmpty())
        widget->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// Runs f on the next modal dialog once it is up (f closes it).
template <typename Dialog, typename F> void onNextModal(F f, int triesLeft = 200)
{
    QTimer::singleShot(10, [f, triesLeft] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget()))
            f(dialog);
        else if (triesLeft > 0)
            onNextModal<Dialog>(f, triesLeft - 1);
    });
}
