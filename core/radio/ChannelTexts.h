#pragma once
// The texts of the channel table: the column headers and the values of the list columns
// (W/N, Scan, Busy Lock, Power), as columns map to the catalogue's texts. The cell editors,
// the codec, printing and the command line all take their words from here.

#include <string>
#include <vector>

#include "core/config/Texts.h"

namespace qx260
{

// Header of column 0..8 ("CH", "Rx Frequency", ...); empty for any other column.
std::string columnHeader(int col, Language language);

// The items of the list editor of column 5..8 in list order; empty for any other column.
std::vector<std::string> columnListItems(int col, Language language);
// The same as text ids.
std::vector<Text> columnListTexts(int col);

} // namespace qx260
