#pragma once
// The --version text of the three programs, in the form help2man reads for the man
// pages: the program and its version on the first line, then copyright and licence.
// QX260_VERSION comes from the build (the project's version in CMakeLists.txt).

#include <cstdio>

namespace qx260
{

inline void printVersion(const char* program)
{
    std::printf("%s %s\n"
                "Copyright (C) 2026 the qx260 developers.\n"
                "This is free software under the GNU General Public License, version 3 or later\n"
                "<https://www.gnu.org/licenses/gpl.html>: you are free to change and redistribute it.\n"
                "There is NO WARRANTY, to the extent permitted by law.\n",
                program, QX260_VERSION);
}

} // namespace qx260
