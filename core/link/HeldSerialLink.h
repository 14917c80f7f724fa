#pragma once
// A port kept open across several sessions with the radio. The engine opens the port at
// the start of every session and closes it at every ending; through this link the first
// open reaches the port and the closes in between do not, so that a Read, a Write and a
// second Read can follow one another on one open line (the radio goes back to waiting for
// a handshake after each session). release() closes the port for good.

#include "core/link/SerialLink.h"

namespace qx260::link
{

class HeldSerialLink : public SerialLink
{
  public:
    explicit HeldSerialLink(SerialLink& inner) : inner_(inner) {}
    ~HeldSerialLink() override { release(); }
    HeldSerialLink(const HeldSerialLink&) = delete;
    HeldSerialLink& operator=(const HeldSerialLink&) = delete;

    // The first open opens the port; later ones find it open and succeed.
    LinkResult open(const std::string& device) override;
    void configure(const LineSettings& line, const TimeBudgets& budgets) override;
    void purgeAll() override;
    void clearBuffers() override;
    ReadResult read(std::size_t count) override;
    LinkResult write(const Bytes& bytes) override;
    // Leaves the port open for the next session.
    void close() override {}
    bool isOpen() const override;
    void pause(int milliseconds) override;

    // Closes the port (when it is open).
    void release();

  private:
    SerialLink& inner_;
};

} // namespace qx260::link
