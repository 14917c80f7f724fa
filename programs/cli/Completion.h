#pragma once
// The bash completion of qx260-cli, made from the commands' declarations like --help and
// the man page: the build writes it with the hidden --help-completion and installs it.

#include <string>

namespace qx260::cli
{

// A bash script that completes the command names, each command's options, the values of
// options that take a fixed set (and port names, folders or files by their placeholder), and
// file names elsewhere.
std::string bashCompletion();

} // namespace qx260::cli
