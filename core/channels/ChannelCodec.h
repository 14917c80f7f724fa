#pragma once
// What the channel window is filled with from a document: the column layout of a radio
// variant, the cell texts of the typed channels, and what the product bytes name (type,
// band, caption, band limits). The conversion between the image and the channels is in
// Channel.h; nothing here changes the image, except the product choice step below.

#include <array>
#include <string>
#include <vector>

#include "core/channels/Channel.h"
#include "core/config/Language.h"
#include "core/radio/FrequencyCheck.h"
#include "core/radio/RadioImage.h"

namespace qx260
{

class ChannelTable;
class CIniFile;
class UserStore;

// Width of Busy Lock and Power while the user has chosen to see every column.
constexpr int kAllColumnsExtraWidth = 1000;

// Column widths of columns 0..8 for a radio variant. Busy Lock and Power have width 0
// unless allColumns.
std::array<int, 9> columnWidthsForVariant(int radioVariant, bool allColumns = false);
// Those widths, centred columns where the width is not 0 (left-top where it is), and the
// table enabled for radio variants 1 and 2 only.
void applyColumnLayout(ChannelTable& table, int radioVariant, bool allColumns = false);

// The layout of radioVariant and the cells of rows 1..16, columns 1..8 from the channels, as
// the window shows them (headers and channel numbers are not touched).
void fillChannelTable(ChannelTable& table, const ChannelList& channels, int radioVariant, Language language,
                      bool allColumns = false);

// What the image's product bytes name in the configuration.
struct ProductDescription {
    std::string typeName;
    std::string bandText;
    std::string caption;   // for the main window
    BandLimits bandLimits; // for the document's frequencies
};
ProductDescription describeProduct(const RadioImage& image, const CIniFile& config,
                                   const std::string& languageName, Language language);

// The user's product choice and a document's product bytes: a new document (never opened
// from a file or read from a radio) takes the user's last choice; any other becomes it.
void settleProductChoice(RadioImage& image, bool newDocument, UserStore& store, const CIniFile& config);

// Band list items of a "Field%d" value, split at "|" (a trailing "|" gives an empty last item).
std::vector<std::string> splitBandList(const std::string& list);
// Item b of the list, or the last item when the list has b items or fewer.
std::string bandItem(const std::string& list, int b);

// app name + "  [ Type:" + type + "  Fre:" + band + " ]" (Chinese labels in Chinese).
std::string buildCaption(const std::string& appName, const std::string& typeName, const std::string& bandText,
                         Language language);

} // namespace qx260
