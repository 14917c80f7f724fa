#pragma once
// The one parser of qx260-cli and the texts made from the commands' declarations: the
// overview, each command's --help, the man page's section on the commands, and the
// usage errors.

#include <string>
#include <vector>

#include "programs/cli/Command.h"

namespace qx260::cli
{

// Reads `args` (after the command name) by the command's declaration. "--" ends the
// options; a lone "-" is an argument. False with the whole message (without the program
// name) for an unknown option, a missing or refused value, an option given twice that may
// not repeat, a missing or extra argument, or a missing required option.
bool parseCommandLine(const Command& command, const std::vector<std::string>& args, ParsedArgs& parsed,
                      std::string& error);

// The registered command of that name, or null.
const Command* findCommand(const std::string& name);
// Every registered command, in the order they registered.
const std::vector<Command>& registeredCommands();

// What an unknown command gets: the nearest command name when one is close.
std::string unknownCommandMessage(const std::string& name);

// Reports a wrong command line of the command in the parser's words ("MESSAGE; see
// qx260-cli NAME --help.") and returns kExitUsage.
int usageError(const std::string& commandName, const std::string& message);

// "qx260-cli --help": the commands, the program's options, its files and exit codes.
std::string overviewText();

// "qx260-cli NAME --help": usage line, description, option list, notes.
std::string helpText(const Command& command);

// "qx260-cli --help-man": the man page's COMMANDS section, every command with its usage,
// description and options, as a help2man include file (section heading, then roff).
std::string manSection();

} // namespace qx260::cli
