// The channel window's layout and cells from the typed channels, the product's texts, and
// (until the channel lists move over) the old table codec.

#include "core/channels/ChannelCodec.h"

#include <cstdint>
#include <optional>

#include "core/channels/ChannelFields.h"
#include "core/channels/ChannelTable.h"
#include "core/config/CIniFile.h"
#include "core/config/UserStore.h"
#include "core/radio/ChannelTexts.h"
#include "core/radio/Decimal.h"
#include "core/radio/Tones.h"

namespace qx260
{

namespace
{

constexpr std::array<int, 9> kBaseWidths{500, 1200, 1200, 1200, 1200, 1000, 1000, 0, 0};

// The largest value eight BCD digits hold.
constexpr std::int32_t kMaxFrequencyUnits = 99999999;

std::string frequencyText(const std::optional<std::uint32_t>& units)
{
    return units ? formatScaled(static_cast<std::int64_t>(*units), 5) : std::string();
}

// A cell's frequency in 10 Hz units; 0 (the empty word) for no number and for values
// a frequency word cannot hold.
std::uint32_t cellFrequency(const std::string& text)
{
    const std::optional<std::int32_t> units = textToScaled32(text, 5);
    if (!units || *units < 0 || *units > kMaxFrequencyUnits)
        return 0;
    return static_cast<std::uint32_t>(*units);
}

// A frequency cell that still shows what its word holds keeps the word's bytes, so that a
// word the cell cannot show exactly (a digit above 9, a value of 1000 MHz or more) is not
// rewritten unless the user changes that cell.
template <typename Store>
void storeFrequency(const std::string& text, const std::optional<std::uint32_t>& stored, Store store)
{
    if (stored && text == frequencyText(stored))
        return;
    store(cellFrequency(text));
}

// Whether a channel is empty: its deciding frequency is (the receive one for variant 1,
// the transmit one for variant 2, both for any other variant).
bool channelEmpty(bool rxEmpty, bool txEmpty, int radioVariant)
{
    switch (radioVariant) {
    case 1:
        return rxEmpty;
    case 2:
        return txEmpty;
    default:
        return rxEmpty && txEmpty;
    }
}

bool rowIsEmpty(const RadioImage& image, int n, int radioVariant)
{
    return channelEmpty(!image.rxFrequency(n), !image.txFrequency(n), radioVariant);
}

const char* busyLockText(BusyLock lock, bool languageFlag)
{
    switch (lock) {
    case BusyLock::Off:
        return kOffText.pick(languageFlag);
    case BusyLock::Carrier:
        return kCarrierText.pick(languageFlag);
    case BusyLock::QtDqt:
        break;
    }
    return kQtDqtText.pick(languageFlag);
}

// Whether the table shows channel n as empty, as rowIsEmpty decides for the image.
bool tableRowIsEmpty(const ChannelTable& table, int n, int radioVariant)
{
    return channelEmpty(table.textMatrix(n, column::RxFrequency).empty(),
                        table.textMatrix(n, column::TxFrequency).empty(), radioVariant);
}

// The cells a variant hides and never shows.
void clearHiddenCells(ChannelTable& table, int n, int radioVariant)
{
    if (radioVariant == 1) {
        table.setTextMatrix(n, column::TxFrequency, "");
        table.setTextMatrix(n, column::EncodeTone, "");
    } else if (radioVariant == 2) {
        table.setTextMatrix(n, column::RxFrequency, "");
        table.setTextMatrix(n, column::DecodeTone, "");
    }
}

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

DecodeResult decodeImage(RadioImage& image, ChannelTable& table, const CodecContext& context)
{
    const int variant = context.radioVariant;
    const bool lf = context.languageFlag;

    applyColumnLayout(table, variant, context.allColumns);

    // Channel cells.
    for (int n = 1; n <= kChannelCount; ++n) {
        table.setTextMatrix(n, column::RxFrequency, frequencyText(image.rxFrequency(n)));
        table.setTextMatrix(n, column::TxFrequency, frequencyText(image.txFrequency(n)));
        const bool empty = rowIsEmpty(image, n, variant);
        table.setTextMatrix(n, column::DecodeTone, toneWordToText(image.decodeTone(n), empty, lf));
        table.setTextMatrix(n, column::EncodeTone, toneWordToText(image.encodeTone(n), empty, lf));
        if (empty) {
            for (int c = column::Bandwidth; c <= column::Power; ++c)
                table.setTextMatrix(n, c, "");
        } else {
            table.setTextMatrix(n, column::Bandwidth, (image.wide(n) ? kWideText : kNarrowText).pick(lf));
            table.setTextMatrix(n, column::Scan, (image.scan(n) ? kYesText : kNoText).pick(lf));
            table.setTextMatrix(n, column::BusyLock, busyLockText(image.busyLock(n), lf));
            table.setTextMatrix(n, column::Power, (image.highPower(n) ? kHighText : kLowText).pick(lf));
        }
        clearHiddenCells(table, n, variant);
    }

    settleProductChoice(image, context.newDocumentFlag, context.userStore, context.config);
    const ProductDescription product =
        describeProduct(image, context.config, context.languageName, languageOf(context.languageFlag));
    return {product.caption, product.bandLimits, product.typeName, product.bandText};
}

ChannelTable storedChannels(const ChannelTable& table, int radioVariant)
{
    ChannelTable copy = detachedCopy(table);
    for (int n = 1; n <= kChannelCount; ++n)
        clearHiddenCells(copy, n, radioVariant);
    return copy;
}

void encodeTable(ChannelTable& table, RadioImage& image, int radioVariant)
{
    for (int n = 1; n <= kChannelCount; ++n) {
        clearHiddenCells(table, n, radioVariant);
        // The side the variant hides is never shown, so it keeps its bytes, unless the user
        // erased the channel: then the whole channel goes, as the user sees it go.
        const bool erased = tableRowIsEmpty(table, n, radioVariant) && !rowIsEmpty(image, n, radioVariant);
        const bool keepRx = !erased && radioVariant == 2;
        const bool keepTx = !erased && radioVariant == 1;

        if (!keepRx) {
            storeFrequency(table.textMatrix(n, column::RxFrequency), image.rxFrequency(n),
                           [&](std::uint32_t units) { image.setRxFrequency(n, units); });
            image.setDecodeTone(n, toneTextToWord(table.textMatrix(n, column::DecodeTone)));
        }
        if (!keepTx) {
            storeFrequency(table.textMatrix(n, column::TxFrequency), image.txFrequency(n),
                           [&](std::uint32_t units) { image.setTxFrequency(n, units); });
            image.setEncodeTone(n, toneTextToWord(table.textMatrix(n, column::EncodeTone)));
        }

        image.setWide(n, !kNarrowText.matches(table.textMatrix(n, column::Bandwidth)));
        if (!keepRx)
            image.setScan(n, kYesText.matches(table.textMatrix(n, column::Scan)));
        const std::string& busy = table.textMatrix(n, column::BusyLock);
        image.setBusyLock(n, kOffText.matches(busy)       ? BusyLock::Off
                             : kCarrierText.matches(busy) ? BusyLock::Carrier
                                                          : BusyLock::QtDqt);
        image.setHighPower(n, !kLowText.matches(table.textMatrix(n, column::Power)));
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
    return appName + (isChinese(language) ? "  [ 类型:" : "  [ Type:") + typeName +
           (isChinese(language) ? "  频率:" : "  Fre:") + bandText + " ]";
}

} // namespace qx260
