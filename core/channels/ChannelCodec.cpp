// The channel window's layout and cells from the typed channels, and the product's texts.

#include "core/channels/ChannelCodec.h"

#include <cstdint>

#include "core/channels/ChannelFields.h"
#include "core/channels/ChannelTable.h"
#include "core/config/CIniFile.h"
#include "core/config/Texts.h"
#include "core/config/UserStore.h"

namespace qx260
{

namespace
{

constexpr std::array<int, 9> kBaseWidths{500, 1200, 1200, 1200, 1200, 1000, 1000, 0, 0};

} // namespace

std::array<int, 9> columnWidthsForVariant(int radioVariant, bool allColumns)
{
    std::array<int, 9> widths = kBaseWidths;
    if (allColumns) {
        widths[column::BusyLock] = kAllColumnsExtraWidth;
        widths[column::Power] = kAllColumnsExtraWidth;
    }
    if (radioVariant == 1) {
        widths[column::TxFrequency] = 0;
        widths[column::EncodeTone] = 0;
    } else if (radioVariant == 2) {
        widths[column::RxFrequency] = 0;
        widths[column::DecodeTone] = 0;
        widths[column::Scan] = 0;
    }
    return widths;
}

void applyColumnLayout(ChannelTable& table, int radioVariant, bool allColumns)
{
    const std::array<int, 9> widths = columnWidthsForVariant(radioVariant, allColumns);
    table.setEnabled(radioVariant == 1 || radioVariant == 2);
    for (int c = 0; c < table.cols(); ++c) {
        const int width = c < static_cast<int>(widths.size()) ? widths[static_cast<std::size_t>(c)] : 0;
        table.setColWidth(c, width);
        table.setColAlignment(c, width != 0 ? AlignCenterCenter : AlignLeftTop);
    }
}

void fillChannelTable(ChannelTable& table, const ChannelList& channels, int radioVariant, Language language,
                      bool allColumns)
{
    applyColumnLayout(table, radioVariant, allColumns);
    for (int n = 1; n <= kChannelCount; ++n) {
        const std::array<std::string, 8> texts = shownFieldTexts(channels.channel(n), radioVariant, language);
        for (int col = column::RxFrequency; col <= column::Power; ++col)
            table.setTextMatrix(n, col, texts[static_cast<std::size_t>(col - 1)]);
    }
}

ProductDescription describeProduct(const RadioImage& image, const CIniFile& config,
                                   const std::string& languageName, Language language)
{
    ProductDescription result;
    const std::string number = std::to_string(image.byte(offset::ProductType) + 1);
    result.typeName = config.GetString("Setup", "Type" + number, "");
    const std::string bandList = config.GetString("Setup", "Field" + number, "");
    result.bandText = bandItem(bandList, image.byte(offset::BandIndex));
    const std::string appName = config.GetString(languageName, "AppName", "");
    result.caption = buildCaption(appName, result.typeName, result.bandText, language);
    result.bandLimits = bandLimitsFromText(result.bandText);
    return result;
}

void settleProductChoice(RadioImage& image, bool newDocument, UserStore& store, const CIniFile& config)
{
    if (newDocument) {
        const ProductChoice choice = readProductChoice(store, config);
        image.setByte(offset::ProductType, static_cast<std::uint8_t>(choice.type & 0xFF));
        image.setByte(offset::BandIndex, static_cast<std::uint8_t>(choice.field & 0xFF));
    } else {
        writeProductChoice(store, config, {image.byte(offset::ProductType), image.byte(offset::BandIndex)});
    }
}

std::vector<std::string> splitBandList(const std::string& list)
{
    std::vector<std::string> items;
    std::string::size_type start = 0;
    for (;;) {
        const auto bar = list.find('|', start);
        if (bar == std::string::npos) {
            items.push_back(list.substr(start));
            return items;
        }
        items.push_back(list.substr(start, bar - start));
        start = bar + 1;
    }
}

std::string bandItem(const std::string& list, int b)
{
    const std::vector<std::string> items = splitBandList(list);
    if (b < 0)
        b = 0;
    if (static_cast<std::size_t>(b) < items.size())
        return items[static_cast<std::size_t>(b)];
    return items.back();
}

std::string buildCaption(const std::string& appName, const std::string& typeName, const std::string& bandText,
                         Language language)
{
    return formatText(Text::WindowCaption, language, {appName, typeName, bandText});
}

} // namespace qx260
