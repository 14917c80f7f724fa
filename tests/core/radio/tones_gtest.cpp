// The tone list the cells offer, and tones and codes to image words and back, codes that
// are never offered included.

#include "core/radio/Tones.h"

#include <gtest/gtest.h>

#include <set>

using namespace qx260;

TEST(ToneList, OrderAndSize)
{
    for (bool chinese : {false, true}) {
        const auto list = buildToneList(languageOf(chinese));
        ASSERT_EQ(list.size(), static_cast<std::size_t>(kToneListSize));
        EXPECT_EQ(list[0], chinese ? "无" : "None");
        EXPECT_EQ(list[1], "67.0");
        EXPECT_EQ(list[50], "254.1");
        EXPECT_EQ(list[51], "D023N");
        EXPECT_EQ(list[134], "D754N");
        EXPECT_EQ(list[135], "D023I");
        EXPECT_EQ(list[218], "D754I");
        EXPECT_EQ(std::set<std::string>(list.begin(), list.end()).size(), list.size());
    }
}

TEST(ToneList, EveryItemSurvivesTheImage)
{
    for (const std::string& text : buildToneList(Language::English)) {
        const ToneWord w = toneTextToWord(text);
        EXPECT_EQ(toneWordToText(w, false, Language::English), text);
    }
    // The codes that are never offered still come back as they were stored.
    for (int code : kExtraCodes) {
        for (bool inverted : {false, true}) {
            const int value = (code / 100) * 64 + (code / 10 % 10) * 8 + code % 10;
            const ToneWord w{static_cast<std::uint8_t>(value & 0xFF),
                             static_cast<std::uint8_t>((inverted ? 0xA8 : 0x28) | (value >> 8))};
            const std::string text = toneWordToText(w, false, Language::English);
            EXPECT_EQ(toneTextToWord(text), w) << text;
        }
    }
}

TEST(ToneWords, Texts)
{
    struct {
        ToneWord word;
        bool rowIsEmpty;
        bool chinese;
        const char* text;
    } cases[] = {
        {{0xEC, 0x29}, false, false, "D754N"}, {{0xEC, 0xA9}, false, false, "D754I"},
        {{0x9E, 0x02}, false, false, "67.0"},  {{0x71, 0x02}, false, false, "62.5"},
        {{0x0F, 0x28}, false, false, "D017N"}, {{0x00, 0x28}, false, false, "D000N"},
        {{0x00, 0xA8}, false, false, "D000I"}, {{0x34, 0x00}, false, false, "None"},
        {{0xFF, 0xFF}, false, true, "无"},     {{0xFF, 0xFF}, true, false, ""},
        {{0x05, 0x00}, true, true, ""},        {{0x05, 0x01}, false, false, "26.1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toneWordToText(c.word, c.rowIsEmpty, languageOf(c.chinese)), c.text)
            << int(c.word.high) << "/" << int(c.word.low);
}

TEST(ToneWords, FromTexts)
{
    struct {
        const char* text;
        ToneWord word;
    } cases[] = {
        {"D023N", {0x13, 0x28}}, {"D023I", {0x13, 0xA8}}, {"D411N", {0x09, 0x29}}, {"D754I", {0xEC, 0xA9}},
        {"D017N", {0x0F, 0x28}}, {"D999N", {0x00, 0x29}}, {"D000N", {0x00, 0x28}}, {"D023", {0x13, 0xA8}},
        {"d023N", {0xFF, 0xFF}}, {"67.0", {0x9E, 0x02}},  {"254.1", {0xED, 0x09}}, {"None", {0xFF, 0xFF}},
        {"无", {0xFF, 0xFF}},    {"", {0xFF, 0xFF}},      {"0.04", {0xFF, 0xFF}},  {"D", {0x00, 0xA8}},
        {"1e400", {0xFF, 0xFF}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toneTextToWord(c.text), c.word) << c.text;
}

TEST(Codes, StoredValues)
{
    EXPECT_EQ(codeToStoredLowByte(754), 0xEC);
    EXPECT_EQ(codeToStoredLowByte(17), 0x0F);
    EXPECT_EQ(codeToStoredLowByte(122), 82);
    EXPECT_EQ(codeToStoredLowByte(999), 0);
    EXPECT_EQ(codeToStoredLowByte(24), 0);
    EXPECT_EQ(storedValueToCode(0xEC, true), 754);
    EXPECT_EQ(storedValueToCode(0x09, true), 411);
    EXPECT_EQ(storedValueToCode(0x13, false), 23);
    EXPECT_EQ(storedValueToCode(0x00, false), 0);
    // Bit 8 is set exactly for the codes from 411 up.
    for (int code : kListedCodes)
        EXPECT_EQ(toneTextToWord(std::string("D").append(std::to_string(code)).append("N")).high & 1,
                  code >= 411 ? 1 : 0)
            << code;
}
