#pragma once
// One thread per port, for transfers that run side by side (several radios at once). A
// serial port object must live on the thread that uses it, so each job gets a link made on
// its own thread, and the thread has an event dispatcher of its own (a QThread), which the
// port's notifiers need.

#include <functional>
#include <memory>
#include <vector>

#include "core/link/SerialLink.h"

class QThread;

namespace qx260::link
{

class PortThreads
{
  public:
    using Job = std::function<void(SerialLink& link)>;

    PortThreads();
    ~PortThreads(); // waits for every job to return
    PortThreads(const PortThreads&) = delete;
    PortThreads& operator=(const PortThreads&) = delete;

    // Runs job on a new thread with a serial link made there.
    void start(Job job);
    // True once every job started has returned.
    bool finished() const;
    // Waits at most milliseconds (-1: for as long as it takes); true when all have returned.
    bool wait(int milliseconds = -1);

  private:
    std::vector<std::unique_ptr<QThread>> threads_;
};

} // namespace qx260::link
