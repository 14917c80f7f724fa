// qx260: the desktop program. Besides the toolkit's own options it takes --help (in the
// configured language), --version and one document to open.

#include <QApplication>

#include <cstdio>
#include <cstring>

#include "core/config/ProcessValues.h"
#include "core/config/Texts.h"
#include "platform/FileSync.h"
#include "platform/InstallPaths.h"
#include "programs/VersionText.h"
#include "windows/frame/CProgramApp.h"

namespace
{

// The language of the configuration the program will read. Read as the program reads it,
// but never written or made, since --help must change nothing.
qx260::Language configuredLanguage()
{
    const qx260::ConfigurationChoice configuration =
        qx260::locateConfiguration(qx260::executableDirectory(), qx260::UserCopy::ReadOnly);
    if (!qx260::regularFileExists(configuration.path))
        return qx260::Language::English;
    qx260::ProcessValues values;
    values.loadConfiguration(configuration, false, nullptr);
    values.deriveLanguageValues();
    return values.language();
}

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
        // The usage text in the program's language (help2man makes the man page from the
        // English one).
        std::fputs(qx260::textOf(qx260::Text::DesktopUsage, configuredLanguage()), stdout);
        return 0;
    case Request::Version:
        qx260::printVersion("qx260");
        return 0;
    case Request::Run:
        break;
    }

    qx260::installFileSync(); // a save has reached the disk when it says it worked
    qx260::provideRuntimeDirectory();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qx260"));
    // The desktop entry's name, so that Wayland docks and task bars match the windows to it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.qx260.qx260"));

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
