#pragma once
// How qx260-cli shows what differs between two images ("diff", "write --verify"):
// one line per differing channel cell, optional feature and product byte, then counts
// of the other differing bytes.

#include <cstddef>
#include <string>

#include "core/compare/ImageCompare.h"

namespace qx260
{
struct ProcessValues;
}

namespace qx260::cli
{

// "QX-260 (0)": the configured name of the product type or band index at `at` in the
// image, with the index.
std::string productText(const ProcessValues& values, const RadioImage& image, std::size_t at);

// "Product type" or "Band".
const char* productLabel(std::size_t at);

// The difference lines (no "---"/"+++" header), each ending in a newline.
std::string differenceLines(const ImageDifferences& d, const RadioImage& a, const RadioImage& b,
                            const ProcessValues& values);

} // namespace qx260::cli
