#pragma once
// Whole channel rows as text for the clipboard: what Copy writes and Paste reads. The text
// is tab-separated with a header line, so it pastes cleanly into a spreadsheet, and comes
// back from one the same way. Pasting goes through the import's rules: every cell is
// checked as if typed, and the first refused value stops the paste.

#include <string>
#include <string_view>

#include "core/channels/ChannelCsv.h"

namespace qx260
{

// Channels first..last (1..16): the header line and one line per channel with every
// column of the table (those the variant hides empty), in the window's language.
std::string copyChannelRows(const ChannelTable& table, int first, int last, bool languageFlag);

// Rows copied by copyChannelRows or from a spreadsheet into channel firstChannel and the
// ones after it. The header line names the columns (in either language, or those of the
// common channel-list layout); without one the fields are the columns the window shows,
// left to right. The rows' own channel numbers are not read; a row of empty fields clears
// its channel. Messages come in the window's language.
ChannelImportResult pasteChannelRows(ChannelTable& table, std::string_view text, int firstChannel,
                                     BandLimits limits, bool languageFlag, int radioVariant);

// True when clipboard text holds rows rather than one value for a cell (a tab or a line
// break before its end).
bool looksLikeChannelRows(std::string_view text);

} // namespace qx260
