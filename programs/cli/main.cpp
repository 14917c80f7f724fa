// qx260-cli: the qx260 core from the command line. This file only dispatches: the commands
// declare themselves (cmd_*.cpp) and the parser reads their command lines (CommandLine.h),
// and it makes output that could not be written a failure, whatever the command was.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/FileSync.h"
#include "programs/VersionText.h"
#include "programs/cli/CommandLine.h"
#include "programs/cli/Completion.h"

namespace
{
using namespace qx260::cli;

int dispatch(int argc, char** argv);

// What the command came to, unless its output did not all reach standard output (a full
// disk, a closed pipe, /dev/full): then that is a failure, said on standard error.
int finish(int code)
{
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return code;
    const int error = errno;
    std::fprintf(stderr, "qx260-cli: cannot write the output: %s\n", std::strerror(error != 0 ? error : EIO));
    return code == kExitOk ? kExitFailure : code;
}
} // namespace

int main(int argc, char** argv)
{
    return finish(dispatch(argc, argv));
}

namespace
{
int dispatch(int argc, char** argv)
{
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
    if (name == "--help-completion") { // not listed: the build makes the bash completion with it
        std::fputs(bashCompletion().c_str(), stdout);
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
} // namespace
