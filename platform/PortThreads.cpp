// Each job on a QThread of its own, with a QtSerialLink made and ended on that thread.

#include "platform/PortThreads.h"

#include <QDeadlineTimer>
#include <QThread>

#include "platform/QtSerialLink.h"

namespace qx260::link
{

PortThreads::PortThreads() = default;

PortThreads::~PortThreads()
{
    wait();
}

void PortThreads::start(Job job)
{
    std::unique_ptr<QThread> thread(QThread::create([job = std::move(job)] {
        QtSerialLink link;
        job(link);
    }));
    thread->start();
    threads_.push_back(std::move(thread));
}

bool PortThreads::finished() const
{
    for (const auto& thread : threads_)
        if (!thread->isFinished())
            return false;
    return true;
}

bool PortThreads::wait(int milliseconds)
{
    const QDeadlineTimer deadline =
        milliseconds < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(milliseconds);
    for (const auto& thread : threads_)
        if (!thread->wait(deadline))
            return false;
    return true;
}

} // namespace qx260::link
