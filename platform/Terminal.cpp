// isTerminal over the system's isatty (_isatty on Windows).

#include "platform/Terminal.h"

#include <QtGlobal>

#if defined(Q_OS_WIN)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace qx260
{

bool isTerminal(std::FILE* stream)
{
    if (!stream)
        return false;
#if defined(Q_OS_WIN)
    return ::_isatty(::_fileno(stream)) != 0;
#else
    return ::isatty(::fileno(stream)) == 1;
#endif
}

} // namespace qx260
