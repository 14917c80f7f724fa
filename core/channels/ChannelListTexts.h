#pragma once
// The texts of channel lists in both languages: what an import of a CSV file or of rows
// pasted says when it refuses a value or takes one differently than written, the words of
// its refusal line, and the words the channel window's File and Edit commands say about
// channel lists. One table keyed by an enum, so that every front end says the same thing.
//
// A text may hold the places %1, %2, ... that channelListText fills in order.

#include <initializer_list>
#include <string>

#include "core/channels/ChannelFields.h"
#include "core/config/Language.h"

namespace qx260
{

enum class ChannelListText {
    // reading the file
    FileTooLarge,   // %1 path
    FileCannotOpen, // %1 path, %2 reason
    CsvNotUtf8,     //
    CsvUnclosedQuote,
    CsvTextAfterQuote,
    FileEmpty,    // %1 the program layout's headers
    NotAColumn,   // %1 the header, %2 the program layout's headers
    ColumnTwice,  // %1 the header
    NoSuchColumn, // %1 the header
    MoreFieldsThanShown,
    MoreFieldsThanHeader,
    DecimalComma, // %1 the number with a point
    // rows and channels
    ChannelNotOneTo16,
    LocationNotOneTo16,
    RowsPastChannel16,
    RowTooMany,
    ChannelGivenTwice, // %1 channel, %2 line
    // values
    ToneNotANumber,
    ToneNotListed,
    NotAChoice, // %1 the column's header
    // the common channel-list layout
    CommonFrequency,
    CommonDuplex,
    CommonOffsetSplit,
    CommonOffset,
    CommonTxTooLarge,
    CommonMode,
    CommonSkip,
    CommonPolarity,
    CommonToneEmpty,  // %1 the column
    CommonCodeDigits, // %1 the column
    CommonToneMode,
    CommonCrossModeMissing, // %1 CommonCrossModesHeld
    CommonCrossModeNotHeld, // %1 CommonCrossModesHeld
    CommonCrossModesHeld,
    CommonTxReckoned, // %1 transmit frequency, %2 "+" or "-"
    // what was taken differently than written
    IgnoredColumns,    // %1 the columns
    HiddenColumnsKept, // %1 the columns, %2 the radio variant
    // where a refusal lies
    PlaceColumn,    // %1 column number
    PlaceChannel,   // %1 channel
    PlaceLine,      // %1 line
    PlaceSeparator, // between a channel and a column header
    // the channel window's commands
    ImportCaption,
    ExportCaption,
    ImportFilter,
    ProgramLayoutFilter,
    CommonLayoutFilter,
    NothingImported,
    NothingPasted,
    RenumberQuestion,
    ImportedOne,     // %1 file
    ImportedMany,    // %1 count, %2 file
    CannotWrite,     // %1 path, %2 reason
    ExportedTo,      // %1 file
    OneChannel,      // %1 channel
    SeveralChannels, // %1 first, %2 last
    Copied,          // %1 channels
    Cut,             // %1 channels
    Pasted,          // %1 channels
};

// The text in language, with %1, %2, ... replaced by args in order.
std::string channelListText(ChannelListText id, Language language,
                            std::initializer_list<std::string> args = {});

// What a refused value of field is told: the channel window's message for a frequency (in
// English; the window's language module has it in the program's language), the tone list
// or the column's choices for the rest.
std::string fieldRefusalText(FieldRefusal refusal, ChannelField field, Language language);

} // namespace qx260
