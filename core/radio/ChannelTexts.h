#pragma once
// The texts of the channel table that both languages share: column headers and the
// values of the list columns (W/N, Scan, Busy Lock, Power). The cell editors, the codec,
// printing and the command line all take their words from here.

#include <string>
#include <string_view>
#include <vector>

namespace qx260
{

struct BilingualText {
    const char* english;
    const char* chinese;

    const char* pick(bool languageFlag) const { return languageFlag ? chinese : english; }
    // Exact, case-sensitive match with either form.
    bool matches(std::string_view text) const { return text == english || text == chinese; }
};

inline constexpr BilingualText kWideText{"Wide", "宽"};
inline constexpr BilingualText kNarrowText{"Narrow", "窄"};
inline constexpr BilingualText kYesText{"Yes", "是"};
inline constexpr BilingualText kNoText{"No", "否"};
inline constexpr BilingualText kOffText{"Off", "关"};
inline constexpr BilingualText kCarrierText{"Carrier", "载波"};
inline constexpr BilingualText kQtDqtText{"QT/DQT", "QT/DQT"};
inline constexpr BilingualText kHighText{"High", "高"};
inline constexpr BilingualText kLowText{"Low", "低"};

// Header of column 0..8 ("CH", "Rx Frequency", ...); empty for any other column.
std::string columnHeader(int col, bool languageFlag);

// The items of the list editor of column 5..8 in list order; empty for any other column.
std::vector<std::string> columnListItems(int col, bool languageFlag);

} // namespace qx260
