// A channel's values, their stored forms, and the codec between the image and the channels.

#include "core/channels/Channel.h"

#include <algorithm>

#include "core/radio/Tones.h"

namespace qx260
{

namespace
{

constexpr std::uint8_t kBusyLockBits = 0x18;
constexpr std::uint8_t kCarrierBit = 0x08;
constexpr std::uint8_t kQtDqtBit = 0x10;
constexpr std::uint8_t kWideBit = 0x10;
constexpr std::uint8_t kHighPowerBit = 0x20;
constexpr std::uint32_t kLargestFrequency = 99999999; // eight digits

FrequencyWord wordAt(const RadioImage& image, int n, int k)
{
    FrequencyWord word{};
    for (std::size_t i = 0; i < word.size(); ++i)
        word[i] = image.channelByte(n, k + static_cast<int>(i));
    return word;
}

std::uint8_t busyLockBits(BusyLock lock, std::uint8_t storedByte)
{
    switch (lock) {
    case BusyLock::Off:
        return 0;
    case BusyLock::Carrier:
        return kCarrierBit;
    case BusyLock::QtDqt:
        break;
    }
    // Both bits mean QT/DQT too; a channel stored so stays so.
    return (storedByte & kBusyLockBits) == kBusyLockBits ? kBusyLockBits : kQtDqtBit;
}

} // namespace

std::optional<ChannelField> fieldOfColumn(int col)
{
    if (col < columnOf(ChannelField::RxFrequency) || col > columnOf(ChannelField::Power))
        return std::nullopt;
    return static_cast<ChannelField>(col);
}

bool isFrequencyField(ChannelField field)
{
    return field == ChannelField::RxFrequency || field == ChannelField::TxFrequency;
}

bool isToneField(ChannelField field)
{
    return field == ChannelField::DecodeTone || field == ChannelField::EncodeTone;
}

Frequency Frequency::ofUnits(std::uint32_t units)
{
    Frequency f;
    if (units > 0 && units <= kLargestFrequency)
        writeFrequencyWord(f.word_.data(), units);
    return f;
}

bool Frequency::empty() const
{
    return word_[3] == 0xFF || word_[3] == 0x00;
}

bool Frequency::showable() const
{
    return !empty() && std::all_of(word_.begin(), word_.end(),
                                   [](std::uint8_t b) { return (b >> 4) <= 9 && (b & 0x0F) <= 9; });
}

std::optional<std::uint32_t> Frequency::units() const
{
    return readFrequencyWord(word_.data());
}

Tone Tone::analogue(std::uint16_t tenths)
{
    return Tone({static_cast<std::uint8_t>(tenths & 0xFF), static_cast<std::uint8_t>(tenths >> 8)});
}

Tone Tone::code(int codeNumber, bool inverted)
{
    const bool bit8 = codeNumber >= 372;
    const std::uint8_t high = static_cast<std::uint8_t>((inverted ? 0xA8 : 0x28) | (bit8 ? 1 : 0));
    const std::uint8_t low = codeNumber >= 0 && codeNumber <= 999 ? codeToStoredLowByte(codeNumber) : 0;
    return Tone({low, high});
}

Tone::Kind Tone::kind() const
{
    switch (word_.high) {
    case 0xFF:
    case 0x00:
        return Kind::None;
    case 0x28:
    case 0x29:
        return Kind::NormalCode;
    case 0xA8:
    case 0xA9:
        return Kind::InvertedCode;
    default:
        return Kind::Analogue;
    }
}

std::uint16_t Tone::tenths() const
{
    return static_cast<std::uint16_t>(word_.high * 256 + word_.low);
}

int Tone::codeNumber() const
{
    return storedValueToCode(word_.low, (word_.high & 1) != 0);
}

std::array<std::uint8_t, kChannelRecordSize> Channel::record() const
{
    std::array<std::uint8_t, kChannelRecordSize> bytes{};
    std::copy(rx.word().begin(), rx.word().end(), bytes.begin() + field::RxFrequency);
    std::copy(tx.word().begin(), tx.word().end(), bytes.begin() + field::TxFrequency);
    bytes[field::DecodeTone] = decodeTone.word().low;
    bytes[field::DecodeTone + 1] = decodeTone.word().high;
    bytes[field::EncodeTone] = encodeTone.word().low;
    bytes[field::EncodeTone + 1] = encodeTone.word().high;
    bytes[field::BusyLock] = static_cast<std::uint8_t>((stored.busyLockByte & ~kBusyLockBits) |
                                                       busyLockBits(busyLock, stored.busyLockByte));
    std::uint8_t flags = stored.bandwidthPowerByte & ~(kWideBit | kHighPowerBit);
    if (bandwidth == Bandwidth::Wide)
        flags |= kWideBit;
    if (power == Power::High)
        flags |= kHighPowerBit;
    bytes[field::BandwidthPower] = flags;
    bytes[14] = stored.tail[0];
    bytes[15] = stored.tail[1];
    return bytes;
}

Channel erasedChannel(const Channel& channel)
{
    Channel erased;
    erased.stored = channel.stored;
    // An erased channel's busy lock is stored as QT/DQT with one bit, as any that is set.
    erased.stored.busyLockByte =
        static_cast<std::uint8_t>((channel.stored.busyLockByte & ~kBusyLockBits) | kQtDqtBit);
    return erased;
}

bool hiddenByVariant(ChannelField field, int radioVariant)
{
    if (radioVariant == 1)
        return field == ChannelField::TxFrequency || field == ChannelField::EncodeTone;
    if (radioVariant == 2)
        return field == ChannelField::RxFrequency || field == ChannelField::DecodeTone ||
               field == ChannelField::Scan;
    return false;
}

bool shownEmpty(const Channel& channel, int radioVariant)
{
    switch (radioVariant) {
    case 1:
        return channel.rx.empty();
    case 2:
        return channel.tx.empty();
    default:
        return channel.rx.empty() && channel.tx.empty();
    }
}

Channel decodeChannel(const RadioImage& image, int n)
{
    Channel c;
    c.rx = Frequency::fromWord(wordAt(image, n, field::RxFrequency));
    c.tx = Frequency::fromWord(wordAt(image, n, field::TxFrequency));
    c.decodeTone = Tone::fromWord(image.decodeTone(n));
    c.encodeTone = Tone::fromWord(image.encodeTone(n));
    c.bandwidth = image.wide(n) ? Bandwidth::Wide : Bandwidth::Narrow;
    c.scan = image.scan(n);
    c.busyLock = image.busyLock(n);
    c.power = image.highPower(n) ? Power::High : Power::Low;
    c.stored.busyLockByte = image.channelByte(n, field::BusyLock);
    c.stored.bandwidthPowerByte = image.channelByte(n, field::BandwidthPower);
    c.stored.tail = {image.channelByte(n, 14), image.channelByte(n, 15)};
    return c;
}

void encodeChannel(const Channel& channel, RadioImage& image, int n)
{
    const auto bytes = channel.record();
    for (int k = 0; k < kChannelRecordSize; ++k)
        image.setChannelByte(n, k, bytes[static_cast<std::size_t>(k)]);
    image.setScan(n, channel.scan);
}

ChannelList decodeChannels(const RadioImage& image)
{
    ChannelList list;
    for (int n = 1; n <= kChannelCount; ++n)
        list.channel(n) = decodeChannel(image, n);
    return list;
}

void encodeChannels(const ChannelList& channels, RadioImage& image)
{
    for (int n = 1; n <= kChannelCount; ++n)
        encodeChannel(channels.channel(n), image, n);
}

} // namespace qx260
