#pragma once
// The cell editors over the channel grid: which editor a column has, the items of its list,
// the item it opens on, and the move after Enter. (What a commit does to a channel is
// ChannelEditing's; the messages of a refused commit are the string table's.)

#include <string>
#include <string_view>
#include <vector>

#include "core/config/Language.h"

namespace qx260
{

class ChannelTable;

// The editor laid over a column: its control id and whether it is a drop-down list.
// Column 0 (never current) maps to the first edit box.
int editorIdForColumn(int col);
bool isListColumn(int col);

// The items of a column's list editor; the tone columns take the view's tone list.
std::vector<std::string> listItemsForColumn(int col, Language language,
                                            const std::vector<std::string>& toneList);

// Opening a list editor: the first item whose text begins with the cell text, ignoring
// case (ASCII letters only; other bytes compare exactly); the first item when none does.
int initialListSelection(const std::vector<std::string>& items, std::string_view cellText);
// The same search, -1 when no item begins with the cell text (a stored code or tone the
// list does not offer, such as D017N or 62.5): the editor then offers the cell's own text.
int matchingListItem(const std::vector<std::string>& items, std::string_view cellText);

// The move after Enter (also when nothing was committed, never after a rejection): next
// column, else column 1 of the next row, else row 1 column 1. Each step is a separate move
// of the current cell, so LeaveCell / EnterCell fire as for a user move.
void advanceAfterEnter(ChannelTable& table);

} // namespace qx260
