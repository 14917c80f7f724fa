#pragma once
// One channel of the radio as values, the 16 channels of a document as a ChannelList, and
// the codec between them and the radio image.
//
// A channel keeps every bit its 16-byte record and its scan bit hold: each field keeps the
// form it was stored in where several forms mean the same (an empty frequency word ending in
// 0x00, a tone word "none" with any low byte, busy lock bits 11), a frequency word with a
// digit above 9 stays as it is, and the bits no field stands for ride along. So decoding an
// image and encoding the channels back gives the same bytes, for every image; only a field
// the user changes is written anew.
//
// The radio variant decides which fields the channel window shows and lets the user edit;
// it never decides what a channel holds.

#include <array>
#include <cstdint>
#include <optional>

#include "core/radio/RadioImage.h"

namespace qx260
{

// The fields of a channel, numbered as the channel window's columns 1..8.
enum class ChannelField {
    RxFrequency = 1,
    TxFrequency,
    DecodeTone,
    EncodeTone,
    Bandwidth,
    Scan,
    BusyLock,
    Power
};

inline constexpr std::array<ChannelField, 8> kChannelFields{
    ChannelField::RxFrequency, ChannelField::TxFrequency, ChannelField::DecodeTone, ChannelField::EncodeTone,
    ChannelField::Bandwidth,   ChannelField::Scan,        ChannelField::BusyLock,   ChannelField::Power,
};

constexpr int columnOf(ChannelField field)
{
    return static_cast<int>(field);
}
// The field of a channel-window column 1..8; empty for any other column.
std::optional<ChannelField> fieldOfColumn(int col);

bool isFrequencyField(ChannelField field);
bool isToneField(ChannelField field);

using FrequencyWord = std::array<std::uint8_t, 4>;

// A receive or transmit frequency, kept as its stored word: eight packed BCD digits of
// 10 Hz units, least significant pair first; empty when the last byte is 0xFF or 0x00.
class Frequency
{
  public:
    Frequency() = default; // empty, stored as four 0xFF
    // 0 gives the empty frequency; values above 99999999 (eight digits) are not frequencies.
    static Frequency ofUnits(std::uint32_t units);
    static Frequency fromWord(const FrequencyWord& word) { return Frequency(word); }

    bool empty() const;
    // False for a stored word with a digit above 9: no frequency text gives it back.
    bool showable() const;
    // 10 Hz units (digits above 9 taken as they are); empty for an empty word.
    std::optional<std::uint32_t> units() const;
    const FrequencyWord& word() const { return word_; }

    friend bool operator==(const Frequency&, const Frequency&) = default;

  private:
    explicit Frequency(const FrequencyWord& word) : word_(word) {}
    FrequencyWord word_{0xFF, 0xFF, 0xFF, 0xFF};
};

// A decode or encode tone, kept as its stored word: none, an analogue tone in tenths of a
// hertz, or a digital code of either polarity (a code no table knows is kept as stored).
class Tone
{
  public:
    enum class Kind { None, Analogue, NormalCode, InvertedCode };

    Tone() = default; // none, stored 0xFF 0xFF
    static Tone fromWord(ToneWord word) { return Tone(word); }
    static Tone analogue(std::uint16_t tenths);
    // codeNumber is the code's octal digits written as a decimal number (23 for 023).
    static Tone code(int codeNumber, bool inverted);

    Kind kind() const;
    bool none() const { return kind() == Kind::None; }
    std::uint16_t tenths() const; // Analogue: the word as a number
    int codeNumber() const;       // codes: the code, 0 when no known code has the stored value
    ToneWord word() const { return word_; }

    friend bool operator==(const Tone&, const Tone&) = default;

  private:
    explicit Tone(ToneWord word) : word_(word) {}
    ToneWord word_{};
};

enum class Bandwidth { Wide, Narrow };
enum class Power { High, Low };

struct Channel {
    Frequency rx;
    Frequency tx;
    Tone decodeTone;
    Tone encodeTone;
    Bandwidth bandwidth = Bandwidth::Wide;
    bool scan = false;
    BusyLock busyLock = BusyLock::QtDqt;
    Power power = Power::High;

    // The record's bytes as stored where fields share them: byte 12 (busy lock in bits 4-3;
    // both set read as QT/DQT and kept so while the busy lock stays QT/DQT), byte 13
    // (bandwidth bit 4, power bit 5) and bytes 14 and 15. A new channel has the bytes of an
    // empty record.
    struct StoredBytes {
        std::uint8_t busyLockByte = 0xFF;
        std::uint8_t bandwidthPowerByte = 0xFF;
        std::array<std::uint8_t, 2> tail{0xFF, 0xFF};
    } stored;

    // The 16 bytes of the record this channel is stored as.
    std::array<std::uint8_t, kChannelRecordSize> record() const;

    // Channels are equal when they are stored alike (record and scan bit).
    friend bool operator==(const Channel& a, const Channel& b)
    {
        return a.record() == b.record() && a.scan == b.scan;
    }
};

// A channel as the user erases it: no frequencies, no tones, wide, not scanned, busy lock
// QT/DQT, high power; the bits no field stands for stay.
Channel erasedChannel(const Channel& channel);

// The fields a radio variant keeps from the user: 1 the transmit side (Tx Frequency,
// QT/DQT Enc), 2 the receive side (Rx Frequency, QT/DQT Dec, Scan). They are not shown,
// and editing leaves them as they are.
bool hiddenByVariant(ChannelField field, int radioVariant);

// Whether the window shows the channel as empty: radio variant 1 looks at the receive
// frequency, 2 at the transmit frequency, any other variant at both.
bool shownEmpty(const Channel& channel, int radioVariant);

// The 16 channels of a document; channel n (1..16) is channel(n).
struct ChannelList {
    std::array<Channel, kChannelCount> channels;

    Channel& channel(int n) { return channels.at(static_cast<std::size_t>(n - 1)); }
    const Channel& channel(int n) const { return channels.at(static_cast<std::size_t>(n - 1)); }

    friend bool operator==(const ChannelList&, const ChannelList&) = default;
};

// The codec: pure functions between the image and the channels. Encoding writes the 16
// channel records and the scan bitmap and nothing else; decode(encode(x)) and
// encode(decode(image)) change nothing.
Channel decodeChannel(const RadioImage& image, int n);
void encodeChannel(const Channel& channel, RadioImage& image, int n);
ChannelList decodeChannels(const RadioImage& image);
void encodeChannels(const ChannelList& channels, RadioImage& image);

} // namespace qx260
