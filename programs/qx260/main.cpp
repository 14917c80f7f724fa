// qx260: the desktop program. Besides the toolkit's own options it takes --help,
// --version and one document to open.

#include <QApplication>

#include <cstdio>
#include <cstring>

#include "platform/FileSync.h"
#include "programs/VersionText.h"
#include "windows/frame/CProgramApp.h"

namespace
{

// The usage text (help2man makes the man page from it).
const char kUsage[] =
    "Usage: qx260 [OPTION]... [FILE.dat]\n"
    "\n"
    "The programming software for the QX-260 16-channel VHF hand-held radio: read the\n"
    "radio over its serial cable, edit its channels and radio-wide options, keep and print\n"
    "them as a *.dat document, and write them back into the radio.\n"
    "\n"
    "Without FILE.dat the program starts with a new document; with it, that document is\n"
    "opened. A document whose name begins with \"-\" follows \"--\".\n"
    "\n"
    "The command-line tool qx260-cli reads, writes, shows and edits documents without\n"
    "windows; qx260-radio-sim is a simulated radio for trying the program without one.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help and exit\n"
    "  --version      show the version and exit\n"
    "  -platform NAME, -style NAME and the toolkit's other options are taken as well.\n"
    "\n"
    "Files:\n"
    "  Program.ini    the interface language, product types, bands and texts. Beside the\n"
    "                 program when it runs from its build folder; installed,\n"
    "                 $XDG_CONFIG_HOME/qx260/Program.ini (~/.config/qx260/, %APPDATA%\\qx260\n"
    "                 on Windows), copied from PREFIX/share/qx260/Program.ini on the first\n"
    "                 start. Setup > Language writes the choice there.\n"
    "  qx260.ini      per-user choices (serial port, product) in the same folder.\n"
    "\n"
    "Environment:\n"
    "  QX260_SETTINGS   the per-user choices file to use instead of qx260.ini\n"
    "  QX260_PORT_COMn  the serial device COMn stands for in this run\n";

// What the words before "--" ask for, looked at before any window can be made, so that
// --help and --version work without a display.
enum class Request { Run, Help, Version };
Request requestOf(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            break;
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return Request::Help;
        if (std::strcmp(argv[i], "--version") == 0)
            return Request::Version;
    }
    return Request::Run;
}

} // namespace

int main(int argc, char** argv)
{
    switch (requestOf(argc, argv)) {
    case Request::Help:
        std::fputs(kUsage, stdout);
        return 0;
    case Request::Version:
        qx260::printVersion("qx260");
        return 0;
    case Request::Run:
        break;
    }

    qx260::installFileSync(); // a save has reached the disk when it says it worked
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qx260"));

    // What the toolkit left: options of ours were handled above, so any other is unknown.
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    QStringList documents;
    bool optionsEnded = false;
    for (const QString& argument : std::as_const(arguments)) {
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && argument.size() > 1 && argument.startsWith(QLatin1Char('-'))) {
            std::fprintf(stderr, "qx260: unknown option %s\nTry \"qx260 --help\".\n",
                         argument.toLocal8Bit().constData());
            return 64;
        } else {
            documents.append(argument);
        }
    }

    int exitCode = 1;
    {
        CProgramApp app;
        if (app.InitInstance(QCoreApplication::applicationFilePath(), documents))
            exitCode = QApplication::exec();
        app.ExitInstance();
    }
    return exitCode;
}
