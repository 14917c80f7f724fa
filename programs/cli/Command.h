#pragma once
// The command-line tool is a set of small commands; each file registers one (or more)
// with a static CommandRegistrar and main() dispatches on the first word.

#include <cstdio>
#include <string>
#include <vector>

namespace qx260::cli
{

// Exit codes shared by every command.
enum ExitCode {
    kExitOk = 0,
    kExitFailure = 1,     // the operation failed (I/O, radio, ...)
    kExitFormatError = 2, // "Data Format Error"
    kExitUsage = 64,      // wrong command line
};

struct Command {
    const char* name;
    const char* synopsis; // one line for the overview, e.g. "show FILE.dat [--json]"
    const char* help;     // full text for "qx260-cli NAME --help"
    int (*run)(const std::vector<std::string>& args); // args after the command name
};

struct CommandRegistrar {
    explicit CommandRegistrar(const Command& command);
};

const std::vector<Command>& commands();

// Writes "qx260-cli: <message>\n" to stderr and returns code.
int fail(int code, const std::string& message);

// True when args hold "--help" or "-h".
bool wantsHelp(const std::vector<std::string>& args);

} // namespace qx260::cli
