#pragma once
// Conversion between the channel table and the radio image, both directions.

#include <array>
#include <string>
#include <vector>

#include "core/radio/FrequencyCheck.h"
#include "core/radio/RadioImage.h"

namespace qx260
{

class ChannelTable;
class CIniFile;
class UserStore;

// What decode needs from the rest of the program.
struct CodecContext {
    const CIniFile& config;
    UserStore& userStore;
    int radioVariant = 1;
    bool newDocumentFlag = false;
    bool languageFlag = false;
    std::string languageName;
    bool allColumns = false; // the user's choice to see Busy Lock and Power too
};

struct DecodeResult {
    std::string caption;   // for the main window
    BandLimits bandLimits; // for the view
    std::string typeName;
    std::string bandText;
};

// Width of Busy Lock and Power while the user has chosen to see every column.
constexpr int kAllColumnsExtraWidth = 1000;

// Column widths of columns 0..8 for a radio variant (the layout decode applies). Busy Lock
// and Power have width 0 unless allColumns.
std::array<int, 9> columnWidthsForVariant(int radioVariant, bool allColumns = false);
// The column layout decode applies: those widths, centred columns where the width is not 0
// (left-top where it is), and the table enabled for radio variants 1 and 2 only.
void applyColumnLayout(ChannelTable& table, int radioVariant, bool allColumns = false);

// Fills the table from the image: layout, cells, product bytes / stored choice,
// caption and band limits. For a new document the product bytes are taken from the
// stored choice; otherwise the document's bytes become the stored choice.
DecodeResult decodeImage(RadioImage& image, ChannelTable& table, const CodecContext& context);
// What the image's product bytes name in the configuration: type name, band text, caption
// and band limits (the part of a decode that leaves the table and the stored choice alone).
DecodeResult describeProduct(const RadioImage& image, const CodecContext& context);

// Writes the channel records and the scan bitmap from the table. Cells of columns the
// variant hides are emptied first, and the fields they stand for keep their bytes (variant
// 1: transmit frequency and encode tone; variant 2: receive frequency, decode tone and scan
// bit), except in a channel the user erased (shown empty, stored with a frequency), which is
// stored empty as a whole. A frequency cell that shows its word as stored keeps the word's
// bytes. Nothing else of the image changes.
void encodeTable(ChannelTable& table, RadioImage& image, int radioVariant);

// The channels as a save stores them: a detached copy of the table with the cells the
// variant hides emptied (an Enter in a new channel fills a hidden Tx cell until then).
ChannelTable storedChannels(const ChannelTable& table, int radioVariant);

// Band list items of a "Field%d" value, split at "|" (a trailing "|" gives an empty last item).
std::vector<std::string> splitBandList(const std::string& list);
// Item b of the list, or the last item when the list has b items or fewer.
std::string bandItem(const std::string& list, int b);

// app name + "  [ Type:" + type + "  Fre:" + band + " ]" (Chinese labels with languageFlag).
std::string buildCaption(const std::string& appName, const std::string& typeName, const std::string& bandText,
                         bool languageFlag);

} // namespace qx260
