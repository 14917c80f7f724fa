// The cell editors of each column, the item a list opens on, and the move after Enter.

#include "core/channels/CellEditRules.h"

#include <array>

#include "core/channels/ChannelTable.h"
#include "core/config/AsciiText.h"
#include "core/radio/ChannelTexts.h"

namespace qx260
{

namespace
{

struct ColumnEditor {
    int id;
    bool list;
};

// Index = table column 0..8.
constexpr std::array<ColumnEditor, ChannelTable::kCols> kEditors{{
    {2127, false}, // column 0 is never current; it maps to the first edit box
    {2127, false}, // Rx Frequency
    {2128, false}, // Tx Frequency
    {2132, true},  // QT/DQT Dec
    {2133, true},  // QT/DQT Enc
    {2134, true},  // W/N
    {2135, true},  // Scan
    {1130, true},  // Busy Lock
    {1129, true},  // Power
}};

bool validColumn(int col)
{
    return col >= 0 && col < ChannelTable::kCols;
}

} // namespace

int editorIdForColumn(int col)
{
    return validColumn(col) ? kEditors[static_cast<std::size_t>(col)].id : kEditors[0].id;
}

bool isListColumn(int col)
{
    return validColumn(col) && kEditors[static_cast<std::size_t>(col)].list;
}

std::vector<std::string> listItemsForColumn(int col, Language language,
                                            const std::vector<std::string>& toneList)
{
    if (col == column::DecodeTone || col == column::EncodeTone)
        return toneList;
    return columnListItems(col, language);
}

int matchingListItem(const std::vector<std::string>& items, std::string_view cellText)
{
    for (std::size_t i = 0; i < items.size(); ++i)
        if (startsWithIgnoringAsciiCase(items[i], cellText))
            return static_cast<int>(i);
    return -1;
}

int initialListSelection(const std::vector<std::string>& items, std::string_view cellText)
{
    const int match = matchingListItem(items, cellText);
    return match >= 0 || items.empty() ? match : 0;
}

void advanceAfterEnter(ChannelTable& table)
{
    if (table.col() < table.cols() - 1) {
        table.setCol(table.col() + 1);
    } else if (table.row() < table.rows() - 1) {
        const int next = table.row() + 1;
        table.setCol(1);
        table.setRow(next);
    } else {
        table.setRow(1);
        table.setCol(1);
    }
}

} // namespace qx260
