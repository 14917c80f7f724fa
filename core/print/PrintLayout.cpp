// Laying out the printout: which used channels fall on which page, and the draw operations
// of the frame, the optional features page, the channel pages and the footer.

#include "core/print/PrintLayout.h"

#include <span>
#include <utility>

namespace qx260
{

namespace
{

int twipsFromPixels(int pixels, int dpi)
{
    if (dpi <= 0 || pixels <= 0)
        return 0;
    return static_cast<int>(static_cast<std::int64_t>(pixels) * kTwipsPerInch / dpi);
}

PrintOp text(PrintFont font, int x, int y, std::string s)
{
    PrintOp op;
    op.kind = PrintOp::Kind::Text;
    op.font = font;
    op.x = x;
    op.y = y;
    op.text = std::move(s);
    return op;
}

PrintOp rule(PrintFont font, int x1, int x2, int y)
{
    PrintOp op;
    op.kind = PrintOp::Kind::Rule;
    op.font = font;
    op.x = x1;
    op.x2 = x2;
    op.y = y;
    return op;
}

const char* voxDelayText(std::uint8_t v)
{
    switch (v) {
    case 0:
        return "0.3s";
    case 1:
        return "0.5s";
    case 2:
        return "1.0s";
    case 3:
        return "1.5s";
    case 4:
        return "2.0s";
    default:
        return "3.0s";
    }
}

} // namespace

PrintGeometry PrintGeometry::fromDevice(int widthPixels, int heightPixels, int dpiX, int dpiY)
{
    return {twipsFromPixels(widthPixels, dpiX), twipsFromPixels(heightPixels, dpiY)};
}

PrintLayout::PrintLayout(PrintContent content, PrintGeometry geometry, const PrintFontMetrics& metrics)
    : content_(std::move(content)), geometry_(geometry)
{
    largeLine_ = metrics.lineHeight(geometry_.largeFont());
    smallLine_ = metrics.lineHeight(geometry_.smallFont());
    countUsedChannels();
}

PrintFontSize PrintLayout::fontSize(PrintFont font) const
{
    return font == PrintFont::Large ? geometry_.largeFont() : geometry_.smallFont();
}

void PrintLayout::countUsedChannels()
{
    // Rebuilt from its initial values at every count, so nothing of an earlier
    // printout carries over.
    pageTable_ = {0, kChannelCount, kChannelCount};
    usedChannels_ = 0;
    for (int r = 1; r <= kChannelCount; ++r) {
        if (content_.cells[r][1].empty())
            continue;
        ++usedChannels_;
        if (usedChannels_ % kChannelsPerPrintPage == 0) {
            const int k = usedChannels_ / kChannelsPerPrintPage;
            if (k < kPageTableSize)
                pageTable_[k] = r;
        }
    }
}

std::vector<int> PrintLayout::rowsOnPage(int page) const
{
    std::vector<int> rows;
    if (page < 2 || page > pageCount() || page - 1 >= kPageTableSize)
        return rows;
    const int after = pageTable_[page - 2];
    const int upTo = pageTable_[page - 1];
    for (int r = after + 1; r <= upTo; ++r)
        if (!content_.cells[r][1].empty())
            rows.push_back(r);
    return rows;
}

std::vector<PrintOp> PrintLayout::page(int page) const
{
    std::vector<PrintOp> ops;
    if (page < 1 || page > pageCount())
        return ops;
    addFrame(ops);
    if (page == 1)
        addOptionsBody(ops);
    else
        addChannelBody(ops, page);
    addFooter(ops, page);
    return ops;
}

void PrintLayout::addFrame(std::vector<PrintOp>& ops) const
{
    const int u = geometry_.columnUnit();
    const int l1 = largeLine_;
    ops.push_back(rule(PrintFont::Large, 5 * u, 60 * u, 2 * l1 + 50));
    ops.push_back(rule(PrintFont::Large, 5 * u, 60 * u, 2 * l1 + 120));
    ops.push_back(rule(PrintFont::Large, 5 * u, 60 * u, 36 * l1 - l1 / 2));
}

void PrintLayout::addOptionsBody(std::vector<PrintOp>& ops) const
{
    const int u = geometry_.columnUnit();
    const int l2 = smallLine_;
    const auto byte = [this](std::size_t offset) { return content_.image[offset]; };
    const auto onOff = [this](std::uint8_t v) { return std::string(words((v & 1) ? Text::On : Text::Off)); };

    ops.push_back(text(PrintFont::Large, 6 * u, largeLine_, words(Text::PrintOption)));
    ops.push_back(text(PrintFont::Small, 6 * u, 4 * l2, words(Text::PrintFunction)));

    const std::uint8_t voice = byte(offset::VoiceAnnunciation);
    const std::uint8_t voxGain = byte(offset::VoxGainLevel);
    const std::pair<const char*, std::string> lines[] = {
        {words(Text::PrintTimeOutTime), std::to_string(byte(offset::TimeOutTime) * 15) + "s"},
        {words(Text::PrintSquelchLevel), std::to_string(byte(offset::SquelchLevel))},
        {words(Text::PrintVoiceAnnunciation), voice == 0   ? words(Text::Off)
                                              : voice == 1 ? words(Text::VoiceChinese)
                                                           : words(Text::VoiceEnglish)},
        {words(Text::PrintVoxDelayTime), voxDelayText(byte(offset::VoxDelayTime))},
        {words(Text::PrintVoxGainLevel),
         voxGain == 0 ? std::string(words(Text::Off)) : std::to_string(voxGain)},
        {words(Text::PrintBatterySaver), onOff(byte(offset::BatterySaver))},
        {words(Text::PrintBeep), onOff(byte(offset::Beep))},
    };
    int line = 5;
    for (const auto& [label, value] : lines) {
        ops.push_back(text(PrintFont::Small, 9 * u, line * l2, label));
        ops.push_back(text(PrintFont::Small, 35 * u, line * l2, value));
        ++line;
    }
}

void PrintLayout::addChannelBody(std::vector<PrintOp>& ops, int page) const
{
    const int u = geometry_.columnUnit();
    const int l2 = smallLine_;
    ops.push_back(text(PrintFont::Large, 6 * u, largeLine_, words(Text::PrintChannels)));

    int slot = 0;
    for (int r : rowsOnPage(page)) {
        const int y0 = 5 * slot * l2;
        const auto& row = content_.cells[r];
        ops.push_back(text(PrintFont::Small, 4 * u, 4 * l2 + y0,
                           formatText(Text::PrintChannelNumber, content_.language, {std::to_string(r)})));
        const struct {
            const char* left;
            int leftColumn;
            const char* right;
            int rightColumn;
        } lines[] = {
            {words(Text::PrintRxFrequency), 1, words(Text::PrintTxFrequency), 2},
            {words(Text::PrintDecodeTone), 3, words(Text::PrintEncodeTone), 4},
            {words(Text::PrintBandwidth), 5, words(Text::PrintScan), 6},
            // Shown in the window, printed too: on the line a channel otherwise leaves blank.
            {words(Text::PrintBusyLock), 7, words(Text::PrintPower), 8},
        };
        const int lineCount = content_.busyLockAndPower ? 4 : 3;
        int line = 5;
        for (const auto& l : std::span(lines, static_cast<std::size_t>(lineCount))) {
            const int y = line * l2 + y0;
            ops.push_back(text(PrintFont::Small, 5 * u, y, l.left));
            ops.push_back(text(PrintFont::Small, 22 * u, y, row[l.leftColumn]));
            ops.push_back(text(PrintFont::Small, 36 * u, y, l.right));
            ops.push_back(text(PrintFont::Small, 55 * u, y, row[l.rightColumn]));
            ++line;
        }
        ++slot;
    }
}

void PrintLayout::addFooter(std::vector<PrintOp>& ops, int page) const
{
    const int u = geometry_.columnUnit();
    const int y = 36 * largeLine_;
    ops.push_back(text(PrintFont::Small, 10 * u, y, content_.footer));
    ops.push_back(text(PrintFont::Small, 45 * u, y,
                       "Page " + std::to_string(page) + " of " + std::to_string(pageCount())));
}

} // namespace qx260
