#pragma once
// What differs between two documents, as a user reads it: the channel cells the way the
// channel window shows them, the optional features the way their dialog shows them, the
// product bytes, and what is left: bytes whose difference none of those shows.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/config/Language.h"
#include "core/radio/RadioImage.h"

namespace qx260
{

struct CellDifference {
    int channel = 0; // 1..16
    int column = 0;  // 1..8, the channel table's column
    std::string before;
    std::string after;
};

struct OptionDifference {
    std::string name; // "Time Out Time", ...
    std::string before;
    std::string after;
};

struct ProductDifference {
    std::size_t offset = 0; // offset::ProductType or offset::BandIndex
    std::uint8_t before = 0;
    std::uint8_t after = 0;
};

struct ImageDifferences {
    std::vector<CellDifference> cells;
    std::vector<OptionDifference> options;
    std::vector<ProductDifference> product;
    // Differing bytes of 0x000..0x32F that no difference above shows (bytes the program
    // does not interpret, bits beside a field, cells a radio variant hides), and the
    // differing bytes of 0x330..0x3FF, which never travel to or from the radio.
    std::vector<std::size_t> otherBytesInside;
    std::vector<std::size_t> bytesOutside;

    bool identical() const
    {
        return cells.empty() && options.empty() && product.empty() && otherBytesInside.empty() &&
               bytesOutside.empty();
    }
};

// Channel cells are decoded as the channel window decodes them for radioVariant (0 shows
// both sides of every channel) in language. Two images compare
// identical exactly when all their bytes are equal.
ImageDifferences compareImages(const RadioImage& before, const RadioImage& after, int radioVariant,
                               Language language);

// A radio against a document, as compareImages, but only the bytes that travel to and from
// the radio (0x000..0x32F) count, whatever either image holds after them. Used before a
// Write (what it will change), after it (did the radio store what was sent) and by a
// comparison that writes nothing.
ImageDifferences compareTransferred(const RadioImage& before, const RadioImage& after, int radioVariant,
                                    Language language);

} // namespace qx260
