// What a channel window is filled with: the columns each radio variant shows, and the
// product's caption, band limits and the user's product choice. (The channels themselves,
// their texts and the commit rules are tested in channel_model_gtest.)

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/channels/ChannelCodec.h"
#include "core/channels/ChannelTable.h"
#include "core/config/CIniFile.h"
#include "core/config/UserStore.h"
#include "tests/support/TestSystem.h"

namespace fs = std::filesystem;
using namespace qx260;

namespace
{

const char* kConfig = "[Setup]\n"
                      "AppName=QX\n"
                      "Type1=QX-260\n"
                      "Field1=130 - 160MHz|136 - 174MHz|144 - 148MHz\n"
                      "Type2=QX-260L\n"
                      "Field2=136 - 150MHz|150 - 174MHz\n"
                      "[English]\nAppName=Programmer\n"
                      "[Chinese]\nAppName=写频软件\n";

class ChannelCodecTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        path_ =
            fs::temp_directory_path() / ("qx260-codec-" + std::to_string(testsystem::processId()) + ".ini");
        std::ofstream(path_, std::ios::binary) << kConfig;
        ASSERT_TRUE(config_.Load(path_.string(), false, true).ok());
    }
    void TearDown() override { fs::remove(path_); }

    ProductDescription describe(const RadioImage& image, Language language = Language::English)
    {
        return describeProduct(image, config_, isChinese(language) ? "Chinese" : "English", language);
    }

    fs::path path_;
    CIniFile config_;
    MemoryUserStore store_;
};

TEST_F(ChannelCodecTest, LayoutPerVariant)
{
    struct Case {
        int variant;
        std::array<int, 9> widths;
        bool enabled;
    };
    const Case cases[] = {
        {1, {500, 1200, 0, 1200, 0, 1000, 1000, 0, 0}, true},
        {2, {500, 0, 1200, 0, 1200, 1000, 0, 0, 0}, true},
        {0, {500, 1200, 1200, 1200, 1200, 1000, 1000, 0, 0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.variant);
        EXPECT_EQ(columnWidthsForVariant(c.variant), c.widths);
        ChannelTable t;
        fillChannelTable(t, decodeChannels(RadioImage::newImage()), c.variant, Language::English);
        EXPECT_EQ(t.enabled(), c.enabled);
        for (int col = 0; col < 9; ++col) {
            EXPECT_EQ(t.colWidth(col), c.widths[static_cast<std::size_t>(col)]);
            EXPECT_EQ(t.colAlignment(col),
                      c.widths[static_cast<std::size_t>(col)] ? AlignCenterCenter : AlignLeftTop);
        }
    }
}

TEST_F(ChannelCodecTest, ProductChoiceCaptionAndBandLimits)
{
    // A new document takes the stored choice.
    writeProductChoice(store_, config_, {1, 1});
    RadioImage image = RadioImage::newImage();
    settleProductChoice(image, true, store_, config_);
    EXPECT_EQ(image.byte(offset::ProductType), 1);
    EXPECT_EQ(image.byte(offset::BandIndex), 1);
    ProductDescription r = describe(image);
    EXPECT_EQ(r.typeName, "QX-260L");
    EXPECT_EQ(r.bandText, "150 - 174MHz");
    EXPECT_EQ(r.caption, "Programmer  [ Type:QX-260L  Fre:150 - 174MHz ]");
    EXPECT_EQ(r.bandLimits, (BandLimits{15000000, 17400000}));

    // Any other document becomes the stored choice; a band index past the list takes the last item.
    image.setByte(offset::ProductType, 0);
    image.setByte(offset::BandIndex, 5);
    settleProductChoice(image, false, store_, config_);
    EXPECT_EQ(readProductChoice(store_, config_).type, 0);
    EXPECT_EQ(readProductChoice(store_, config_).field, 5);
    r = describe(image, Language::Chinese);
    EXPECT_EQ(r.bandText, "144 - 148MHz");
    EXPECT_EQ(r.caption, "写频软件  [ 类型:QX-260  频率:144 - 148MHz ]");

    // Unknown type: empty texts, band limits 0.
    image.setByte(offset::ProductType, 9);
    settleProductChoice(image, false, store_, config_);
    r = describe(image);
    EXPECT_EQ(r.caption, "Programmer  [ Type:  Fre: ]");
    EXPECT_EQ(r.bandLimits, (BandLimits{0, 0}));

    // A store that cannot be written loses the choice quietly; the image keeps its bytes.
    store_.failWrites = true;
    image.setByte(offset::ProductType, 1);
    settleProductChoice(image, false, store_, config_);
    EXPECT_EQ(readProductChoice(store_, config_).type, 9);
    EXPECT_EQ(image.byte(offset::ProductType), 1);
}

TEST(BandListTest, ItemsAndCaption)
{
    EXPECT_EQ(splitBandList("a|b|"), (std::vector<std::string>{"a", "b", ""}));
    EXPECT_EQ(bandItem("130 - 160MHz|136 - 174MHz", 0), "130 - 160MHz");
    EXPECT_EQ(bandItem("130 - 160MHz|136 - 174MHz", 2), "136 - 174MHz");
    EXPECT_EQ(bandItem("single", 3), "single");
    EXPECT_EQ(buildCaption("A", "T", "B", Language::English), "A  [ Type:T  Fre:B ]");
}

} // namespace
