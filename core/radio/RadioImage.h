#pragma once
// The radio's 1024-byte configuration memory, as held by a document.
// Image offset and radio memory address are the same number; multi-byte
// values are stored least significant byte first.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace qx260
{

constexpr std::size_t kImageSize = 1024;
constexpr int kChannelCount = 16;
constexpr int kChannelRecordSize = 16;

// Offsets of the radio-wide bytes.
namespace offset
{
constexpr std::size_t SideKey = 0x11D;
constexpr std::size_t VoiceAnnunciation = 0x12F;
constexpr std::size_t TimeOutTime = 0x130;
constexpr std::size_t SquelchLevel = 0x134;
constexpr std::size_t BatterySaver = 0x135;
constexpr std::size_t Beep = 0x136;
constexpr std::size_t Vox = 0x139;
constexpr std::size_t VoxGainLevel = 0x13A;
constexpr std::size_t VoxDelayTime = 0x13B;
constexpr std::size_t TransmitDelay = 0x13C; // 16-bit, low byte first
constexpr std::size_t PriorityChannel = 0x161;
constexpr std::size_t ScanBitmap = 0x17E; // two bytes, channel 1 = bit 0 of 0x17E
constexpr std::size_t ProductType = 0x32E;
constexpr std::size_t BandIndex = 0x32F;
constexpr std::size_t TransferEnd = 0x330; // bytes from here on never travel to or from the radio
} // namespace offset

// Byte positions inside a channel record.
namespace field
{
constexpr int RxFrequency = 0;     // 4-byte frequency word
constexpr int TxFrequency = 4;     // 4-byte frequency word
constexpr int DecodeTone = 8;      // 2-byte tone word
constexpr int EncodeTone = 10;     // 2-byte tone word
constexpr int BusyLock = 12;       // bits 4-3
constexpr int BandwidthPower = 13; // bit 4 wide, bit 5 high power
} // namespace field

// Two bytes as stored: low first, then high.
struct ToneWord {
    std::uint8_t low = 0xFF;
    std::uint8_t high = 0xFF;
    friend bool operator==(const ToneWord&, const ToneWord&) = default;
};

enum class BusyLock { Off = 0, Carrier = 1, QtDqt = 2 };

// Frequency words: eight packed BCD digits in 10 Hz units, least significant pair first.
// Empty when the last byte is 0xFF or 0x00; an empty word is written as four 0xFF.
std::optional<std::uint32_t> readFrequencyWord(const std::uint8_t* word);
void writeFrequencyWord(std::uint8_t* word, std::uint32_t value); // 0 writes the empty word

class RadioImage
{
  public:
    using Bytes = std::array<std::uint8_t, kImageSize>;

    RadioImage();                 // every byte 0xFF
    static RadioImage newImage(); // the factory defaults of a new document

    std::uint8_t byte(std::size_t offset) const { return bytes_.at(offset); }
    void setByte(std::size_t offset, std::uint8_t value) { bytes_.at(offset) = value; }
    const Bytes& bytes() const { return bytes_; }
    Bytes& bytes() { return bytes_; }

    // Channel n is 1..16, k is 0..15.
    static std::size_t channelOffset(int n, int k = 0);
    std::uint8_t channelByte(int n, int k) const { return bytes_.at(channelOffset(n, k)); }
    void setChannelByte(int n, int k, std::uint8_t v) { bytes_.at(channelOffset(n, k)) = v; }

    std::optional<std::uint32_t> rxFrequency(int n) const;
    std::optional<std::uint32_t> txFrequency(int n) const;
    void setRxFrequency(int n, std::uint32_t value); // 0 = empty
    void setTxFrequency(int n, std::uint32_t value);

    ToneWord decodeTone(int n) const;
    ToneWord encodeTone(int n) const;
    void setDecodeTone(int n, ToneWord w);
    void setEncodeTone(int n, ToneWord w);

    // Single bits; the other bits of the byte stay as they are.
    bool bit(std::size_t offset, int bit) const;
    void setBit(std::size_t offset, int bit, bool on);

    BusyLock busyLock(int n) const; // 0x18 reads as QtDqt
    void setBusyLock(int n, BusyLock lock);
    bool wide(int n) const;
    void setWide(int n, bool wide);
    bool highPower(int n) const;
    void setHighPower(int n, bool high);
    bool scan(int n) const;
    void setScan(int n, bool on);

    std::uint16_t transmitDelay() const; // tenths of a second, raw
    void setTransmitDelay(std::uint16_t tenths);

    friend bool operator==(const RadioImage&, const RadioImage&) = default;

  private:
    Bytes bytes_;
};

} // namespace qx260
