#pragma once
// The common channel-list layout: the CSV layout in which radio amateurs keep and share
// channel lists, one row per memory, with the header
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,
//   Mode,TStep,Skip,Comment
// and often more columns after it (RxDtcsCode, CrossMode, URCALL, ...). This file maps one
// row of it onto the texts of a channel's fields and a channel back onto a row; ChannelCsv
// reads and writes whole files, and every field text is then read by its field's parser.
//
// A channel holds a receive and a transmit frequency and, independently, a tone it decodes
// and one it encodes. The row's Tone column says which of its tone columns apply:
//   ""     no tones            Tone   encode rToneFreq        TSQL  both cToneFreq
//   DTCS   both DtcsCode, DtcsPolarity's first letter for transmit, second for receive
//   Cross  CrossMode "transmit->receive", each side empty, Tone or DTCS: a transmit
//          Tone is rToneFreq, a receive Tone cToneFreq, a transmit DTCS DtcsCode, a
//          receive DTCS RxDtcsCode (DtcsCode when the row has no RxDtcsCode).

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/channels/Channel.h"
#include "core/config/Language.h"

namespace qx260
{

enum class CommonField {
    Location,
    Frequency,
    Duplex,
    Offset,
    Tone,
    RToneFreq,
    CToneFreq,
    DtcsCode,
    DtcsPolarity,
    RxDtcsCode,
    CrossMode,
    Mode,
    Skip,
    Ignored, // Name, TStep, Comment and every column this radio has no use for
};
constexpr std::size_t kCommonFieldCount = static_cast<std::size_t>(CommonField::Ignored);

// The field a header names, in any letter case.
CommonField commonFieldOfHeader(std::string_view name);
// The header of a field as the layout spells it.
std::string commonFieldName(CommonField field);
// A header row of the common layout: one that names a Location or a Frequency column.
bool isCommonLayoutHeader(const std::vector<std::string>& names);
// The columns an export writes, in order.
std::vector<std::string> commonLayoutHeader();

// One row's values by field: trimmed, a decimal comma already made a point.
using CommonRowValues = std::array<std::string, kCommonFieldCount>;

// The file field a channel field's text comes from, and a few words that tell a message
// about it what the text was made of (for a transmit frequency reckoned from Frequency and
// Offset).
struct CommonCellSource {
    CommonField field = CommonField::Frequency;
    std::string note;
};

// A row as the texts of a channel's fields, at [columnOf(field) - 1]. The row gives every
// field but Busy Lock and Power, which keep what the channel has.
struct CommonRowFields {
    std::array<std::string, kChannelFields.size()> texts;
    std::array<CommonCellSource, kChannelFields.size()> sources;
    bool noChannel = false;  // an empty Frequency: the row clears its channel
    bool noTransmit = false; // Duplex off: a receive side only, the Tx Frequency text empty
    bool failed = false;     // the row cannot be held: failedField and message say why
    CommonField failedField = CommonField::Frequency;
    std::string message;
    bool ok() const { return !failed; }
};

// The field texts of one row (English; messages in language).
CommonRowFields commonRowToFields(const CommonRowValues& values, Language language);

// Channel n as a row, in the order of commonLayoutHeader(); empty for a channel with
// neither frequency. A channel with a Tx Frequency only is written as receiving there too.
std::vector<std::string> commonRowOfChannel(const Channel& channel, int n);

} // namespace qx260
