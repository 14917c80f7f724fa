// SerialLink over QSerialPort. Qt gives the portable part (open, line settings, reads and
// writes within the time budgets); on POSIX systems the terminal calls add what Qt does not:
// the driver's flow control kept as it is, exclusive use of the port, draining output, and
// a reason for a refused open that says how to get access. Pauses are measured from the
// moment the bytes before them are on the line, on a clock woken as exactly as the system
// allows (on Linux the transfer's thread asks for no timer slack while the port is open).

#include "platform/QtSerialLink.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#include <time.h>
#endif

namespace qx260::link
{

namespace
{

#ifdef Q_OS_UNIX
// The flow control the driver has now, so that opening the port does not change it.
QSerialPort::FlowControl currentFlowControl(const std::string& device)
{
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return QSerialPort::NoFlowControl;
    termios tio{};
    QSerialPort::FlowControl flow = QSerialPort::NoFlowControl;
    if (::tcgetattr(fd, &tio) == 0) {
        if (tio.c_iflag & (IXON | IXOFF))
            flow = QSerialPort::SoftwareControl;
#ifdef CRTSCTS
        if (tio.c_cflag & CRTSCTS)
            flow = QSerialPort::HardwareControl; // before software flow control, when both are set
#endif
    }
    ::close(fd);
    return flow;
}
#endif

} // namespace

std::string openFailureReason(const std::string& device, QSerialPort::SerialPortError error)
{
#ifdef Q_OS_UNIX
    struct stat st {
    };
    if (::stat(device.c_str(), &st) != 0)
        return device + ": " + std::strerror(errno) + ".";
    if (::access(device.c_str(), R_OK | W_OK) != 0 && errno == EACCES) {
        std::string group;
        if (const struct group* g = ::getgrgid(st.st_gid))
            group = g->gr_name;
        const bool groupMayUse = (st.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
        if (groupMayUse && st.st_gid != 0 && !group.empty())
            return device + ": " + std::strerror(EACCES) +
                   ". To get access, become a member of the group \"" + group +
                   "\" that owns the device (for example: sudo usermod -aG " + group +
                   " $USER), then log out and in again.";
            // Joining the group would not help: the device is not open to a group of users.
#ifdef Q_OS_LINUX
        return device + ": " + std::strerror(EACCES) +
               ". Only its owner may use the device now. Have it given to the group \"dialout\" with read "
               "and "
               "write access (for example with a udev rule: GROUP=\"dialout\", MODE=\"0660\"), become a "
               "member "
               "of that group (sudo usermod -aG dialout $USER), then log out and in again.";
#else
        return device + ": " + std::strerror(EACCES) +
               ". Only its owner may use the device now. Have it given to a group with read and write "
               "access, become a member of that group, then log out and in again.";
#endif
    }
    if (error == QSerialPort::PermissionError || error == QSerialPort::OpenError)
        return device + ": " + std::strerror(EBUSY) + " (another program is using the port).";
#endif
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return device + ": no such device.";
    case QSerialPort::PermissionError:
        return device + ": permission denied or the port is in use.";
    default:
        return device + ": the port could not be opened.";
    }
}

QtSerialLink::QtSerialLink() = default;

QtSerialLink::~QtSerialLink()
{
    close();
}

LinkResult QtSerialLink::open(const std::string& device)
{
    close();
    device_ = device;
    port_.setPortName(QString::fromStdString(device));
#ifdef Q_OS_UNIX
    port_.setFlowControl(currentFlowControl(device));
#endif
    port_.setBaudRate(9600);
    if (!port_.open(QIODevice::ReadWrite))
        return {LinkStatus::OpenFailed, openFailureReason(device, port_.error())};
#ifdef Q_OS_UNIX
    ::ioctl(port_.handle(), TIOCEXCL);
#endif
#ifdef Q_OS_LINUX
    // A 1 ms pause would otherwise end up to 50 microseconds late, and a wait for a
    // reply wake up as late.
    savedTimerSlack_ = ::prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0);
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
#endif
    lineFree_ = Clock::now();
    return {};
}

void QtSerialLink::configure(const LineSettings& line, const TimeBudgets& budgets)
{
    budgets_ = budgets;
    // A start bit, the data bits, the parity bit and the stop bits.
    const int bits = 1 + line.dataBits + (line.parity ? 1 : 0) + line.stopBits;
    byteTime_ = std::chrono::duration_cast<Clock::duration>(
        std::chrono::nanoseconds(1000000000LL * bits / std::max(line.baudRate, 1)));
    port_.setBaudRate(line.baudRate);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(line.parity ? QSerialPort::EvenParity : QSerialPort::NoParity);
    port_.setStopBits(line.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    port_.setReadBufferSize(0);
}

void QtSerialLink::purgeAll()
{
    lastWasWrite_ = false;
    if (port_.isOpen())
        port_.clear(QSerialPort::AllDirections);
}

void QtSerialLink::clearBuffers()
{
    if (!port_.isOpen())
        return;
    // What was written must reach the line before the buffers are emptied.
    if (port_.bytesToWrite() > 0)
        port_.waitForBytesWritten(budgets_.writeTotal(static_cast<std::size_t>(port_.bytesToWrite())));
#ifdef Q_OS_UNIX
    ::tcdrain(port_.handle());
#endif
    // Once drained, the transmit side holds nothing of ours. Discarding it anyway
    // would, on a pseudo-terminal, throw away bytes the far end has not yet taken.
    if (!lastWasWrite_) {
        port_.clear(QSerialPort::Input);
        return;
    }
    // A clearing right after a write is meant for what came before that write had gone out.
    // What has come so far is taken in first and judged by the time after: if this thread got
    // here later than the radio could answer (one byte time after the write), it may be the
    // answer and is kept, as a busy machine would otherwise turn a healthy handshake into a
    // Communication Error. What comes after the look stays with the system for the next read.
    port_.clearError();
    port_.waitForReadyRead(0);
    if (Clock::now() <= lineFree_ + byteTime_)
        port_.readAll();
}

bool QtSerialLink::lineLost() const
{
    const auto e = port_.error();
    return e == QSerialPort::ResourceError || e == QSerialPort::ReadError || e == QSerialPort::WriteError ||
           !port_.isOpen();
}

std::string QtSerialLink::errorReason() const
{
    // A line that fails once open has lost the radio: the system's words for it (whatever
    // call saw it last, "Inappropriate ioctl for device", "Input/output error") say nothing
    // to the user.
    return device_ + ": the radio or the cable stopped answering (the line was lost)";
}

ReadResult QtSerialLink::read(std::size_t count)
{
    return readWithin(count, budgets_.readTotal(count));
}

ReadResult QtSerialLink::readSoon(std::size_t count, int windowMs)
{
    // The window opens once the bytes written before the read have had their time on the line.
    const auto untilFree = std::chrono::ceil<std::chrono::milliseconds>(
        std::max(lineFree_ - Clock::now(), Clock::duration::zero()));
    return readWithin(count, std::min<qint64>(budgets_.readTotal(count), untilFree.count() + windowMs));
}

ReadResult QtSerialLink::readWithin(std::size_t count, qint64 totalMs)
{
    lastWasWrite_ = false;
    ReadResult result;
    if (!port_.isOpen()) {
        result.status = LinkStatus::IoError;
        result.reason = device_ + ": the port is not open";
        return result;
    }
    QElapsedTimer clock;
    clock.start();
    const qint64 total = totalMs;
    qint64 lastByteAt = -1;
    bool lastLook = false;
    while (result.bytes.size() < count) {
        if (port_.bytesAvailable() > 0) {
            const QByteArray got = port_.read(static_cast<qint64>(count - result.bytes.size()));
            if (!got.isEmpty()) {
                result.bytes.insert(result.bytes.end(), got.begin(), got.end());
                lastByteAt = clock.elapsed();
                continue;
            }
        }
        qint64 wait = total - clock.elapsed();
        if (lastByteAt >= 0)
            wait = std::min(wait, budgets_.readInterval - (clock.elapsed() - lastByteAt));
        if (wait <= 0) {
            // Bytes the system took in time count even when this thread woke up late.
            if (lastLook)
                break;
            lastLook = true;
            port_.clearError();
            port_.waitForReadyRead(0);
            continue;
        }
        port_.clearError();
        if (!port_.waitForReadyRead(static_cast<int>(wait))) {
            if (port_.error() == QSerialPort::TimeoutError || port_.error() == QSerialPort::NoError)
                continue; // the budget decides at the top of the loop
            if (lineLost()) {
                result.status = LinkStatus::IoError;
                result.reason = errorReason();
                return result;
            }
        }
    }
    result.status = result.bytes.size() == count ? LinkStatus::Ok : LinkStatus::Timeout;
    return result;
}

LinkResult QtSerialLink::write(const Bytes& bytes)
{
    if (!port_.isOpen())
        return {LinkStatus::IoError, device_ + ": the port is not open"};
#ifdef Q_OS_UNIX
    // Straight to the driver: the serial port object's buffer would add a wake-up of its own
    // to every write, and the radio waits for each of them.
    QElapsedTimer clock;
    clock.start();
    const qint64 budget = budgets_.writeTotal(bytes.size());
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(port_.handle(), bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return {LinkStatus::IoError, errorReason()};
        const qint64 left = budget - clock.elapsed();
        if (left <= 0)
            return {LinkStatus::Timeout, device_ + ": the bytes did not go out in time"};
        pollfd ready{port_.handle(), POLLOUT, 0};
        ::poll(&ready, 1, static_cast<int>(left)); // a hang-up shows in the next write
    }
#else
    port_.clearError();
    const qint64 n =
        port_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    if (n < 0 || (n < static_cast<qint64>(bytes.size()) && lineLost()))
        return {LinkStatus::IoError, errorReason()};
    if (!port_.waitForBytesWritten(budgets_.writeTotal(bytes.size()))) {
        if (lineLost())
            return {LinkStatus::IoError, errorReason()};
        if (port_.bytesToWrite() > 0)
            return {LinkStatus::Timeout, device_ + ": the bytes did not go out in time"};
    }
#endif
    lineFree_ = std::max(lineFree_, Clock::now()) + byteTime_ * static_cast<int>(bytes.size());
    lastWasWrite_ = true;
    return {};
}

void QtSerialLink::close()
{
    if (!port_.isOpen())
        return;
#ifdef Q_OS_UNIX
    ::ioctl(port_.handle(), TIOCNXCL);
#endif
    port_.close();
#ifdef Q_OS_LINUX
    if (savedTimerSlack_ > 0)
        ::prctl(PR_SET_TIMERSLACK, static_cast<unsigned long>(savedTimerSlack_), 0, 0, 0);
    savedTimerSlack_ = -1;
#endif
}

bool QtSerialLink::isOpen() const
{
    return port_.isOpen();
}

void QtSerialLink::pause(int milliseconds)
{
    // The radio sees the pause between the last byte before it and the first one after: it
    // starts once those bytes have had their time on the line (a pseudo-terminal takes them
    // at once), or later when the driver still holds some, which a real port then drains
    // first. Draining an empty queue would only add the driver's own wake-up to every pause.
    lastWasWrite_ = false;
#ifdef Q_OS_UNIX
    int queued = 0;
    if (port_.isOpen() && ::ioctl(port_.handle(), TIOCOUTQ, &queued) == 0 && queued > 0)
        ::tcdrain(port_.handle());
#endif
    sleepUntil(std::max(lineFree_, Clock::now()) + std::chrono::milliseconds(milliseconds));
}

void QtSerialLink::sleepUntil(Clock::time_point until)
{
#ifdef Q_OS_LINUX
    // One absolute wake-up on the clock steady_clock reads: a relative sleep would add the
    // time between reading the clock and falling asleep, and again after each interruption.
    // The wake-up comes a little early and the rest is waited out on the clock: a thread
    // wakes up to some tens of microseconds late, and a transfer has a hundred pauses.
    constexpr auto kEarly = std::chrono::microseconds(100);
    const Clock::time_point wake = until - kEarly;
    const auto since = wake.time_since_epoch();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(since);
    timespec at{};
    at.tv_sec = static_cast<time_t>(seconds.count());
    at.tv_nsec =
        static_cast<long>(std::chrono::duration_cast<std::chrono::nanoseconds>(since - seconds).count());
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
    while (Clock::now() < until) {
    }
#else
    std::this_thread::sleep_until(until);
#endif
}

bool QtSerialLink::probe(const std::string& device)
{
    QtSerialLink link;
    const bool opened = link.open(device).ok();
    link.close();
    return opened;
}

} // namespace qx260::link
