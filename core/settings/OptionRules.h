#pragma once
// The Optional Features model: what each control lists, how a stored byte becomes a list
// position and back, the Transmit Delay text, and which controls a radio variant shows.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/Language.h"

namespace qx260
{

class RadioImage;

// The drop-down lists of the dialog, in the order the dialog fills them.
enum class OptionList {
    SquelchLevel,
    PriorityChannel,
    TimeOutTime,
    VoiceAnnunciation,
    VoxGainLevel,
    VoxDelayTime,
    SideKey,
    Vox,
};
constexpr int kOptionListCount = 8;
constexpr std::array<OptionList, kOptionListCount> kOptionLists{
    OptionList::SquelchLevel, OptionList::PriorityChannel,
    OptionList::TimeOutTime,  OptionList::VoiceAnnunciation,
    OptionList::VoxGainLevel, OptionList::VoxDelayTime,
    OptionList::SideKey,      OptionList::Vox,
};

// Control ids of the dialog.
namespace optionControl
{
constexpr int TimeOutTime = 1118;
constexpr int SquelchLevel = 1116;
constexpr int TransmitDelay = 1008;
constexpr int TransmitDelaySpin = 1009;
constexpr int SideKey = 1120;
constexpr int Beep = 1016;
constexpr int BatterySaver = 1017;
constexpr int PriorityChannel = 1006;
constexpr int Vox = 1007;
constexpr int VoxGainLevel = 1121;
constexpr int VoiceAnnunciation = 1119;
constexpr int VoxDelayTime = 1140;
constexpr int TimeOutTimeLabel = 1010;
constexpr int SquelchLevelLabel = 1012;
constexpr int TransmitDelayLabel = 1011;
} // namespace optionControl

constexpr int kTransmitDelayMax = 1800; // tenths of a second
constexpr int kTransmitDelayMaxChars = 5;

int optionControlId(OptionList list);
std::size_t optionOffset(OptionList list);

// The items of a list in the interface language.
std::vector<std::string> optionListItems(OptionList list, Language language);

// The position shown for a stored byte; -1 leaves the list without selection
// (Side Key shows position 2 instead).
int shownPosition(OptionList list, std::uint8_t stored);
// The byte stored for a position; -1 (no selection) stores the list's substitute.
std::uint8_t storedValue(OptionList list, int position);

// Transmit Delay texts: "%.1f" seconds, or Text::Off for 0.
std::string transmitDelayText(int tenths, Language language);
// The text shown for the stored 16-bit value: 1..1800 as seconds, anything else "Off".
std::string transmitDelayTextForStored(std::uint16_t stored, Language language);
// The value of a typed text, limited to 0..1800: empty, no number, negative or too
// large all count as 0 (off). 2.55 gives 25.
int transmitDelayTenths(std::string_view text);
// What a typed Transmit Delay text comes to. Taken: empty, Text::Off in either language
// (the English one in any letter case), or blanks around a plain decimal number of seconds
// that is one of the field's values, 0 or 0.1 to 180.0 in steps of 0.1 (zeros after the
// tenths are fine). NotANumber: "12,5", "-1", "1e2", "abc". NotAllowed: a number off the
// step or out of range ("2.55", "0.05", "180.1", "200"), which is refused rather than
// rounded or turned off, so that what is stored is what was typed.
enum class TransmitDelayTyped { Taken, NotANumber, NotAllowed };
struct TransmitDelayReading {
    TransmitDelayTyped result = TransmitDelayTyped::NotANumber;
    int tenths = 0; // when Taken
};
TransmitDelayReading readTransmitDelay(std::string_view text);
// Whether the field takes a typed text (readTransmitDelay says Taken).
bool transmitDelayTextAccepted(std::string_view text);
// The text after the field loses the focus.
std::string normaliseTransmitDelay(std::string_view text, Language language);
// One report of the up-down arrows with step d (+1 / -1 per click, larger when held):
// an accelerated step lands on a multiple of |d|; past either end it wraps around.
std::string stepTransmitDelay(std::string_view text, int d, Language language);

// Which settings a radio variant offers in the visible part of the dialog.
struct OptionVisibility {
    bool squelchLevel = true;            // label 1012, list 1116
    bool timeOutAndTransmitDelay = true; // labels 1010, 1011, list 1118, edit 1008, arrows 1009
};
OptionVisibility optionVisibilityForVariant(int radioVariant);

// Everything the dialog shows.
struct OptionalFeatures {
    std::array<int, kOptionListCount> positions{}; // indexed like kOptionLists; -1 = none
    bool beep = false;
    bool batterySaver = false;
    std::string transmitDelay;

    int& position(OptionList list) { return positions[static_cast<std::size_t>(list)]; }
    int position(OptionList list) const { return positions[static_cast<std::size_t>(list)]; }
};

OptionalFeatures loadOptionalFeatures(const RadioImage& image, Language language);
// Writes the option bytes whose shown value the features change; a byte that still shows
// as loaded keeps what it holds, even a value the control cannot show (a list without
// selection, other bits beside a check box's bit 0, a Transmit Delay above 180 s). The
// Transmit Delay text is normalised first, so a typed value the field cannot show is stored
// as off rather than as its low 16 bits.
void storeOptionalFeatures(const OptionalFeatures& features, RadioImage& image);

// Looking up a list by a name given on a command line ("Time Out Time", "squelch-level",
// "SideKey" all work: letters and digits compared without case). Returns false when unknown.
bool optionListByName(std::string_view name, OptionList& list);
// The name as those lookups compare it: letters and digits only, lower case
// ("Time Out Time" == "time-out-time" == "TimeOutTime").
std::string optionNameKey(std::string_view name);
std::string optionListName(OptionList list); // "Time Out Time", ...

} // namespace qx260
