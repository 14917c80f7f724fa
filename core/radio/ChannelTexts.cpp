// The column headers in both languages and the items each list column offers.

#include "core/radio/ChannelTexts.h"

#include <array>

namespace qx260
{

namespace
{

constexpr std::array<BilingualText, 9> kHeaders{{
    {"CH", "信道"},
    {"Rx Frequency", "接收频率"},
    {"Tx Frequency", "发射频率"},
    {"QT/DQT Dec", "QT/DQT解码"},
    {"QT/DQT Enc", "QT/DQT编码"},
    {"W/N", "宽/窄"},
    {"Scan", "扫描"},
    {"Busy Lock", "繁忙锁定"},
    {"Power", "功率"},
}};

} // namespace

std::string columnHeader(int col, bool languageFlag)
{
    if (col < 0 || col >= static_cast<int>(kHeaders.size()))
        return {};
    return kHeaders[static_cast<std::size_t>(col)].pick(languageFlag);
}

std::vector<std::string> columnListItems(int col, bool languageFlag)
{
    std::vector<BilingualText> items;
    switch (col) {
    case 5:
        items = {kWideText, kNarrowText};
        break;
    case 6:
        items = {kYesText, kNoText};
        break;
    case 7:
        items = {kOffText, kCarrierText, kQtDqtText};
        break;
    case 8:
        items = {kHighText, kLowText};
        break;
    default:
        break;
    }
    std::vector<std::string> result;
    result.reserve(items.size());
    for (const BilingualText& t : items)
        result.emplace_back(t.pick(languageFlag));
    return result;
}

} // namespace qx260
