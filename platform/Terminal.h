#pragma once
// Whether a standard stream goes to a terminal (a person watching) or to a file or pipe,
// for output such as a progress bar that only makes sense on a screen.

#include <cstdio>

namespace qx260
{

bool isTerminal(std::FILE* stream);

} // namespace qx260
