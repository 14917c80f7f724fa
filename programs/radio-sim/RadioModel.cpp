// The radio model's state machine: the memory a new radio holds, document files to memory
// and back, the handshake and identification reply, the read and write frames of each
// 8-byte block, and the faults a test can switch on.

#include "programs/radio-sim/RadioModel.h"

#include "core/radio/RadioImage.h"

#include <algorithm>
#include <cstring>

namespace qx260::sim
{

namespace
{
constexpr std::uint8_t kStx = 0x02;
constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kNak = 0x15;
constexpr std::uint8_t kHandshake[8] = {0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};
constexpr std::uint8_t kLateAnswer = 0x06;
constexpr std::size_t kTransferEnd = 0x330;
constexpr int kAckTurnaroundMs = 2; // the radio needs a moment before it confirms the handshake

// Eight packed BCD digits, least significant pair first (frequency in 10 Hz units).
void putFrequency(Memory& m, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        const unsigned pair = value % 100;
        value /= 100;
        m[at + i] = static_cast<std::uint8_t>(((pair / 10) << 4) | (pair % 10));
    }
}
} // namespace

RadioModel::RadioModel() : memory(freshMemory()) {}

Memory RadioModel::freshMemory()
{
    // The options as they leave the factory (those of a new document), the first band.
    Memory m;
    const RadioImage factory = RadioImage::newImage();
    std::copy(factory.bytes().begin(), factory.bytes().end(), m.begin());
    m[offset::BandIndex] = 0;
    const std::uint32_t channels[] = {14550000, 14600000, 15212500};
    for (std::size_t i = 0; i < std::size(channels); ++i) {
        const std::size_t at = 16 * (i + 1); // channels 1.. are records 1..
        putFrequency(m, at, channels[i]);
        putFrequency(m, at + 4, channels[i]);
        m[at + 12] = 0xE7; // busy lock off
    }
    return m;
}

std::optional<Memory> RadioModel::fromDocument(const Bytes& file)
{
    if (file.size() != 16 + kMemorySize || std::memcmp(file.data(), "Q9F2", 4) != 0)
        return std::nullopt;
    Memory m;
    std::memcpy(m.data(), file.data() + 16, kMemorySize);
    return m;
}

Bytes RadioModel::toDocument(const Memory& memory)
{
    Bytes file(16 + kMemorySize, 0);
    const char magic[] = "Q9F2";
    std::copy(magic, magic + 4, file.begin());
    std::copy(memory.begin(), memory.end(), file.begin() + 16);
    return file;
}

Bytes RadioModel::identificationReply() const
{
    if (faults.identReply)
        return *faults.identReply;
    Bytes reply = {
        'P', static_cast<std::uint8_t>(identity.model), '2', '0', '7', 0x00, 0x00, identity.variantByte};
    if (faults.shortIdent >= 0 && static_cast<std::size_t>(faults.shortIdent) < reply.size())
        reply.resize(static_cast<std::size_t>(faults.shortIdent));
    return reply;
}

Reply RadioModel::idleByte(std::uint8_t byte)
{
    Reply reply;
    if (byte == kHandshake[matched_])
        ++matched_;
    else
        matched_ = byte == kStx ? 1 : 0;
    if (faults.echoHandshake && matched_ > 0)
        reply.bytes.push_back(byte);
    if (matched_ == 8 && faults.unansweredHandshakes > 0) {
        --faults.unansweredHandshakes; // as if the radio were still off
        matched_ = 0;
        state_ = State::Idle;
    } else if (matched_ == 8) {
        matched_ = 0;
        state_ = State::AwaitIdentRequest;
        if (!faults.echoHandshake)
            reply.bytes.push_back(kLateAnswer);
    } else {
        state_ = State::Idle;
    }
    return reply;
}

Reply RadioModel::receive(std::uint8_t byte)
{
    if (faults.silent)
        return {};
    Reply reply;
    switch (state_) {
    case State::Idle:
        return idleByte(byte);
    case State::AwaitIdentRequest:
        if (byte != kStx)
            return idleByte(byte);
        if (faults.echoIdentRequest)
            reply.bytes.push_back(byte);
        for (std::uint8_t b : identificationReply())
            reply.bytes.push_back(b);
        state_ = State::AwaitHandshakeAck;
        return reply;
    case State::AwaitHandshakeAck:
        if (byte != kAck) {
            state_ = State::Idle;
            return idleByte(byte);
        }
        reply.delayMs = kAckTurnaroundMs;
        if (faults.badHandshakeAcks > 0) {
            --faults.badHandshakeAcks;
            state_ = State::Idle;
            reply.bytes.push_back(kNak);
            return reply;
        }
        ++handshakes;
        state_ = State::Programming;
        reply.bytes.push_back(kAck);
        return reply;
    case State::Programming:
        if (byte == 'R' || byte == 'W') {
            frame_.assign(1, byte);
            state_ = State::Frame;
        } else if (byte == kStx) {
            matched_ = 1; // a new handshake begins
            state_ = State::Idle;
        }
        return reply;
    case State::Frame:
        frame_.push_back(byte);
        if (frame_.size() < 4)
            return reply;
        return completeFrame();
    case State::WriteData:
        data_.push_back(byte);
        if (data_.size() < 8)
            return reply;
        state_ = State::Programming;
        if (address_ / 8 == faults.wrongWriteAckAt) {
            reply.bytes.push_back(kNak);
            return reply;
        }
        if (address_ / 8 == faults.corruptWriteAt)
            data_[0] = static_cast<std::uint8_t>(~data_[0]);
        if (address_ + 8u <= kTransferEnd) {
            if (!std::equal(data_.begin(), data_.end(), memory.begin() + address_))
                memoryChanged = true;
            std::copy(data_.begin(), data_.end(), memory.begin() + address_);
        }
        writeAddresses.push_back(address_);
        reply.bytes.push_back(kAck);
        return reply;
    case State::AwaitReadAck:
        state_ = State::Programming;
        if (byte != kAck)
            return reply;
        reply.bytes.push_back(address_ / 8 == faults.wrongReadAckAt ? kNak : kAck);
        return reply;
    }
    return reply;
}

Reply RadioModel::completeFrame()
{
    Reply reply;
    address_ = static_cast<std::uint16_t>((frame_[1] << 8) | frame_[2]);
    const bool inRange = frame_[3] == 8 && address_ + 8u <= kMemorySize;
    if (address_ / 8 == faults.dropAt) {
        reply.hangUp = true;
        state_ = State::Programming;
        return reply;
    }
    if (!inRange) {
        state_ = State::Programming;
        return reply;
    }
    if (frame_[0] == 'W') {
        data_.clear();
        state_ = State::WriteData;
        return reply;
    }
    readAddresses.push_back(address_);
    reply.bytes = frame_; // the four bytes before the data are not looked at
    reply.bytes.insert(reply.bytes.end(), memory.begin() + address_, memory.begin() + address_ + 8);
    if (address_ / 8 == faults.shortReadAt)
        reply.bytes.resize(7);
    if (address_ / 8 == faults.gapAt) {
        reply.gapAfter = 6;
        reply.gapMs = faults.gapMs;
    }
    state_ = State::AwaitReadAck;
    return reply;
}

} // namespace qx260::sim
