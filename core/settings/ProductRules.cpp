// Product Information: the types and bands listed in Program.ini, the selection the dialog
// opens on, and the user's choice applied to the image, the store and the caption.

#include "core/settings/ProductRules.h"

#include "core/channels/ChannelCodec.h"
#include "core/config/CIniFile.h"
#include "core/radio/RadioImage.h"

namespace qx260
{

namespace
{

bool isPosition(int position, std::size_t count)
{
    return position >= 0 && static_cast<std::size_t>(position) < count;
}

std::string itemAt(const std::vector<std::string>& items, int position)
{
    return isPosition(position, items.size()) ? items[static_cast<std::size_t>(position)] : std::string();
}

} // namespace

std::vector<std::string> productTypeList(const CIniFile& config)
{
    std::vector<std::string> types;
    for (int k = 1; k <= kMaxProductTypes; ++k) {
        std::string name = config.GetString("Setup", "Type" + std::to_string(k), "");
        if (name.empty())
            break;
        types.push_back(std::move(name));
    }
    return types;
}

std::vector<std::string> bandListForType(const CIniFile& config, int typePosition)
{
    if (typePosition < 0)
        return {};
    return splitBandList(config.GetString("Setup", "Field" + std::to_string(typePosition + 1), ""));
}

std::string ProductSelection::typeText() const
{
    return itemAt(types, type);
}

std::string ProductSelection::bandText() const
{
    return itemAt(bands, band);
}

void ProductSelection::selectType(const CIniFile& config, int position)
{
    type = isPosition(position, types.size()) ? position : -1;
    bands = bandListForType(config, type);
    band = bands.empty() ? -1 : 0;
}

void ProductSelection::selectBand(int position)
{
    if (isPosition(position, bands.size()))
        band = position;
}

ProductSelection openProductSelection(const CIniFile& config, const RadioImage& image, ProductChoice stored)
{
    ProductSelection selection;
    selection.types = productTypeList(config);
    const int documentType = image.byte(offset::ProductType);
    int type = isPosition(documentType, selection.types.size()) ? documentType : -1;
    if (isPosition(stored.type, selection.types.size()))
        type = stored.type;
    selection.selectType(config, type);
    selection.selectBand(stored.field);
    return selection;
}

ProductOutcome applyProductSelection(const ProductSelection& selection, RadioImage& image, UserStore& store,
                                     const CIniFile& config, const std::string& appName)
{
    ProductOutcome outcome;
    const std::uint8_t typeByte = static_cast<std::uint8_t>(selection.type & 0xFF);
    const std::uint8_t bandByte = static_cast<std::uint8_t>(selection.band & 0xFF);
    outcome.imageChanged =
        image.byte(offset::ProductType) != typeByte || image.byte(offset::BandIndex) != bandByte;
    image.setByte(offset::ProductType, typeByte);
    image.setByte(offset::BandIndex, bandByte);

    const std::string bandText = selection.bandText();
    outcome.caption = buildCaption(appName, selection.typeText(), bandText, Language::English);
    outcome.bandLimits = bandText.empty() ? BandLimits{} : bandLimitsFromText(bandText);
    outcome.choice = {selection.type, selection.band};
    writeProductChoice(store, config, outcome.choice);
    return outcome;
}

} // namespace qx260
