#pragma once
// Asks the system to run the calling thread ahead of ordinary work, for the simulated radio's
// line and for the link bench: a radio answers within the protocol's windows however busy
// the machine is, and a bench measures the link rather than its neighbours. POSIX; on
// systems without the calls it does nothing.

#ifdef __linux__
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <algorithm>

namespace qx260::sim
{

enum class Scheduling { RealTime, Nice, Ordinary };

// First-in-first-out real-time scheduling where allowed (children start ordinary), else a
// better nice value, else as it was. A thread at real-time priority that never blocked would
// stop the machine, so the system is first asked to end the process should one of its
// real-time threads run 200 ms of processor time without sleeping.
inline Scheduling askForPromptScheduling()
{
#ifdef __linux__
    rlimit limit{};
    if (getrlimit(RLIMIT_RTTIME, &limit) == 0) {
        const rlim_t cap = 200000; // microseconds
        limit.rlim_max = std::min<rlim_t>(limit.rlim_max, 2 * cap);
        limit.rlim_cur = std::min<rlim_t>(std::min<rlim_t>(limit.rlim_cur, cap), limit.rlim_max);
        if (setrlimit(RLIMIT_RTTIME, &limit) == 0) {
            sched_param param{};
            param.sched_priority = std::min(10, sched_get_priority_max(SCHED_FIFO));
            if (pthread_setschedparam(pthread_self(), SCHED_FIFO | SCHED_RESET_ON_FORK, &param) == 0)
                return Scheduling::RealTime;
        }
    }
    if (setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), -10) == 0) // the calling thread only
        return Scheduling::Nice;
#endif
    return Scheduling::Ordinary;
}

} // namespace qx260::sim
