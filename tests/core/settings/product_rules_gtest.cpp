// Product Information: types and bands from Program.ini, the selection the dialog opens
// on, and what OK writes into the image, the stored choice, the caption and band limits.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/config/CIniFile.h"
#include "core/config/UserStore.h"
#include "core/radio/RadioImage.h"
#include "core/settings/ProductRules.h"
#include "tests/support/TestSystem.h"

namespace qx260
{
namespace
{

using Strings = std::vector<std::string>;

// Loads an INI file written from `setup` (section "Setup", plus an AppName) into ini.
void configure(CIniFile& ini, const std::vector<std::pair<std::string, std::string>>& setup)
{
    static std::atomic<int> counter{0};
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("product_rules_" + std::to_string(testsystem::processId()) +
                                                  "_" + std::to_string(counter++) + ".ini");
    {
        std::ofstream out(path, std::ios::binary);
        out << "[Setup]\r\nAppName=QX Tool\r\n";
        for (const auto& [key, value] : setup)
            out << key << "=" << value << "\r\n";
    }
    ASSERT_TRUE(ini.Load(path.string(), false, true).ok());
    std::filesystem::remove(path);
}

TEST(ProductTypes, ReadUpToTheFirstEmptyNameAndNeverPastType19)
{
    CIniFile gap;
    configure(gap, {{"Type1", "A"}, {"Type2", "B"}, {"Type3", ""}, {"Type4", "D"}});
    EXPECT_EQ(productTypeList(gap), (Strings{"A", "B"}));

    CIniFile many;
    std::vector<std::pair<std::string, std::string>> twenty;
    for (int k = 1; k <= 20; ++k)
        twenty.emplace_back(std::string("Type").append(std::to_string(k)),
                            std::string("T").append(std::to_string(k)));
    configure(many, twenty);
    const Strings types = productTypeList(many);
    ASSERT_EQ(types.size(), 19u);
    EXPECT_EQ(types.back(), "T19");

    CIniFile none;
    configure(none, {});
    EXPECT_TRUE(productTypeList(none).empty());
}

TEST(ProductBands, SplitPerType)
{
    CIniFile ini;
    configure(ini, {{"Type1", "A"}, {"Field1", "130 - 160MHz|136 - 174MHz|"}, {"Type2", "B"}});
    EXPECT_EQ(bandListForType(ini, 0), (Strings{"130 - 160MHz", "136 - 174MHz", ""}));
    EXPECT_EQ(bandListForType(ini, 1), (Strings{""}));
    EXPECT_TRUE(bandListForType(ini, -1).empty());
}

TEST(ProductSelection, OpensOnTheStoredChoice)
{
    CIniFile ini;
    configure(ini, {{"Type1", "A"},
                    {"Field1", "130 - 160MHz|136 - 174MHz"},
                    {"Type2", "B"},
                    {"Field2", "136 - 150MHz|150 - 174MHz|144 - 146MHz"}});
    RadioImage image = RadioImage::newImage();
    image.setByte(offset::ProductType, 0);

    struct Case {
        const char* name;
        ProductChoice stored;
        int type;
        int band;
    };
    const std::vector<Case> cases = {
        {"stored choice", {1, 2}, 1, 2},
        {"stored type out of range: the document's type", {7, 1}, 0, 1},
        {"stored band out of range: the first band", {1, 9}, 1, 0},
        {"negative stored values", {-1, -1}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProductSelection s = openProductSelection(ini, image, c.stored);
        EXPECT_EQ(s.types, (Strings{"A", "B"}));
        EXPECT_EQ(s.type, c.type);
        EXPECT_EQ(s.band, c.band);
    }

    image.setByte(offset::ProductType, 5); // names no type either
    const ProductSelection lost = openProductSelection(ini, image, {9, 0});
    EXPECT_EQ(lost.type, -1);
    EXPECT_TRUE(lost.bands.empty());
    EXPECT_EQ(lost.band, -1);
}

TEST(ProductSelection, ChangingTheTypeSelectsItsFirstBand)
{
    CIniFile ini;
    configure(ini, {{"Type1", "A"},
                    {"Field1", "130 - 160MHz|136 - 174MHz"},
                    {"Type2", "B"},
                    {"Field2", "150 - 174MHz"}});
    ProductSelection s = openProductSelection(ini, RadioImage::newImage(), {0, 1});
    EXPECT_EQ(s.bandText(), "136 - 174MHz");
    s.selectType(ini, 1);
    EXPECT_EQ(s.bands, (Strings{"150 - 174MHz"}));
    EXPECT_EQ(s.band, 0);
    EXPECT_EQ(s.typeText(), "B");
}

TEST(ProductOk, WritesBytesChoiceCaptionAndLimits)
{
    CIniFile ini;
    configure(ini, {{"Type1", "QX-260"}, {"Field1", "130 - 160MHz"}});
    MemoryUserStore store;
    RadioImage image = RadioImage::newImage(); // band index 2
    const ProductSelection s = openProductSelection(ini, image, readProductChoice(store, ini));
    const ProductOutcome out = applyProductSelection(s, image, store, ini, "A");
    EXPECT_EQ(image.byte(offset::ProductType), 0);
    EXPECT_EQ(image.byte(offset::BandIndex), 0);
    EXPECT_TRUE(out.imageChanged);
    EXPECT_EQ(out.caption, "A  [ Type:QX-260  Fre:130 - 160MHz ]");
    EXPECT_EQ(out.bandLimits, (BandLimits{13000000, 16000000}));
    const ProductChoice stored = readProductChoice(store, ini);
    EXPECT_EQ(stored.type, 0);
    EXPECT_EQ(stored.field, 0);

    // The same choice again leaves the image as it is.
    EXPECT_FALSE(applyProductSelection(s, image, store, ini, "A").imageChanged);
}

TEST(ProductOk, NoTypesConfigured)
{
    CIniFile ini;
    configure(ini, {});
    MemoryUserStore store;
    RadioImage image = RadioImage::newImage();
    const ProductSelection s = openProductSelection(ini, image, readProductChoice(store, ini));
    const ProductOutcome out = applyProductSelection(s, image, store, ini, "A");
    EXPECT_EQ(image.byte(offset::ProductType), 0xFF);
    EXPECT_EQ(image.byte(offset::BandIndex), 0xFF);
    EXPECT_EQ(out.bandLimits, (BandLimits{0, 0}));
    EXPECT_EQ(out.caption, "A  [ Type:  Fre: ]");
    const ProductChoice stored = readProductChoice(store, ini);
    EXPECT_EQ(stored.type, -1);
    EXPECT_EQ(stored.field, -1);
}

} // namespace
} // namespace qx260
