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
#include "platform/InstallPaths.h"
#include "platform/PrintAdapter.h"
#include "programs/cli/CliContext.h"
#include "programs/cli/Command.h"

namespace qx260::cli
{

namespace
{

struct PrintOptions {
    std::string input;
    std::string output;
    std::string language;
    std::string config;
    int variant = 1;
};

// The command line's values, or what is wrong with them (empty when nothing is).
std::string optionsFrom(const ParsedArgs& args, PrintOptions& options)
{
    options.input = args.positional[0];
    options.output = *args.option("-o");
    if (const std::string* language = args.option("--language"))
        options.language = *language;
    if (const std::string* variant = args.option("--variant"))
        parseVariant(*variant, options.variant);
    if (const std::string* config = args.option("--config"))
        options.config = *config;
    if (options.input.empty())
        return "no document given";
    if (options.output.empty())
        return "no output file given (-o OUT.pdf)";
    if (options.input == "-")
        return "a document does not come from standard input; name a file";
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
    provideRuntimeDirectory();
    static int argc = 1;
    static char name[] = "qx260-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

int runPrint(const ParsedArgs& args)
{
    PrintOptions options;
    if (const std::string problem = optionsFrom(args, options); !problem.empty())
        return fail(kExitUsage, problem);

    const auto app = makeApplication();

    // Read the configuration without ever writing it back or creating it.
    ProcessValues& values = processValues();
    std::string error;
    if (!loadConfiguration(values, options.config, error))
        return fail(kExitFailure, error);
    const CIniFile& config = values.configurationStore;
    const std::string languageName = options.language.empty() ? values.languageName : options.language;
    const Language language = languageName == "Chinese" ? Language::Chinese : Language::English;

    RadioImage image;
    const DocumentResult loaded = loadDatFile(options.input, image);
    if (loaded.error == DocumentError::FormatError)
        return fail(kExitFormatError, options.input + ": Data Format Error (not a QX-260 document)");
    if (!loaded.ok())
        return fail(kExitFailure, "cannot open " + options.input + ": " + loaded.reason);

    const PrintContent content =
        printContent(image, {options.variant, false}, config, languageName, language);

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
    .name = "print",
    .summary = "the printout of a document as a PDF file",
    .arguments = {{"FILE.dat"}},
    .options =
        {
            {.name = "-o",
             .alias = "--output",
             .value = "OUT.pdf",
             .required = true,
             .help = "the PDF file to write (replaced only when complete)"},
            {.name = "--language",
             .value = "NAME",
             .choices = {"English", "Chinese"},
             .help = "English or Chinese; default: \"Language\" in section \"Setup\" of the configuration"},
            {.name = "--config",
             .value = "PATH",
             .help =
                 "the configuration file; default: the Program.ini the desktop program uses. It gives the "
                 "footer (\"Copyrights Owner\") and the product names. It is only read."},
            {.name = "--variant",
             .value = "N",
             .choices = {"0", "1", "2"},
             .help =
                 "the radio variant the table is shown for, as after a Read: 1 receive side (the default, "
                 "as at start-up), 2 transmit side, 0 both. Channels print when their Rx Frequency is "
                 "shown."},
        },
    .description = "Writes the printout of a document as a PDF file (A4): the Optional Features page\n"
                   "and one page for every eight used channels, as the desktop program prints them.",
    .notes = "Nothing is stored in the user's settings.",
    .run = runPrint,
});

} // namespace

} // namespace qx260::cli
