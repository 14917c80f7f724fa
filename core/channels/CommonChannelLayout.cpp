// One row of the common channel-list layout to a channel's field texts and a channel back
// to a row; see the header.

#include "core/channels/CommonChannelLayout.h"

#include <cstdio>
#include <optional>

#include "core/channels/ChannelFields.h"
#include "core/channels/SpreadsheetValues.h"
#include "core/config/AsciiText.h"
#include "core/config/Texts.h"
#include "core/radio/ChannelTexts.h"
#include "core/radio/Decimal.h"
#include "core/radio/Tones.h"

namespace qx260
{

namespace
{

constexpr std::array<const char*, kCommonFieldCount> kFieldNames = {
    "Location", "Frequency",    "Duplex",     "Offset",    "Tone", "rToneFreq", "cToneFreq",
    "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode", "Skip",
};

// Values an export writes into tone columns a channel does not use, as the tools that
// read the layout expect a number there.
constexpr const char* kUnusedTone = "88.5";
constexpr const char* kUnusedCode = "023";
constexpr const char* kUnusedCrossMode = "Tone->Tone";

// Frequencies are reckoned in hertz (MHz with six decimals), as the layout writes them.
constexpr int kHertzDecimals = 6;
constexpr std::int64_t kHertzPerUnit = 10; // a frequency word counts 10 Hz units

enum class ToneKind { None, Tone, Code };

// One side of a channel's tones.
struct ToneSide {
    ToneKind kind = ToneKind::None;
    std::string text;   // the tone as the channel window writes it ("88.5", "D023N")
    CommonField source; // where it came from
};

std::size_t at(ChannelField field)
{
    return static_cast<std::size_t>(columnOf(field) - 1);
}

const std::string& value(const CommonRowValues& values, CommonField field)
{
    return values[static_cast<std::size_t>(field)];
}

// Reads "", "Tone" or "DTCS" (any case) as one side of a CrossMode.
std::optional<ToneKind> crossSide(std::string_view text)
{
    if (text.empty())
        return ToneKind::None;
    if (equalsIgnoringAsciiCase(text, "Tone"))
        return ToneKind::Tone;
    if (equalsIgnoringAsciiCase(text, "DTCS"))
        return ToneKind::Code;
    return std::nullopt;
}

class RowReader
{
  public:
    RowReader(const CommonRowValues& values, Language language) : values_(values), language_(language) {}

    CommonRowFields read()
    {
        const std::string& frequency = value(values_, CommonField::Frequency);
        if (frequency.empty()) {
            out_.noChannel = true; // the channel is cleared
            return out_;
        }
        if (!isPlainDecimal(frequency)) {
            fail(CommonField::Frequency, Text::CommonFrequency);
            return out_;
        }
        if (!readTransmitFrequency(frequency) || !readMode() || !readSkip())
            return out_;
        ToneSide encode;
        ToneSide decode;
        if (!readTones(encode, decode))
            return out_;

        setField(ChannelField::RxFrequency, frequency, {CommonField::Frequency, {}});
        setTone(ChannelField::EncodeTone, encode);
        setTone(ChannelField::DecodeTone, decode);
        return out_;
    }

  private:
    std::string text(Text id, std::initializer_list<std::string> args = {}) const
    {
        return formatText(id, language_, args);
    }

    // Records why the row cannot be held; false, for the reader that gives up.
    bool fail(CommonField field, Text id) { return fail(field, text(id)); }
    bool fail(CommonField field, const std::string& message)
    {
        out_.failed = true;
        out_.failedField = field;
        out_.message = message;
        return false;
    }

    void setField(ChannelField field, const std::string& text, CommonCellSource source)
    {
        out_.texts[at(field)] = text;
        out_.sources[at(field)] = std::move(source);
    }

    void setTone(ChannelField field, const ToneSide& side)
    {
        setField(field, side.kind == ToneKind::None ? noToneText(Language::English) : side.text,
                 {side.source, {}});
    }

    bool readTransmitFrequency(const std::string& frequency)
    {
        const std::string& duplex = value(values_, CommonField::Duplex);
        const std::string& offset = value(values_, CommonField::Offset);
        if (duplex.empty()) {
            setField(ChannelField::TxFrequency, frequency, {CommonField::Frequency, {}});
            return true;
        }
        if (equalsIgnoringAsciiCase(duplex, "off")) {
            out_.noTransmit = true;
            setField(ChannelField::TxFrequency, {}, {CommonField::Duplex, {}});
            return true;
        }
        const bool split = equalsIgnoringAsciiCase(duplex, "split");
        if (!split && duplex != "+" && duplex != "-")
            return fail(CommonField::Duplex, Text::CommonDuplex);
        // An offset finer than 1 Hz cannot give a transmit frequency on the channel step: it
        // is refused rather than cut.
        if (!isPlainDecimal(offset) || (!split && hasDigitsBeyond(offset, kHertzDecimals)))
            return fail(CommonField::Offset, split ? Text::CommonOffsetSplit : Text::CommonOffset);
        if (split) {
            setField(ChannelField::TxFrequency, offset, {CommonField::Offset, {}});
            return true;
        }
        const std::optional<std::int64_t> rx = scaleExact(parseLeadingNumber(frequency), kHertzDecimals);
        const std::optional<std::int64_t> shift = scaleExact(parseLeadingNumber(offset), kHertzDecimals);
        if (!rx || !shift)
            return fail(CommonField::Offset, Text::CommonTxTooLarge);
        const std::string tx = formatScaled(duplex == "+" ? *rx + *shift : *rx - *shift, kHertzDecimals);
        setField(ChannelField::TxFrequency, tx,
                 {CommonField::Offset, text(Text::CommonTxReckoned, {tx, duplex})});
        return true;
    }

    // A column of two words onto the two items of a list field (Mode onto W/N, Skip onto
    // Scan), any letter case.
    struct Choice {
        const char* word;
        const char* item;
    };
    bool readChoice(CommonField field, ChannelField target, Choice first, Choice second, Text refusal)
    {
        const std::string& text = value(values_, field);
        for (const Choice& choice : {first, second}) {
            if (equalsIgnoringAsciiCase(text, choice.word)) {
                setField(target, choice.item, {field, {}});
                return true;
            }
        }
        return fail(field, refusal);
    }

    bool readMode()
    {
        return readChoice(CommonField::Mode, ChannelField::Bandwidth,
                          {"FM", textOf(Text::Wide, Language::English)},
                          {"NFM", textOf(Text::Narrow, Language::English)}, Text::CommonMode);
    }

    bool readSkip()
    {
        return readChoice(CommonField::Skip, ChannelField::Scan, {"", textOf(Text::Yes, Language::English)},
                          {"S", textOf(Text::No, Language::English)}, Text::CommonSkip);
    }

    // The polarity letter of one side: DtcsPolarity's first (transmit) or second (receive).
    std::optional<char> polarity(bool transmit)
    {
        const std::string& text = value(values_, CommonField::DtcsPolarity);
        const auto letter = [](char c) -> std::optional<char> {
            if (lowerAscii(c) == 'n')
                return 'N';
            if (lowerAscii(c) == 'r')
                return 'I';
            return std::nullopt;
        };
        const std::optional<char> first = text.size() == 2 ? letter(text[0]) : std::nullopt;
        const std::optional<char> second = text.size() == 2 ? letter(text[1]) : std::nullopt;
        if (!first || !second) {
            fail(CommonField::DtcsPolarity, Text::CommonPolarity);
            return std::nullopt;
        }
        return transmit ? first : second;
    }

    // A tone from rToneFreq or cToneFreq.
    bool tone(CommonField field, ToneSide& side)
    {
        const std::string& tone = value(values_, field);
        if (tone.empty())
            return fail(field, text(Text::CommonToneEmpty, {commonFieldName(field)}));
        side = {ToneKind::Tone, toneListText(tone), field};
        return true;
    }

    // A code from DtcsCode (or RxDtcsCode) with the polarity of its side.
    bool code(CommonField field, bool transmit, ToneSide& side)
    {
        const std::string& code = value(values_, field);
        const bool digits =
            !code.empty() && code.size() <= 3 && isPlainDecimal(code) && code.find('.') == std::string::npos;
        if (!digits)
            return fail(field, text(Text::CommonCodeDigits, {commonFieldName(field)}));
        const std::optional<char> letter = polarity(transmit);
        if (!letter)
            return false;
        char text3[8];
        std::snprintf(text3, sizeof text3, "%03d", static_cast<int>(leadingInteger(code)));
        side = {ToneKind::Code, std::string("D") + text3 + *letter, field};
        return true;
    }

    bool readTones(ToneSide& encode, ToneSide& decode)
    {
        const std::string& mode = value(values_, CommonField::Tone);
        encode = {ToneKind::None, {}, CommonField::Tone};
        decode = {ToneKind::None, {}, CommonField::Tone};
        if (mode.empty())
            return true;
        if (equalsIgnoringAsciiCase(mode, "Tone"))
            return tone(CommonField::RToneFreq, encode);
        if (equalsIgnoringAsciiCase(mode, "TSQL"))
            return tone(CommonField::CToneFreq, encode) && tone(CommonField::CToneFreq, decode);
        if (equalsIgnoringAsciiCase(mode, "DTCS"))
            return code(CommonField::DtcsCode, true, encode) && code(CommonField::DtcsCode, false, decode);
        if (!equalsIgnoringAsciiCase(mode, "Cross"))
            return fail(CommonField::Tone, Text::CommonToneMode);

        const std::string& cross = value(values_, CommonField::CrossMode);
        const std::size_t arrow = cross.find("->");
        ToneKind tx = ToneKind::None;
        ToneKind rx = ToneKind::None;
        bool known = false;
        if (arrow != std::string::npos) {
            const std::optional<ToneKind> txSide = crossSide(std::string_view(cross).substr(0, arrow));
            const std::optional<ToneKind> rxSide = crossSide(std::string_view(cross).substr(arrow + 2));
            known = txSide.has_value() && rxSide.has_value();
            if (known) {
                tx = txSide.value();
                rx = rxSide.value();
            }
        }
        if (!known || (tx == ToneKind::None && rx == ToneKind::None))
            return fail(CommonField::CrossMode,
                        text(cross.empty() ? Text::CommonCrossModeMissing : Text::CommonCrossModeNotHeld,
                             {text(Text::CommonCrossModesHeld)}));
        const CommonField receiveCode =
            value(values_, CommonField::RxDtcsCode).empty() ? CommonField::DtcsCode : CommonField::RxDtcsCode;
        const bool txOk =
            tx == ToneKind::None || (tx == ToneKind::Tone ? tone(CommonField::RToneFreq, encode)
                                                          : code(CommonField::DtcsCode, true, encode));
        return txOk && (rx == ToneKind::None || (rx == ToneKind::Tone ? tone(CommonField::CToneFreq, decode)
                                                                      : code(receiveCode, false, decode)));
    }

    const CommonRowValues& values_;
    Language language_;
    CommonRowFields out_;
};

// One side of a channel's tones.
ToneSide sideOf(const Tone& tone)
{
    switch (tone.kind()) {
    case Tone::Kind::None:
        break;
    case Tone::Kind::Analogue:
        return {ToneKind::Tone, toneText(tone, Language::English), CommonField::RToneFreq};
    case Tone::Kind::NormalCode:
    case Tone::Kind::InvertedCode:
        return {ToneKind::Code, toneText(tone, Language::English), CommonField::DtcsCode};
    }
    return {ToneKind::None, {}, CommonField::Tone};
}

// The three digits of a code text "D023N"; its polarity letter as the layout writes it.
std::string codeDigits(const std::string& text)
{
    return text.substr(1, 3);
}
char polarityLetter(const ToneSide& side)
{
    return side.kind == ToneKind::Code && !side.text.empty() && side.text.back() == 'I' ? 'R' : 'N';
}

std::string crossSideName(ToneKind kind)
{
    return kind == ToneKind::Tone ? "Tone" : kind == ToneKind::Code ? "DTCS" : "";
}

} // namespace

CommonField commonFieldOfHeader(std::string_view name)
{
    for (std::size_t i = 0; i < kFieldNames.size(); ++i)
        if (equalsIgnoringAsciiCase(name, kFieldNames[i]))
            return static_cast<CommonField>(i);
    return CommonField::Ignored;
}

std::string commonFieldName(CommonField field)
{
    const auto i = static_cast<std::size_t>(field);
    return i < kFieldNames.size() ? kFieldNames[i] : "";
}

bool isCommonLayoutHeader(const std::vector<std::string>& names)
{
    for (const std::string& name : names) {
        const CommonField field = commonFieldOfHeader(name);
        if (field == CommonField::Location || field == CommonField::Frequency)
            return true;
    }
    return false;
}

std::vector<std::string> commonLayoutHeader()
{
    return {"Location",  "Name",      "Frequency",  "Duplex",       "Offset", "Tone",
            "rToneFreq", "cToneFreq", "DtcsCode",   "DtcsPolarity", "Mode",   "TStep",
            "Skip",      "Comment",   "RxDtcsCode", "CrossMode"};
}

CommonRowFields commonRowToFields(const CommonRowValues& values, Language language)
{
    return RowReader(values, language).read();
}

std::vector<std::string> commonRowOfChannel(const Channel& channel, int n)
{
    const std::optional<std::uint32_t> rxUnits = channel.rx.units();
    const std::optional<std::uint32_t> txUnits = channel.tx.units();
    if (!rxUnits && !txUnits)
        return {};

    // A channel with a transmit side only is written as transmitting and receiving there.
    const std::int64_t rx = static_cast<std::int64_t>(rxUnits ? *rxUnits : *txUnits) * kHertzPerUnit;
    const std::int64_t tx = rxUnits && txUnits ? static_cast<std::int64_t>(*txUnits) * kHertzPerUnit : rx;
    std::string duplex;
    std::int64_t offset = 0;
    if (!txUnits)
        duplex = "off";
    else if (tx > rx)
        duplex = "+", offset = tx - rx;
    else if (tx < rx)
        duplex = "-", offset = rx - tx;

    const ToneSide encode = sideOf(channel.encodeTone);
    const ToneSide decode = rxUnits ? sideOf(channel.decodeTone) : ToneSide{};
    std::string tone;
    std::string rTone = kUnusedTone;
    std::string cTone = kUnusedTone;
    std::string code = kUnusedCode;
    std::string rxCode = kUnusedCode;
    std::string cross = kUnusedCrossMode;
    if (encode.kind == ToneKind::None && decode.kind == ToneKind::None) {
        // no tones
    } else if (encode.kind == ToneKind::Tone && decode.kind == ToneKind::None) {
        tone = "Tone";
        rTone = encode.text;
    } else if (encode.kind == ToneKind::Tone && decode.kind == ToneKind::Tone && encode.text == decode.text) {
        tone = "TSQL";
        cTone = encode.text;
    } else if (encode.kind == ToneKind::Code && decode.kind == ToneKind::Code &&
               codeDigits(encode.text) == codeDigits(decode.text)) {
        tone = "DTCS";
        code = codeDigits(encode.text);
    } else {
        tone = "Cross";
        cross = crossSideName(encode.kind) + "->" + crossSideName(decode.kind);
        if (encode.kind == ToneKind::Tone)
            rTone = encode.text;
        if (decode.kind == ToneKind::Tone)
            cTone = decode.text;
        if (decode.kind == ToneKind::Code)
            code = rxCode = codeDigits(decode.text);
        if (encode.kind == ToneKind::Code)
            code = codeDigits(encode.text);
    }
    const std::string polarity{polarityLetter(encode), polarityLetter(decode)};

    // A frequency on the 5 kHz raster has the 5 kHz step, any other the 6.25 kHz one.
    constexpr std::int64_t kFiveKilohertz = 5000;
    const std::string step = rx % kFiveKilohertz == 0 ? "5.00" : "6.25";
    return {std::to_string(n),
            "",
            formatScaled(rx, kHertzDecimals),
            duplex,
            formatScaled(offset, kHertzDecimals),
            tone,
            rTone,
            cTone,
            code,
            polarity,
            channel.bandwidth == Bandwidth::Narrow ? "NFM" : "FM",
            step,
            channel.scan ? "" : "S",
            "",
            rxCode,
            cross};
}

} // namespace qx260
