#pragma once
// The common channel-list layout: the CSV layout in which radio amateurs keep and share
// channel lists, one row per memory, with the header
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,
//   Mode,TStep,Skip,Comment
// and often more columns after it (RxDtcsCode, CrossMode, URCALL, ...). This file maps one
// row of it onto the cell texts of a channel row and back; ChannelCsv reads and writes
// whole files, and every cell is then checked as if it were typed.
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

#include "core/channels/ChannelTable.h"

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

// The file field a cell comes from, and a few words that tell a message about it what the
// cell was made of (for a transmit frequency reckoned from Frequency and Offset).
struct CommonCellSource {
    CommonField field = CommonField::Frequency;
    std::string note;
};

struct CommonRowCells {
    std::array<std::string, ChannelTable::kCols> cells; // columns 1..8; Busy Lock and Power stay empty
    std::array<CommonCellSource, ChannelTable::kCols> sources;
    bool noTransmit = false;  // Duplex off: a receive side only
    bool sideLeftOut = false; // the variant keeps one side, and the row's other side said more
    bool failed = false;      // the row cannot be held: failedField and message say why
    CommonField failedField = CommonField::Frequency;
    std::string message;
    bool ok() const { return !failed; }
};

// The cell texts (in English; the list columns take either language) of one row for a
// radio variant: 1 keeps the receive side only, 2 the transmit side only, 0 both.
CommonRowCells commonRowToCells(const CommonRowValues& values, int radioVariant, bool chineseMessages);

// The fields of channel r (1..16) in the order of commonLayoutHeader(); empty for a
// channel with neither frequency.
std::vector<std::string> commonRowOfChannel(const ChannelTable& table, int r);

} // namespace qx260
