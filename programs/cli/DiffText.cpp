#include "programs/cli/DiffText.h"

#include <cstdio>
#include <vector>

#include "core/channels/ChannelCodec.h"
#include "core/config/ProcessValues.h"
#include "core/radio/ChannelTexts.h"

namespace qx260::cli
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

std::string differenceLines(const ImageDifferences& d, const RadioImage& a, const RadioImage& b,
                            const ProcessValues& values)
{
    std::string out;
    for (const CellDifference& c : d.cells)
        out += "Channel " + std::to_string(c.channel) + " " + columnHeader(c.column, values.languageFlag) +
               ": " + (c.before.empty() ? "(empty)" : c.before) + " -> " +
               (c.after.empty() ? "(empty)" : c.after) + "\n";
    for (const OptionDifference& o : d.options)
        out += o.name + ": " + o.before + " -> " + o.after + "\n";
    for (const ProductDifference& p : d.product)
        out += std::string(productLabel(p.offset)) + ": " + productText(values, a, p.offset) + " -> " +
               productText(values, b, p.offset) + "\n";
    if (!d.otherBytesInside.empty())
        out += "Other bytes (0x000-0x32F): " + std::to_string(d.otherBytesInside.size()) + " differ at " +
               offsetList(d.otherBytesInside, 8) + "\n";
    if (!d.bytesOutside.empty())
        out += "Bytes kept only in the file (0x330-0x3FF): " + std::to_string(d.bytesOutside.size()) +
               " differ at " + offsetList(d.bytesOutside, 8) + "\n";
    return out;
}

} // namespace qx260::cli
