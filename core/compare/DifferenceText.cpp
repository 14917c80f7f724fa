// The words for differences: channel cells under their column headers, options under
// their names, the product by its configured names, and the bytes nothing shows.

#include "core/compare/DifferenceText.h"

#include <cstdio>
#include <string_view>

#include "core/channels/ChannelCodec.h"
#include "core/config/ProcessValues.h"
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

// The Optional Features dialog's names of its fields in Chinese.
std::string optionName(const std::string& english, const ProcessValues& values)
{
    static constexpr std::pair<std::string_view, const char*> kChinese[] = {
        {"Time Out Time", "超时定时器"},
        {"Squelch Level", "静噪电平"},
        {"Transmit Delay", "发射延时"},
        {"Side Key", "侧键"},
        {"Beep", "哔音"},
        {"Battery Saver", "电池省电"},
        {"Priority Channel", "优先信道"},
        {"VOX", "声控"},
        {"Vox Gain Level", "声控增益电平"},
        {"Voice Annunciation", "语音报号"},
        {"Vox Delay Time", "声控延迟时间"},
    };
    if (values.languageFlag) {
        for (const auto& [name, chinese] : kChinese) {
            if (name == english)
                return chinese;
        }
    }
    return english;
}

std::string byteCount(const std::vector<std::size_t>& offsets, const ProcessValues& values)
{
    return std::to_string(offsets.size()) + values.pick(" differ at ", " 处不同：") + offsetList(offsets, 8);
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
    return at == offset::ProductType ? "Product type" : "Band";
}

std::vector<DifferenceRow> differenceRows(const ImageDifferences& d, const RadioImage& a, const RadioImage& b,
                                          const ProcessValues& values)
{
    std::vector<DifferenceRow> rows;
    const std::string empty = values.pick("(empty)", "(空)");
    const auto cellText = [&](const std::string& text) { return text.empty() ? empty : text; };
    for (const CellDifference& c : d.cells)
        rows.push_back({values.pick("Channel ", "信道 ") + std::to_string(c.channel) + " " +
                            columnHeader(c.column, values.languageFlag),
                        cellText(c.before), cellText(c.after)});
    for (const OptionDifference& o : d.options)
        rows.push_back({optionName(o.name, values), o.before, o.after});
    for (const ProductDifference& p : d.product)
        rows.push_back({p.offset == offset::ProductType ? values.pick("Product type", "类型")
                                                        : values.pick("Band", "频段"),
                        productText(values, a, p.offset), productText(values, b, p.offset)});
    if (!d.otherBytesInside.empty())
        rows.push_back({values.pick("Other bytes (0x000-0x32F)", "其他字节 (0x000-0x32F)"), std::string(),
                        byteCount(d.otherBytesInside, values), true});
    if (!d.bytesOutside.empty())
        rows.push_back(
            {values.pick("Bytes kept only in the file (0x330-0x3FF)", "仅保存在文件中的字节 (0x330-0x3FF)"),
             std::string(), byteCount(d.bytesOutside, values), true});
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
