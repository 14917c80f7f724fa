#pragma once
// A SerialLink that writes every exchange to a log line by line (hexadecimal
// bytes with the milliseconds since the port was opened) and passes it on.

#include <chrono>
#include <functional>
#include <string>

#include "core/link/SerialLink.h"

namespace qx260::link
{

class LoggingSerialLink : public SerialLink
{
  public:
    using Sink = std::function<void(const std::string& line)>;
    LoggingSerialLink(SerialLink& inner, Sink sink);

    LinkResult open(const std::string& device) override;
    void configure(const LineSettings& line, const TimeBudgets& budgets) override;
    void purgeAll() override;
    void clearBuffers() override;
    ReadResult read(std::size_t count) override;
    ReadResult readSoon(std::size_t count, int windowMs) override;
    LinkResult write(const Bytes& bytes) override;
    void close() override;
    bool isOpen() const override;
    void pause(int milliseconds) override;

  private:
    void log(const std::string& text);
    void logRead(const ReadResult& result, std::size_t count);

    SerialLink& inner_;
    Sink sink_;
    std::chrono::steady_clock::time_point start_;
};

// "02 50 52" (upper-case pairs separated by spaces).
std::string hexBytes(const Bytes& bytes);

} // namespace qx260::link
