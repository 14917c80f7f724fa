#pragma once
// The 16 channels as comma-separated values for spreadsheets, and back, in two layouts:
// the program's own (a header row with the channel window's column headers and one row
// per channel with the cell texts of the table) and the common channel-list layout
// (CommonChannelLayout.h). An import tells the layout from the header row.
//
// Import takes a file into a table decoded from a document and changes each cell whose
// text differs the way a user would by typing it into the channel window and pressing
// Enter: frequencies are checked against the band and the channel steps, a frequency in
// an empty channel gives it the new-channel defaults, list values must be one of the
// list's items (in either language, any letter case), and a channel without a frequency
// is cleared. The first refused value stops the import; the caller then throws the
// table away.
//
// Spreadsheet habits are taken as they come: a file separated by ';' reads like one
// separated by ',', and in it a number's decimal comma is a point (anywhere else a comma
// in a number is refused); a tone written as a whole number (100) is the listed 100.0.

#include <string>
#include <string_view>
#include <vector>

#include "core/radio/FrequencyCheck.h"

namespace qx260
{

class ChannelTable;

enum class ChannelCsvLayout {
    Program, // CH, Rx Frequency, ..., Power: the cells as the channel window shows them
    Common,  // the common channel-list layout
};

// Every channel in the program's layout; the channels that have a frequency in the
// common one.
std::string exportChannelsCsv(const ChannelTable& table, ChannelCsvLayout layout = ChannelCsvLayout::Program);

struct ChannelImportError {
    int line = 0;             // line of the file, from 1 (0: the file as a whole)
    int field = 0;            // column of the file, from 1 (0: the line as a whole)
    std::string header;       // that column's header, when it has one
    std::string value;        // the text found there
    int messageId = 0;        // the channel window's message id when it refused a frequency
    std::string message;      // what is wrong (the window's own text for a refused frequency)
    std::string note;         // what the refused value was made of, when not the field's own text
    int channel = 0;          // the channel the row was meant for, once known
    bool badLocation = false; // the row's channel number is not 1..16 (renumbering would take it)
};

struct ChannelImportResult {
    bool failed = false;
    ChannelImportError error;
    int changedChannels = 0;
    std::vector<int> changed; // the channels (1..16) with a changed cell, in file order
    int rows = 0;             // the rows taken, one channel each
    ChannelCsvLayout layout = ChannelCsvLayout::Program;
    std::vector<std::string> notes; // what was taken differently than written, one line each
    bool ok() const { return !failed; }
};

// How the rows of a text reach the table.
struct ChannelRowsInput {
    std::string_view text;
    char separator = 0;          // 0: ';' or ',' as the first line shows
    int firstChannel = 0;        // 0: the rows' channel numbers decide; else rows fill this and the next ones
    bool renumber = false;       // rows fill channels 1 to 16 in order; their channel numbers are not read
    bool headerOptional = false; // a first line that names no column is a row of the columns the window shows
    bool chineseMessages = false;
};

// table: the document's channels as decoded for radioVariant. Columns the variant hides
// must be empty in a file of the program's layout; of a row of the common layout only the
// side the variant keeps is taken. A frequency column the variant uses that is empty in the
// file (both of them for variant 0) clears the channel.
ChannelImportResult importChannelRows(ChannelTable& table, const ChannelRowsInput& input, BandLimits limits,
                                      bool languageFlag, int radioVariant);
// A file's rows, with English messages.
ChannelImportResult importChannelsCsv(ChannelTable& table, std::string_view csvText, BandLimits limits,
                                      bool languageFlag, int radioVariant, bool renumber = false);

// A refusal in one line: "FILE:LINE: column N (HEADER): "VALUE": MESSAGE" for a file
// (place is its name); "Channel N, HEADER: ..." for rows pasted (place empty).
// windowMessage replaces the message when the error has a message id.
std::string importErrorText(const ChannelImportError& error, const std::string& place,
                            const std::string& windowMessage, bool chinese);

// A channel list file's bytes, read as the import takes them: at most 1 MB, a regular file.
struct ChannelFileRead {
    std::string bytes;
    std::string error; // empty on success; says what failed and that nothing was imported
    bool ok() const { return error.empty(); }
};
ChannelFileRead readChannelListFile(const std::string& path, bool chinese);

struct FileResult;
// Writes an export as a whole (replaceFile); a path that names something other than a
// regular file (a device, a pipe, a folder) is refused and left alone.
FileResult writeChannelListFile(const std::string& path, std::string_view text);

class RadioImage;
// Writes the channels an import changed into the image, as saving the table would; the
// records and scan bits of every other channel keep their bytes exactly.
void storeChangedChannels(ChannelTable& table, const ChannelImportResult& result, RadioImage& image,
                          int radioVariant);

} // namespace qx260
