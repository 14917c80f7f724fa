// qx260-cli print: a document's printout as a PDF file, page for page as the desktop
// program prints it.

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/config/CIniFile.h"
#include "core/config/FileAccess.h"
#include "core/config/ProcessValues.h"
#include "core/print/PrintLayout.h"
#include "core/radio/CProgramDoc.h"
#include "platform/PrintAdapter.h"
#include "programs/cli/CliContext.h"
#include "programs/cli/Command.h"

namespace qx260::cli
{

namespace
{

const char kHelp[] =
    "Usage: qx260-cli print FILE.dat -o OUT.pdf [--language English|Chinese] [--config PATH]\n"
    "                       [--variant 0|1|2]\n"
    "\n"
    "Writes the printout of a document as a PDF file (A4): the Optional Features page\n"
    "and one page for every eight used channels, as the desktop program prints them.\n"
    "\n"
    "  -o, --output OUT.pdf   the PDF file to write (replaced only when complete)\n"
    "  --language NAME        English or Chinese; default: \"Language\" in section\n"
    "                         \"Setup\" of the configuration\n"
    "  --config PATH          the configuration file; default: the Program.ini the\n"
    "                         desktop program uses. It gives the footer (\"Copyrights\n"
    "                         Owner\") and the product names. It is only read.\n"
    "  --variant N            the radio variant the table is shown for, as after a\n"
    "                         Read: 1 receive side (the default, as at start-up),\n"
    "                         2 transmit side, 0 both. Channels print when their\n"
    "                         Rx Frequency is shown.\n"
    "\n"
    "Nothing is stored in the user's settings.\n";

struct PrintOptions {
    std::string input;
    std::string output;
    std::string language;
    std::string config;
    int variant = 1;
};

// Empty when the command line is fine, else what is wrong with it.
std::string parseOptions(const std::vector<std::string>& args, PrintOptions& options)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto value = [&](std::string& into) {
            if (i + 1 >= args.size())
                return false;
            into = args[++i];
            return true;
        };
        if (a == "-o" || a == "--output") {
            if (!value(options.output))
                return a + " needs a file name";
        } else if (a == "--language") {
            if (!value(options.language))
                return "--language needs English or Chinese";
            const QString l = QString::fromStdString(options.language);
            if (l.compare("English", Qt::CaseInsensitive) == 0)
                options.language = "English";
            else if (l.compare("Chinese", Qt::CaseInsensitive) == 0)
                options.language = "Chinese";
            else
                return "unknown language \"" + options.language + "\" (use English or Chinese)";
        } else if (a == "--variant") {
            std::string v;
            if (!value(v) || (v != "0" && v != "1" && v != "2"))
                return "--variant needs 0, 1 or 2";
            options.variant = v[0] - '0';
        } else if (a == "--config") {
            if (!value(options.config))
                return "--config needs a file name";
        } else if (!a.empty() && a[0] == '-') {
            return "unknown option \"" + a + "\"";
        } else if (options.input.empty()) {
            options.input = a;
        } else {
            return "more than one document given";
        }
    }
    if (options.input.empty())
        return "no document given";
    if (options.output.empty())
        return "no output file given (-o OUT.pdf)";
    if (options.output == "-")
        return "a PDF does not go to standard output; name a file (-o OUT.pdf)";
    if (sameFile(options.output, options.input))
        return "-o names the document itself; name another file for the PDF";
    return {};
}

// The GUI library's font and PDF machinery needs an application object; no display is used.
std::unique_ptr<QGuiApplication> makeApplication()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qx260-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

int runPrint(const std::vector<std::string>& args)
{
    PrintOptions options;
    if (const std::string problem = parseOptions(args, options); !problem.empty()) {
        std::fprintf(stderr, "qx260-cli print: %s\n\n%s", problem.c_str(), kHelp);
        return kExitUsage;
    }

    const auto app = makeApplication();

    // Read the configuration without ever writing it back or creating it.
    ProcessValues& values = processValues();
    std::string error;
    if (!loadConfiguration(values, options.config, error))
        return fail(kExitFailure, error);
    const CIniFile& config = values.configurationStore;
    const std::string languageName = options.language.empty() ? values.languageName : options.language;
    const bool languageFlag = languageName == "Chinese";

    RadioImage image;
    const DocumentResult loaded = loadDatFile(options.input, image);
    if (loaded.error == DocumentError::FormatError)
        return fail(kExitFormatError, options.input + ": Data Format Error (not a QX-260 document)");
    if (!loaded.ok())
        return fail(kExitFailure, "cannot open " + options.input + ": " + loaded.reason);

    const PrintContent content =
        printContent(image, {options.variant, false}, config, languageName, languageOf(languageFlag));

    // The PDF is made in memory and replaces the output file only once it is complete.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    int pages = 0;
    {
        QPdfWriter writer(&pdf);
        writer.setCreator(QStringLiteral("qx260-cli"));
        writer.setTitle(QFileInfo(QString::fromStdString(options.input)).fileName());
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        if (!paintPrintout(writer, content))
            return fail(kExitFailure, "cannot write " + options.output + ": the PDF could not be drawn");
        pages = layoutForDevice(content, writer).pageCount();
    }
    const FileResult written = replaceFile(
        options.output, std::string_view(pdf.data().constData(), static_cast<std::size_t>(pdf.size())));
    if (!written.ok())
        return fail(kExitFailure, "cannot write " + options.output + ": " + written.reason);

    std::printf("%s: %d page%s\n", options.output.c_str(), pages, pages == 1 ? "" : "s");
    return kExitOk;
}

const CommandRegistrar registrar({
    "print",
    "print FILE.dat -o OUT.pdf [--language English|Chinese] [--config PATH] [--variant N]",
    kHelp,
    runPrint,
});

} // namespace

} // namespace qx260::cli
