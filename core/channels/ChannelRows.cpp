// Channel rows to and from clipboard text; see ChannelRows.h.

#include "core/channels/ChannelRows.h"

#include <vector>

#include "core/channels/ChannelFields.h"
#include "core/channels/Csv.h"
#include "core/radio/ChannelTexts.h"

namespace qx260
{

namespace
{

constexpr char kTab = '\t';

bool inChannels(int n)
{
    return n >= 1 && n <= kChannelCount;
}

} // namespace

std::string copyChannelRows(const ChannelList& channels, int first, int last, int radioVariant,
                            Language language)
{
    std::vector<std::string> header;
    for (int col = 0; col <= columnOf(ChannelField::Power); ++col)
        header.push_back(columnHeader(col, language));
    std::string out = csvRecord(header, kTab);
    for (int n = first; n <= last; ++n) {
        if (!inChannels(n))
            continue;
        const std::array<std::string, 8> texts = shownFieldTexts(channels.channel(n), radioVariant, language);
        std::vector<std::string> row{std::to_string(n)};
        row.insert(row.end(), texts.begin(), texts.end());
        out += csvRecord(row, kTab);
    }
    return out;
}

ChannelImportResult pasteChannelRows(const ChannelList& current, std::string_view text, int firstChannel,
                                     BandLimits limits, int radioVariant, Language language)
{
    ChannelRowsInput input;
    input.text = text;
    input.separator = kTab;
    input.firstChannel = firstChannel;
    input.headerOptional = true;
    return importChannels(current, input, limits, radioVariant, language);
}

ChannelList cutChannelRows(const ChannelList& channels, int first, int last, int radioVariant)
{
    ChannelList left = channels;
    for (int n = first; n <= last; ++n)
        if (inChannels(n) && !shownEmpty(channels.channel(n), radioVariant))
            left.channel(n) = erasedChannel(channels.channel(n));
    return left;
}

bool looksLikeChannelRows(std::string_view text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.remove_suffix(1);
    return text.find_first_of("\t\r\n") != std::string_view::npos;
}

} // namespace qx260
