#pragma once
// The Product Information model: product types and their bands from the configuration,
// the selection the dialog opens on, and what OK changes (the product bytes, the stored
// choice, the main window caption and the view's band limits).

#include <string>
#include <vector>

#include "core/config/UserStore.h"
#include "core/radio/FrequencyCheck.h"

namespace qx260
{

class CIniFile;
class RadioImage;

constexpr int kMaxProductTypes = 19;

namespace productControl
{
constexpr int TypeList = 1013;
constexpr int BandList = 1014;
} // namespace productControl

// "Type1".."Type19" of section "Setup", up to the first missing or empty name.
std::vector<std::string> productTypeList(const CIniFile& config);

// The bands of the type at `typePosition` ("Field%d" of position + 1). No type selected
// (-1) gives no bands; a type without a band list gives one empty band.
std::vector<std::string> bandListForType(const CIniFile& config, int typePosition);

// The two lists and their selections (-1 = none).
struct ProductSelection {
    std::vector<std::string> types;
    std::vector<std::string> bands;
    int type = -1;
    int band = -1;

    std::string typeText() const;
    std::string bandText() const;

    // A new type chosen: its bands, the first one selected.
    void selectType(const CIniFile& config, int position);
    void selectBand(int position); // ignored when not a position of the list
};

// The selection the dialog opens on: the stored choice where it names list positions,
// otherwise the document's own type byte and the first band.
ProductSelection openProductSelection(const CIniFile& config, const RadioImage& image, ProductChoice stored);

struct ProductOutcome {
    std::string caption;   // for the main window (always with the English labels)
    BandLimits bandLimits; // for the active channel view
    ProductChoice choice;  // as stored for the user (-1 for no selection)
    bool imageChanged = false;
};

// OK: the product bytes of the image (0xFF for no selection), the stored choice, and the
// caption and band limits to show. `appName` is "AppName" of the language's section.
ProductOutcome applyProductSelection(const ProductSelection& selection, RadioImage& image, UserStore& store,
                                     const CIniFile& config, const std::string& appName);

} // namespace qx260
