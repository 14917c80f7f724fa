#pragma once
// What differs between two images, in words: one row per differing channel cell,
// optional feature and product byte, then counts of the other differing bytes. The
// command line prints the rows as lines ("diff", "write --verify"); the window lists them
// in its comparison view. Labels follow the language of the process-wide values.

#include <cstddef>
#include <string>
#include <vector>

#include "core/compare/ImageCompare.h"

namespace qx260
{
struct ProcessValues;

// "QX-260 (0)": the configured name of the product type or band index at `at` in the
// image, with the index.
std::string productText(const ProcessValues& values, const RadioImage& image, std::size_t at);

// "Product type" or "Band" (the command line's JSON names, always English).
const char* productLabel(std::size_t at);

struct DifferenceRow {
    std::string what;   // "Channel 3 Rx Frequency", "Time Out Time", "Band", "Other bytes (0x000-0x32F)"
    std::string before; // the text in the first image ("(empty)" for an empty cell)
    std::string after;  // the text in the second
    // A count of other differing bytes: `after` says how many and where, `before` is empty.
    bool byteCount = false;
};

// The rows, in the order: cells by channel and column, options in dialog order, product,
// then the byte counts.
std::vector<DifferenceRow> differenceRows(const ImageDifferences& d, const RadioImage& a, const RadioImage& b,
                                          const ProcessValues& values);

// The rows as lines ("what: before -> after", "what: count"), each ending in a newline.
std::string differenceLines(const ImageDifferences& d, const RadioImage& a, const RadioImage& b,
                            const ProcessValues& values);

} // namespace qx260
