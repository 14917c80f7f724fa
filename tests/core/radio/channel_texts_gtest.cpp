// The column headers and list-column items in English and Chinese, in their order.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/radio/ChannelTexts.h"

using namespace qx260;
using Items = std::vector<std::string>;

namespace
{

TEST(ChannelTextsTest, HeadersInBothLanguages)
{
    const char* english[] = {"CH",  "Rx Frequency", "Tx Frequency", "QT/DQT Dec", "QT/DQT Enc",
                             "W/N", "Scan",         "Busy Lock",    "Power"};
    const char* chinese[] = {"信道",  "接收频率", "发射频率", "QT/DQT解码", "QT/DQT编码",
                             "宽/窄", "扫描",     "繁忙锁定", "功率"};
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(columnHeader(c, Language::English), english[c]);
        EXPECT_EQ(columnHeader(c, Language::Chinese), chinese[c]);
    }
    EXPECT_EQ(columnHeader(-1, Language::English), "");
    EXPECT_EQ(columnHeader(9, Language::Chinese), "");
}

TEST(ChannelTextsTest, ListItemsInOrder)
{
    EXPECT_EQ(columnListItems(5, Language::English), (Items{"Wide", "Narrow"}));
    EXPECT_EQ(columnListItems(6, Language::Chinese), (Items{"是", "否"}));
    EXPECT_EQ(columnListItems(7, Language::English), (Items{"Off", "Carrier", "QT/DQT"}));
    EXPECT_EQ(columnListItems(7, Language::Chinese), (Items{"关", "载波", "QT/DQT"}));
    EXPECT_EQ(columnListItems(8, Language::Chinese), (Items{"高", "低"}));
    EXPECT_TRUE(columnListItems(4, Language::English).empty());
    EXPECT_TRUE(isTextOf("载波", Text::Carrier));
    EXPECT_FALSE(isTextOf("wide", Text::Wide));
}

} // namespace
