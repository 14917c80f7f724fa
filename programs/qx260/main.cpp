// qx260: the desktop program.

#include <QApplication>

#include "platform/FileSync.h"
#include "windows/frame/CProgramApp.h"

int main(int argc, char** argv)
{
    qx260::installFileSync(); // a save has reached the disk when it says it worked
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qx260"));
    int exitCode = 1;
    {
        CProgramApp app;
        QStringList arguments = QApplication::arguments();
        arguments.removeFirst();
        if (app.InitInstance(QCoreApplication::applicationFilePath(), arguments))
            exitCode = QApplication::exec();
        app.ExitInstance();
    }
    return exitCode;
}
