#pragma once
// The command-line tool is a set of small commands; each file declares one (or more) with
// a static CommandRegistrar: its positional arguments and options, its help texts and the
// function that does its work. main() dispatches on the first word, and the one parser
// (CommandLine.h) turns the rest into values by the declaration, so that --help, the man
// page and the usage errors of every command come from that one list.

#include <map>
#include <set>
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

// One option. Without a value placeholder it is a flag; with one it takes a value as
// "--name VALUE" or "--name=VALUE" ("-o VALUE" for a short one). The name is the spelling
// the usage line and the messages use and the parsed values are kept under; the alias is
// the other spelling.
struct Option {
    const char* name;                      // "--port", "-o"
    const char* alias = nullptr;           // "-p", "--output"
    const char* value = nullptr;           // its value's placeholder ("FILE"); none for a flag
    std::vector<std::string> choices = {}; // the only values it takes (any letter case), if any
    bool repeats = false;                  // may be given more than once; every value is kept
    bool once = false;                     // given again, refused (otherwise the last value counts)
    bool required = false;                 // the command cannot run without it
    const char* help = "";                 // one paragraph, wrapped by the help text
};

// Options several commands take, declared once.
inline Option configOption()
{
    return {.name = "--config",
            .value = "PATH",
            .help = "read the configuration from PATH instead of the Program.ini the desktop program uses"};
}
inline Option
languageOption(const char* help = "English or Chinese texts (default: the configuration's language)")
{
    return {.name = "--language", .value = "L", .choices = {"English", "Chinese"}, .help = help};
}

// How many words a positional argument takes. Optional and repeating ones come last.
enum class Count { One, Optional, OneOrMore, ZeroOrMore };

struct Argument {
    const char* name; // its placeholder: "FILE.dat", "COLUMN=TEXT"
    Count count = Count::One;
};

// A command line read by a command's declaration. Options are keyed by their name.
struct ParsedArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::vector<std::string>> values; // each value option given, in order
    std::set<std::string> flags;

    // Whether the flag or value option was given.
    bool has(const std::string& name) const { return flags.count(name) != 0 || values.count(name) != 0; }
    // The value of an option given once (the last, for one that repeats); null when not given.
    const std::string* option(const std::string& name) const;
    // Every value of a repeating option, in the order given.
    const std::vector<std::string>& all(const std::string& name) const;
};

struct Command {
    const char* name;
    const char* summary; // one line for the overview
    std::vector<Argument> arguments = {};
    std::vector<Option> options = {};
    const char* description; // what "NAME --help" says after the usage line
    const char* notes = "";  // what it says after the option list
    int (*run)(const ParsedArgs& args);
};

struct CommandRegistrar {
    explicit CommandRegistrar(const Command& command);
};

// Writes "qx260-cli: <message>\n" to stderr and returns code.
int fail(int code, const std::string& message);

// True when args hold "--help" or "-h".
bool wantsHelp(const std::vector<std::string>& args);

} // namespace qx260::cli
