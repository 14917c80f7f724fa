// One row of the common channel-list layout to channel cells and back; see the header.

#include "core/channels/CommonChannelLayout.h"

#include <cstdio>
#include <optional>

#include "core/channels/SpreadsheetValues.h"
#include "core/config/AsciiText.h"
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

enum class ToneKind { None, Tone, Code };

// One side of a channel's tones.
struct ToneSide {
    ToneKind kind = ToneKind::None;
    std::string text;   // the tone as the channel window writes it ("88.5", "D023N")
    CommonField source; // where it came from
};

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
    RowReader(const CommonRowValues& values, int radioVariant, bool chinese)
        : values_(values), variant_(radioVariant), chinese_(chinese)
    {
    }

    CommonRowCells read()
    {
        const std::string& frequency = value(values_, CommonField::Frequency);
        if (frequency.empty())
            return out_; // no frequency: the channel is cleared
        if (!isPlainDecimal(frequency)) {
            fail(CommonField::Frequency, "Frequency must be the receive frequency in MHz, such as 146.520000",
                 "Frequency 必须是以 MHz 为单位的接收频率，例如 146.520000");
            return out_;
        }
        if (!readTransmitFrequency(frequency) || !readMode() || !readSkip())
            return out_;
        ToneSide encode;
        ToneSide decode;
        if (!readTones(encode, decode))
            return out_;

        setCell(column::RxFrequency, frequency, {CommonField::Frequency, {}});
        setTone(column::EncodeTone, encode);
        setTone(column::DecodeTone, decode);
        keepVariantSide(encode, decode);
        return out_;
    }

  private:
    // Records why the row cannot be held; false, for the reader that gives up.
    bool fail(CommonField field, const char* english, const char* chinese)
    {
        return fail(field, std::string(chinese_ ? chinese : english));
    }
    bool fail(CommonField field, const std::string& message)
    {
        out_.failed = true;
        out_.failedField = field;
        out_.message = message;
        return false;
    }

    void setCell(int col, const std::string& text, CommonCellSource source)
    {
        out_.cells[static_cast<std::size_t>(col)] = text;
        out_.sources[static_cast<std::size_t>(col)] = std::move(source);
    }

    void setTone(int col, const ToneSide& side)
    {
        setCell(col, side.kind == ToneKind::None ? noToneText(false) : side.text, {side.source, {}});
    }

    bool readTransmitFrequency(const std::string& frequency)
    {
        const std::string& duplex = value(values_, CommonField::Duplex);
        const std::string& offset = value(values_, CommonField::Offset);
        if (duplex.empty()) {
            setCell(column::TxFrequency, frequency, {CommonField::Frequency, {}});
            return true;
        }
        if (equalsIgnoringAsciiCase(duplex, "off")) {
            out_.noTransmit = true;
            return true;
        }
        const bool split = equalsIgnoringAsciiCase(duplex, "split");
        if (!split && duplex != "+" && duplex != "-")
            return fail(CommonField::Duplex, "Duplex must be empty, +, -, split or off",
                        "Duplex 必须为空、+、-、split 或 off");
        if (!isPlainDecimal(offset))
            return fail(
                CommonField::Offset,
                split ? "with Duplex split, Offset must be the transmit frequency in MHz, such as 146.520000"
                      : "Offset must be a frequency difference in MHz, such as 0.600000",
                split ? "Duplex 为 split 时，Offset 必须是以 MHz 为单位的发射频率，例如 146.520000"
                      : "Offset 必须是以 MHz 为单位的频差，例如 0.600000");
        if (split) {
            setCell(column::TxFrequency, offset, {CommonField::Offset, {}});
            return true;
        }
        const std::optional<std::int64_t> rx = scaleExact(parseLeadingNumber(frequency), kHertzDecimals);
        const std::optional<std::int64_t> shift = scaleExact(parseLeadingNumber(offset), kHertzDecimals);
        if (!rx || !shift)
            return fail(CommonField::Offset, "the transmit frequency is too large", "发射频率过大");
        const std::string tx = formatScaled(duplex == "+" ? *rx + *shift : *rx - *shift, kHertzDecimals);
        const std::string note = chinese_ ? "发射频率 " + tx + "（Frequency " + duplex + " Offset）"
                                          : "transmit frequency " + tx + " (Frequency " + duplex + " Offset)";
        setCell(column::TxFrequency, tx, {CommonField::Offset, note});
        return true;
    }

    // A column of two words onto the two items of a list column (Mode onto W/N, Skip onto
    // Scan), any letter case.
    struct Choice {
        const char* word;
        const char* item;
    };
    bool readChoice(CommonField field, int col, Choice first, Choice second, const char* english,
                    const char* chinese)
    {
        const std::string& text = value(values_, field);
        for (const Choice& choice : {first, second}) {
            if (equalsIgnoringAsciiCase(text, choice.word)) {
                setCell(col, choice.item, {field, {}});
                return true;
            }
        }
        return fail(field, english, chinese);
    }

    bool readMode()
    {
        return readChoice(CommonField::Mode, column::Bandwidth, {"FM", kWideText.english},
                          {"NFM", kNarrowText.english}, "Mode must be FM (Wide) or NFM (Narrow)",
                          "Mode 必须是 FM（宽）或 NFM（窄）");
    }

    bool readSkip()
    {
        return readChoice(CommonField::Skip, column::Scan, {"", kYesText.english}, {"S", kNoText.english},
                          "Skip must be empty (scanned) or S (not scanned)",
                          "Skip 必须为空（扫描）或 S（不扫描）");
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
            fail(CommonField::DtcsPolarity,
                 "DtcsPolarity must be NN, NR, RN or RR (N normal, R inverted; transmit first, then receive)",
                 "DtcsPolarity 必须是 NN、NR、RN 或 RR（N 正向，R 反向；先发射，后接收）");
            return std::nullopt;
        }
        return transmit ? first : second;
    }

    // A tone from rToneFreq or cToneFreq.
    bool tone(CommonField field, ToneSide& side)
    {
        const std::string& text = value(values_, field);
        if (text.empty())
            return fail(field, commonFieldName(field) +
                                   (chinese_ ? " 不能为空：需要以 Hz 为单位的亚音，例如 88.5"
                                             : " is empty: a tone in Hz is needed, such as 88.5"));
        side = {ToneKind::Tone, toneListText(text), field};
        return true;
    }

    // A code from DtcsCode (or RxDtcsCode) with the polarity of its side.
    bool code(CommonField field, bool transmit, ToneSide& side)
    {
        const std::string& text = value(values_, field);
        const bool digits =
            !text.empty() && text.size() <= 3 && isPlainDecimal(text) && text.find('.') == std::string::npos;
        if (!digits)
            return fail(field, commonFieldName(field) +
                                   (chinese_ ? " 必须是三位八进制数字的数字亚音码，例如 023"
                                             : " must be a code of three octal digits, such as 023"));
        const std::optional<char> letter = polarity(transmit);
        if (!letter)
            return false;
        char text3[8];
        std::snprintf(text3, sizeof text3, "%03d", static_cast<int>(leadingInteger(text)));
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
            return fail(CommonField::Tone, "Tone must be empty, Tone, TSQL, DTCS or Cross",
                        "Tone 必须为空、Tone、TSQL、DTCS 或 Cross");

        const std::string& cross = value(values_, CommonField::CrossMode);
        const std::size_t arrow = cross.find("->");
        const std::optional<ToneKind> tx =
            arrow == std::string::npos ? std::nullopt : crossSide(std::string_view(cross).substr(0, arrow));
        const std::optional<ToneKind> rx =
            arrow == std::string::npos ? std::nullopt : crossSide(std::string_view(cross).substr(arrow + 2));
        if (!tx || !rx || (*tx == ToneKind::None && *rx == ToneKind::None)) {
            const std::string held = chinese_
                                         ? "本电台能保存 Tone->Tone、Tone->DTCS、DTCS->Tone、DTCS->DTCS、"
                                           "Tone->、DTCS->、->Tone 和 ->DTCS"
                                         : "this radio holds Tone->Tone, Tone->DTCS, DTCS->Tone, DTCS->DTCS, "
                                           "Tone->, DTCS->, ->Tone and ->DTCS";
            if (cross.empty())
                return fail(CommonField::CrossMode, (chinese_ ? "Tone 为 Cross 时需要 CrossMode；"
                                                              : "Tone Cross needs a CrossMode; ") +
                                                        held);
            return fail(CommonField::CrossMode, (chinese_ ? "本电台不能保存这个 CrossMode；"
                                                          : "this radio cannot hold this CrossMode; ") +
                                                    held);
        }
        const CommonField receiveCode =
            value(values_, CommonField::RxDtcsCode).empty() ? CommonField::DtcsCode : CommonField::RxDtcsCode;
        const bool txOk =
            *tx == ToneKind::None || (*tx == ToneKind::Tone ? tone(CommonField::RToneFreq, encode)
                                                            : code(CommonField::DtcsCode, true, encode));
        return txOk && (*rx == ToneKind::None || (*rx == ToneKind::Tone ? tone(CommonField::CToneFreq, decode)
                                                                        : code(receiveCode, false, decode)));
    }

    // Variant 1 keeps the receive side, variant 2 the transmit side: the other side's cells
    // stay empty, as the channel window leaves them.
    void keepVariantSide(const ToneSide& encode, const ToneSide& decode)
    {
        const bool differentTx = !value(values_, CommonField::Duplex).empty() && !out_.noTransmit;
        const bool differentTones = encode.kind != decode.kind || encode.text != decode.text;
        if (variant_ == 1) {
            out_.sideLeftOut = differentTx || differentTones;
            out_.cells[column::TxFrequency].clear();
            out_.cells[column::EncodeTone].clear();
            out_.noTransmit = false;
        } else if (variant_ == 2) {
            if (out_.noTransmit) {
                fail(CommonField::Duplex,
                     chinese_ ? "电台类型 2 只保存发射一侧，而 Duplex off 使这个信道没有发射频率"
                              : "radio variant 2 keeps the transmit side only, and Duplex off "
                                "leaves this channel without one");
                return;
            }
            out_.sideLeftOut = differentTx || differentTones;
            out_.cells[column::RxFrequency].clear();
            out_.cells[column::DecodeTone].clear();
        }
    }

    const CommonRowValues& values_;
    int variant_;
    bool chinese_;
    CommonRowCells out_;
};

// One side of a channel's tones from its cell text.
ToneSide toneOfCell(const std::string& text)
{
    if (text.empty() || text == noToneText(false) || text == noToneText(true))
        return {ToneKind::None, {}, CommonField::Tone};
    if (text.front() == 'D')
        return {ToneKind::Code, text, CommonField::DtcsCode};
    return {ToneKind::Tone, text, CommonField::RToneFreq};
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

// A frequency cell in hertz; 0 for an empty one.
std::int64_t hertzOf(const std::string& cell)
{
    return cell.empty() ? 0 : scaleExact(parseLeadingNumber(cell), kHertzDecimals).value_or(0);
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

CommonRowCells commonRowToCells(const CommonRowValues& values, int radioVariant, bool chineseMessages)
{
    return RowReader(values, radioVariant, chineseMessages).read();
}

std::vector<std::string> commonRowOfChannel(const ChannelTable& table, int r)
{
    const std::string& rxCell = table.textMatrix(r, column::RxFrequency);
    const std::string& txCell = table.textMatrix(r, column::TxFrequency);
    if (rxCell.empty() && txCell.empty())
        return {};

    // A channel with a transmit side only is written as transmitting and receiving there.
    const std::int64_t rx = hertzOf(rxCell.empty() ? txCell : rxCell);
    const std::int64_t tx = rxCell.empty() ? rx : hertzOf(txCell);
    std::string duplex;
    std::int64_t offset = 0;
    if (txCell.empty())
        duplex = "off";
    else if (tx > rx)
        duplex = "+", offset = tx - rx;
    else if (tx < rx)
        duplex = "-", offset = rx - tx;

    ToneSide encode = toneOfCell(table.textMatrix(r, column::EncodeTone));
    ToneSide decode = rxCell.empty() ? ToneSide{} : toneOfCell(table.textMatrix(r, column::DecodeTone));
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
    const std::string mode = kNarrowText.matches(table.textMatrix(r, column::Bandwidth)) ? "NFM" : "FM";
    const std::string skip = kYesText.matches(table.textMatrix(r, column::Scan)) ? "" : "S";
    return {std::to_string(r),
            "",
            formatScaled(rx, kHertzDecimals),
            duplex,
            formatScaled(offset, kHertzDecimals),
            tone,
            rTone,
            cTone,
            code,
            polarity,
            mode,
            step,
            skip,
            "",
            rxCode,
            cross};
}

} // namespace qx260
