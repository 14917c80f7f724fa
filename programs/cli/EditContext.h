#pragma once
// What the editing commands (set, options) share: options common to both, Program.ini
// loaded as the program loads it, and the document read and written back.

#include <string>
#include <vector>

#include "core/radio/CProgramDoc.h"
#include "programs/cli/Command.h"

namespace qx260::cli
{

struct EditOptions {
    std::string file;               // the .dat document
    std::vector<std::string> words; // everything after the file that is not an option
    std::string configPath;         // --config PATH (default: Program.ini beside the executable)
    std::string language;           // --language English|Chinese (default: from Program.ini)
    int variant = 1;                // --variant 0|1|2
    bool json = false;              // --json (options only)
};

// The options of a command line read by set's or options' declaration.
EditOptions editOptionsFrom(const ParsedArgs& args);

// Loads Program.ini into processValues() (without creating it when missing), derives the
// language values, sets the radio variant and the per-user store. False with a message
// on stderr when --config names a file that cannot be read.
bool setUpProcessValues(const EditOptions& options);

// Reads the document; reports failures ("Data Format Error", missing file) and returns
// their exit code, kExitOk on success.
int loadDocument(const std::string& path, RadioImage& image);
// Saves atomically; reports a failure and returns its exit code.
int saveDocument(const std::string& path, const RadioImage& image);

// A JSON string literal.
std::string jsonString(const std::string& text);

} // namespace qx260::cli
