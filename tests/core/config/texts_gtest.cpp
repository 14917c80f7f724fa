// The catalogue of texts: every text written in both languages with the same places, the
// places filled in order, and the string table's messages by id.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/config/Texts.h"
#include "res/StringTable.h"

using namespace qx260;

namespace
{

// The places %1 .. %9 a text holds.
std::set<char> placesOf(std::string_view text)
{
    std::set<char> places;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9')
            places.insert(text[i + 1]);
    return places;
}

TEST(TextsTest, EveryTextHasBothLanguagesWithTheSamePlaces)
{
    for (int i = 0; i < kTextCount; ++i) {
        const std::string english = textOf(static_cast<Text>(i), Language::English);
        const std::string chinese = textOf(static_cast<Text>(i), Language::Chinese);
        SCOPED_TRACE("text " + std::to_string(i) + ": " + english);
        EXPECT_FALSE(english.empty());
        EXPECT_FALSE(chinese.empty());
        EXPECT_EQ(placesOf(english), placesOf(chinese));
    }
}

TEST(TextsTest, FormatFillsThePlacesInOrder)
{
    const struct {
        Text id;
        Language language;
        std::initializer_list<std::string> args;
        const char* expected;
    } cases[] = {
        {Text::ImportedMany, Language::English, {"3", "a.csv"}, "Imported 3 channels from a.csv"},
        {Text::ImportedMany, Language::Chinese, {"3", "a.csv"}, "已从 a.csv 导入 3 个信道"},
        // a place used twice; an argument that looks like a place is taken as it is
        {Text::RadioHoldsFirstBlocksAndHalf,
         Language::Chinese,
         {"%2", "11", "51"},
         "电台现在保存的是本文档的前 %2 块数据（共 51 块）和第 11 块的前半块，第 11 "
         "块的后半块及其后仍为原有内容"},
        // a place without an argument stays as written
        {Text::ChannelGivenTwice, Language::English, {"4"}, "channel 4 was already given on line %2"},
        {Text::WindowCaption, Language::Chinese, {"QX", "A", "B"}, "QX  [ 类型:A  频率:B ]"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatText(c.id, c.language, c.args), c.expected);

    EXPECT_TRUE(isTextOf("载波", Text::Carrier));
    EXPECT_TRUE(isTextOf("Carrier", Text::Carrier));
    EXPECT_FALSE(isTextOf("carrier", Text::Carrier));
}

TEST(TextsTest, StringTableMessagesByIdInBothLanguages)
{
    std::set<int> ids;
    for (const res::StringTexts& row : res::kStringTable) {
        EXPECT_TRUE(ids.insert(row.id).second) << row.id;
        EXPECT_STREQ(messageText(row.id, Language::English), row.english);
        EXPECT_STREQ(messageText(row.id, Language::Chinese), row.chinese);
        EXPECT_NE(std::string(row.chinese), "") << row.id;
    }
    EXPECT_STREQ(messageText(61458, Language::English), "Caution");
    EXPECT_STREQ(messageText(4242, Language::Chinese), "");
}

} // namespace
