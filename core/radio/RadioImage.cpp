// The fields of the 1024-byte image read and written: BCD frequency words, tone words, the
// per-channel flag bits, the scan bits and the transmit delay, and a new radio's defaults.

#include "core/radio/RadioImage.h"

#include <stdexcept>

namespace qx260
{

std::optional<std::uint32_t> readFrequencyWord(const std::uint8_t* word)
{
    if (word[3] == 0xFF || word[3] == 0x00)
        return std::nullopt;
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        // Nibbles above 9 are taken as they are, as the radio does.
        value = value * 100 + (word[i] >> 4) * 10 + (word[i] & 0x0F);
    }
    return value;
}

void writeFrequencyWord(std::uint8_t* word, std::uint32_t value)
{
    if (value == 0) {
        for (int i = 0; i < 4; ++i)
            word[i] = 0xFF;
        return;
    }
    std::uint32_t divisor = 1000000;
    for (int i = 3; i >= 0; --i) {
        const std::uint32_t pair = value / divisor;
        value %= divisor;
        word[i] = static_cast<std::uint8_t>((pair / 10) * 16 + pair % 10);
        divisor /= 100;
    }
}

RadioImage::RadioImage()
{
    bytes_.fill(0xFF);
}

RadioImage RadioImage::newImage()
{
    RadioImage image;
    static constexpr struct {
        std::size_t offset;
        std::uint8_t value;
    } defaults[] = {
        {offset::SideKey, 0x00},       {offset::VoiceAnnunciation, 0x00}, {offset::TimeOutTime, 0x28},
        {offset::SquelchLevel, 0x04},  {offset::BatterySaver, 0x00},      {offset::Beep, 0x00},
        {offset::Vox, 0x00},           {offset::VoxGainLevel, 0x05},      {offset::VoxDelayTime, 0x00},
        {offset::TransmitDelay, 0x00}, {offset::TransmitDelay + 1, 0x00}, {offset::PriorityChannel, 0x00},
        {offset::ProductType, 0x00},   {offset::BandIndex, 0x02},         {0x3F1, 0x03},
    };
    for (const auto& d : defaults)
        image.setByte(d.offset, d.value);
    return image;
}

std::size_t RadioImage::channelOffset(int n, int k)
{
    if (n < 1 || n > kChannelCount || k < 0 || k >= kChannelRecordSize)
        throw std::out_of_range("channel field out of range");
    return static_cast<std::size_t>(n) * kChannelRecordSize + static_cast<std::size_t>(k);
}

std::optional<std::uint32_t> RadioImage::rxFrequency(int n) const
{
    return readFrequencyWord(&bytes_[channelOffset(n, field::RxFrequency)]);
}

std::optional<std::uint32_t> RadioImage::txFrequency(int n) const
{
    return readFrequencyWord(&bytes_[channelOffset(n, field::TxFrequency)]);
}

void RadioImage::setRxFrequency(int n, std::uint32_t value)
{
    writeFrequencyWord(&bytes_[channelOffset(n, field::RxFrequency)], value);
}

void RadioImage::setTxFrequency(int n, std::uint32_t value)
{
    writeFrequencyWord(&bytes_[channelOffset(n, field::TxFrequency)], value);
}

ToneWord RadioImage::decodeTone(int n) const
{
    return {channelByte(n, field::DecodeTone), channelByte(n, field::DecodeTone + 1)};
}

ToneWord RadioImage::encodeTone(int n) const
{
    return {channelByte(n, field::EncodeTone), channelByte(n, field::EncodeTone + 1)};
}

void RadioImage::setDecodeTone(int n, ToneWord w)
{
    setChannelByte(n, field::DecodeTone, w.low);
    setChannelByte(n, field::DecodeTone + 1, w.high);
}

void RadioImage::setEncodeTone(int n, ToneWord w)
{
    setChannelByte(n, field::EncodeTone, w.low);
    setChannelByte(n, field::EncodeTone + 1, w.high);
}

bool RadioImage::bit(std::size_t offset, int bit) const
{
    return (bytes_.at(offset) >> bit) & 1;
}

void RadioImage::setBit(std::size_t offset, int bit, bool on)
{
    const auto mask = static_cast<std::uint8_t>(1u << bit);
    std::uint8_t& b = bytes_.at(offset);
    b = on ? static_cast<std::uint8_t>(b | mask) : static_cast<std::uint8_t>(b & ~mask);
}

BusyLock RadioImage::busyLock(int n) const
{
    switch ((channelByte(n, field::BusyLock) >> 3) & 0x03) {
    case 0:
        return BusyLock::Off;
    case 1:
        return BusyLock::Carrier;
    default:
        return BusyLock::QtDqt; // 10, and 11 which is never written
    }
}

void RadioImage::setBusyLock(int n, BusyLock lock)
{
    std::uint8_t b = channelByte(n, field::BusyLock) & static_cast<std::uint8_t>(~0x18);
    if (lock == BusyLock::Carrier)
        b |= 0x08;
    else if (lock == BusyLock::QtDqt)
        b |= 0x10;
    setChannelByte(n, field::BusyLock, b);
}

bool RadioImage::wide(int n) const
{
    return bit(channelOffset(n, field::BandwidthPower), 4);
}

void RadioImage::setWide(int n, bool wide)
{
    setBit(channelOffset(n, field::BandwidthPower), 4, wide);
}

bool RadioImage::highPower(int n) const
{
    return bit(channelOffset(n, field::BandwidthPower), 5);
}

void RadioImage::setHighPower(int n, bool high)
{
    setBit(channelOffset(n, field::BandwidthPower), 5, high);
}

namespace
{
std::size_t scanByte(int n)
{
    if (n < 1 || n > kChannelCount)
        throw std::out_of_range("channel out of range");
    return offset::ScanBitmap + static_cast<std::size_t>(n - 1) / 8;
}
} // namespace

bool RadioImage::scan(int n) const
{
    return bit(scanByte(n), (n - 1) % 8);
}

void RadioImage::setScan(int n, bool on)
{
    setBit(scanByte(n), (n - 1) % 8, on);
}

std::uint16_t RadioImage::transmitDelay() const
{
    return static_cast<std::uint16_t>(bytes_[offset::TransmitDelay] |
                                      (bytes_[offset::TransmitDelay + 1] << 8));
}

void RadioImage::setTransmitDelay(std::uint16_t tenths)
{
    bytes_[offset::TransmitDelay] = static_cast<std::uint8_t>(tenths & 0xFF);
    bytes_[offset::TransmitDelay + 1] = static_cast<std::uint8_t>(tenths >> 8);
}

} // namespace qx260
