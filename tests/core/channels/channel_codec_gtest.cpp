// Channel cells to image bytes and back: the columns each radio variant shows, empty
// channels, every listed value surviving the round trip, exact frequencies in any locale,
// bytes a cell cannot show kept, and the product caption and band limits.

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/channels/ChannelCodec.h"
#include "core/channels/ChannelTable.h"
#include "core/config/CIniFile.h"
#include "core/config/UserStore.h"
#include "core/radio/Tones.h"
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

    CodecContext context(int variant, bool languageFlag = false, bool newDocument = false)
    {
        return CodecContext{config_,     store_,       variant,
                            newDocument, languageFlag, languageFlag ? "Chinese" : "English"};
    }
    // Sets channel n's eight cells (columns 1 to 8).
    static void setRow(ChannelTable& t, int n, const std::vector<std::string>& cells)
    {
        for (int c = 1; c <= 8; ++c)
            t.setTextMatrix(n, c, cells[static_cast<std::size_t>(c - 1)]);
    }
    static std::vector<std::string> row(const ChannelTable& t, int n)
    {
        std::vector<std::string> cells;
        for (int c = 1; c <= 8; ++c)
            cells.push_back(t.textMatrix(n, c));
        return cells;
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
        RadioImage image = RadioImage::newImage();
        decodeImage(image, t, context(c.variant));
        EXPECT_EQ(t.enabled(), c.enabled);
        for (int col = 0; col < 9; ++col) {
            EXPECT_EQ(t.colWidth(col), c.widths[static_cast<std::size_t>(col)]);
            EXPECT_EQ(t.colAlignment(col),
                      c.widths[static_cast<std::size_t>(col)] ? AlignCenterCenter : AlignLeftTop);
        }
    }
}

TEST_F(ChannelCodecTest, NewImageDecodesEmptyAndEncodesBackWithDefaults)
{
    RadioImage image = RadioImage::newImage();
    ChannelTable t;
    t.setTextMatrix(3, 0, " 3");
    decodeImage(image, t, context(1));
    for (int n = 1; n <= 16; ++n)
        EXPECT_EQ(row(t, n), std::vector<std::string>(8, "")) << n;
    EXPECT_EQ(t.textMatrix(3, 0), " 3"); // channel numbers are not touched

    RadioImage before = image;
    encodeTable(t, image, 1);
    for (int n = 1; n <= 16; ++n) {
        EXPECT_EQ(image.channelByte(n, 12), 0xF7);
        before.setChannelByte(n, 12, 0xF7);
    }
    EXPECT_EQ(image.byte(offset::ScanBitmap), 0x00);
    EXPECT_EQ(image.byte(offset::ScanBitmap + 1), 0x00);
    before.setByte(offset::ScanBitmap, 0);
    before.setByte(offset::ScanBitmap + 1, 0);
    EXPECT_EQ(image, before); // nothing else changed
}

TEST_F(ChannelCodecTest, EmptyRowKeepsUninterpretedBits)
{
    RadioImage image = RadioImage::newImage();
    image.setChannelByte(4, 12, 0xE7 | 0x08); // carrier, other bits set
    image.setChannelByte(4, 13, 0xC5);        // narrow, low power, other bits set
    image.setChannelByte(4, 14, 0x12);
    image.setScan(4, true);
    ChannelTable t;
    encodeTable(t, image, 0);
    EXPECT_EQ(image.rxFrequency(4), std::nullopt);
    EXPECT_EQ(image.channelByte(4, 3), 0xFF);
    EXPECT_EQ(image.decodeTone(4), (ToneWord{0xFF, 0xFF}));
    EXPECT_EQ(image.channelByte(4, 12), 0xE7 | 0x10);
    EXPECT_EQ(image.channelByte(4, 13), 0xC5 | 0x30);
    EXPECT_EQ(image.channelByte(4, 14), 0x12);
    EXPECT_FALSE(image.scan(4));
}

TEST_F(ChannelCodecTest, EmptyRowDependsOnVariant)
{
    RadioImage image = RadioImage::newImage();
    image.setTxFrequency(2, 14512500); // transmit side only
    image.setWide(2, false);
    ChannelTable t;

    decodeImage(image, t, context(1));
    EXPECT_EQ(row(t, 2), std::vector<std::string>(8, ""));

    decodeImage(image, t, context(2));
    EXPECT_EQ(row(t, 2),
              (std::vector<std::string>{"", "145.12500", "", "None", "Narrow", "Yes", "QT/DQT", "High"}));

    decodeImage(image, t, context(0));
    EXPECT_EQ(row(t, 2),
              (std::vector<std::string>{"", "145.12500", "None", "None", "Narrow", "Yes", "QT/DQT", "High"}));
}

TEST_F(ChannelCodecTest, EveryListedValueSurvivesEncodeAndDecode)
{
    const std::vector<std::string> tones = buildToneList(false);
    ASSERT_EQ(tones.size(), 219u);
    const std::vector<std::string> frequencies = {"130.00000", "136.01250", "145.01250",
                                                  "145.12500", "159.99375", "174.00000",
                                                  "10.00000",  "999.99999"}; // below 10 MHz reads as empty
    const std::string wn[] = {"Wide", "Narrow"}, yn[] = {"Yes", "No"}, busy[] = {"Off", "Carrier", "QT/DQT"},
                      power[] = {"High", "Low"};
    std::size_t next = 0;
    int pass = 0;
    while (next < tones.size()) {
        ChannelTable t;
        for (int n = 1; n <= 16; ++n, ++pass) {
            const std::size_t i = static_cast<std::size_t>(pass);
            setRow(t, n,
                   {frequencies[i % frequencies.size()], frequencies[(i + 3) % frequencies.size()],
                    tones[next % tones.size()], tones[(next + 1) % tones.size()], wn[i % 2], yn[(i / 2) % 2],
                    busy[i % 3], power[(i / 3) % 2]});
            next += 2;
        }
        const ChannelTable original = t;
        RadioImage image = RadioImage::newImage();
        encodeTable(t, image, 0);
        ChannelTable back;
        decodeImage(image, back, context(0));
        for (int n = 1; n <= 16; ++n)
            EXPECT_EQ(row(back, n), row(original, n)) << "channel " << n;
    }
}

TEST_F(ChannelCodecTest, ExactFrequencyArithmeticAndLocale)
{
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    ASSERT_NE(std::setlocale(LC_ALL, testsystem::kDecimalCommaLocale), nullptr)
        << "the decimal-comma locale " << testsystem::kDecimalCommaLocale
        << " is missing; scripts/install-deps.sh makes it";

    ChannelTable t;
    t.setTextMatrix(1, 1, "136.0125");
    t.setTextMatrix(2, 1, "145.0125");
    t.setTextMatrix(3, 1, " 150.5MHz");
    t.setTextMatrix(4, 1, "136,0125"); // a comma ends the number
    RadioImage image = RadioImage::newImage();
    encodeTable(t, image, 1);
    EXPECT_EQ(image.rxFrequency(1), 13601250u);
    EXPECT_EQ(image.rxFrequency(2), 14501250u);
    EXPECT_EQ(image.rxFrequency(3), 15050000u);
    EXPECT_EQ(image.rxFrequency(4), 13600000u);
    decodeImage(image, t, context(1));
    EXPECT_EQ(t.textMatrix(1, 1), "136.01250");
    EXPECT_EQ(t.textMatrix(3, 1), "150.50000");

    std::setlocale(LC_ALL, saved.c_str());
}

TEST_F(ChannelCodecTest, UnstorableFrequenciesEncodeAsEmpty)
{
    ChannelTable t;
    const char* texts[] = {"abc", "0", "-145.125", "1000", "1e12", "99999999999"};
    int n = 1;
    for (const char* text : texts)
        t.setTextMatrix(n++, 1, text);
    t.setTextMatrix(n, 1, "999.99999");
    RadioImage image = RadioImage::newImage();
    image.setRxFrequency(1, 14512500);
    encodeTable(t, image, 1);
    for (int i = 1; i < n; ++i) {
        EXPECT_EQ(image.rxFrequency(i), std::nullopt) << texts[i - 1];
        EXPECT_EQ(image.channelByte(i, 3), 0xFF) << texts[i - 1];
    }
    EXPECT_EQ(image.rxFrequency(n), 99999999u);
}

TEST_F(ChannelCodecTest, EncodeAcceptsBothLanguagesAndDecodeFollowsTheFlag)
{
    ChannelTable english, chinese;
    setRow(english, 1, {"145.12500", "", "67.0", "", "Narrow", "Yes", "Carrier", "Low"});
    setRow(chinese, 1, {"145.12500", "", "67.0", "", "窄", "是", "载波", "低"});
    setRow(english, 2, {"150.00000", "", "None", "", "Wide", "No", "Off", "High"});
    setRow(chinese, 2, {"150.00000", "", "无", "", "宽", "否", "关", "高"});
    RadioImage a = RadioImage::newImage(), b = RadioImage::newImage();
    encodeTable(english, a, 1);
    encodeTable(chinese, b, 1);
    EXPECT_EQ(a, b);

    ChannelTable shown;
    decodeImage(a, shown, context(1, true));
    EXPECT_EQ(row(shown, 1), row(chinese, 1));
    EXPECT_EQ(row(shown, 2), row(chinese, 2));

    // Unknown texts: any other text is wide, high, not scanned, QT/DQT.
    ChannelTable odd;
    setRow(odd, 1, {"145.125", "", "", "", "wide?", "yes", "off", "low"});
    encodeTable(odd, a, 1);
    EXPECT_TRUE(a.wide(1));
    EXPECT_FALSE(a.scan(1));
    EXPECT_EQ(a.busyLock(1), BusyLock::QtDqt);
    EXPECT_TRUE(a.highPower(1));
}

TEST_F(ChannelCodecTest, HiddenSideKeepsItsBytesUnlessTheChannelIsErased)
{
    RadioImage image = RadioImage::newImage();
    for (int n : {1, 2}) {
        image.setRxFrequency(n, 14512500);
        image.setTxFrequency(n, 14600000);
        image.setDecodeTone(n, ToneWord{0x9E, 0x02});
        image.setEncodeTone(n, ToneWord{0x13, 0x28});
        image.setScan(n, true);
    }
    for (int variant : {1, 2}) {
        SCOPED_TRACE(variant);
        RadioImage stored = image;
        ChannelTable t;
        decodeImage(stored, t, context(variant));
        EXPECT_EQ(t.textMatrix(1, variant == 1 ? 2 : 1), ""); // the hidden side is not shown
        setRow(t, 2, std::vector<std::string>(8, ""));        // channel 2 erased
        encodeTable(t, stored, variant);
        EXPECT_EQ(stored.rxFrequency(1), image.rxFrequency(1));
        EXPECT_EQ(stored.txFrequency(1), image.txFrequency(1));
        EXPECT_EQ(stored.decodeTone(1), image.decodeTone(1));
        EXPECT_EQ(stored.encodeTone(1), image.encodeTone(1));
        EXPECT_TRUE(stored.scan(1));
        EXPECT_EQ(stored.rxFrequency(2), std::nullopt);
        EXPECT_EQ(stored.txFrequency(2), std::nullopt);
        EXPECT_EQ(stored.encodeTone(2), (ToneWord{0xFF, 0xFF}));
        EXPECT_FALSE(stored.scan(2));
    }

    // A word the cell cannot show exactly (a digit above 9) keeps its bytes until the cell changes.
    image.setChannelByte(1, 3, 0xA1);
    ChannelTable t;
    decodeImage(image, t, context(1));
    RadioImage stored = image;
    encodeTable(t, stored, 1);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(stored.channelByte(1, k), image.channelByte(1, k)) << k;
    t.setTextMatrix(1, 1, "145.00000");
    encodeTable(t, stored, 1);
    EXPECT_EQ(stored.rxFrequency(1), 14500000u);
}

TEST_F(ChannelCodecTest, ProductChoiceCaptionAndBandLimits)
{
    // A new document takes the stored choice.
    writeProductChoice(store_, config_, {1, 1});
    RadioImage image = RadioImage::newImage();
    ChannelTable t;
    DecodeResult r = decodeImage(image, t, context(1, false, true));
    EXPECT_EQ(image.byte(offset::ProductType), 1);
    EXPECT_EQ(image.byte(offset::BandIndex), 1);
    EXPECT_EQ(r.typeName, "QX-260L");
    EXPECT_EQ(r.bandText, "150 - 174MHz");
    EXPECT_EQ(r.caption, "Programmer  [ Type:QX-260L  Fre:150 - 174MHz ]");
    EXPECT_EQ(r.bandLimits, (BandLimits{15000000, 17400000}));

    // Any other document becomes the stored choice; a band index past the list takes the last item.
    image.setByte(offset::ProductType, 0);
    image.setByte(offset::BandIndex, 5);
    r = decodeImage(image, t, context(1, true, false));
    EXPECT_EQ(readProductChoice(store_, config_).type, 0);
    EXPECT_EQ(readProductChoice(store_, config_).field, 5);
    EXPECT_EQ(r.bandText, "144 - 148MHz");
    EXPECT_EQ(r.caption, "写频软件  [ 类型:QX-260  频率:144 - 148MHz ]");

    // Unknown type: empty texts, band limits 0.
    image.setByte(offset::ProductType, 9);
    r = decodeImage(image, t, context(1));
    EXPECT_EQ(r.caption, "Programmer  [ Type:  Fre: ]");
    EXPECT_EQ(r.bandLimits, (BandLimits{0, 0}));

    // A store that cannot be written loses the choice quietly; the image keeps its bytes.
    store_.failWrites = true;
    image.setByte(offset::ProductType, 1);
    decodeImage(image, t, context(1));
    EXPECT_EQ(readProductChoice(store_, config_).type, 9);
    EXPECT_EQ(image.byte(offset::ProductType), 1);
}

TEST(BandListTest, ItemsAndCaption)
{
    EXPECT_EQ(splitBandList("a|b|"), (std::vector<std::string>{"a", "b", ""}));
    EXPECT_EQ(bandItem("130 - 160MHz|136 - 174MHz", 0), "130 - 160MHz");
    EXPECT_EQ(bandItem("130 - 160MHz|136 - 174MHz", 2), "136 - 174MHz");
    EXPECT_EQ(bandItem("single", 3), "single");
    EXPECT_EQ(buildCaption("A", "T", "B", false), "A  [ Type:T  Fre:B ]");
}

} // namespace
