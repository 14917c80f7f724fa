// Channel rows to and from clipboard text; see ChannelRows.h.

#include "core/channels/ChannelRows.h"

#include <vector>

#include "core/channels/ChannelTable.h"
#include "core/channels/Csv.h"
#include "core/radio/ChannelTexts.h"

namespace qx260
{

namespace
{

constexpr char kTab = '\t';

} // namespace

std::string copyChannelRows(const ChannelTable& table, int first, int last, bool languageFlag)
{
    std::vector<std::string> header;
    for (int col = column::Channel; col <= column::Power; ++col)
        header.push_back(columnHeader(col, languageFlag));
    std::string out = csvRecord(header, kTab);
    for (int r = first; r <= last && r < table.rows(); ++r) {
        std::vector<std::string> row{std::to_string(r)};
        for (int col = column::RxFrequency; col <= column::Power; ++col)
            row.push_back(table.textMatrix(r, col));
        out += csvRecord(row, kTab);
    }
    return out;
}

ChannelImportResult pasteChannelRows(ChannelTable& table, std::string_view text, int firstChannel,
                                     BandLimits limits, bool languageFlag, int radioVariant)
{
    ChannelRowsInput input;
    input.text = text;
    input.separator = kTab;
    input.firstChannel = firstChannel;
    input.headerOptional = true;
    input.chineseMessages = languageFlag;
    return importChannelRows(table, input, limits, languageFlag, radioVariant);
}

bool looksLikeChannelRows(std::string_view text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.remove_suffix(1);
    return text.find_first_of("\t\r\n") != std::string_view::npos;
}

} // namespace qx260
