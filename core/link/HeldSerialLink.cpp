// Forwards everything to the port except the closes between sessions.

#include "core/link/HeldSerialLink.h"

namespace qx260::link
{

LinkResult HeldSerialLink::open(const std::string& device)
{
    if (inner_.isOpen())
        return {};
    return inner_.open(device);
}

void HeldSerialLink::configure(const LineSettings& line, const TimeBudgets& budgets)
{
    inner_.configure(line, budgets);
}

void HeldSerialLink::purgeAll()
{
    inner_.purgeAll();
}

void HeldSerialLink::clearBuffers()
{
    inner_.clearBuffers();
}

ReadResult HeldSerialLink::read(std::size_t count)
{
    return inner_.read(count);
}

LinkResult HeldSerialLink::write(const Bytes& bytes)
{
    return inner_.write(bytes);
}

bool HeldSerialLink::isOpen() const
{
    return inner_.isOpen();
}

void HeldSerialLink::pause(int milliseconds)
{
    inner_.pause(milliseconds);
}

void HeldSerialLink::release()
{
    if (inner_.isOpen())
        inner_.close();
}

} // namespace qx260::link
