// The Optional Features controls: their items in both languages, stored bytes and shown
// positions, values the controls cannot show kept, the Transmit Delay text, what each
// radio variant shows, and the option names of the command line.

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "core/radio/RadioImage.h"
#include "core/settings/OptionRules.h"
#include "tests/support/TestSystem.h"

namespace qx260
{
namespace
{

TEST(OptionLists, ItemsInBothLanguages)
{
    const auto tot = optionListItems(OptionList::TimeOutTime, Language::English);
    ASSERT_EQ(tot.size(), 40u);
    EXPECT_EQ(tot.front(), "15s");
    EXPECT_EQ(tot.back(), "600s");
    EXPECT_EQ(optionListItems(OptionList::SquelchLevel, Language::Chinese).size(), 10u);
    const auto priority = optionListItems(OptionList::PriorityChannel, Language::Chinese);
    ASSERT_EQ(priority.size(), 17u);
    EXPECT_EQ(priority[0], "关");
    EXPECT_EQ(priority[16], "16");
    EXPECT_EQ(optionListItems(OptionList::SideKey, Language::English),
              (std::vector<std::string>{"None", "Monitor", "Monitor Momentary", "Power select"}));
    EXPECT_EQ(optionListItems(OptionList::SideKey, Language::Chinese).front(), "无");
    EXPECT_EQ(optionListItems(OptionList::TimeOutTime, Language::Chinese).back(), "600s");
    EXPECT_EQ(optionListItems(OptionList::VoiceAnnunciation, Language::Chinese),
              (std::vector<std::string>{"关", "中文", "英文"}));
    EXPECT_EQ(optionListItems(OptionList::VoxDelayTime, Language::Chinese),
              (std::vector<std::string>{"0.3s", "0.5s", "1.0s", "1.5s", "2.0s", "3.0s"}));
    EXPECT_EQ(optionListItems(OptionList::VoxGainLevel, Language::English).back(), "8");
}

TEST(OptionLists, StoredBytesAndShownPositions)
{
    struct Case {
        OptionList list;
        int stored;
        int shown;       // position shown for the stored byte
        int storedAgain; // what OK writes back for that position
    };
    const std::vector<Case> cases = {
        {OptionList::TimeOutTime, 1, 0, 1},
        {OptionList::TimeOutTime, 40, 39, 40},
        {OptionList::TimeOutTime, 0, -1, 0},
        {OptionList::TimeOutTime, 41, -1, 0},
        {OptionList::SquelchLevel, 9, 9, 9},
        {OptionList::SquelchLevel, 10, -1, 0xFF},
        {OptionList::PriorityChannel, 16, 16, 16},
        {OptionList::PriorityChannel, 0xFF, -1, 0xFF},
        {OptionList::VoxGainLevel, 8, 7, 8},
        {OptionList::VoxGainLevel, 0, -1, 0},
        {OptionList::VoiceAnnunciation, 2, 2, 2},
        {OptionList::VoiceAnnunciation, 3, -1, 0xFF},
        {OptionList::VoxDelayTime, 5, 5, 5},
        {OptionList::VoxDelayTime, 6, -1, 0xFF},
        {OptionList::SideKey, 3, 3, 3},
        {OptionList::SideKey, 7, 2, 2},
        {OptionList::SideKey, 0xFF, 2, 2},
        {OptionList::Vox, 1, 0, 1},
        {OptionList::Vox, 0, 1, 0},
        {OptionList::Vox, 2, -1, 0},
        {OptionList::Vox, 0xFF, -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(optionListName(c.list) + " " + std::to_string(c.stored));
        const int shown = shownPosition(c.list, static_cast<std::uint8_t>(c.stored));
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(storedValue(c.list, shown), c.storedAgain);
    }
    EXPECT_EQ(storedValue(OptionList::SideKey, -1), 2);
}

TEST(OptionalFeatures, NewImageShowsTheDefaultsAndStoresBackUnchanged)
{
    const RadioImage original = RadioImage::newImage();
    const OptionalFeatures f = loadOptionalFeatures(original, Language::English);
    auto shownText = [&](OptionList list) {
        return optionListItems(list, Language::English).at(static_cast<std::size_t>(f.position(list)));
    };
    EXPECT_EQ(shownText(OptionList::TimeOutTime), "600s");
    EXPECT_EQ(shownText(OptionList::SquelchLevel), "4");
    EXPECT_EQ(shownText(OptionList::SideKey), "None");
    EXPECT_EQ(shownText(OptionList::PriorityChannel), "Off");
    EXPECT_EQ(shownText(OptionList::Vox), "Off");
    EXPECT_EQ(shownText(OptionList::VoxGainLevel), "5");
    EXPECT_EQ(shownText(OptionList::VoiceAnnunciation), "Off");
    EXPECT_EQ(shownText(OptionList::VoxDelayTime), "0.3s");
    EXPECT_FALSE(f.beep);
    EXPECT_FALSE(f.batterySaver);
    EXPECT_EQ(f.transmitDelay, "Off");

    RadioImage image = original;
    storeOptionalFeatures(f, image);
    EXPECT_EQ(image, original);
}

TEST(OptionalFeatures, ValuesTheControlsCannotShowKeepTheirBytesUntilChanged)
{
    RadioImage image; // every byte 0xFF, as from an unprogrammed radio
    const RadioImage original = image;
    OptionalFeatures f = loadOptionalFeatures(image, Language::Chinese);
    EXPECT_TRUE(f.beep);
    EXPECT_TRUE(f.batterySaver);
    EXPECT_EQ(f.transmitDelay, "关");
    EXPECT_EQ(f.position(OptionList::SquelchLevel), -1);
    storeOptionalFeatures(f, image);
    EXPECT_EQ(image, original);

    // A changed control stores its value; the others keep theirs.
    f.position(OptionList::SquelchLevel) = 4;
    f.beep = false;
    f.transmitDelay = "2.5";
    storeOptionalFeatures(f, image);
    EXPECT_EQ(image.byte(offset::SquelchLevel), 4);
    EXPECT_EQ(image.byte(offset::Beep), 0);
    EXPECT_EQ(image.transmitDelay(), 25);
    EXPECT_EQ(image.byte(offset::SideKey), 0xFF);
    EXPECT_EQ(image.byte(offset::Vox), 0xFF);
    EXPECT_EQ(image.byte(offset::BatterySaver), 0xFF);
}

TEST(TransmitDelay, LoadedFromTheStoredValue)
{
    struct Case {
        std::uint16_t stored;
        const char* text;
    };
    for (const Case c : {Case{0, "Off"}, Case{1, "0.1"}, Case{25, "2.5"}, Case{1800, "180.0"},
                         Case{1801, "Off"}, Case{0xFFFF, "Off"}}) {
        RadioImage image = RadioImage::newImage();
        image.setTransmitDelay(c.stored);
        EXPECT_EQ(loadOptionalFeatures(image, Language::English).transmitDelay, c.text) << c.stored;
    }
}

TEST(TransmitDelay, NormalisingAndStoring)
{
    struct Case {
        const char* typed;
        const char* shown;
        int stored;
    };
    const std::vector<Case> cases = {
        {"12.34", "12.3", 123}, {"180", "180.0", 1800}, {"2.55", "2.5", 25}, {"200", "Off", 0},
        {"180.1", "Off", 0},    {"abc", "Off", 0},      {"", "Off", 0},      {"-5", "Off", 0},
        {"0.1", "0.1", 1},      {"0.05", "Off", 0},     {"Off", "Off", 0},   {"99999", "Off", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(normaliseTransmitDelay(c.typed, Language::English), c.shown);
        // OK stores what the field would show after normalising.
        RadioImage image = RadioImage::newImage();
        OptionalFeatures f = loadOptionalFeatures(image, Language::English);
        f.transmitDelay = c.typed;
        storeOptionalFeatures(f, image);
        EXPECT_EQ(image.transmitDelay(), c.stored);
    }
    EXPECT_EQ(normaliseTransmitDelay("", Language::Chinese), "关");
}

// A typed text is taken as typed or refused: never rounded, never turned off silently.
TEST(TransmitDelay, TakenAsTypedOrRefused)
{
    using R = TransmitDelayTyped;
    struct Case {
        const char* typed;
        R result;
        int tenths;
    };
    const std::vector<Case> cases = {
        {"12.3", R::Taken, 123},    {"", R::Taken, 0},
        {"Off", R::Taken, 0},       {"关", R::Taken, 0},
        {"0", R::Taken, 0},         {"0.0", R::Taken, 0},
        {"180", R::Taken, 1800},    {"180.0", R::Taken, 1800},
        {" 2.50 ", R::Taken, 25},   {"0.1", R::Taken, 1},
        {".5", R::Taken, 5},        {"12.34", R::NotAllowed, 0},
        {"2.55", R::NotAllowed, 0}, {"180.05", R::NotAllowed, 0},
        {"0.05", R::NotAllowed, 0}, {"180.1", R::NotAllowed, 0},
        {"200", R::NotAllowed, 0},  {"12,5", R::NotANumber, 0},
        {"-1", R::NotANumber, 0},   {"abc", R::NotANumber, 0},
        {"1e2", R::NotANumber, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const TransmitDelayReading reading = readTransmitDelay(c.typed);
        EXPECT_EQ(reading.result, c.result);
        EXPECT_EQ(reading.tenths, c.tenths);
        EXPECT_EQ(transmitDelayTextAccepted(c.typed), c.result == R::Taken);
    }
}

TEST(TransmitDelay, SteppingWrapsAndAccelerates)
{
    struct Case {
        const char* text;
        int d;
        const char* result;
    };
    const std::vector<Case> cases = {
        {"Off", 1, "0.1"},    {"off", -1, "180.0"},  {"180.0", 1, "Off"},  {"0.1", -1, "Off"},
        {"2.5", 1, "2.6"},    {"2.5", -1, "2.4"},    {"0.3", 5, "0.5"},    {"0.7", -5, "0.5"},
        {"0.5", 5, "1.0"},    {"179.9", 5, "180.0"}, {"0.3", -5, "Off"},   {"0.2", -5, "Off"},
        {"abc", 1, "0.1"},    {"关", 1, "0.1"},      {"180.0", 20, "Off"}, {"0.1", -20, "Off"},
        {"500", -1, "180.0"}, {"", 1, "0.1"},        {"0.1", 5, "0.5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " " + std::to_string(c.d));
        EXPECT_EQ(stepTransmitDelay(c.text, c.d, Language::English), c.result);
    }
    EXPECT_EQ(stepTransmitDelay("0.1", -1, Language::Chinese), "关");
}

TEST(TransmitDelay, IndependentOfADecimalCommaLocale)
{
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    ASSERT_NE(std::setlocale(LC_ALL, testsystem::kDecimalCommaLocale), nullptr)
        << "the decimal-comma locale " << testsystem::kDecimalCommaLocale
        << " is missing; scripts/install-deps.sh makes it";
    EXPECT_EQ(normaliseTransmitDelay("12.34", Language::English), "12.3");
    EXPECT_EQ(stepTransmitDelay("2.5", 1, Language::English), "2.6");
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(OptionVisibility, PerRadioVariant)
{
    EXPECT_TRUE(optionVisibilityForVariant(1).squelchLevel);
    EXPECT_FALSE(optionVisibilityForVariant(1).timeOutAndTransmitDelay);
    EXPECT_FALSE(optionVisibilityForVariant(2).squelchLevel);
    EXPECT_TRUE(optionVisibilityForVariant(2).timeOutAndTransmitDelay);
    EXPECT_TRUE(optionVisibilityForVariant(0).squelchLevel);
    EXPECT_TRUE(optionVisibilityForVariant(0).timeOutAndTransmitDelay);
}

TEST(OptionNames, CommandLineSpellings)
{
    OptionList list{};
    ASSERT_TRUE(optionListByName("Time Out Time", list));
    EXPECT_EQ(list, OptionList::TimeOutTime);
    ASSERT_TRUE(optionListByName("squelch-level", list));
    EXPECT_EQ(list, OptionList::SquelchLevel);
    ASSERT_TRUE(optionListByName("vox", list));
    EXPECT_EQ(list, OptionList::Vox);
    EXPECT_FALSE(optionListByName("Volume", list));
}

} // namespace
} // namespace qx260
