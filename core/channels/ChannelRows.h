#pragma once
// Whole channel rows as text for the clipboard: what Copy writes and Paste reads, and the
// channels a Cut leaves. The text is tab-separated with a header line, so it pastes cleanly
// into a spreadsheet, and comes back from one the same way. Pasting goes through the
// import's rules (ChannelCsv.h): every value is checked as if typed, and the first refused
// value stops the paste.

#include <string>
#include <string_view>

#include "core/channels/ChannelCsv.h"

namespace qx260
{

// Channels first..last (1..16): the header line and one line per channel with the texts
// the window shows for radioVariant (the fields it hides empty), in language.
std::string copyChannelRows(const ChannelList& channels, int first, int last, int radioVariant,
                            Language language);

// Rows copied by copyChannelRows or from a spreadsheet into channel firstChannel and the
// ones after it. The header line names the columns (in either language, or those of the
// common channel-list layout); without one the fields are the columns the window shows,
// left to right. The rows' own channel numbers are not read; a row of empty fields clears
// its channel. Messages come in language.
ChannelImportResult pasteChannelRows(const ChannelList& current, std::string_view text, int firstChannel,
                                     BandLimits limits, int radioVariant, Language language);

// What a Cut leaves: channels first..last erased as the user erases a channel, each one the
// window shows with a frequency (an empty one stays as it is).
ChannelList cutChannelRows(const ChannelList& channels, int first, int last, int radioVariant);

// True when clipboard text holds rows rather than one value for a cell (a tab or a line
// break before its end).
bool looksLikeChannelRows(std::string_view text);

} // namespace qx260
