// The words for differences: channel cells under their column headers, options under
// their names, the product by its configured names, and the bytes nothing shows.

#include "core/compare/DifferenceText.h"

#include <cstdio>
#include <string_view>

#include "core/channels/ChannelCodec.h"
#include "core/config/ProcessValues.h"
#include "core/config/Texts.h"
#include "core/radio/ChannelTexts.h"

namespace qx260
{

namespace
{

std::string hex3(std::size_t offset)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%03zX", offset);
    return buf;
}

std::string offsetList(const std::vector<std::size_t>& offsets, std::size_t shown)
{
    std::string out;
    for (std::size_t i = 0; i < offsets.size() && i < shown; ++i)
        out += (i ? ", " : "") + hex3(offsets[i]);
    if (offsets.size() > shown)
        out += ", ...";
    return out;
}

// The Optional Features dialog's name of a field in the program's language; the English
// name is the field's own.
std::string optionName(const std::string& english, Language language)
{
    static constexpr Text kNames[] = {
        Text::OptionTimeOutTime,       Text::OptionSquelchLevel, Text::OptionTransmitDelay,
        Text::OptionSideKey,           Text::OptionBeep,         Text::OptionBatterySaver,
        Text::OptionPriorityChannel,   Text::OptionVox,          Text::OptionVoxGainLevel,
        Text::OptionVoiceAnnunciation, Text::OptionVoxDelayTime,
    };
    for (Text name : kNames)
        if (english == textOf(name, Language::English))
            return textOf(name, language);
    return english;
}

std::string byteCount(const std::vector<std::size_t>& offsets, Language language)
{
    return formatText(Text::BytesDiffer, language, {std::to_string(offsets.size()), offsetList(offsets, 8)});
}

} // namespace

std::string productText(const ProcessValues& values, const RadioImage& image, std::size_t at)
{
    const int type = image.byte(offset::ProductType);
    const std::string number = std::to_string(type + 1);
    std::string name;
    if (at == offset::ProductType) {
        name = values.setupString("Type" + number);
    } else {
        const std::string list = values.setupString("Field" + number);
        if (!list.empty())
            name = bandItem(list, image.byte(offset::BandIndex));
    }
    const std::string index = std::to_string(image.byte(at));
    return name.empty() ? index : name + " (" + index + ")";
}

const char* productLabel(std::size_t at)
{
    return textOf(at == offset::ProductType ? Text::ProductType : Text::Band, Language::English);
}

std::vector<DifferenceRow> differenceRows(const ImageDifferences& d, const RadioImage& a, const RadioImage& b,
                                          const ProcessValues& values)
{
    std::vector<DifferenceRow> rows;
    const Language language = values.language();
    const std::string empty = textOf(Text::EmptyValue, language);
    const auto cellText = [&](const std::string& text) { return text.empty() ? empty : text; };
    for (const CellDifference& c : d.cells)
        rows.push_back({formatText(Text::DifferenceCell, language,
                                   {std::to_string(c.channel), columnHeader(c.column, language)}),
                        cellText(c.before), cellText(c.after)});
    for (const OptionDifference& o : d.options)
        rows.push_back({optionName(o.name, language), o.before, o.after});
    for (const ProductDifference& p : d.product)
        rows.push_back({textOf(p.offset == offset::ProductType ? Text::ProductType : Text::Band, language),
                        productText(values, a, p.offset), productText(values, b, p.offset)});
    if (!d.otherBytesInside.empty())
        rows.push_back({textOf(Text::OtherBytes, language), std::string(),
                        byteCount(d.otherBytesInside, language), true});
    if (!d.bytesOutside.empty())
        rows.push_back({textOf(Text::BytesOnlyInFile, language), std::string(),
                        byteCount(d.bytesOutside, language), true});
    return rows;
}

std::string differenceLines(const ImageDifferences& d, const RadioImage& a, const RadioImage& b,
                            const ProcessValues& values)
{
    std::string out;
    for (const DifferenceRow& row : differenceRows(d, a, b, values))
        out += row.what + ": " + (row.byteCount ? row.after : row.before + " -> " + row.after) + "\n";
    return out;
}

} // namespace qx260
