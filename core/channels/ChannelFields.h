#pragma once
// A channel's fields as text and back: one formatter and one parser per field, shared by
// every place that shows or takes channels as text (the channel window's cells, CSV files in
// both layouts, the clipboard, the command line, the printout).
//
// Texts are those of the channel window: frequencies "%3.5f" in MHz, tones "None", "67.0",
// "D023N", "D023I", and the list values "Wide"/"Narrow", "Yes"/"No", "Off"/"Carrier"/
// "QT/DQT", "High"/"Low" in English or Chinese. The parsers take a frequency as a plain
// decimal number checked against the band and the channel steps, and a list value in
// either language and any letter case (a tone also as a plain number of hertz, "100" for
// 100.0); they return the typed value or why the text was refused.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "core/channels/Channel.h"
#include "core/config/Texts.h"
#include "core/radio/FrequencyCheck.h"

namespace qx260
{

std::string frequencyText(const Frequency& frequency); // "" for an empty one
std::string toneText(const Tone& tone, Language language);
std::string bandwidthText(Bandwidth bandwidth, Language language);
std::string scanText(bool scan, Language language);
std::string busyLockText(BusyLock lock, Language language);
std::string powerText(Power power, Language language);

// The text of one field of a channel, whatever the channel shows.
std::string fieldText(const Channel& channel, ChannelField field, Language language);

// The texts the channel window shows for a channel, fields 1..8 at [0..7]: the fields a
// radio variant hides are empty; a channel shown empty shows its frequencies and tones
// only (an empty frequency and "no tone" as empty texts) and no settings.
std::array<std::string, 8> shownFieldTexts(const Channel& channel, int radioVariant, Language language);

// Why a text is not a value of its field.
enum class FieldRefusal {
    None,
    NotANumber,     // a frequency that is no plain decimal number
    OutOfRange,     // a frequency outside the band limits
    OffStep,        // a frequency on neither the 5 kHz nor the 6.25 kHz step
    NotAChoice,     // a list value that is none of the list's items
    ToneNotANumber, // a tone that starts like a number but is no plain one ("67,0")
};

// The window's message for a refused frequency (resid::StrFrequencyNotANumber,
// StrOutOfRange, StrStepValueError); 0 for the other refusals.
int refusalMessageId(FieldRefusal refusal);
// What a refused value of field is told: the channel window's message for a frequency (in
// English; the window's language module has it in the program's language), the tone list
// or the column's choices for the rest.
std::string fieldRefusalText(FieldRefusal refusal, ChannelField field, Language language);

// A band as the reasons below write it: "130–160 MHz".
std::string bandRangeText(BandLimits band);
// A refused frequency in a few words, for the command line and for the rows an import leaves
// out (the window keeps its own messages): "442.400 MHz is outside the band 130–160 MHz
// (Product Information)", "145.001 MHz is not on the 5 kHz or 6.25 kHz channel step",
// "\"146,52\" is not a number of MHz: ...". typed is the value as checked. Empty for a
// message id that refuses no frequency (see refusalMessageId).
std::string frequencyRefusalReason(int messageId, std::string_view typed, BandLimits band, Language language);

// A field's value: monostate stands for an empty text (an erased frequency); the scan
// flag is a bool.
using FieldValue = std::variant<std::monostate, Frequency, Tone, Bandwidth, bool, BusyLock, Power>;

struct ParsedField {
    FieldRefusal refusal = FieldRefusal::None;
    FieldValue value;
    std::int64_t checkValue = 0; // a frequency: the typed value in 10 Hz units, as checked
    bool ok() const { return refusal == FieldRefusal::None; }
};

// Reads text as a value of field; frequencies are checked against limits.
ParsedField parseField(ChannelField field, std::string_view text, BandLimits limits);

FieldValue fieldValue(const Channel& channel, ChannelField field);
// Sets the field; an empty value empties a frequency and leaves any other field as it is.
void setField(Channel& channel, ChannelField field, const FieldValue& value);

// The value a new channel gets in a settings field (tones none, wide, not scanned, busy
// lock off, high power); empty for the frequencies.
FieldValue newChannelDefault(ChannelField field);

} // namespace qx260
