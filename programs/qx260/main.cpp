// qx260: the desktop program. Besides the toolkit's own options it takes --help (in the
// configured language), --version and one document to open.

#include <QApplication>

#include <cstdio>
#include <cstring>

#include "core/config/ProcessValues.h"
#include "platform/FileSync.h"
#include "platform/InstallPaths.h"
#include "programs/VersionText.h"
#include "windows/frame/CProgramApp.h"

namespace
{

// The usage text in the two languages of the program (help2man makes the man page from
// the English one).
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

const char kUsageChinese[] =
    "用法：qx260 [选项]... [文件.dat]\n"
    "\n"
    "QX-260 16 信道 VHF 手持对讲机的写频软件：通过写频线读取对讲机，编辑信道和整机\n"
    "可选功能，保存并打印为 *.dat 文档，再写回对讲机。\n"
    "\n"
    "不带 文件.dat 时，程序以一个新文档启动；带上时，打开该文档。文件名以 \"-\" 开头的\n"
    "文档请写在 \"--\" 之后。\n"
    "\n"
    "命令行工具 qx260-cli 无需窗口即可读写、显示和编辑文档；qx260-radio-sim 是模拟\n"
    "对讲机，无需真机即可试用本程序。\n"
    "\n"
    "选项：\n"
    "  -h, --help     显示本帮助并退出\n"
    "  --version      显示版本并退出\n"
    "  也接受 -platform 名称、-style 名称 等工具包自身的选项。\n"
    "\n"
    "文件：\n"
    "  Program.ini    界面语言、产品类型、频段和文字。从构建目录运行时位于程序旁；\n"
    "                 安装后为 $XDG_CONFIG_HOME/qx260/Program.ini（~/.config/qx260/，\n"
    "                 Windows 上为 %APPDATA%\\qx260），首次启动时从\n"
    "                 PREFIX/share/qx260/Program.ini 复制而来。\"设置 > 语言\"将选择写入该文件。\n"
    "  qx260.ini      同一目录中的个人设置（串口、产品）。\n"
    "\n"
    "环境变量：\n"
    "  QX260_SETTINGS   代替 qx260.ini 使用的个人设置文件\n"
    "  QX260_PORT_COMn  本次运行中 COMn 所代表的串口设备\n";

// Whether the configuration the program will read chooses Chinese. Read as the program
// reads it, but never written or made, since --help must change nothing.
bool configuredChinese()
{
    const qx260::ConfigurationChoice configuration =
        qx260::locateConfiguration(qx260::executableDirectory(), qx260::UserCopy::ReadOnly);
    if (!qx260::regularFileExists(configuration.path))
        return false;
    qx260::ProcessValues values;
    values.configurationStore.Load(configuration.path, false, true);
    values.deriveLanguageValues();
    return values.languageFlag;
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
        std::fputs(configuredChinese() ? kUsageChinese : kUsage, stdout);
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
