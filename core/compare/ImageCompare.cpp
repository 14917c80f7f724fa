// Comparing two images field by field: channel cells, optional features, product bytes,
// and whatever differing bytes none of them accounts for.

#include "core/compare/ImageCompare.h"

#include <array>
#include <cstdio>

#include "core/channels/Channel.h"
#include "core/channels/ChannelFields.h"
#include "core/channels/ChannelTable.h"
#include "core/config/Texts.h"
#include "core/settings/OptionRules.h"

namespace qx260
{

namespace
{

constexpr std::size_t kInterpretedEnd = offset::TransferEnd; // 0x330

// One optional feature: its name, the bytes it occupies and how the dialog shows them.
struct OptionField {
    std::string name;
    std::size_t offset;
    std::size_t size;
    std::string text;
};

std::string hex(unsigned value, int digits)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%0*X", digits, value);
    return buf;
}

std::vector<OptionField> optionFields(const RadioImage& image, Language language)
{
    const auto listText = [&](OptionList list) {
        const int position = shownPosition(list, image.byte(optionOffset(list)));
        const std::vector<std::string> items = optionListItems(list, language);
        if (position < 0 || static_cast<std::size_t>(position) >= items.size())
            return std::string("(none)");
        return items[static_cast<std::size_t>(position)];
    };
    const auto listField = [&](OptionList list) {
        return OptionField{optionListName(list), optionOffset(list), 1, listText(list)};
    };
    const auto checkField = [&](const char* name, std::size_t at) {
        const bool on = image.byte(at) & 1;
        return OptionField{name, at, 1, textOf(on ? Text::On : Text::Off, language)};
    };
    // In the order of the dialog, top to bottom.
    return {
        listField(OptionList::TimeOutTime),
        listField(OptionList::SquelchLevel),
        {"Transmit Delay", offset::TransmitDelay, 2,
         transmitDelayTextForStored(image.transmitDelay(), language)},
        listField(OptionList::SideKey),
        checkField("Beep", offset::Beep),
        checkField("Battery Saver", offset::BatterySaver),
        listField(OptionList::PriorityChannel),
        listField(OptionList::Vox),
        listField(OptionList::VoxGainLevel),
        listField(OptionList::VoiceAnnunciation),
        listField(OptionList::VoxDelayTime),
    };
}

// The bits of each image byte a shown difference accounts for.
using Explained = std::array<std::uint8_t, kImageSize>;

void explainBytes(Explained& explained, std::size_t at, std::size_t size, std::uint8_t mask = 0xFF)
{
    for (std::size_t i = at; i < at + size && i < kImageSize; ++i)
        explained[i] |= mask;
}

void explainCell(Explained& explained, int n, int col)
{
    const std::size_t record = RadioImage::channelOffset(n);
    switch (col) {
    case column::RxFrequency:
        explainBytes(explained, record + field::RxFrequency, 4);
        break;
    case column::TxFrequency:
        explainBytes(explained, record + field::TxFrequency, 4);
        break;
    case column::DecodeTone:
        explainBytes(explained, record + field::DecodeTone, 2);
        break;
    case column::EncodeTone:
        explainBytes(explained, record + field::EncodeTone, 2);
        break;
    case column::Bandwidth:
        explainBytes(explained, record + field::BandwidthPower, 1, 0x10);
        break;
    case column::Scan:
        explainBytes(explained, offset::ScanBitmap + static_cast<std::size_t>(n - 1) / 8, 1,
                     static_cast<std::uint8_t>(1u << ((n - 1) % 8)));
        break;
    case column::BusyLock:
        explainBytes(explained, record + field::BusyLock, 1, 0x18);
        break;
    case column::Power:
        explainBytes(explained, record + field::BandwidthPower, 1, 0x20);
        break;
    default:
        break;
    }
}

} // namespace

ImageDifferences compareImages(const RadioImage& before, const RadioImage& after, int radioVariant,
                               Language language)
{
    ImageDifferences diff;
    if (before == after)
        return diff;
    Explained explained{};

    const ChannelList a = decodeChannels(before);
    const ChannelList b = decodeChannels(after);
    for (int n = 1; n <= kChannelCount; ++n) {
        const std::array<std::string, 8> ta = shownFieldTexts(a.channel(n), radioVariant, language);
        const std::array<std::string, 8> tb = shownFieldTexts(b.channel(n), radioVariant, language);
        for (int col = column::RxFrequency; col <= column::Power; ++col) {
            const std::string& textA = ta[static_cast<std::size_t>(col - 1)];
            const std::string& textB = tb[static_cast<std::size_t>(col - 1)];
            if (textA == textB)
                continue;
            diff.cells.push_back({n, col, textA, textB});
            explainCell(explained, n, col);
        }
    }

    const std::vector<OptionField> fa = optionFields(before, language);
    const std::vector<OptionField> fb = optionFields(after, language);
    for (std::size_t i = 0; i < fa.size(); ++i) {
        const OptionField& f = fa[i];
        unsigned va = 0;
        unsigned vb = 0;
        for (std::size_t k = f.size; k-- > 0;) {
            va = va << 8 | before.byte(f.offset + k);
            vb = vb << 8 | after.byte(f.offset + k);
        }
        if (va == vb)
            continue;
        OptionDifference d{f.name, f.text, fb[i].text};
        if (d.before == d.after) {
            // Two values the dialog shows alike: the stored values tell them apart.
            const int digits = static_cast<int>(f.size) * 2;
            d.before += " (" + hex(va, digits) + ")";
            d.after += " (" + hex(vb, digits) + ")";
        }
        diff.options.push_back(std::move(d));
        explainBytes(explained, f.offset, f.size);
    }

    for (std::size_t at : {offset::ProductType, offset::BandIndex}) {
        if (before.byte(at) == after.byte(at))
            continue;
        diff.product.push_back({at, before.byte(at), after.byte(at)});
        explainBytes(explained, at, 1);
    }

    for (std::size_t i = 0; i < kImageSize; ++i) {
        const std::uint8_t changed = before.byte(i) ^ after.byte(i);
        if (i >= kInterpretedEnd) {
            if (changed)
                diff.bytesOutside.push_back(i);
        } else if (changed & ~explained[i]) {
            diff.otherBytesInside.push_back(i);
        }
    }
    return diff;
}

ImageDifferences compareTransferred(const RadioImage& before, const RadioImage& after, int radioVariant,
                                    Language language)
{
    // The bytes that never travel are made alike, so that they cannot differ.
    RadioImage alike = before;
    for (std::size_t i = offset::TransferEnd; i < kImageSize; ++i)
        alike.setByte(i, after.byte(i));
    return compareImages(alike, after, radioVariant, language);
}

} // namespace qx260
