// The printout's pages: how many the used channels take, where each channel and option
// lands, the frame and footer on every page, and the Chinese texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "core/print/PrintLayout.h"

namespace qx260
{
namespace
{

// Line height = 1.25 x character height, so L1 and L2 differ from any unit they could be
// confused with.
class FakeMetrics : public PrintFontMetrics
{
  public:
    int lineHeight(const PrintFontSize& size) const override { return size.height * 5 / 4; }
};

// A 600 dpi device with 4800 x 6600 printable pixels: W = 11520, H = 15840 twips,
// u = 174, v = 352, small font 281 x 139; L1 = 440, L2 = 351.
constexpr int kU = 174;
constexpr int kL1 = 440;
constexpr int kL2 = 351;

PrintGeometry testGeometry()
{
    return PrintGeometry::fromDevice(4800, 6600, 600, 600);
}

PrintContent withChannels(std::initializer_list<int> rows)
{
    PrintContent c;
    c.image.fill(0);
    for (int r : rows) {
        c.cells[r][1] = "145.00000";
        c.cells[r][2] = "146.00000";
        c.cells[r][3] = "67.0";
        c.cells[r][4] = "D023N";
        c.cells[r][5] = "Wide";
        c.cells[r][6] = "Yes";
    }
    return c;
}

PrintLayout layoutOf(PrintContent content)
{
    static const FakeMetrics metrics;
    return PrintLayout(std::move(content), testGeometry(), metrics);
}

std::optional<PrintOp> findText(const std::vector<PrintOp>& ops, const std::string& text)
{
    for (const PrintOp& op : ops)
        if (op.kind == PrintOp::Kind::Text && op.text == text)
            return op;
    return std::nullopt;
}

// The text drawn at (x, y), if any.
std::optional<std::string> textAt(const std::vector<PrintOp>& ops, int x, int y)
{
    for (const PrintOp& op : ops)
        if (op.kind == PrintOp::Kind::Text && op.x == x && op.y == y)
            return op.text;
    return std::nullopt;
}

std::vector<std::string> channelLabels(const std::vector<PrintOp>& ops)
{
    std::vector<std::string> labels;
    for (const PrintOp& op : ops)
        if (op.kind == PrintOp::Kind::Text && op.x == 4 * kU)
            labels.push_back(op.text);
    return labels;
}

TEST(PrintGeometry, TwipsAndUnitsFromDevicePixels)
{
    const PrintGeometry g = testGeometry();
    EXPECT_EQ(g.width, 11520);
    EXPECT_EQ(g.height, 15840);
    EXPECT_EQ(g.columnUnit(), kU);
    EXPECT_EQ(g.rowUnit(), 352);
    EXPECT_EQ(g.largeFont(), (PrintFontSize{352, 174}));
    EXPECT_EQ(g.smallFont(), (PrintFontSize{281, 139}));

    // Multiplying before dividing keeps the fraction: 4961 px at 600 dpi is 11906.4 twips.
    EXPECT_EQ(PrintGeometry::fromDevice(4961, 7016, 600, 600).width, 11906);
    // A device that reports no resolution gives an empty area instead of dividing by zero.
    EXPECT_EQ(PrintGeometry::fromDevice(100, 100, 0, 0).width, 0);
}

TEST(PrintLayout, PageCountFollowsUsedChannels)
{
    struct Case {
        std::initializer_list<int> rows;
        int used;
        int pages;
        std::array<int, 3> table;
    };
    const Case cases[] = {
        {{}, 0, 1, {0, 16, 16}},
        {{5}, 1, 2, {0, 16, 16}},
        {{1, 2, 3, 4, 5, 6, 7, 8}, 8, 2, {0, 8, 16}},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9}, 9, 3, {0, 8, 16}},
        {{2, 4, 6, 8, 10, 12, 14, 16}, 8, 2, {0, 16, 16}},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}, 16, 3, {0, 8, 16}},
        {{1, 3, 5, 7, 9, 11, 13, 15, 16}, 9, 3, {0, 15, 16}},
    };
    for (const Case& c : cases) {
        const PrintLayout layout = layoutOf(withChannels(c.rows));
        EXPECT_EQ(layout.usedChannels(), c.used);
        EXPECT_EQ(layout.pageCount(), c.pages);
        EXPECT_EQ(layout.pageTable(), c.table);
        EXPECT_TRUE(layout.page(c.pages + 1).empty());
        EXPECT_TRUE(layout.page(0).empty());
    }
}

TEST(PrintLayout, EmptyTablePrintsOnlyTheOptionsPage)
{
    const PrintLayout layout = layoutOf(withChannels({}));
    ASSERT_EQ(layout.pageCount(), 1);
    const auto ops = layout.page(1);
    const auto footer = findText(ops, "Page 1 of 1");
    ASSERT_TRUE(footer);
    EXPECT_EQ(footer->x, 45 * kU);
    EXPECT_EQ(footer->y, 36 * kL1);
    EXPECT_EQ(footer->font, PrintFont::Small);
}

TEST(PrintLayout, ChannelsFillSlotsInChannelOrder)
{
    // Rows 3, 7 and 12 land in slots 0, 1 and 2 of page 2, labelled with their row.
    auto ops = layoutOf(withChannels({3, 7, 12})).page(2);
    EXPECT_EQ(textAt(ops, 4 * kU, 4 * kL2), "Channel 3:");
    EXPECT_EQ(textAt(ops, 4 * kU, 9 * kL2), "Channel 7:");
    EXPECT_EQ(textAt(ops, 4 * kU, 14 * kL2), "Channel 12:");

    // Nine channels: the ninth is alone in slot 0 of page 3.
    const PrintLayout nine = layoutOf(withChannels({1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(channelLabels(nine.page(2)).size(), 8u);
    ops = nine.page(3);
    EXPECT_EQ(channelLabels(ops), std::vector<std::string>{"Channel 9:"});
    EXPECT_EQ(textAt(ops, 4 * kU, 4 * kL2), "Channel 9:");
    EXPECT_TRUE(findText(ops, "Page 3 of 3"));

    // Five channels late in the table all go on page 2.
    EXPECT_EQ(channelLabels(layoutOf(withChannels({11, 12, 13, 14, 15})).page(2)),
              (std::vector<std::string>{
                  "Channel 11:", "Channel 12:", "Channel 13:", "Channel 14:", "Channel 15:"}));
}

TEST(PrintLayout, RowWithoutRxFrequencyIsNotPrinted)
{
    PrintContent content = withChannels({2, 4});
    content.cells[3][2] = "150.00000"; // transmit side only
    content.cells[3][5] = "Wide";
    const PrintLayout layout = layoutOf(std::move(content));
    EXPECT_EQ(layout.usedChannels(), 2);
    EXPECT_EQ(channelLabels(layout.page(2)), (std::vector<std::string>{"Channel 2:", "Channel 4:"}));
    EXPECT_FALSE(findText(layout.page(2), "150.00000"));
}

TEST(PrintLayout, ChannelBlockPositions)
{
    PrintContent content = withChannels({5, 6});
    content.cells[6][1] = "136.01250";
    content.cells[6][2] = ""; // printed as it stands
    content.cells[6][3] = "None";
    content.cells[6][4] = "D754I";
    content.cells[6][5] = "Narrow";
    content.cells[6][6] = "No";
    const auto ops = layoutOf(std::move(content)).page(2);

    const int y0 = 5 * kL2; // slot 1
    const struct {
        int x, y;
        const char* text;
    } expected[] = {
        {4 * kU, 4 * kL2 + y0, "Channel 6:"}, {5 * kU, 5 * kL2 + y0, "Receive Frequency:"},
        {22 * kU, 5 * kL2 + y0, "136.01250"}, {36 * kU, 5 * kL2 + y0, "Transceive Frequency:"},
        {55 * kU, 5 * kL2 + y0, ""},          {5 * kU, 6 * kL2 + y0, "QT/DQT Decode:"},
        {22 * kU, 6 * kL2 + y0, "None"},      {36 * kU, 6 * kL2 + y0, "QT/DQT Encode:"},
        {55 * kU, 6 * kL2 + y0, "D754I"},     {5 * kU, 7 * kL2 + y0, "W/N:"},
        {22 * kU, 7 * kL2 + y0, "Narrow"},    {36 * kU, 7 * kL2 + y0, "Scan:"},
        {55 * kU, 7 * kL2 + y0, "No"},
    };
    for (const auto& e : expected)
        EXPECT_EQ(textAt(ops, e.x, e.y), e.text) << e.text;

    const auto title = findText(ops, "Channel");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->font, PrintFont::Large);
    EXPECT_EQ(title->x, 6 * kU);
    EXPECT_EQ(title->y, kL1);
    for (const PrintOp& op : ops) {
        if (op.kind == PrintOp::Kind::Text && op.text != "Channel") {
            EXPECT_EQ(op.font, PrintFont::Small) << op.text;
        }
    }
}

TEST(PrintLayout, FrameAndFooterOnEveryPage)
{
    PrintContent content = withChannels({1, 2, 3, 4, 5, 6, 7, 8, 9});
    content.footer = "Larkspur Radio Co.";
    const PrintLayout layout = layoutOf(std::move(content));
    for (int p = 1; p <= layout.pageCount(); ++p) {
        const auto ops = layout.page(p);
        std::vector<PrintOp> rules;
        std::copy_if(ops.begin(), ops.end(), std::back_inserter(rules),
                     [](const PrintOp& op) { return op.kind == PrintOp::Kind::Rule; });
        ASSERT_EQ(rules.size(), 3u);
        const int heights[] = {2 * kL1 + 50, 2 * kL1 + 120, 36 * kL1 - kL1 / 2};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(rules[i].x, 5 * kU);
            EXPECT_EQ(rules[i].x2, 60 * kU);
            EXPECT_EQ(rules[i].y, heights[i]);
        }
        // The frame comes first, the footer last.
        EXPECT_EQ(ops.front().kind, PrintOp::Kind::Rule);
        EXPECT_EQ(ops[ops.size() - 2].text, "Larkspur Radio Co.");
        EXPECT_EQ(ops[ops.size() - 2].x, 10 * kU);
        EXPECT_EQ(ops[ops.size() - 2].y, 36 * kL1);
        EXPECT_EQ(ops.back().text, "Page " + std::to_string(p) + " of 3");
    }
}

std::vector<std::string> optionValues(const PrintContent& content)
{
    const auto ops = layoutOf(content).page(1);
    std::vector<std::string> values;
    for (int line = 5; line <= 11; ++line)
        values.push_back(textAt(ops, 35 * kU, line * kL2).value_or("<missing>"));
    return values;
}

TEST(PrintLayout, OptionsPageValues)
{
    PrintContent content = withChannels({});
    auto set = [&content](std::size_t off, std::uint8_t v) { content.image[off] = v; };

    set(offset::TimeOutTime, 4);
    set(offset::SquelchLevel, 9);
    set(offset::VoiceAnnunciation, 1);
    set(offset::VoxDelayTime, 7);
    set(offset::VoxGainLevel, 0);
    set(offset::BatterySaver, 3);
    set(offset::Beep, 2);
    EXPECT_EQ(optionValues(content),
              (std::vector<std::string>{"60s", "9", "Chinese", "3.0s", "Off", "On", "Off"}));

    // Bytes read unsigned, as a radio may hand them over.
    for (std::size_t off : {offset::TimeOutTime, offset::SquelchLevel, offset::VoiceAnnunciation,
                            offset::VoxDelayTime, offset::VoxGainLevel, offset::BatterySaver, offset::Beep})
        set(off, 0xFF);
    EXPECT_EQ(optionValues(content),
              (std::vector<std::string>{"3825s", "255", "English", "3.0s", "255", "On", "On"}));

    const char* delays[] = {"0.3s", "0.5s", "1.0s", "1.5s", "2.0s", "3.0s"};
    for (std::uint8_t v = 0; v < 6; ++v) {
        set(offset::VoxDelayTime, v);
        EXPECT_EQ(optionValues(content)[3], delays[v]);
    }
    set(offset::VoiceAnnunciation, 0);
    EXPECT_EQ(optionValues(content)[2], "Off");

    const auto ops = layoutOf(content).page(1);
    const auto title = findText(ops, "Option");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->font, PrintFont::Large);
    EXPECT_EQ(title->y, kL1);
    EXPECT_EQ(textAt(ops, 6 * kU, 4 * kL2), "Function");
    EXPECT_EQ(textAt(ops, 9 * kU, 5 * kL2), "Time Out Time:");
    EXPECT_EQ(textAt(ops, 9 * kU, 7 * kL2), "Voice Annunication:");
    EXPECT_EQ(textAt(ops, 9 * kU, 8 * kL2), "Vox Delay Time:");
    EXPECT_EQ(textAt(ops, 9 * kU, 11 * kL2), "Beep:");
}

TEST(PrintLayout, ChineseTexts)
{
    PrintContent content = withChannels({1});
    content.language = Language::Chinese;
    content.image[offset::VoiceAnnunciation] = 2;
    content.image[offset::Beep] = 1;
    content.image[offset::VoxGainLevel] = 0;
    content.footer = "云雀无线电有限公司";
    const PrintLayout layout = layoutOf(content);

    const auto options = layout.page(1);
    EXPECT_EQ(textAt(options, 6 * kU, kL1), "可选功能");
    EXPECT_EQ(textAt(options, 9 * kU, 7 * kL2), "语音报号:");
    EXPECT_EQ(textAt(options, 9 * kU, 8 * kL2), "声控延迟时间:");
    EXPECT_EQ(textAt(options, 35 * kU, 7 * kL2), "英文");
    EXPECT_EQ(textAt(options, 35 * kU, 9 * kL2), "关");
    EXPECT_EQ(textAt(options, 35 * kU, 11 * kL2), "开");
    EXPECT_TRUE(findText(options, "云雀无线电有限公司"));

    const auto channels = layout.page(2);
    EXPECT_EQ(textAt(channels, 6 * kU, kL1), "信道");
    EXPECT_EQ(textAt(channels, 4 * kU, 4 * kL2), "信道1:");
    EXPECT_EQ(textAt(channels, 36 * kU, 5 * kL2), "发射频率:");
    EXPECT_EQ(textAt(channels, 5 * kU, 7 * kL2), "宽/窄:");
    EXPECT_TRUE(findText(channels, "Page 2 of 2"));
}

} // namespace
} // namespace qx260
