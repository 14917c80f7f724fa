#pragma once
// Importing what fits from a channel list made elsewhere (a club's list, a repeater
// directory export): the file read into its rows, each row judged on its own (can it be
// taken as it stands, and if not, why), the channels the chosen rows go to from a first
// channel, and the chosen rows taken as one change, all or nothing.
//
// A row is judged as the all-or-nothing import (ChannelCsv.h) would take it into an empty
// channel: the same parsers, band, steps, tone list and layouts, so that a row judged to fit
// is one that import takes. The rows chosen fill the channels in file order from the first
// channel, whatever their Location or CH column says; rows past channel 16 have no channel
// left. A file that cannot be read as a list at all (not UTF-8, a broken quote, a header row
// that names no column) is no plan: it is refused as the whole import refuses it.

#include <string>
#include <string_view>
#include <vector>

#include "core/channels/ChannelCsv.h"

namespace qx260
{

class CIniFile;
class RadioImage;

// The document the rows are for.
struct ImportTarget {
    BandLimits limits;                     // the document's band
    std::vector<BandLimits> otherBands;    // the other bands Product Information offers its type
    int radioVariant = 0;                  // the variant the channels are shown for
    Language language = Language::English; // of the reasons
};

// The bands Product Information offers the document's product type, the document's own
// band left out (for ImportTarget::otherBands).
std::vector<BandLimits> otherProductBands(const RadioImage& image, const CIniFile& config);

struct ImportRow {
    int line = 0;          // line of the file the row starts on
    std::string location;  // its Location or CH text, as written (may be empty)
    std::string name;      // its Name text (the common layout only)
    std::string frequency; // the receive frequency: as the window shows it when the row fits, else as written
    std::string tones;  // its tones: "decode / encode" as the window shows them when it fits, else as written
    bool fits = false;  // can be taken as it stands
    std::string reason; // why not, when it does not fit
    std::string record; // the row as a CSV record, for taking it
};

struct ImportFile {
    bool failed = false;
    ChannelImportError error; // why the file is no list (failed)
    ChannelCsvLayout layout = ChannelCsvLayout::Program;
    char separator = ',';
    std::string header;          // the header row as a CSV record
    std::vector<ImportRow> rows; // every row with a value in it, in file order
    std::string bandNote;        // once per file: more rows lie in another band Product Information offers
    bool ok() const { return !failed; }
};

// Reads text into rows and judges each for target.
ImportFile readImportFile(std::string_view text, const ImportTarget& target);

// The rows (indexes into file.rows) that fit, in file order, as many as there are channels
// from firstChannel (1..16) on.
std::vector<bool> fittingSelection(const ImportFile& file, int firstChannel);

// The channel each row goes to: the chosen rows fill firstChannel, firstChannel + 1, ...
// in file order; 0 for a row not chosen or chosen past channel 16.
std::vector<int> plannedChannels(const std::vector<bool>& chosen, int firstChannel);

// The rows picked by a list of line numbers "1-8,12" (blanks allowed around the parts): the
// rows that start on one of them. False (error says why, in English) for a list that does
// not read, or names a line on which no row starts.
bool selectRowsByLine(const ImportFile& file, std::string_view list, std::vector<bool>& chosen,
                      std::string& error);

struct LeftOutRow {
    int line = 0;
    std::string reason;
};

struct ImportTaken {
    ChannelImportResult result;      // the channels after the change; failed: as they were
    int taken = 0;                   // rows taken, one channel each
    std::vector<LeftOutRow> leftOut; // every other row, with why, in file order
    bool ok() const { return result.ok(); }
};

// Takes the chosen rows that fit into a copy of current from firstChannel on, all or
// nothing; rows not chosen, not fitting or past channel 16 are left out with their reason.
ImportTaken takeChosenRows(const ChannelList& current, const ImportFile& file,
                           const std::vector<bool>& chosen, int firstChannel, const ImportTarget& target);

// "Took N channels; M rows left out" in language.
std::string importSummary(const ImportTaken& taken, Language language);

// A whole import refused, in the words the rows left out are told in: the place, then a
// refused frequency as "list.csv:3: column 2 (Rx Frequency): 442.400 MHz is outside the band
// 130–160 MHz (Product Information)", anything else with its value and message.
std::string importRefusalText(const ChannelImportError& error, const std::string& place,
                              const ImportTarget& target);

} // namespace qx260
