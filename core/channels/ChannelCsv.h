#pragma once
// The 16 channels as comma-separated values for spreadsheets, and back, in two layouts:
// the program's own (a header row with the channel window's column headers and one row
// per channel with the texts of its fields) and the common channel-list layout
// (CommonChannelLayout.h). An import tells the layout from the header row. The same
// functions take rows pasted from the clipboard (ChannelRows.h).
//
// An export writes what the channels hold, whatever a radio variant shows of them.
//
// An import reads every value with its field's parser and takes it into the channels the
// way the channel window takes a value typed into a cell it shows and confirmed with Enter
// (ChannelEditing.h): frequencies are checked against the band and the channel steps, a
// frequency in an empty channel gives it the new-channel settings, list values must be one
// of the list's items (in either language, any letter case), and a channel without a
// frequency is cleared. A value in a column the radio variant hides is taken as it stands
// and kept, though not shown (an empty one there says nothing); a note says so. The first
// refused value stops the import, and the channels stay as they were.
//
// Spreadsheet habits are taken as they come: a file separated by ';' reads like one
// separated by ',', and in it a number's decimal comma is a point (anywhere else a comma
// in a number is refused); a tone written as a whole number (100) is the listed 100.0.

#include <string>
#include <string_view>
#include <vector>

#include "core/channels/Channel.h"
#include "core/config/Language.h"
#include "core/radio/FrequencyCheck.h"

namespace qx260
{

enum class ChannelCsvLayout {
    Program, // CH, Rx Frequency, ..., Power: every field of every channel
    Common,  // the common channel-list layout
};

// Every channel in the program's layout (the list values in language, the header row in
// English); the channels that have a frequency in the common one.
std::string exportChannels(const ChannelList& channels, ChannelCsvLayout layout,
                           Language language = Language::English);

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
    std::string checked;      // the field's text as checked (a Tx reckoned from Frequency + Offset)
};

struct ChannelImportResult {
    ChannelList channels;     // as the rows leave them; as they were after a refusal
    std::vector<int> changed; // the channels (1..16) stored differently now, in file order
    int rows = 0;             // the rows taken, one channel each
    ChannelCsvLayout layout = ChannelCsvLayout::Program;
    std::vector<std::string> notes; // what was taken differently than written, one line each
    bool failed = false;
    ChannelImportError error;
    bool ok() const { return !failed; }
};

// How the rows of a text reach the channels.
struct ChannelRowsInput {
    std::string_view text;
    char separator = 0;          // 0: ';' or ',' as the first line shows
    int firstChannel = 0;        // 0: the rows' channel numbers decide; else rows fill this and the next ones
    bool renumber = false;       // rows fill channels 1 to 16 in order; their channel numbers are not read
    bool headerOptional = false; // a first line that names no column is a row of the columns the window shows
};

// Takes the rows of input into a copy of current. radioVariant is the variant the channels
// are shown for (1 the receive side, 2 the transmit side, 0 both); messages and notes come
// in language.
ChannelImportResult importChannels(const ChannelList& current, const ChannelRowsInput& input,
                                   BandLimits limits, int radioVariant, Language language);

// A refusal in one line: "FILE:LINE: column N (HEADER): "VALUE": MESSAGE" for a file
// (place is its name); "Channel N, HEADER: ..." for rows pasted (place empty).
// windowMessage replaces the message when the error has a message id.
std::string importErrorText(const ChannelImportError& error, const std::string& place,
                            const std::string& windowMessage, Language language);

// A channel list file's bytes, read as the import takes them: at most 1 MB, a regular file.
struct ChannelFileRead {
    std::string bytes;
    std::string error; // empty on success; says what failed
    bool ok() const { return error.empty(); }
};
ChannelFileRead readChannelListFile(const std::string& path, Language language);

struct FileResult;
// Writes an export as a whole (replaceFile); a path that names something other than a
// regular file (a device, a pipe, a folder) is refused and left alone.
FileResult writeChannelListFile(const std::string& path, std::string_view text);

} // namespace qx260
