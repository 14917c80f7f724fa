// The Optional Features rules: each list's items and the stored bytes behind them, the
// Transmit Delay text read, checked and stepped, and all options loaded and stored.

#include "core/settings/OptionRules.h"

#include <cstdlib>

#include "core/config/AsciiText.h"
#include "core/config/Texts.h"
#include "core/radio/Decimal.h"
#include "core/radio/RadioImage.h"

namespace qx260
{

namespace
{

// "Off" in either language, the English one in any letter case.
bool namesOff(std::string_view text)
{
    return equalsIgnoringAsciiCase(text, textOf(Text::Off, Language::English)) ||
           text == textOf(Text::Off, Language::Chinese);
}

struct ListMapping {
    OptionList list;
    int controlId;
    std::size_t offset;
    int valueOffset; // stored = position + valueOffset
    const char* name;
};

const ListMapping& mapping(OptionList list)
{
    static const ListMapping kMappings[kOptionListCount] = {
        {OptionList::SquelchLevel, optionControl::SquelchLevel, offset::SquelchLevel, 0, "Squelch Level"},
        {OptionList::PriorityChannel, optionControl::PriorityChannel, offset::PriorityChannel, 0,
         "Priority Channel"},
        {OptionList::TimeOutTime, optionControl::TimeOutTime, offset::TimeOutTime, 1, "Time Out Time"},
        {OptionList::VoiceAnnunciation, optionControl::VoiceAnnunciation, offset::VoiceAnnunciation, 0,
         "Voice Annunciation"},
        {OptionList::VoxGainLevel, optionControl::VoxGainLevel, offset::VoxGainLevel, 1, "Vox Gain Level"},
        {OptionList::VoxDelayTime, optionControl::VoxDelayTime, offset::VoxDelayTime, 0, "Vox Delay Time"},
        {OptionList::SideKey, optionControl::SideKey, offset::SideKey, 0, "Side Key"},
        {OptionList::Vox, optionControl::Vox, offset::Vox, 0, "VOX"},
    };
    return kMappings[static_cast<std::size_t>(list)];
}

constexpr int kSideKeyFallback = 2; // "Monitor Momentary"

std::vector<std::string> numberItems(int from, int to, int factor, const char* suffix)
{
    std::vector<std::string> items;
    for (int n = from; n <= to; ++n)
        items.push_back(std::to_string(n * factor) + suffix);
    return items;
}

// The typed text times ten, exact, truncated; 0 when the text holds no number or the
// value is too large to mean anything.
long long typedTenths(std::string_view text)
{
    const auto scaled = scaleExact(parseLeadingNumber(text), 1);
    if (!scaled || *scaled > 1000000000LL || *scaled < -1000000000LL)
        return 0;
    return *scaled;
}

} // namespace

int optionControlId(OptionList list)
{
    return mapping(list).controlId;
}

std::size_t optionOffset(OptionList list)
{
    return mapping(list).offset;
}

std::string optionNameKey(std::string_view name)
{
    std::string key;
    for (char c : name) {
        const char l = lowerAscii(c);
        if ((l >= 'a' && l <= 'z') || (l >= '0' && l <= '9'))
            key.push_back(l);
    }
    return key;
}

std::string optionListName(OptionList list)
{
    return mapping(list).name;
}

bool optionListByName(std::string_view name, OptionList& list)
{
    const std::string key = optionNameKey(name);
    for (OptionList l : kOptionLists) {
        if (optionNameKey(mapping(l).name) == key) {
            list = l;
            return true;
        }
    }
    return false;
}

std::vector<std::string> optionListItems(OptionList list, Language language)
{
    const auto pick = [language](Text id) { return std::string(textOf(id, language)); };
    switch (list) {
    case OptionList::SquelchLevel:
        return numberItems(0, 9, 1, "");
    case OptionList::PriorityChannel: {
        std::vector<std::string> items{pick(Text::Off)};
        for (const std::string& n : numberItems(1, 16, 1, ""))
            items.push_back(n);
        return items;
    }
    case OptionList::TimeOutTime:
        return numberItems(1, 40, 15, "s");
    case OptionList::VoiceAnnunciation:
        return {pick(Text::Off), pick(Text::VoiceChinese), pick(Text::VoiceEnglish)};
    case OptionList::VoxGainLevel:
        return numberItems(1, 8, 1, "");
    case OptionList::VoxDelayTime:
        return {"0.3s", "0.5s", "1.0s", "1.5s", "2.0s", "3.0s"};
    case OptionList::SideKey:
        return {pick(Text::None), pick(Text::SideKeyMonitor), pick(Text::SideKeyMonitorMomentary),
                pick(Text::SideKeyPowerSelect)};
    case OptionList::Vox:
        return {pick(Text::On), pick(Text::Off)};
    }
    return {};
}

int shownPosition(OptionList list, std::uint8_t stored)
{
    const int count = static_cast<int>(optionListItems(list, Language::English).size());
    int position;
    if (list == OptionList::Vox)
        position = 1 - stored;
    else
        position = stored - mapping(list).valueOffset;
    if (position >= 0 && position < count)
        return position;
    return list == OptionList::SideKey ? kSideKeyFallback : -1;
}

std::uint8_t storedValue(OptionList list, int position)
{
    if (list == OptionList::Vox)
        return position == 0 ? 1 : 0;
    if (list == OptionList::SideKey && position < 0)
        return kSideKeyFallback;
    return static_cast<std::uint8_t>((position + mapping(list).valueOffset) & 0xFF);
}

std::string transmitDelayText(int tenths, Language language)
{
    if (tenths == 0)
        return textOf(Text::Off, language);
    return formatScaled(tenths, 1);
}

std::string transmitDelayTextForStored(std::uint16_t stored, Language language)
{
    return transmitDelayText(stored <= kTransmitDelayMax ? stored : 0, language);
}

int transmitDelayTenths(std::string_view text)
{
    if (text.empty())
        return 0;
    const long long t = typedTenths(text);
    return (t < 0 || t > kTransmitDelayMax) ? 0 : static_cast<int>(t);
}

TransmitDelayReading readTransmitDelay(std::string_view text)
{
    if (text.empty() || namesOff(text))
        return {TransmitDelayTyped::Taken, 0};
    if (!parsePlainDecimal(text))
        return {TransmitDelayTyped::NotANumber, 0};
    // Digits past the tenths must all be zeros: the value is then exactly a number of
    // tenths, and nothing typed is lost.
    const std::size_t point = text.find('.');
    if (point != std::string_view::npos) {
        std::string_view beyond = text.substr(point + 1);
        beyond = beyond.substr(0, beyond.find_last_not_of(" \t\n\v\f\r") + 1);
        if (beyond.size() > 1 && beyond.substr(1).find_first_not_of('0') != std::string_view::npos)
            return {TransmitDelayTyped::NotAllowed, 0};
    }
    const long long t = typedTenths(text);
    if (t < 0 || t > kTransmitDelayMax)
        return {TransmitDelayTyped::NotAllowed, 0};
    return {TransmitDelayTyped::Taken, static_cast<int>(t)};
}

bool transmitDelayTextAccepted(std::string_view text)
{
    return readTransmitDelay(text).result == TransmitDelayTyped::Taken;
}

std::string normaliseTransmitDelay(std::string_view text, Language language)
{
    return transmitDelayText(transmitDelayTenths(text), language);
}

std::string stepTransmitDelay(std::string_view text, int d, Language language)
{
    long long t = 0;
    if (!namesOff(text))
        t = typedTenths(text);
    t += d;
    const long long step = std::llabs(d);
    if (step != 1 && step != 0 && t % step != 0) {
        if (d > 0)
            t -= t % step;
        else if (t < 0)
            t = 0;
        else
            t += step - t % step;
    }
    if (t < 0 || t > kTransmitDelayMax)
        t = d > 0 ? 0 : kTransmitDelayMax;
    return transmitDelayText(static_cast<int>(t), language);
}

OptionVisibility optionVisibilityForVariant(int radioVariant)
{
    switch (radioVariant) {
    case 1:
        return {true, false};
    case 2:
        return {false, true};
    default:
        return {true, true};
    }
}

OptionalFeatures loadOptionalFeatures(const RadioImage& image, Language language)
{
    OptionalFeatures features;
    for (OptionList list : kOptionLists)
        features.position(list) = shownPosition(list, image.byte(optionOffset(list)));
    features.beep = (image.byte(offset::Beep) & 1) != 0;
    features.batterySaver = (image.byte(offset::BatterySaver) & 1) != 0;
    features.transmitDelay = transmitDelayTextForStored(image.transmitDelay(), language);
    return features;
}

void storeOptionalFeatures(const OptionalFeatures& features, RadioImage& image)
{
    const OptionalFeatures shown = loadOptionalFeatures(image, Language::English);
    for (OptionList list : kOptionLists)
        if (features.position(list) != shown.position(list))
            image.setByte(optionOffset(list), storedValue(list, features.position(list)));
    if (features.batterySaver != shown.batterySaver)
        image.setByte(offset::BatterySaver, features.batterySaver ? 1 : 0);
    if (features.beep != shown.beep)
        image.setByte(offset::Beep, features.beep ? 1 : 0);
    const int tenths = transmitDelayTenths(features.transmitDelay);
    if (tenths != transmitDelayTenths(shown.transmitDelay))
        image.setTransmitDelay(static_cast<std::uint16_t>(tenths));
}

} // namespace qx260
