// qx260-cli: the qx260 core from the command line.

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/FileSync.h"
#include "programs/VersionText.h"
#include "programs/cli/Command.h"

namespace qx260::cli
{

namespace
{
std::vector<Command>& registry()
{
    static std::vector<Command> all;
    return all;
}

void printOverview(std::FILE* out)
{
    std::fprintf(out, "Usage: qx260-cli COMMAND [ARGUMENTS...]\n"
                      "\n"
                      "Programs the QX-260 hand-held radio and edits its *.dat documents.\n"
                      "\n"
                      "Commands:\n");
    // The name in a column of its own, so that the list reads as a table (and help2man
    // keeps one entry per command in the man page).
    for (const Command& c : registry()) {
        const std::string synopsis = c.synopsis;
        const std::size_t nameEnd = std::min(synopsis.find(' '), synopsis.size());
        std::fprintf(out, "  %-8s  %s\n", synopsis.substr(0, nameEnd).c_str(),
                     synopsis.substr(std::min(nameEnd + 1, synopsis.size())).c_str());
    }
    std::fprintf(out, "\n"
                      "Run \"qx260-cli COMMAND --help\" for the details of a command.\n"
                      "\n"
                      "Options:\n"
                      "  -h, --help     show this help and exit\n"
                      "  --version      show the version and exit\n"
                      "\n"
                      "Files:\n"
                      "  Program.ini    product types, bands and texts: the one the desktop program\n"
                      "                 uses (beside the program in its build folder; installed, the\n"
                      "                 user's own copy in $XDG_CONFIG_HOME/qx260/, or the shipped\n"
                      "                 PREFIX/share/qx260/Program.ini until the desktop program\n"
                      "                 has made that copy). --config names another.\n"
                      "\n"
                      "Exit codes: 0 success, 1 failure, 2 data format error, 64 wrong usage.\n");
}
} // namespace

CommandRegistrar::CommandRegistrar(const Command& command)
{
    registry().push_back(command);
}

const std::vector<Command>& commands()
{
    return registry();
}

int fail(int code, const std::string& message)
{
    std::fprintf(stderr, "qx260-cli: %s\n", message.c_str());
    return code;
}

bool wantsHelp(const std::vector<std::string>& args)
{
    for (const std::string& a : args)
        if (a == "--help" || a == "-h")
            return true;
    return false;
}

} // namespace qx260::cli

int main(int argc, char** argv)
{
    using namespace qx260::cli;
    qx260::installFileSync();
    if (argc < 2) {
        printOverview(stderr);
        return kExitUsage;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printOverview(stdout);
        return kExitOk;
    }
    if (name == "--version") {
        qx260::printVersion("qx260-cli");
        return kExitOk;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command& c : commands()) {
        if (name == c.name) {
            if (wantsHelp(args)) {
                std::fputs(c.help, stdout);
                return kExitOk;
            }
            return c.run(args);
        }
    }
    std::fprintf(stderr, "qx260-cli: unknown command \"%s\"\n\n", name.c_str());
    printOverview(stderr);
    return kExitUsage;
}
