#pragma once
// The 16 channels as comma-separated values for spreadsheets, and back.
//
// Export writes a header row with the English column headers and one row per channel
// with the cell texts of the table. Import takes such a file into a table decoded from a
// document and changes each cell whose text differs the way a user would by typing it
// into the channel window and pressing Enter: frequencies are checked against the band
// and the channel steps, a frequency in an empty channel gives it the new-channel
// defaults, list values must be one of the list's items (in either language, any letter
// case), and a channel without a frequency is cleared. The first refused value stops the
// import; the caller then throws the table away.

#include <string>
#include <string_view>
#include <vector>

#include "core/radio/FrequencyCheck.h"

namespace qx260
{

class ChannelTable;

std::string exportChannelsCsv(const ChannelTable& table);

struct ChannelImportError {
    int line = 0;        // line of the file, from 1 (0: the file as a whole)
    int field = 0;       // column of the file, from 1 (0: the line as a whole)
    std::string header;  // that column's header, when it has one
    std::string value;   // the text found there
    int messageId = 0;   // the channel window's message id when it refused a frequency
    std::string message; // what is wrong (the window's own text for a refused frequency)
};

struct ChannelImportResult {
    bool failed = false;
    ChannelImportError error;
    int changedChannels = 0;
    std::vector<int> changed; // the channels (1..16) with a changed cell, in file order
    bool ok() const { return !failed; }
};

// table: the document's channels as decoded for radioVariant. Columns the variant hides
// must be empty in the file. A frequency column the variant uses that is empty in the file
// (both of them for variant 0) clears the channel.
ChannelImportResult importChannelsCsv(ChannelTable& table, std::string_view csvText, BandLimits limits,
                                      bool languageFlag, int radioVariant);

class RadioImage;
// Writes the channels an import changed into the image, as saving the table would; the
// records and scan bits of every other channel keep their bytes exactly.
void storeChangedChannels(ChannelTable& table, const ChannelImportResult& result, RadioImage& image,
                          int radioVariant);

} // namespace qx260
