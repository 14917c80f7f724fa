// Comparing two documents: what a user sees differ, and every other differing byte counted.

#include <gtest/gtest.h>

#include <functional>

#include "core/channels/ChannelTable.h"
#include "core/compare/DifferenceText.h"
#include "core/compare/ImageCompare.h"
#include "core/config/ProcessValues.h"

using namespace qx260;

namespace
{

RadioImage sample()
{
    RadioImage image = RadioImage::newImage();
    image.setRxFrequency(1, 14512500);
    image.setTxFrequency(1, 14600000);
    image.setDecodeTone(1, ToneWord{0x13, 0x28}); // D023N
    image.setEncodeTone(1, ToneWord{0x9E, 0x02}); // 67.0
    image.setWide(1, true);
    image.setScan(1, false);
    image.setBusyLock(1, BusyLock::Off);
    image.setHighPower(1, true);
    image.setRxFrequency(9, 15000000);
    image.setScan(9, false);
    return image;
}

std::vector<std::size_t> channelBytes(int n, std::initializer_list<int> ks)
{
    std::vector<std::size_t> out;
    for (int k : ks)
        out.push_back(RadioImage::channelOffset(n, k));
    return out;
}

TEST(ImageCompare, ChannelChangesShowAsCellsAndExplainTheirBits)
{
    const struct {
        const char* name;
        std::function<void(RadioImage&)> change;
        int channel;
        int column;
        std::string before;
        std::string after;
    } cases[] = {
        {"rx", [](RadioImage& i) { i.setRxFrequency(1, 14600625); }, 1, column::RxFrequency, "145.12500",
         "146.00625"},
        {"tx", [](RadioImage& i) { i.setTxFrequency(1, 0); }, 1, column::TxFrequency, "146.00000", ""},
        {"decode tone",
         [](RadioImage& i) {
             i.setDecodeTone(1, ToneWord{0x13, 0xA8});
         },
         1, column::DecodeTone, "D023N", "D023I"},
        {"encode tone",
         [](RadioImage& i) {
             i.setEncodeTone(1, ToneWord{0xFF, 0xFF});
         },
         1, column::EncodeTone, "67.0", "None"},
        {"bandwidth", [](RadioImage& i) { i.setWide(1, false); }, 1, column::Bandwidth, "Wide", "Narrow"},
        {"scan of channel 9", [](RadioImage& i) { i.setScan(9, true); }, 9, column::Scan, "No", "Yes"},
        {"busy lock", [](RadioImage& i) { i.setBusyLock(1, BusyLock::Carrier); }, 1, column::BusyLock, "Off",
         "Carrier"},
        {"power", [](RadioImage& i) { i.setHighPower(1, false); }, 1, column::Power, "High", "Low"},
    };
    for (const auto& c : cases) {
        RadioImage after = sample();
        c.change(after);
        const ImageDifferences d = compareImages(sample(), after, 0, Language::English);
        ASSERT_EQ(d.cells.size(), 1u) << c.name;
        EXPECT_EQ(d.cells[0].channel, c.channel) << c.name;
        EXPECT_EQ(d.cells[0].column, c.column) << c.name;
        EXPECT_EQ(d.cells[0].before, c.before) << c.name;
        EXPECT_EQ(d.cells[0].after, c.after) << c.name;
        EXPECT_TRUE(d.options.empty() && d.product.empty()) << c.name;
        EXPECT_TRUE(d.otherBytesInside.empty()) << c.name << ": " << d.otherBytesInside.size();
        EXPECT_FALSE(d.identical()) << c.name;
    }
}

TEST(ImageCompare, ChangesNoCellShowsAreCountedAsOtherBytes)
{
    const struct {
        const char* name;
        std::function<void(RadioImage&)> change;
        int variant;
        std::vector<std::size_t> other;
        std::size_t cells;
    } cases[] = {
        {"block 0", [](RadioImage& i) { i.setByte(0x005, 0x12); }, 0, {0x005}, 0},
        {"record bytes 14-15",
         [](RadioImage& i) {
             i.setChannelByte(1, 14, 0);
             i.setChannelByte(1, 15, 0);
         },
         0, channelBytes(1, {14, 15}), 0},
        {"bit beside busy lock", [](RadioImage& i) { i.setChannelByte(1, 12, i.channelByte(1, 12) ^ 0x01); },
         0, channelBytes(1, {12}), 0},
        {"busy lock and a bit beside it",
         [](RadioImage& i) {
             i.setChannelByte(1, 12,
                              static_cast<std::uint8_t>(((i.channelByte(1, 12) & ~0x18) | 0x08) ^ 0x01));
         },
         0, channelBytes(1, {12}), 1},
        {"no tone written two ways",
         [](RadioImage& i) {
             i.setDecodeTone(9, ToneWord{0x34, 0x00});
         },
         0, channelBytes(9, {8, 9}), 0},
        {"tx hidden by variant 1", [](RadioImage& i) { i.setTxFrequency(1, 14000000); }, 1,
         channelBytes(1, {6}), 0}, // 146.00000 and 140.00000 differ in one BCD byte
        {"tx shown by variant 0", [](RadioImage& i) { i.setTxFrequency(1, 14000000); }, 0, {}, 1},
    };
    for (const auto& c : cases) {
        RadioImage after = sample();
        c.change(after);
        const ImageDifferences d = compareImages(sample(), after, c.variant, Language::English);
        EXPECT_EQ(d.otherBytesInside, c.other) << c.name;
        EXPECT_EQ(d.cells.size(), c.cells) << c.name;
        EXPECT_TRUE(d.bytesOutside.empty()) << c.name;
        EXPECT_FALSE(d.identical()) << c.name;
    }
}

TEST(ImageCompare, OptionsShowTheirDialogTexts)
{
    RadioImage after = sample();
    after.setByte(offset::TimeOutTime, 20);
    after.setByte(offset::SquelchLevel, 9);
    after.setByte(offset::SideKey, 7); // shown as Monitor Momentary, like 2
    after.setTransmitDelay(25);
    after.setByte(offset::Beep, 0x02); // bit 0 still clear: shown unticked
    after.setByte(offset::VoxDelayTime, 0xFF);

    RadioImage before = sample();
    before.setByte(offset::SideKey, 2);
    const ImageDifferences d = compareImages(before, after, 0, Language::English);
    const std::vector<OptionDifference> expected{
        {"Time Out Time", "600s", "300s"},
        {"Squelch Level", "4", "9"},
        {"Transmit Delay", "Off", "2.5"},
        {"Side Key", "Monitor Momentary (0x02)", "Monitor Momentary (0x07)"},
        {"Beep", "Off (0x00)", "Off (0x02)"},
        {"Vox Delay Time", "0.3s", "(none)"},
    };
    ASSERT_EQ(d.options.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(d.options[i].name, expected[i].name) << i;
        EXPECT_EQ(d.options[i].before, expected[i].before) << i;
        EXPECT_EQ(d.options[i].after, expected[i].after) << i;
    }
    EXPECT_TRUE(d.cells.empty());
    EXPECT_TRUE(d.otherBytesInside.empty());

    // The same transmit delay twice "Off": the stored values are shown.
    RadioImage off = sample();
    off.setTransmitDelay(2000);
    const ImageDifferences d2 = compareImages(sample(), off, 0, Language::English);
    ASSERT_EQ(d2.options.size(), 1u);
    EXPECT_EQ(d2.options[0].before, "Off (0x0000)");
    EXPECT_EQ(d2.options[0].after, "Off (0x07D0)");
}

TEST(ImageCompare, ProductBytesAndBytesBeyondTheRadiosArea)
{
    RadioImage after = sample();
    after.setByte(offset::ProductType, 1);
    after.setByte(0x3F1, 0x00);
    after.setByte(0x3FF, 0x00);
    const ImageDifferences d = compareImages(sample(), after, 0, Language::English);
    ASSERT_EQ(d.product.size(), 1u);
    EXPECT_EQ(d.product[0].offset, offset::ProductType);
    EXPECT_EQ(d.product[0].before, 0);
    EXPECT_EQ(d.product[0].after, 1);
    EXPECT_EQ(d.bytesOutside, (std::vector<std::size_t>{0x3F1, 0x3FF}));
    EXPECT_TRUE(d.otherBytesInside.empty());
}

// A radio against a document: the bytes that never travel cannot differ, and the rows say
// what differs in the language of the program.
TEST(ImageCompare, RadioAgainstDocumentInWords)
{
    RadioImage radio = sample();
    radio.setRxFrequency(1, 14562500);
    radio.setByte(offset::Beep, static_cast<std::uint8_t>(radio.byte(offset::Beep) ^ 1));
    radio.setByte(0x3F1, 0x00); // never read from a radio
    radio.setByte(0x005, static_cast<std::uint8_t>(radio.byte(0x005) ^ 0x40));
    EXPECT_TRUE(compareTransferred(sample(), sample(), 1, Language::English).identical());
    const ImageDifferences d = compareTransferred(radio, sample(), 1, Language::English);
    EXPECT_TRUE(d.bytesOutside.empty());

    ProcessValues values;
    struct Case {
        bool chinese;
        std::vector<std::string> lines;
    };
    for (const Case& c : {
             Case{false,
                  {"Channel 1 Rx Frequency: 145.62500 -> 145.12500", "Beep: On -> Off",
                   "Other bytes (0x000-0x32F): 1 differ at 0x005"}},
             Case{true,
                  {"信道 1 接收频率: 145.62500 -> 145.12500", "哔音: 开 -> 关",
                   "其他字节 (0x000-0x32F): 1 处不同：0x005"}},
         }) {
        values.setLanguage(languageOf(c.chinese));
        const ImageDifferences shown = compareTransferred(radio, sample(), 1, languageOf(c.chinese));
        std::string expected;
        for (const std::string& line : c.lines)
            expected += line + "\n";
        EXPECT_EQ(differenceLines(shown, radio, sample(), values), expected);
        const std::vector<DifferenceRow> rows = differenceRows(shown, radio, sample(), values);
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_TRUE(rows[2].byteCount && rows[2].before.empty());
    }
}

} // namespace
