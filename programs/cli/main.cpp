// qx260-cli: the qx260 core from the command line. This file only dispatches: the commands
// declare themselves (cmd_*.cpp) and the parser reads their command lines (CommandLine.h).

#include <cstdio>
#include <string>
#include <vector>

#include "platform/FileSync.h"
#include "programs/VersionText.h"
#include "programs/cli/CommandLine.h"

int main(int argc, char** argv)
{
    using namespace qx260::cli;
    qx260::installFileSync();
    if (argc < 2) {
        std::fputs(overviewText().c_str(), stderr);
        return kExitUsage;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        std::fputs(overviewText().c_str(), stdout);
        return kExitOk;
    }
    if (name == "--help-man") { // not listed: the build makes the man page with it
        std::fputs(manSection().c_str(), stdout);
        return kExitOk;
    }
    if (name == "--version") {
        qx260::printVersion("qx260-cli");
        return kExitOk;
    }
    const Command* command = findCommand(name);
    if (!command)
        return fail(kExitUsage, unknownCommandMessage(name));
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (wantsHelp(args)) {
        std::fputs(helpText(*command).c_str(), stdout);
        return kExitOk;
    }
    ParsedArgs parsed;
    if (std::string error; !parseCommandLine(*command, args, parsed, error))
        return fail(kExitUsage, error);
    return command->run(parsed);
}
