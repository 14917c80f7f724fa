// LoggingSerialLink: every call passed on to the real link and written to the log with the
// time since the port was opened.

#include "core/link/WireLog.h"

#include <charconv>

namespace qx260::link
{

std::string hexBytes(const Bytes& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (std::uint8_t b : bytes) {
        if (!text.empty())
            text += ' ';
        text += digits[b >> 4];
        text += digits[b & 0x0F];
    }
    return text;
}

LoggingSerialLink::LoggingSerialLink(SerialLink& inner, Sink sink)
    : inner_(inner), sink_(std::move(sink)), start_(std::chrono::steady_clock::now())
{
}

void LoggingSerialLink::log(const std::string& text)
{
    if (!sink_)
        return;
    const auto micros =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start_)
            .count();
    // Milliseconds with three decimals, independent of any locale.
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, micros / 1000);
    std::string stamp(buffer, end);
    std::string fraction = std::to_string(micros % 1000);
    stamp += '.' + std::string(3 - fraction.size(), '0') + fraction;
    if (stamp.size() < 10)
        stamp.insert(0, 10 - stamp.size(), ' ');
    (void)ec;
    sink_(stamp + ' ' + text);
}

LinkResult LoggingSerialLink::open(const std::string& device)
{
    start_ = std::chrono::steady_clock::now();
    LinkResult result = inner_.open(device);
    log("open " + device + (result.ok() ? std::string() : " failed: " + result.reason));
    return result;
}

void LoggingSerialLink::configure(const LineSettings& line, const TimeBudgets& budgets)
{
    inner_.configure(line, budgets);
    log("configure " + std::to_string(line.baudRate) + " 8N1");
}

void LoggingSerialLink::purgeAll()
{
    inner_.purgeAll();
    log("purge");
}

void LoggingSerialLink::clearBuffers()
{
    inner_.clearBuffers();
}

ReadResult LoggingSerialLink::read(std::size_t count)
{
    ReadResult result = inner_.read(count);
    logRead(result, count);
    return result;
}

ReadResult LoggingSerialLink::readSoon(std::size_t count, int windowMs)
{
    ReadResult result = inner_.readSoon(count, windowMs);
    logRead(result, count);
    return result;
}

void LoggingSerialLink::logRead(const ReadResult& result, std::size_t count)
{
    std::string line = "< " + hexBytes(result.bytes);
    if (result.status != LinkStatus::Ok)
        line += std::string(result.bytes.empty() ? "" : " ") + "(" + std::to_string(result.bytes.size()) +
                " of " + std::to_string(count) + ", " + linkStatusName(result.status) +
                (result.reason.empty() ? std::string() : ": " + result.reason) + ")";
    log(line);
}

LinkResult LoggingSerialLink::write(const Bytes& bytes)
{
    LinkResult result = inner_.write(bytes);
    std::string line = "> " + hexBytes(bytes);
    if (!result.ok())
        line += std::string(" (") + linkStatusName(result.status) +
                (result.reason.empty() ? std::string() : ": " + result.reason) + ")";
    log(line);
    return result;
}

void LoggingSerialLink::close()
{
    if (inner_.isOpen())
        log("close");
    inner_.close();
}

bool LoggingSerialLink::isOpen() const
{
    return inner_.isOpen();
}

void LoggingSerialLink::pause(int milliseconds)
{
    inner_.pause(milliseconds);
}

} // namespace qx260::link
