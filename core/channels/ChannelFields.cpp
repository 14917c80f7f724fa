// Each field of a channel to its text and back; see ChannelFields.h.

#include "core/channels/ChannelFields.h"

#include <cstdio>
#include <optional>

#include "core/channels/Csv.h"
#include "core/channels/SpreadsheetValues.h"
#include "core/config/AsciiText.h"
#include "core/radio/ChannelTexts.h"
#include "core/radio/Decimal.h"
#include "core/radio/Tones.h"
#include "res/ResourceIds.h"

namespace qx260
{

namespace
{

// The text names item in either language, English in any letter case.
bool names(std::string_view text, Text item)
{
    return equalsIgnoringAsciiCase(text, textOf(item, Language::English)) ||
           text == textOf(item, Language::Chinese);
}

std::optional<Tone> listedTone(std::string_view text)
{
    if (names(text, Text::None))
        return Tone();
    for (const char* analogue : kAnalogueTones)
        if (text == analogue)
            return Tone::analogue(
                static_cast<std::uint16_t>(scaleExact(parseLeadingNumber(analogue), 1).value_or(0)));
    for (int code : kListedCodes) {
        char normal[8];
        char inverted[8];
        std::snprintf(normal, sizeof normal, "D%03dN", code);
        std::snprintf(inverted, sizeof inverted, "D%03dI", code);
        if (equalsIgnoringAsciiCase(text, normal))
            return Tone::code(code, false);
        if (equalsIgnoringAsciiCase(text, inverted))
            return Tone::code(code, true);
    }
    return std::nullopt;
}

ParsedField parseTone(std::string_view text)
{
    if (const std::optional<Tone> tone = listedTone(text))
        return {FieldRefusal::None, *tone};
    if (const std::optional<double> hertz = parsePlainDecimal(text)) {
        // Only a value that is whole tenths of a hertz can be a tone of the list (and every
        // tone of the list lies far below 100 kHz, which keeps the products below in range).
        const std::optional<std::int64_t> tenths = scaleExact(*hertz, 1);
        if (tenths && *tenths > 0 && *tenths < 1'000'000 && scaleExact(*hertz, 6) == *tenths * 100000)
            if (const std::optional<Tone> tone = listedTone(formatScaled(*tenths, 1)))
                return {FieldRefusal::None, *tone};
        return {FieldRefusal::NotAChoice, {}};
    }
    const std::size_t first = text.find_first_not_of(" \t");
    const bool startsLikeANumber =
        first != std::string_view::npos &&
        std::string_view("0123456789.,+-").find(text[first]) != std::string_view::npos;
    return {startsLikeANumber ? FieldRefusal::ToneNotANumber : FieldRefusal::NotAChoice, {}};
}

ParsedField parseFrequency(std::string_view text, BandLimits limits)
{
    if (text.empty())
        return {};
    const FrequencyReading reading = readFrequency(text, limits);
    switch (reading.verdict) {
    case FrequencyVerdict::Empty:
        return {};
    case FrequencyVerdict::NotANumber:
        return {FieldRefusal::NotANumber, {}};
    case FrequencyVerdict::OutOfRange:
        return {FieldRefusal::OutOfRange, {}, reading.checkValue};
    case FrequencyVerdict::OffStep:
        return {FieldRefusal::OffStep, {}, reading.checkValue};
    case FrequencyVerdict::Valid:
        break;
    }
    return {FieldRefusal::None, Frequency::ofUnits(static_cast<std::uint32_t>(reading.checkValue)),
            reading.checkValue};
}

template <typename T>
ParsedField parseChoice(std::string_view text, std::initializer_list<std::pair<Text, T>> choices)
{
    for (const auto& [item, value] : choices)
        if (names(text, item))
            return {FieldRefusal::None, value};
    return {FieldRefusal::NotAChoice, {}};
}

constexpr int kMegahertzDecimals = 5; // a frequency word counts 10 Hz units

// A number of MHz as a reason writes it: three decimals at least, none past them that are
// trailing zeros ("442.4", "442,4" and "442.400000" are 442.400, "146.5125" stays).
std::string megahertz(std::string_view typed)
{
    std::string text = withDecimalPoint(trimmed(typed)); // as a ';' file writes it: "442,4"
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos)
        return escapedControlBytes(text);
    std::size_t point = text.find('.');
    if (point == std::string::npos) {
        point = text.size();
        text += '.';
    }
    while (text.size() < point + 4)
        text += '0';
    while (text.size() > point + 4 && text.back() == '0')
        text.pop_back();
    return text;
}

} // namespace

std::string frequencyText(const Frequency& frequency)
{
    const std::optional<std::uint32_t> units = frequency.units();
    return units ? formatScaled(static_cast<std::int64_t>(*units), 5) : std::string();
}

std::string toneText(const Tone& tone, Language language)
{
    return toneWordToText(tone.word(), false, language);
}

std::string bandwidthText(Bandwidth bandwidth, Language language)
{
    return textOf(bandwidth == Bandwidth::Wide ? Text::Wide : Text::Narrow, language);
}

std::string scanText(bool scan, Language language)
{
    return textOf(scan ? Text::Yes : Text::No, language);
}

std::string busyLockText(BusyLock lock, Language language)
{
    switch (lock) {
    case BusyLock::Off:
        return textOf(Text::Off, language);
    case BusyLock::Carrier:
        return textOf(Text::Carrier, language);
    case BusyLock::QtDqt:
        break;
    }
    return textOf(Text::QtDqt, language);
}

std::string powerText(Power power, Language language)
{
    return textOf(power == Power::High ? Text::High : Text::Low, language);
}

std::string fieldText(const Channel& channel, ChannelField field, Language language)
{
    switch (field) {
    case ChannelField::RxFrequency:
        return frequencyText(channel.rx);
    case ChannelField::TxFrequency:
        return frequencyText(channel.tx);
    case ChannelField::DecodeTone:
        return toneText(channel.decodeTone, language);
    case ChannelField::EncodeTone:
        return toneText(channel.encodeTone, language);
    case ChannelField::Bandwidth:
        return bandwidthText(channel.bandwidth, language);
    case ChannelField::Scan:
        return scanText(channel.scan, language);
    case ChannelField::BusyLock:
        return busyLockText(channel.busyLock, language);
    case ChannelField::Power:
        return powerText(channel.power, language);
    }
    return {};
}

std::array<std::string, 8> shownFieldTexts(const Channel& channel, int radioVariant, Language language)
{
    std::array<std::string, 8> texts;
    const bool empty = shownEmpty(channel, radioVariant);
    for (ChannelField field : kChannelFields) {
        std::string& text = texts[static_cast<std::size_t>(columnOf(field) - 1)];
        // The side a variant hides shows nothing; Scan keeps its text (under variant 2 its
        // column has no width).
        if (hiddenByVariant(field, radioVariant) && field != ChannelField::Scan)
            continue;
        if (isToneField(field)) {
            const Tone& tone = field == ChannelField::DecodeTone ? channel.decodeTone : channel.encodeTone;
            text = empty && tone.none() ? std::string() : toneText(tone, language);
        } else if (isFrequencyField(field) || !empty) {
            text = fieldText(channel, field, language);
        }
    }
    return texts;
}

int refusalMessageId(FieldRefusal refusal)
{
    switch (refusal) {
    case FieldRefusal::NotANumber:
        return resid::StrFrequencyNotANumber;
    case FieldRefusal::OutOfRange:
        return resid::StrOutOfRange;
    case FieldRefusal::OffStep:
        return resid::StrStepValueError;
    case FieldRefusal::None:
    case FieldRefusal::NotAChoice:
    case FieldRefusal::ToneNotANumber:
        break;
    }
    return 0;
}

std::string bandRangeText(BandLimits band)
{
    const auto number = [](std::int32_t units) {
        std::string text = formatScaled(units, kMegahertzDecimals);
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
        return text;
    };
    return number(band.lower) + "\xE2\x80\x93" + number(band.upper) + " MHz";
}

std::string frequencyRefusalReason(int messageId, std::string_view typed, BandLimits band, Language language)
{
    switch (messageId) {
    case resid::StrOutOfRange:
        if (band.lower == 0 && band.upper == 0)
            return formatText(Text::FrequencyOutsideEmptyBand, language, {megahertz(typed)});
        return formatText(Text::FrequencyOutsideBand, language, {megahertz(typed), bandRangeText(band)});
    case resid::StrStepValueError:
        return formatText(Text::FrequencyOffStep, language, {megahertz(typed)});
    case resid::StrFrequencyNotANumber:
        return formatText(Text::FrequencyNotANumber, language, {escapedControlBytes(trimmed(typed))});
    default:
        return {};
    }
}

std::string fieldRefusalText(FieldRefusal refusal, ChannelField field, Language language)
{
    if (const int id = refusalMessageId(refusal); id != 0)
        return messageText(id, Language::English);
    if (refusal == FieldRefusal::ToneNotANumber)
        return textOf(Text::ToneNotANumber, language);
    if (isToneField(field))
        return textOf(Text::ToneNotListed, language);
    return formatText(Text::NotAChoice, language, {columnHeader(columnOf(field), language)});
}

ParsedField parseField(ChannelField field, std::string_view text, BandLimits limits)
{
    switch (field) {
    case ChannelField::RxFrequency:
    case ChannelField::TxFrequency:
        return parseFrequency(text, limits);
    case ChannelField::DecodeTone:
    case ChannelField::EncodeTone:
        return parseTone(text);
    case ChannelField::Bandwidth:
        return parseChoice(
            text, {std::pair{Text::Wide, Bandwidth::Wide}, std::pair{Text::Narrow, Bandwidth::Narrow}});
    case ChannelField::Scan:
        return parseChoice(text, {std::pair{Text::Yes, true}, std::pair{Text::No, false}});
    case ChannelField::BusyLock:
        return parseChoice(text,
                           {std::pair{Text::Off, BusyLock::Off}, std::pair{Text::Carrier, BusyLock::Carrier},
                            std::pair{Text::QtDqt, BusyLock::QtDqt}});
    case ChannelField::Power:
        return parseChoice(text, {std::pair{Text::High, Power::High}, std::pair{Text::Low, Power::Low}});
    }
    return {FieldRefusal::NotAChoice, {}};
}

FieldValue fieldValue(const Channel& channel, ChannelField field)
{
    switch (field) {
    case ChannelField::RxFrequency:
        return channel.rx;
    case ChannelField::TxFrequency:
        return channel.tx;
    case ChannelField::DecodeTone:
        return channel.decodeTone;
    case ChannelField::EncodeTone:
        return channel.encodeTone;
    case ChannelField::Bandwidth:
        return channel.bandwidth;
    case ChannelField::Scan:
        return channel.scan;
    case ChannelField::BusyLock:
        return channel.busyLock;
    case ChannelField::Power:
        return channel.power;
    }
    return {};
}

void setField(Channel& channel, ChannelField field, const FieldValue& value)
{
    if (std::holds_alternative<std::monostate>(value)) {
        if (field == ChannelField::RxFrequency)
            channel.rx = Frequency();
        else if (field == ChannelField::TxFrequency)
            channel.tx = Frequency();
        return;
    }
    switch (field) {
    case ChannelField::RxFrequency:
        channel.rx = std::get<Frequency>(value);
        break;
    case ChannelField::TxFrequency:
        channel.tx = std::get<Frequency>(value);
        break;
    case ChannelField::DecodeTone:
        channel.decodeTone = std::get<Tone>(value);
        break;
    case ChannelField::EncodeTone:
        channel.encodeTone = std::get<Tone>(value);
        break;
    case ChannelField::Bandwidth:
        channel.bandwidth = std::get<Bandwidth>(value);
        break;
    case ChannelField::Scan:
        channel.scan = std::get<bool>(value);
        break;
    case ChannelField::BusyLock:
        channel.busyLock = std::get<BusyLock>(value);
        break;
    case ChannelField::Power:
        channel.power = std::get<Power>(value);
        break;
    }
}

FieldValue newChannelDefault(ChannelField field)
{
    switch (field) {
    case ChannelField::DecodeTone:
    case ChannelField::EncodeTone:
        return Tone();
    case ChannelField::Bandwidth:
        return Bandwidth::Wide;
    case ChannelField::Scan:
        return false;
    case ChannelField::BusyLock:
        return BusyLock::Off;
    case ChannelField::Power:
        return Power::High;
    case ChannelField::RxFrequency:
    case ChannelField::TxFrequency:
        break;
    }
    return {};
}

} // namespace qx260
