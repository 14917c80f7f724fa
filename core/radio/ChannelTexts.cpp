// The column headers and the items each list column offers, as texts of the catalogue.

#include "core/radio/ChannelTexts.h"

#include <array>

namespace qx260
{

namespace
{

constexpr std::array<Text, 9> kHeaders{
    Text::HeaderChannel,    Text::HeaderRxFrequency, Text::HeaderTxFrequency,
    Text::HeaderDecodeTone, Text::HeaderEncodeTone,  Text::HeaderBandwidth,
    Text::HeaderScan,       Text::HeaderBusyLock,    Text::HeaderPower,
};

} // namespace

std::string columnHeader(int col, Language language)
{
    if (col < 0 || col >= static_cast<int>(kHeaders.size()))
        return {};
    return textOf(kHeaders[static_cast<std::size_t>(col)], language);
}

std::vector<Text> columnListTexts(int col)
{
    switch (col) {
    case 5:
        return {Text::Wide, Text::Narrow};
    case 6:
        return {Text::Yes, Text::No};
    case 7:
        return {Text::Off, Text::Carrier, Text::QtDqt};
    case 8:
        return {Text::High, Text::Low};
    default:
        return {};
    }
}

std::vector<std::string> columnListItems(int col, Language language)
{
    std::vector<std::string> result;
    for (Text t : columnListTexts(col))
        result.emplace_back(textOf(t, language));
    return result;
}

} // namespace qx260
